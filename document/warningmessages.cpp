#include "warningmessages.h"

#include <array>
#include <utility>

namespace {
constexpr std::array<std::pair<std::uint32_t, const char *>, 15> kMessages = {{
    {0x0001, "Un ou plusieurs fichiers n'ont pas été ajoutés à la liste car :\n\n* Ils portaient un nom pouvant être un nom de vignette\n\n* Et, dans les options du document, vous avez choisit de rejeter les fichiers portant un nom de vignette."},
    {0x0002, "Un ou plusieurs fichiers n'ont pas été ajoutés à la liste car :\n\n* Ils ne se situaient pas sur le même disque dur que les autres fichiers de la liste.\n\nRappel : Le logiciel ne peut déterminer les chemins relatifs entre deux fichiers que si ces deux fichiers sont sur le même disque dur..."},
    {0x0004, "Un ou plusieurs fichiers n'ont pas été ajoutés à la liste car :\n\n* Vous avez spécifié un répertoire racine pour votre site web dans les options du document\n\n* Et ces fichiers ne se situaient pas dans ce répertoire (ou l'un de ses sous-répertoire)."},
    {0x0008, "Un ou plusieurs fichiers n'ont pas été ajoutés à la liste car :\n\n* Ces fichiers ne possédaient pas de vignette\n\n* Et, dans les options du document, vous avez spécifié de rejeter tout fichier ne possédant pas de vignette."},
    {0x0010, "Un ou plusieurs fichiers ont été retirés de la liste car :\n\n* Vous venez de spécifier un répertoire racine pour votre site web dans les options du document et ces fichiers ne se situaient pas dans ce répertoire (ou l'un de ses sous-répertoire)."},
    {0x0020, "Un ou plusieurs fichiers ont été retirés de la liste car :\n\n* Vous venez de modifier les options et avez décidé de rejeter les fichiers portant un nom de vignette, et ces fichiers portaient un nom de vignette."},
    {0x0040, "Un ou plusieurs fichiers ont été retirés de la liste car :\n\n* Vous venez de modifier les options du document et avez décidé de rejeter les fichiers n'ayant pas de vignette et ces fichiers n'avaient pas de vignette."},
    {0x0080, "La création d'une ou plusieurs vignettes a échouée car le système manquait de mémoire...\n\nPour résoudre ce problème, essayez de libérer de la mémoire.\n\nSi vous avez une image affichée dans la fenêtre de visualisation, fermer cette fenêtre permet de libérer de la mémoire.\n\nSi tout échoue, fermez et relancez le programme."},
    {0x0100, "La création d'une ou plusieurs vignette a échouée car le format de l'image n'est pas supporté en écriture par le programme.\n\nEnregistrez l'image sous un autre format et réessayez."},
    {0x0200, "La création d'une ou plusieurs vignette a échouée pour une raison non déterminée.\n\nVérifiez que l'espace disque est suffisant et que les permissions en écriture sont suffisantes et vérifiez que l'image haute résolution existe toujours..."},
    {0x0400, "La création de la page web a échoué.\n\nVeuillez vérifier que l'espace disque est suffisant et que vous avez les bons droits d'accès."},
    {0x0800, "La création de la page web a échoué car :\n\n* Soit il a été impossible de lire le fichier HTML servant de source pour la création de la page,\n\n* Soit ce fichier ne contenait pas les 2 tags requis pour l'insertion des images."},
    {0x1000, "La création d'un fichier zip a échoué lors de la fabrication de la page web"},
    {0x2000, "L'ajout d'une ou plusieurs images dans un fichier zip a échoué.\n\nVérifier que l'espace disque est suffisant et que vous n'avez supprimé aucune image présente dans la liste de votre disque dur..."},
    {0x4000, "Une ou plusieurs images de votre fichier de sauvegarde (.glr) n'ont pas été trouvées. Elles n'ont donc pas été ajoutées à la liste.\n\nVérifiez que vous n'avez pas effacé ou déplacé ces images."},
}};
} // namespace

QString WarningMessage(std::uint32_t bit)
{
    for (const auto &[flag, text] : kMessages) {
        if (flag == bit)
            return QString::fromUtf8(text);
    }
    return {};
}

std::vector<std::uint32_t> WarningBits(std::uint32_t mask)
{
    std::vector<std::uint32_t> bits;
    for (const auto &message : kMessages) {
        if (mask & message.first)
            bits.push_back(message.first);
    }
    return bits;
}
