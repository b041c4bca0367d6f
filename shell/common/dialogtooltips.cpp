#include "shell/common/dialogtooltips.h"

#include <QHash>
#include <QWidget>

namespace {
const QHash<QString, QString> &Table()
{
    static const QHash<QString, QString> table = {
        // Program options, page "Général".
        {QStringLiteral("recursiveDirectories"), QStringLiteral("Ouvre tous les répertoires de façon récursive")},
        {QStringLiteral("directoryOnly"),
         QStringLiteral("Ouvre les fichiers du répertoire choisi, sans ouvrir ses sous-répertoires")},
        {QStringLiteral("noDirectories"),
         QStringLiteral("Les répertoires déposés ou collés sont ignorés et l'ajout depuis un répertoire est désactivé")},
        {QStringLiteral("previewThumbnail"),
         QStringLiteral("La fenêtre de prévisualisation affiche la vignette de l'image sélectionnée")},
        {QStringLiteral("previewImage"),
         QStringLiteral("La fenêtre de prévisualisation affiche l'image sélectionnée")},
        {QStringLiteral("previewNothing"),
         QStringLiteral("La fenêtre de prévisualisation ne suit pas la sélection")},
        {QStringLiteral("commentInPlace"),
         QStringLiteral("Un clic sur l'icone du commentaire permet de le modifier directement dans la liste")},
        {QStringLiteral("commentAssistant"),
         QStringLiteral("Un clic sur l'icone du commentaire ouvre l'assistant d'édition des commentaires")},
        {QStringLiteral("displayTooltips"),
         QStringLiteral("Affiche une info-bulle comme celle-ci sur chaque contrôle des dialogues d'option")},
        {QStringLiteral("displayWarnings"),
         QStringLiteral("Affiche l'icone d'alerte de la barre d'état lorsqu'un problème survient")},
        {QStringLiteral("showPageAfterBuild"),
         QStringLiteral("Ouvre la page web dans votre navigateur dès qu'elle est créée")},
        // Document options, page "Page Web 1/2".
        {QStringLiteral("pageTitle"), QStringLiteral("Titre affiché dans la barre de titre du navigateur et en haut de la page")},
        {QStringLiteral("defaultPage"), QStringLiteral("Utilise le modèle de page fourni avec le programme")},
        {QStringLiteral("customPage"), QStringLiteral("Utilise votre propre page HTML comme modèle")},
        {QStringLiteral("modernPage"),
         QStringLiteral("Grille de vignettes nettes sur tous les écrans, une page par photo et une visionneuse plein écran")},
        {QStringLiteral("customPagePath"), QStringLiteral("Page HTML modèle : elle doit contenir les tags <VORLEX_INSERT_IMAGE> et </VORLEX_INSERT_IMAGE>")},
        {QStringLiteral("customPageBrowse"), QStringLiteral("Choisir la page HTML modèle")},
        {QStringLiteral("pageBackgroundColor"), QStringLiteral("Couleur du fond de la page")},
        {QStringLiteral("pageTextColor"), QStringLiteral("Couleur du texte de la page")},
        {QStringLiteral("pageLinkColor"), QStringLiteral("Couleur des liens de la page")},
        {QStringLiteral("pageBorderColor"), QStringLiteral("Couleur de la bordure autour des vignettes")},
        {QStringLiteral("backgroundImage"), QStringLiteral("Image affichée en fond de la page (laisser vide pour aucune)")},
        {QStringLiteral("backgroundImageBrowse"), QStringLiteral("Choisir l'image de fond")},
        {QStringLiteral("protectImages"), QStringLiteral("Empêche le clic droit sur les images de la page")},
        // Page "Page Web 2/2".
        {QStringLiteral("imagesPerLineOn"), QStringLiteral("Limite le nombre de vignettes sur une ligne (sinon toutes les images sont sur une seule ligne)")},
        {QStringLiteral("imagesPerLine"), QStringLiteral("Nombre de vignettes sur chaque ligne")},
        {QStringLiteral("linesPerPageOn"), QStringLiteral("Répartit les lignes sur plusieurs pages")},
        {QStringLiteral("linesPerPage"), QStringLiteral("Nombre de lignes sur chaque page")},
        {QStringLiteral("endLastLine"), QStringLiteral("Complète la dernière ligne par des cases vides")},
        {QStringLiteral("borderSize"), QStringLiteral("Épaisseur en pixels de la bordure autour des vignettes (0 à 10)")},
        {QStringLiteral("tooltipAlt"), QStringLiteral("La bulle d'information est le texte \"ALT\" de l'image, affiché par le navigateur")},
        {QStringLiteral("tooltipScript"), QStringLiteral("La bulle d'information est dessinée par un script et apparaît immédiatement")},
        {QStringLiteral("tooltipNone"), QStringLiteral("Pas de bulle d'information sur les images")},
        {QStringLiteral("noTooltipInPopups"), QStringLiteral("Aucune bulle d'information sur l'image affichée en grand")},
        {QStringLiteral("commentUnderImage"), QStringLiteral("Écrit le commentaire sous l'image affichée en grand")},
        {QStringLiteral("tooltipsExample"), QStringLiteral("Voir un exemple de chaque type de bulle d'information")},
        {QStringLiteral("rootRelativePath"), QStringLiteral("Tous les chemins seront relatifs à la racine de votre site web")},
        {QStringLiteral("rootPath"), QStringLiteral("Répertoire racine de votre site web : seules les images qu'il contient sont acceptées")},
        {QStringLiteral("rootPathBrowse"), QStringLiteral("Choisir le répertoire racine de votre site web")},
        // Page "Liens"; the per-image dialog shares the names of its link controls.
        {QStringLiteral("isLink"), QStringLiteral("Chaque vignette est un lien vers son image haute résolution")},
        {QStringLiteral("linkCurrentWindow"), QStringLiteral("L'image s'ouvre à la place de la page")},
        {QStringLiteral("linkNewWindow"), QStringLiteral("L'image s'ouvre dans une autre fenêtre")},
        {QStringLiteral("windowNormal"), QStringLiteral("Une fenêtre ordinaire du navigateur")},
        {QStringLiteral("windowFullScreen"), QStringLiteral("Une fenêtre qui occupe tout l'écran")},
        {QStringLiteral("windowPopup"), QStringLiteral("Une petite fenêtre sans barre d'outils, à la taille choisie")},
        {QStringLiteral("adaptImageSize"), QStringLiteral("Réduit l'image pour qu'elle tienne dans la fenêtre")},
        {QStringLiteral("allowFullSize"), QStringLiteral("Un clic sur l'image réduite l'affiche à sa taille réelle")},
        {QStringLiteral("popupSizeGroup"), QStringLiteral("Taille de la fenêtre popup")},
        {QStringLiteral("popupAutoSize"), QStringLiteral("La fenêtre prend la taille de l'image")},
        {QStringLiteral("popupFixedSize"), QStringLiteral("La fenêtre a toujours la taille indiquée")},
        {QStringLiteral("popupWidth"), QStringLiteral("Largeur de la fenêtre en pixels")},
        {QStringLiteral("popupHeight"), QStringLiteral("Hauteur de la fenêtre en pixels")},
        {QStringLiteral("popupBackgroundColor"), QStringLiteral("Couleur du fond de la fenêtre autour de l'image")},
        {QStringLiteral("specialPopupLink"), QStringLiteral("Les vignettes continuent de se charger pendant qu'une image est affichée")},
        {QStringLiteral("zipLink"), QStringLiteral("Ajoute à chaque page un lien vers une archive zip de ses images")},
        {QStringLiteral("zipName"), QStringLiteral("Nom du fichier zip, relatif à la page web")},
        {QStringLiteral("linksExample"), QStringLiteral("Voir un exemple de chaque type de lien")},
        // Page "Vignettes 1/2" and the specific-thumbnail dialog.
        {QStringLiteral("withSuffix"), QStringLiteral("Le suffixe est ajouté après le nom de l'image")},
        {QStringLiteral("withPrefix"), QStringLiteral("Le préfixe est ajouté avant le nom de l'image (il peut désigner un sous-répertoire)")},
        {QStringLiteral("preSuffix"), QStringLiteral("Texte qui forme le nom des vignettes à partir du nom des images")},
        {QStringLiteral("thumbnailExample"), QStringLiteral("Nom de la vignette de l'image d'exemple")},
        {QStringLiteral("thumbnailSizeGroup"), QStringLiteral("Comment la taille des vignettes est calculée")},
        {QStringLiteral("sizeAutomatic"), QStringLiteral("La vignette est un pourcentage de l'image")},
        {QStringLiteral("sizeFixed"), QStringLiteral("Toutes les vignettes ont la même taille ; les marges prennent la couleur du fond")},
        {QStringLiteral("sizeSmallest"), QStringLiteral("Le plus petit côté de la vignette mesure N pixels")},
        {QStringLiteral("sizeBiggest"), QStringLiteral("Le plus grand côté de la vignette mesure N pixels")},
        {QStringLiteral("sizeWidth"), QStringLiteral("La largeur de la vignette est de N pixels")},
        {QStringLiteral("sizeHeight"), QStringLiteral("La hauteur de la vignette est de N pixels")},
        {QStringLiteral("percentSize"), QStringLiteral("Pourcentage de la taille de l'image (flèches : 1 à 10, puis de 5 en 5)")},
        {QStringLiteral("percentLabel"), QStringLiteral("Taille de la vignette par rapport à l'image")},
        {QStringLiteral("fixedWidth"), QStringLiteral("Largeur des vignettes en pixels")},
        {QStringLiteral("fixedHeight"), QStringLiteral("Hauteur des vignettes en pixels")},
        {QStringLiteral("thumbnailBackground"), QStringLiteral("Couleur des marges autour de l'image dans la vignette")},
        {QStringLiteral("sidePixels"), QStringLiteral("Nombre de pixels N")},
        {QStringLiteral("jpegQuality"), QStringLiteral("Qualité des vignettes JPEG : à gauche des fichiers plus petits, à droite de meilleures images")},
        {QStringLiteral("thumbnailsExample"), QStringLiteral("Voir un exemple de chaque taille de vignette")},
        // Page "Vignettes 2/2".
        {QStringLiteral("rejectThumbnailNames"), QStringLiteral("N'ajoute pas une image dont le nom est celui de la vignette d'une autre")},
        {QStringLiteral("missingThumbnailGroup"), QStringLiteral("Que faire d'une image ajoutée sans vignette")},
        {QStringLiteral("createThumbnailNow"), QStringLiteral("La vignette est créée dès l'ajout de l'image")},
        {QStringLiteral("createThumbnailWithPage"), QStringLiteral("La vignette est créée avec la page web")},
        {QStringLiteral("useImageAsThumbnail"), QStringLiteral("La page affiche l'image elle-même, réduite par le navigateur")},
        {QStringLiteral("dontAddImage"), QStringLiteral("Une image sans vignette n'est pas ajoutée")},
        // Page "Diaporama".
        {QStringLiteral("slideshowAutomatic"), QStringLiteral("Les images se suivent toutes seules")},
        {QStringLiteral("slideshowManual"), QStringLiteral("Le visiteur passe d'une image à l'autre")},
        {QStringLiteral("slideshowThumbnails"), QStringLiteral("Les vignettes défilent ; un clic affiche l'image")},
        {QStringLiteral("slideshowSpeed"), QStringLiteral("Durée minimum d'affichage de chaque image (2 à 30 secondes)")},
        {QStringLiteral("slideshowSpeedText"), QStringLiteral("Durée choisie")},
        {QStringLiteral("slideshowCloseButton"), QStringLiteral("Le bouton ferme la fenêtre du diaporama")},
        {QStringLiteral("slideshowBackButton"), QStringLiteral("Le bouton revient à la page précédente")},
        {QStringLiteral("slideshowLoop"), QStringLiteral("Après la dernière image, le diaporama reprend au début")},
        {QStringLiteral("slideshowRandom"), QStringLiteral("Les images sont montrées dans un ordre au hasard")},
        {QStringLiteral("slideshowSizeAuto"), QStringLiteral("Les vignettes gardent leur taille")},
        {QStringLiteral("slideshowSizeFixed"), QStringLiteral("Les vignettes sont affichées à la taille indiquée")},
        {QStringLiteral("slideshowWidth"), QStringLiteral("Largeur des vignettes du diaporama en pixels")},
        {QStringLiteral("slideshowHeight"), QStringLiteral("Hauteur des vignettes du diaporama en pixels")},
        // Per-image dialogs.
        {QStringLiteral("imageBorderColor"), QStringLiteral("Couleur de la bordure autour de cette image")},
        {QStringLiteral("codedComment"), QStringLiteral("Le commentaire tel que vous l'écrivez, avec ses variables")},
        {QStringLiteral("decodedComment"), QStringLiteral("Le commentaire tel qu'il apparaîtra dans la page web")},
        {QStringLiteral("variable_TITLE"), QStringLiteral("Insère le titre de la page web à la place du texte sélectionné")},
        {QStringLiteral("variable_NUMBER_OF_IMAGES"), QStringLiteral("Insère le nombre d'images de la galerie à la place du texte sélectionné")},
        {QStringLiteral("variable_NUMBER_OF_LINES"), QStringLiteral("Insère le nombre de lignes de la galerie à la place du texte sélectionné")},
        {QStringLiteral("variable_NUMBER_OF_PAGES"), QStringLiteral("Insère le nombre de pages de la galerie à la place du texte sélectionné")},
        {QStringLiteral("variable_NB_IMAGE_PER_LINE"), QStringLiteral("Insère le nombre d'images par ligne à la place du texte sélectionné")},
        {QStringLiteral("variable_NB_LINE_PER_PAGE"), QStringLiteral("Insère le nombre de lignes par page à la place du texte sélectionné")},
        {QStringLiteral("variable_NB_IMAGE_PER_PAGE"), QStringLiteral("Insère le nombre d'images par page à la place du texte sélectionné")},
        {QStringLiteral("variable_IMAGE_NAME"), QStringLiteral("Insère le nom du fichier de l'image à la place du texte sélectionné")},
        {QStringLiteral("variable_IMAGE_DIMENSIONS"), QStringLiteral("Insère les dimensions de l'image (largeur x hauteur) à la place du texte sélectionné")},
        {QStringLiteral("variable_IMAGE_SIZE"), QStringLiteral("Insère la taille du fichier de l'image à la place du texte sélectionné")},
        {QStringLiteral("variable_VIGNETTE_NAME"), QStringLiteral("Insère le nom du fichier de la vignette à la place du texte sélectionné")},
        {QStringLiteral("variable_VIGNETTE_DIMENSIONS"), QStringLiteral("Insère les dimensions de la vignette à la place du texte sélectionné")},
        {QStringLiteral("variable_VIGNETTE_SIZE"), QStringLiteral("Insère la taille du fichier de la vignette à la place du texte sélectionné")},
        {QStringLiteral("variable_IMAGE_INDEX"), QStringLiteral("Insère le numéro de l'image dans la galerie à la place du texte sélectionné")},
        {QStringLiteral("variable_LINE_INDEX"), QStringLiteral("Insère le numéro de la ligne de l'image à la place du texte sélectionné")},
        {QStringLiteral("variable_PAGE_INDEX"), QStringLiteral("Insère le numéro de la page de l'image à la place du texte sélectionné")},
        {QStringLiteral("variable_IMAGE_POS_IN_LINE"), QStringLiteral("Insère la position de l'image dans sa ligne à la place du texte sélectionné")},
        {QStringLiteral("variable_NB_IMAGE_IN_THIS_LINE"), QStringLiteral("Insère le nombre d'images de la ligne de l'image à la place du texte sélectionné")},
        {QStringLiteral("variable_LINE_POS_IN_PAGE"), QStringLiteral("Insère le numéro de la ligne dans sa page à la place du texte sélectionné")},
        {QStringLiteral("variable_IMAGE_POS_IN_PAGE"), QStringLiteral("Insère la position de l'image dans sa page à la place du texte sélectionné")},
        {QStringLiteral("variable_NB_LINE_IN_THIS_PAGE"), QStringLiteral("Insère le nombre de lignes de la page de l'image à la place du texte sélectionné")},
        {QStringLiteral("variable_NB_IMAGE_IN_THIS_PAGE"), QStringLiteral("Insère le nombre d'images de la page de l'image à la place du texte sélectionné")},
        {QStringLiteral("variable_APN_BRAND"), QStringLiteral("Insère la marque de l'appareil photo à la place du texte sélectionné")},
        {QStringLiteral("variable_APN_TYPE"), QStringLiteral("Insère le modèle de l'appareil photo à la place du texte sélectionné")},
        {QStringLiteral("variable_APN_DATE"), QStringLiteral("Insère la date de la prise de vue à la place du texte sélectionné")},
        {QStringLiteral("variable_APN_TIME"), QStringLiteral("Insère l'heure de la prise de vue à la place du texte sélectionné")},
        {QStringLiteral("variable_APN_EXP_TIME"), QStringLiteral("Insère le temps d'exposition à la place du texte sélectionné")},
        {QStringLiteral("variable_APN_DIAPH"), QStringLiteral("Insère l'ouverture à la place du texte sélectionné")},
        {QStringLiteral("variable_APN_FOCAL"), QStringLiteral("Insère la focale à la place du texte sélectionné")},
        {QStringLiteral("variable_APN_FLASH"), QStringLiteral("Insère l'utilisation du flash à la place du texte sélectionné")},
        {QStringLiteral("variable_APN_ISO"), QStringLiteral("Insère la sensibilité ISO à la place du texte sélectionné")},
        // Image file dialog.
        {QStringLiteral("previewAllowed"), QStringLiteral("Affiche l'image sélectionnée sous la liste des fichiers")},
        // Preview options, page "Prévisualisation".
        {QStringLiteral("previewBackgroundColor"),
         QStringLiteral("Choisit la couleur du fond de la fenêtre de prévisualisation")},
    };
    return table;
}
} // namespace

QString DialogTooltip(const QString &controlName) { return Table().value(controlName); }

void ApplyDialogTooltips(QWidget *dialog, bool enabled)
{
    const auto children = dialog->findChildren<QWidget *>();
    for (QWidget *child : children) {
        const QString text = DialogTooltip(child->objectName());
        if (!text.isEmpty())
            child->setToolTip(enabled ? text : QString());
    }
}
