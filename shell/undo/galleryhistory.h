#pragma once
// shell/undo: the undo and redo history of a gallery. It uses the core only
// (the document and its list deltas); the gallery window and view own one
// history each and record their edits through it.
//
// Every user edit of a gallery becomes one step: the list is measured before
// and after the edit and only the difference is kept (document/listdelta.h).
// Files added by the add worker form one step per add, closed when the
// worker goes idle or when another edit comes first. The stack is bounded;
// its clean state is the saved file, and the document's modified flag
// follows it. GUI thread only.

#include "document/listdelta.h"
#include "imaging/thumbnailoptions.h"

#include <QObject>
#include <QStringList>
#include <functional>
#include <optional>

class GalleryDocument;
class QUndoStack;

class GalleryHistory : public QObject {
    Q_OBJECT
public:
    // The texts the list shows in its thumbnail column, row by row, with
    // every row the workers have announced already in place.
    using RowTexts = std::function<std::vector<QString>()>;

    static constexpr int kStepLimit = 100;

    GalleryHistory(GalleryDocument &document, RowTexts rowTexts, QObject *parent = nullptr);
    ~GalleryHistory() override;

    // The state an edit starts from; Commit makes the step once it is done.
    // An add still arriving is closed first, as a step of its own.
    ListSnapshot Snapshot();
    void Commit(const QString &name, const ListSnapshot &before);
    // Runs `edit` as one step named `name` ("le tri": the menu reads
    // "Annuler le tri").
    void Record(const QString &name, const std::function<void()> &edit);

    // The add worker is about to bring files: they make one step when it
    // goes idle (EndAdd) or when another edit comes first. BeginAdd answers
    // whether it opened the step (no add was arriving); CancelAdd drops a
    // step opened for files that were never queued.
    bool BeginAdd();
    void EndAdd();
    void CancelAdd();

    // Thumbnails made again with `options` for these files; undo makes them
    // again with the gallery's own.
    void RecordThumbnails(const QStringList &paths, const BuildVignetteOptions &options);

    bool CanUndo() const;
    bool CanRedo() const;
    QString UndoName() const;
    QString RedoName() const;
    void Undo();
    void Redo();

    // The file now holds the current state (a save was asked); when the
    // write fails, SaveFailed says that no state is the saved one.
    void MarkSaved();
    void SaveFailed();

    QUndoStack &Stack() const { return *m_stack; }

Q_SIGNALS:
    void changed();

private:
    ListSnapshot Take() const;
    void CloseAdd();
    void NoteOutsideChanges();
    void FollowStack();

    GalleryDocument &m_document;
    RowTexts m_rowTexts;
    QUndoStack *m_stack;
    std::optional<ListSnapshot> m_addBefore; // an add is arriving
    // A change made outside the history since the last save (a project's
    // missing files, a page path): the saved state is no longer clean.
    bool m_outsideChange = false;
    std::uint64_t m_knownChanges = 0;
};
