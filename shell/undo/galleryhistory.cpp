#include "shell/undo/galleryhistory.h"

#include "document/gallerydocument.h"

#include <QUndoCommand>
#include <QUndoStack>

namespace {
// One edit of the list, already made when it is pushed.
class DeltaCommand : public QUndoCommand {
public:
    DeltaCommand(GalleryDocument &document, const QString &name, ListDelta delta)
        : QUndoCommand(name)
        , m_document(document)
        , m_delta(std::move(delta))
    {
    }
    void undo() override { UndoDelta(m_document, m_delta); }
    void redo() override
    {
        if (std::exchange(m_done, false))
            return;
        RedoDelta(m_document, m_delta);
    }

private:
    GalleryDocument &m_document;
    ListDelta m_delta;
    bool m_done = true;
};

// Thumbnails made again with other sizes: the files are made anew each way.
class ThumbnailCommand : public QUndoCommand {
public:
    ThumbnailCommand(GalleryDocument &document, QStringList paths, const BuildVignetteOptions &options)
        : QUndoCommand(QStringLiteral("la création des vignettes spécifiques"))
        , m_document(document)
        , m_paths(std::move(paths))
        , m_options(options)
    {
    }
    void undo() override { Make(m_document.GetOptions().BuildVignette); }
    void redo() override { Make(m_options); }

private:
    void Make(const BuildVignetteOptions &options)
    {
        std::vector<int> rows;
        for (const QString &path : m_paths)
            if (const int row = m_document.FindEntry(path); row >= 0)
                rows.push_back(row);
        m_document.RecreateThumbnails(rows, options);
    }

    GalleryDocument &m_document;
    QStringList m_paths;
    BuildVignetteOptions m_options;
};
} // namespace

GalleryHistory::GalleryHistory(GalleryDocument &document, RowTexts rowTexts, QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_rowTexts(std::move(rowTexts))
    , m_stack(new QUndoStack(this))
{
    m_stack->setUndoLimit(kStepLimit);
    m_knownChanges = m_document.ChangeCount();
    connect(m_stack, &QUndoStack::indexChanged, this, &GalleryHistory::FollowStack);
}

GalleryHistory::~GalleryHistory() = default;

ListSnapshot GalleryHistory::Take() const
{
    ListSnapshot snapshot;
    snapshot.thumbnailTexts = m_rowTexts ? m_rowTexts() : std::vector<QString>();
    snapshot.entries = m_document.CopyEntries();
    snapshot.options = m_document.GetOptions();
    // Rows and entries must pair up; a row a worker has not announced yet has no text.
    snapshot.thumbnailTexts.resize(std::min(snapshot.thumbnailTexts.size(), snapshot.entries.size()));
    return snapshot;
}

void GalleryHistory::NoteOutsideChanges()
{
    if (!m_addBefore && m_document.ChangeCount() != m_knownChanges)
        m_outsideChange = true;
}

ListSnapshot GalleryHistory::Snapshot()
{
    CloseAdd();
    NoteOutsideChanges();
    return Take();
}

void GalleryHistory::Commit(const QString &name, const ListSnapshot &before)
{
    const bool adding = m_addBefore.has_value();
    CloseAdd();
    const ListSnapshot after = Take();
    ListDelta delta = DiffLists(before, after, false);
    if (!delta.IsEmpty())
        m_stack->push(new DeltaCommand(m_document, name, std::move(delta)));
    if (adding) {
        // Files that arrived during the edit belong to the add still going on.
        ListSnapshot rest = after;
        rest.entries = WithoutNewcomers(before.entries, after.entries);
        m_addBefore = std::move(rest);
    }
    FollowStack();
}

void GalleryHistory::Record(const QString &name, const std::function<void()> &edit)
{
    const ListSnapshot before = Snapshot();
    edit();
    Commit(name, before);
}

bool GalleryHistory::BeginAdd()
{
    if (m_addBefore)
        return false;
    NoteOutsideChanges();
    m_addBefore = Take();
    return true;
}

void GalleryHistory::CancelAdd()
{
    m_addBefore.reset();
}

void GalleryHistory::EndAdd()
{
    // An idle notice posted before this add's files were queued says nothing of them.
    if (!m_document.IsAddIdle())
        return;
    CloseAdd();
    FollowStack();
}

void GalleryHistory::CloseAdd()
{
    if (!m_addBefore)
        return;
    const ListSnapshot before = std::move(*m_addBefore);
    m_addBefore.reset();
    ListDelta delta = DiffLists(before, Take(), true);
    if (!delta.IsEmpty())
        m_stack->push(new DeltaCommand(m_document, QStringLiteral("l'ajout"), std::move(delta)));
}

void GalleryHistory::RecordThumbnails(const QStringList &paths, const BuildVignetteOptions &options)
{
    CloseAdd();
    NoteOutsideChanges();
    m_stack->push(new ThumbnailCommand(m_document, paths, options));
}

bool GalleryHistory::CanUndo() const
{
    return m_stack->canUndo();
}

bool GalleryHistory::CanRedo() const
{
    return m_stack->canRedo();
}

QString GalleryHistory::UndoName() const
{
    return m_stack->undoText();
}

QString GalleryHistory::RedoName() const
{
    return m_stack->redoText();
}

void GalleryHistory::Undo()
{
    CloseAdd();
    NoteOutsideChanges();
    m_stack->undo();
}

void GalleryHistory::Redo()
{
    CloseAdd();
    NoteOutsideChanges();
    m_stack->redo();
}

void GalleryHistory::MarkSaved()
{
    m_stack->setClean();
    m_outsideChange = false;
    m_knownChanges = m_document.ChangeCount();
}

void GalleryHistory::SaveFailed()
{
    m_stack->resetClean();
    FollowStack();
}

void GalleryHistory::FollowStack()
{
    // While files arrive the add worker marks its own changes.
    if (!m_addBefore)
        m_document.SetModifiedFlag(!m_stack->isClean() || m_outsideChange);
    m_knownChanges = m_document.ChangeCount();
    Q_EMIT changed();
}
