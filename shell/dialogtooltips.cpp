#include "shell/dialogtooltips.h"

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
