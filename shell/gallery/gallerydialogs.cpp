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

namespace {
// Opens `dialog` window-modal; once it closes, `onAccepted` (run only when
// it was accepted) tells `done` whether the document took something.
template <class D, class F> void OpenThen(D *dialog, DialogDone done, F onAccepted)
{
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QDialog::finished, dialog,
                     [dialog, done = std::move(done), onAccepted = std::move(onAccepted)](int result) {
                         const bool changed = result == QDialog::Accepted && onAccepted(*dialog);
                         if (done)
                             done(changed);
                     });
    dialog->open();
}

void NothingOpened(const DialogDone &done)
{
    if (done)
        done(false);
}
} // namespace

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

void EditDocumentOptions(GalleryDocument &doc, const GeneralOptions &general, Profile &profile,
                         const std::vector<int> &, QWidget *parent, DialogDone done)
{
    auto *dialog = new DocumentOptionsDialog(doc.GetOptions(), general, profile, parent);
    OpenThen(dialog, std::move(done), [&doc, &profile](const DocumentOptionsDialog &d) {
        return CommitDocumentOptions(d, doc, profile);
    });
}

void AddImages(GalleryDocument &doc, const GeneralOptions &, Profile &profile, const std::vector<int> &,
               QWidget *parent, DialogDone done)
{
    auto *dialog = new ImageFileDialog(profile, true, parent);
    OpenThen(dialog, std::move(done), [&doc](const ImageFileDialog &d) {
        std::vector<AddRequest> requests;
        for (const QString &file : d.selectedFiles()) {
            AddRequest request;
            request.Entry.Path = QDir::toNativeSeparators(file);
            requests.push_back(request);
        }
        if (requests.empty())
            return false;
        doc.QueueAddRequests(requests);
        return true;
    });
}

void EditImageOptions(GalleryDocument &doc, const GeneralOptions &general, Profile &, const std::vector<int> &rows,
                      QWidget *parent, DialogDone done)
{
    ImageOptionBlock block;
    if (rows.empty() || !doc.GetOptionBlock(rows.front(), block))
        return NothingOpened(done);
    auto *dialog = new ImageOptionsDialog(block, doc.GetOptions(), general, parent);
    OpenThen(dialog, std::move(done), [&doc, rows](const ImageOptionsDialog &d) {
        doc.SetModifiedFlag();
        for (int row : rows)
            doc.SetOptionBlock(row, d.block());
        return true;
    });
}

void AskSpecificThumbnails(GalleryDocument &doc, const GeneralOptions &general, QWidget *parent,
                           std::function<void(const BuildVignetteOptions &)> chosen)
{
    auto *dialog = new ImageThumbnailDialog(doc.GetOptions().BuildVignette, general, parent);
    OpenThen(dialog, DialogDone(), [chosen = std::move(chosen)](const ImageThumbnailDialog &d) {
        chosen(d.options());
        return true;
    });
}

namespace {
void RunCommentAssistant(GalleryDocument &doc, const GeneralOptions &general, const std::vector<int> &rows,
                         QWidget *parent, DialogDone done)
{
    ImageEntry first;
    if (rows.empty() || !doc.GetEntry(rows.front(), first))
        return NothingOpened(done);
    auto *dialog
        = new CommentAssistantDialog(general, doc.GetOptions(), first, rows.front() + 1, doc.GetEntryCount(), parent);
    OpenThen(dialog, std::move(done), [&doc, rows](const CommentAssistantDialog &d) {
        const QString comment = d.comment();
        for (int row : rows)
            doc.SetComment(row, comment);
        return true;
    });
}
} // namespace

void EditComments(GalleryDocument &doc, const GeneralOptions &general, Profile &, const std::vector<int> &rows,
                  QWidget *parent, DialogDone done)
{
    RunCommentAssistant(doc, general, rows, parent, std::move(done));
}

void EditGeneralComment(GalleryDocument &doc, const GeneralOptions &general, Profile &, const std::vector<int> &,
                        QWidget *parent, DialogDone done)
{
    std::vector<int> all(std::size_t(std::max(doc.GetEntryCount(), 0)));
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = int(i);
    RunCommentAssistant(doc, general, all, parent, std::move(done));
}
