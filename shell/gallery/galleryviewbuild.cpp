// Building the gallery page and the slideshow from the list.
#include "shell/gallery/galleryview.h"

#include "document/gallerydocument.h"
#include "document/imageentry.h"
#include "document/thumbnailpath.h"
#include "shell/gallery/gallerymodel.h"
#include "shell/gallery/waitpanel.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {
const char kUnreachablePageMessage[] = "Le chemin spécifié pour la page HTML n'est pas valide car, soit il "
                                       "n'est pas sur le même disque dur que "
                                       "les images, soit il n'est pas dans un sous-répertoire de votre site "
                                       "web (dont vous avez spécifié la racine "
                                       "dans les options du document)";
} // namespace

QString GalleryView::DefaultPagePath(bool slideshow) const
{
    const QString folder = QFileInfo(m_model->Path(0)).absolutePath();
    const QString name = slideshow ? QStringLiteral("diaporama.html") : QStringLiteral("index.html");
    return NativeSeparators(folder + QLatin1Char('/') + name);
}

QString GalleryView::AskPagePath(bool slideshow, const QString &current)
{
    QFileDialog dialog(this, QStringLiteral("Enregistrer sous"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("html"));
    dialog.setNameFilters(
        {QStringLiteral("fichiers html (*.html *.htm)"), QStringLiteral("Tous les fichiers (*)")});
    const QString proposed = current.isEmpty() ? DefaultPagePath(slideshow) : current;
    dialog.setDirectory(QFileInfo(proposed).absolutePath());
    dialog.selectFile(QFileInfo(proposed).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return NativeSeparators(dialog.selectedFiles().front());
}

bool GalleryView::PagePathReachable(const QString &page) const
{
    const GalleryOptions options = m_document.GetOptions();
    const QString link = options.WebPage2.RootRelativePath
        ? RelativeFolder(options.WebPage2.RootPath, page, 1)
        : RelativeFolder(page, m_model->Path(0), 0);
    return link != UnreachablePathMarker();
}

void GalleryView::QueuePendingThumbnails()
{
    std::vector<int> rows;
    for (int row = 0; row < rowCount(); ++row) {
        if (ThumbnailStateText::StillToMake(m_model->ThumbnailText(row)))
            rows.push_back(row);
    }
    if (!rows.empty())
        m_document.RecreateThumbnails(rows, m_document.GetOptions().BuildVignette);
}

void GalleryView::StartPlacement()
{
    if (rowCount() < 2)
        return;
    QueuePendingThumbnails();
    const int steps = m_document.StartBuild(true, false);
    if (steps >= 0)
        EnterBusy(steps, true);
}

void GalleryView::Build(bool slideshow, bool askFirst)
{
    if (rowCount() == 0)
        return;
    // Asks until the path is usable or the user gives up.
    for (;;) {
        GalleryOptions options = m_document.GetOptions();
        QString &stored = slideshow ? options.SlideshowPagePath : options.PagePath;
        if (askFirst || stored.isEmpty()) {
            const QString chosen = AskPagePath(slideshow, stored);
            if (chosen.isEmpty())
                return;
            stored = chosen;
            m_document.SetOptions(options);
            m_document.SetModifiedFlag();
        }
        if (PagePathReachable(stored))
            break;
        QMessageBox::critical(this, QStringLiteral("Erreur..."), QString::fromUtf8(kUnreachablePageMessage));
        stored.clear();
        m_document.SetOptions(options);
        askFirst = true;
    }
    const bool thumbnails = !slideshow || m_document.GetOptions().Diaporama.AutoOrUser == 2;
    if (thumbnails)
        QueuePendingThumbnails();
    // The image slideshow needs no thumbnail: its progress counts the rows.
    const int steps = m_document.StartBuild(false, slideshow);
    if (steps < 0)
        return;
    if (thumbnails)
        EnterBusy(steps, true);
    else
        EnterBusy(rowCount(), false);
}
