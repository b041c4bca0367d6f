#include "shell/commands/commandtable.h"

#include <array>

namespace {
using C = Command;
using T = CommandTarget;

QList<QKeySequence> Keys(std::initializer_list<QKeySequence> keys) { return QList<QKeySequence>(keys); }

// One row per command, in the order of the enum.
std::array<CommandInfo, size_t(C::Count)> MakeTable()
{
    const auto S = [](const char *text) { return QString::fromUtf8(text); };
    std::array<CommandInfo, size_t(C::Count)> t{{
        {C::New, S("&Nouveau\tCtrl+N"), S("Crée un nouveau document"), S("Nouveau"), Keys({QKeySequence(QStringLiteral("Ctrl+N"))}), S("document-new"), S("document-new"), T::Application},
        {C::Open, S("&Ouvrir...\tCtrl+O"), S("Ouvre un document existant"), S("Ouvrir"), Keys({QKeySequence(QStringLiteral("Ctrl+O"))}), S("document-open"), S("document-open"), T::Application},
        {C::Close, S("&Fermer"), S("Ferme le document actif"), S("Fermer"), {}, S("document-close"), S("document-close"), T::Frame},
        {C::Save, S("&Enregistrer\tCtrl+S"), S("Enregistre le document actif"), S("Enregistrer"), Keys({QKeySequence(QStringLiteral("Ctrl+S"))}), S("document-save"), S("document-save"), T::Frame},
        {C::SaveAs, S("En&registrer sous..."), S("Enregistre le document actif sous un nouveau nom"), S("Enregistrer sous"), {}, S("document-save-as"), S("document-save-as"), T::Frame},
        {C::Print, S("&Imprimer...\tCtrl+P"), S("Imprime le document actif"), S("Imprimer"), Keys({QKeySequence(QStringLiteral("Ctrl+P"))}), S("document-print"), S("document-print"), T::View},
        {C::PrintPreview, S("Aperçu a&vant impression"), S("Aperçu avant impression"), S("Aperçu avant impression"), {}, S("document-print-preview"), S("document-print-preview"), T::View},
        {C::PrintSetup, S("C&onfiguration de l'impression..."), S("Change les options d'imprimante et d'impression"), S("Configuration de l'impression"), {}, S("document-page-setup"), S("document-print"), T::Application},
        {C::Exit, S("&Quitter"), S("Ferme l'application ; propose d'enregistrer les documents"), S("Quitter"), {}, S("application-exit"), S("application-exit"), T::Frame},
        {C::Cut, S("Co&uper\tCtrl+X"), S("Coupe la sélection et la place dans le Presse-papiers"), S("Couper"), Keys({QKeySequence(QStringLiteral("Ctrl+X")), QKeySequence(QStringLiteral("Shift+Del"))}), S("edit-cut"), S("edit-cut"), T::View},
        {C::Undo, S("&Annuler\tCtrl+Z"), S("Annule la dernière action"), S("Annuler"), Keys({QKeySequence(QStringLiteral("Ctrl+Z")), QKeySequence(QStringLiteral("Alt+Backspace"))}), S("edit-undo"), S("edit-undo"), T::View},
        {C::Redo, S("&Rétablir\tCtrl+Y"), S("Rétablit l'action annulée"), S("Rétablir"), Keys({QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}), S("edit-redo"), S("edit-redo"), T::View},
        {C::Copy, S("&Copier\tCtrl+C"), S("Copie la sélection et la place dans le Presse-papiers"), S("Copier"), Keys({QKeySequence(QStringLiteral("Ctrl+C")), QKeySequence(QStringLiteral("Ctrl+Ins"))}), S("edit-copy"), S("edit-copy"), T::View},
        {C::Paste, S("C&oller\tCtrl+V"), S("Insère le contenu du Presse-papiers"), S("Coller"), Keys({QKeySequence(QStringLiteral("Ctrl+V")), QKeySequence(QStringLiteral("Shift+Ins"))}), S("edit-paste"), S("edit-paste"), T::Document},
        {C::Delete, S("&Supprimer\tSup."), S("Supprimer les fichiers sélectionnées"), S("Supprimer"), {}, S("edit-delete"), S("edit-delete"), T::View},
        {C::SelectAll, S("&Tout Sélectionner\tCtrl+A"), S("Tout sélectionner"), S("Tout sélectionner"), Keys({QKeySequence(QStringLiteral("Ctrl+A"))}), S("edit-select-all"), S("edit-select-all"), T::View},
        {C::AddImages, S("&Ajouter des images..."), S("Ajouter des images..."), S("Ajouter des images..."), {}, S("insert-image"), S("add-images"), T::Document},
        {C::AddFolder, S("Ajouter depuis un &répertoire..."), S("Ajouter les images d'un répertoire..."), S("Ajouter depuis un répertoire..."), {}, S("folder-open"), S("add-folder"), T::Document},
        {C::GeneralCommentAssistant, S("Assistant commentaire général..."), S("Editer un commentaire général à l'aide de l'assistant"), S("Assistant commentaire général"), {}, S(""), S("comment-assistant"), T::Document},
        {C::CreateMissingThumbnails, S("&Créer toutes les vignettes manquantes"), S("Créer toutes les vignettes manquantes"), S("Créer toutes les vignettes"), {}, S(""), S("missing-thumbnails"), T::View},
        {C::VisualPlacement, S("Placement Visuel..."), S("Placement visuel des images dans la page HTML"), S("Placement visuel"), {}, S(""), S("visual-placement"), T::View},
        {C::BuildPage, S("Créer la page HTML"), S("Créer la page HTML"), S("Créer la page HTML"), {}, S(""), S("build-page"), T::View},
        {C::BuildPageAs, S("Créer la page HTML sous..."), S("Créer la page HTML sous un autre nom..."), S("Créer sous..."), {}, S(""), S("build-page-as"), T::View},
        {C::BuildSlideshow, S("Créer un diaporama"), S("Créer un diaporama"), S("Diaporama"), {}, S(""), S("build-slideshow"), T::View},
        {C::BuildSlideshowAs, S("Créer un diaporama sous..."), S("Créer un diaporama sous..."), S("Diaporama sous..."), {}, S(""), S("build-slideshow-as"), T::View},
        {C::InvertSelection, S("&Inverser la sélection"), S("Inverser la sélection"), S("Inverser la sélection"), {}, S(""), S("select-invert"), T::View},
        {C::SelectHorizontal, S("Images \"&Horizontales\""), S("Sélectionner les images horizontales"), S("Images horizontales"), {}, S(""), S("select-horizontal"), T::View},
        {C::SelectVertical, S("Images \"&Verticales\""), S("Sélectionner les images verticales"), S("Images verticales"), {}, S(""), S("select-vertical"), T::View},
        {C::SortNameAscending, S("Ordre &alphabetique"), S("Tri des fichiers dans l'ordre alphabétique"), S("Ordre alphabétique"), {}, S("view-sort-ascending"), S("sort"), T::Document},
        {C::SortNameDescending, S("Ordre alphabétique &inverse"), S("Tri des fichiers dans l'ordre alphabétique inverse"), S("Ordre alphabétique inverse"), {}, S("view-sort-descending"), S("sort"), T::Document},
        {C::SortSizeAscending, S("Taille croissante des fichiers"), S("Tri des images dans l'ordre croissant de la taille des fichiers"), S("Taille croissante des fichiers"), {}, S(""), S(""), T::Document},
        {C::SortSizeDescending, S("Taille décroissante des fichiers"), S("Tri des images dans l'ordre décroissant de la taille des fichiers"), S("Taille décroissante des fichiers"), {}, S(""), S(""), T::Document},
        {C::SortDimensionAscending, S("Dimension croissante de l'image"), S("Tri des images dans l'ordre croissant de leur taille"), S("Dimension croissante de l'image"), {}, S(""), S(""), T::Document},
        {C::SortDimensionDescending, S("Dimension décroissante de l'image"), S("Tri des images dans l'ordre décroissant de leur taille"), S("Dimension décroissante de l'image"), {}, S(""), S(""), T::Document},
        {C::SortDateAscending, S("Date croissante (app photo num)"), S("Tri de la liste en fonction des dates contenues dans les images (appareil photo numérique uniquement)"), S("Date croissante"), {}, S(""), S(""), T::Document},
        {C::SortDateDescending, S("Date décroissante (app photo num)"), S("Tri de la liste en fonction des dates contenues dans les images (appareil photo numérique uniquement)"), S("Date décroissante"), {}, S(""), S(""), T::Document},
        {C::DocumentOptions, S("&Options..."), S("Options de la page..."), S("Options du document"), {}, S("document-properties"), S("document-options"), T::Document},
        {C::ShowImage, S("&Afficher l'image\tEntrée"), S("Prévisualiser l'image haute résolution"), S("Afficher l'image"), {}, S("image-x-generic"), S("show-image"), T::View},
        {C::ShowThumbnail, S("Afficher la &vignette"), S("Prévisualiser la vignette"), S("Afficher la vignette"), {}, S(""), S("show-thumbnail"), T::View},
        {C::EditComment, S("Editer le &commentaire\tF2"), S("Editer le commentaire de cette image"), S("Editer le commentaire"), Keys({QKeySequence(Qt::Key_F2)}), S(""), S("edit-comment"), T::View},
        {C::CommentAssistant, S("&Editer le commentaire... (Assistant)"), S("Assistant d'édition des commentaires..."), S("Assistant commentaire"), {}, S(""), S("comment-assistant"), T::View},
        {C::MoveUp, S("Déplacer l'image vers le &haut"), S("Déplace l'image sélectionnée vers le haut de la liste"), S("Déplacer vers le haut"), {}, S("go-up"), S("go-up"), T::View},
        {C::MoveDown, S("Déplacer l'image vers le &bas"), S("Déplace l'image sélectionnée vers le bas de la liste"), S("Déplacer vers le bas"), {}, S("go-down"), S("go-down"), T::View},
        {C::RecreateThumbnails, S("(Re)Créer les vi&gnettes"), S("Créer la vignette de l'image"), S("(Re)Créer les vignettes"), {}, S(""), S("recreate-thumbnails"), T::View},
        {C::SpecificThumbnails, S("(Re)Créer des vig&nettes spécifiques"), S("Créer une vignette spécifique..."), S("Vignettes spécifiques"), {}, S(""), S("image-thumbnails"), T::View},
        {C::SpecificOptions, S("&Options spécifiques.."), S("Options spécifiques à cet élément..."), S("Options spécifiques"), {}, S(""), S("image-options"), T::View},
        {C::ProgramOptions, S("Options &générales"), S("Options générales"), S("Options générales"), {}, S("preferences-system"), S("program-options"), T::Frame},
        {C::ToggleToolBar, S("&Barre d'outils"), S("Affiche ou masque la barre d'outils"), S("Barre d'outils"), {}, S(""), S("view-toolbar"), T::Frame, true},
        {C::ToggleStatusBar, S("Barre d'é&tat"), S("Affiche ou masque la barre d'état"), S("Barre d'état"), {}, S(""), S("view-statusbar"), T::Frame, true},
        {C::TogglePreview, S("&Aperçu"), S("Affiche ou masque la fenêtre Aperçu"), S("Aperçu"), {}, S(""), S("view-preview"), T::Frame, true},
        {C::Cascade, S("&Cascade"), S("Réorganise les fenêtres en cascade"), S("Cascade"), {}, S(""), S("window-cascade"), T::Frame},
        {C::Tile, S("&Mosaïque"), S("Réorganise les fenêtres en mosaïque"), S("Mosaïque"), {}, S(""), S("window-tile"), T::Frame},
        {C::ArrangeIcons, S("&Réorganiser les icônes"), S("Réorganise les icônes en bas de la fenêtre"), S("Réorganiser les icônes"), {}, S(""), S(""), T::Frame},
        {C::HelpTopics, S("&Rubriques de l'aide\tF1"), S("Liste les rubriques de l'aide"), S("Rubriques de l'aide"), Keys({QKeySequence(Qt::Key_F1)}), S("help-contents"), S("help-contents"), T::Application},
        {C::ContextHelp, S("&Qu'est ce que c'est ?\tMaj+F1"), S("Affiche l'aide sur les clics sur les boutons, menus et fenêtres"), S("Qu'est ce que c'est ?"), Keys({QKeySequence(QStringLiteral("Shift+F1"))}), S(""), S("help-context"), T::Application},
        {C::About, S("&A propos de Gallorim..."), S("Affiche des informations sur le programme, son numéro de version et le copyright"), S("A propos"), {}, S("help-about"), S("help-about"), T::Application},
        {C::NextPane, S("Volet suivant\tF6"), S("Passe au volet suivant de la fenêtre"), S("Volet suivant"), Keys({QKeySequence(Qt::Key_F6)}), S(""), S(""), T::Frame},
        {C::PreviousPane, S("Volet précédent\tMaj+F6"), S("Revient au volet précédent de la fenêtre"), S("Volet précédent"), Keys({QKeySequence(QStringLiteral("Shift+F6"))}), S(""), S(""), T::Frame},
        {C::StopAdding, S("Arrêter l'ouverture des fichiers"), S("Arrêter l'ouverture des fichiers"), S("Arrêter"), {}, S("process-stop"), S("stop"), T::Document},
        {C::StopThumbnails, S("Arrêter la création des vignettes"), S("Arrêter la création des vignettes"), S("Arrêter"), {}, S("process-stop"), S("stop"), T::Document},
        {C::StopBuild, S("Arrêter la création de la page web"), S("Arrêter la création de la page web"), S("Arrêter"), {}, S("process-stop"), S("stop"), T::Document},
    }};
    return t;
}

const std::array<CommandInfo, size_t(C::Count)> &Table()
{
    static const auto table = MakeTable();
    return table;
}
} // namespace

std::span<const CommandInfo> AllCommands() { return Table(); }

const CommandInfo &CommandInfoFor(Command id) { return Table()[size_t(id)]; }

QIcon CommandIcon(Command id)
{
    const CommandInfo &info = CommandInfoFor(id);
    const QIcon own = info.ownIcon.isEmpty() ? QIcon() : QIcon(QStringLiteral(":/icons/%1.svg").arg(info.ownIcon));
    if (info.themeIcon.isEmpty())
        return own;
    return QIcon::fromTheme(info.themeIcon, own);
}

QString StepMenuText(Command id, const QString &step)
{
    const QString text = CommandInfoFor(id).menuText;
    if (step.isEmpty())
        return text;
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    return text.left(tab) + QLatin1Char(' ') + step + text.mid(tab);
}

bool IsCommandEnabled(Command id, const CommandContext &c)
{
    const bool free = c.galleryActive && !c.busy;
    const bool canBuild = free && !c.adding;
    switch (id) {
    case C::Close: case C::Cascade: case C::Tile: case C::ArrangeIcons: case C::NextPane: case C::PreviousPane:
        return c.documentOpen;
    case C::Save: case C::SaveAs:
        return c.galleryActive;
    case C::Cut: // listed for its accelerator; nothing handles it
        return false;
    case C::Undo: // placement moves are undone once the placement has ended
        return canBuild && c.canUndo;
    case C::Redo:
        return canBuild && c.canRedo;
    case C::Print: case C::PrintPreview: case C::SelectAll: case C::GeneralCommentAssistant:
    case C::CreateMissingThumbnails: case C::InvertSelection: case C::SelectHorizontal: case C::SelectVertical:
        return free && c.rows > 0;
    case C::Copy: case C::Delete: case C::CommentAssistant: case C::RecreateThumbnails:
    case C::SpecificThumbnails: case C::SpecificOptions:
        return free && c.selected > 0;
    case C::Paste:
        return free && c.clipboardHasFiles;
    case C::AddImages: case C::DocumentOptions:
        return free;
    case C::AddFolder:
        return free && c.directoryOpen;
    case C::VisualPlacement:
        return canBuild && c.rows > 1;
    case C::BuildPage: case C::BuildPageAs: case C::BuildSlideshow: case C::BuildSlideshowAs:
        return canBuild && c.rows > 0;
    case C::SortNameAscending: case C::SortNameDescending: case C::SortSizeAscending: case C::SortSizeDescending:
    case C::SortDimensionAscending: case C::SortDimensionDescending: case C::SortDateAscending: case C::SortDateDescending:
        return free && c.rows >= 2;
    case C::ShowImage: case C::EditComment: case C::MoveUp: case C::MoveDown:
        return free && c.selected == 1;
    case C::ShowThumbnail:
        return free && c.selected == 1 && c.thumbnailShown;
    case C::StopAdding:
        return c.galleryActive && c.adding;
    case C::StopThumbnails:
        return c.galleryActive;
    case C::StopBuild:
        return c.galleryActive && c.busy;
    default: // New, Open, PrintSetup, Exit, the frame's options and views, help
        return true;
    }
}
