#pragma once
// Stands for the window of a document's first view: background threads post
// (never send) a code and a value to it. Implementations queue the pair to
// their own thread; Post must never block on the receiver.
//
// The row calls below are the only other way a worker reaches the view. A GUI
// implementation queues them to its own thread in the order they arrive; the
// defaults do nothing so that sinks without a list (the CLI, tests) ignore them.

#include <QString>
#include <cstdint>
#include <vector>

class NotificationSink {
public:
    // One row's texts, for the calls that move several rows at once.
    struct RowTexts {
        QString path;
        QString info;
        QString thumbnailState;
    };

    virtual ~NotificationSink() = default;
    // The "window still exists" test: posting to a dead sink does nothing.
    virtual bool IsAlive() const = 0;
    virtual void Post(int code, std::intptr_t value) = 0;

    // A new row at `index` (from any thread).
    virtual void InsertRow(int /*index*/, const QString & /*path*/, const QString & /*info*/,
                           const QString & /*thumbnailState*/) {}
    // The thumbnail cell of the row of `path`, last seen at `index`: rows may
    // have moved by the time a queued call runs, so the path is the key.
    virtual void SetThumbnailCell(int /*index*/, const QString & /*path*/, const QString & /*text*/) {}
    // Called on the user-interface thread only, and synchronously.
    virtual void DeleteRow(int /*index*/) {}
    // Rows first to first + count - 1 at once; by default one by one from the last.
    virtual void DeleteRows(int first, int count)
    {
        for (int index = first + count - 1; index >= first; --index)
            DeleteRow(index);
    }
    // Rows put back at first, first + 1, ... in one go; user-interface thread,
    // synchronous. By default one by one.
    virtual void InsertRowRun(int first, const std::vector<RowTexts> &rows)
    {
        for (std::size_t i = 0; i < rows.size(); ++i)
            InsertRow(first + int(i), rows[i].path, rows[i].info, rows[i].thumbnailState);
    }
    virtual void MoveSelection(int /*fromRow*/, int /*toRow*/) {}
    // The first order.size() rows rearranged: new row i is old row order[i].
    // User-interface thread only, synchronous.
    virtual void ReorderRows(const std::vector<int> & /*order*/) {}
    virtual void Invalidate() {}
    // A thumbnail file was rewritten; a preview showing it reloads it.
    virtual void ThumbnailFileChanged(const QString & /*thumbnailPath*/) {}
    // A project save failed; the GUI shows `message` in a box.
    virtual void ReportSaveError(const QString & /*message*/) {}
};
