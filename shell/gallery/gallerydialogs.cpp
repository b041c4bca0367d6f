#include "shell/gallery/gallerydialogs.h"

#include "document/gallerydocument.h"
#include "shell/options/commentassistantdialog.h"
#include "shell/options/documentoptionsdialog.h"
#include "shell/options/imageoptionsdialog.h"
#include "shell/options/imagethumbnaildialog.h"
#include "shell/widgets/imagefiledialog.h"

#include <QDir>
#include <QGuiApplication>
#include <algorithm>

bool CommitDocumentOptions(const DocumentOptionsDialog &dialog, GalleryDocument &doc, Profile &profile)
{
    // Taken afresh: only the pages' own keys replace what the document holds.
    GalleryOptions edited = doc.GetOptions();
    dialog.store(edited);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool changed = doc.ApplyDocumentOptions(edited);
    QGuiApplication::restoreOverrideCursor();
    dialog.saveGroups(edited, profile);
    return changed;
}

bool EditDocumentOptions(GalleryDocument &doc, const GeneralOptions &general, Profile &profile,
                         const std::vector<int> &, QWidget *parent)
{
    DocumentOptionsDialog dialog(doc.GetOptions(), general, profile, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return CommitDocumentOptions(dialog, doc, profile);
}

bool AddImages(GalleryDocument &doc, const GeneralOptions &, Profile &profile, const std::vector<int> &,
               QWidget *parent)
{
    ImageFileDialog dialog(profile, true, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    std::vector<AddRequest> requests;
    for (const QString &file : dialog.selectedFiles()) {
        AddRequest request;
        request.Entry.Path = QDir::toNativeSeparators(file);
        requests.push_back(request);
    }
    if (requests.empty())
        return false;
    doc.QueueAddRequests(requests);
    return true;
}

bool EditImageOptions(GalleryDocument &doc, const GeneralOptions &general, Profile &, const std::vector<int> &rows,
                      QWidget *parent)
{
    ImageOptionBlock block;
    if (rows.empty() || !doc.GetOptionBlock(rows.front(), block))
        return false;
    ImageOptionsDialog dialog(block, doc.GetOptions(), general, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    doc.SetModifiedFlag();
    for (int row : rows)
        doc.SetOptionBlock(row, dialog.block());
    return true;
}

bool RecreateSpecificThumbnails(GalleryDocument &doc, const GeneralOptions &general, Profile &,
                                const std::vector<int> &rows, QWidget *parent)
{
    if (rows.empty())
        return false;
    ImageThumbnailDialog dialog(doc.GetOptions().BuildVignette, general, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    doc.RecreateThumbnails(rows, dialog.options());
    return true;
}

namespace {
bool RunCommentAssistant(GalleryDocument &doc, const GeneralOptions &general, const std::vector<int> &rows,
                         QWidget *parent)
{
    ImageEntry first;
    if (rows.empty() || !doc.GetEntry(rows.front(), first))
        return false;
    CommentAssistantDialog dialog(general, doc.GetOptions(), first, rows.front() + 1, doc.GetEntryCount(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QString comment = dialog.comment();
    for (int row : rows)
        doc.SetComment(row, comment);
    return true;
}
} // namespace

bool EditComments(GalleryDocument &doc, const GeneralOptions &general, Profile &, const std::vector<int> &rows,
                  QWidget *parent)
{
    return RunCommentAssistant(doc, general, rows, parent);
}

bool EditGeneralComment(GalleryDocument &doc, const GeneralOptions &general, Profile &, const std::vector<int> &,
                        QWidget *parent)
{
    std::vector<int> all(std::size_t(std::max(doc.GetEntryCount(), 0)));
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = int(i);
    return RunCommentAssistant(doc, general, all, parent);
}
