// A gallery window opening a project of many photos: the time until every
// row is in the list, the longest the GUI thread was kept from its event
// loop meanwhile, and the heap the list costs per row beyond the document's
// own; then every row deleted and the deletion undone, with the heap the
// undo step keeps against what the document's entries cost.
// gallorim-bench-galleryview PHOTO_FOLDER
#include "document/gallerydocument.h"
#include "document/notifycodes.h"
#include "document/projectfile.h"
#include "platform/notificationsink.h"
#include "platform/profile.h"
#include "shell/common/generaloptions.h"
#include "shell/gallery/galleryview.h"
#include "shell/undo/galleryhistory.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <QUndoStack>
#include <QWidget>
#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <malloc.h>
#include <mutex>

namespace {
// Large blocks (the list itself) are mapped apart from the heap proper.
qint64 HeapInUse()
{
    const struct mallinfo2 m = mallinfo2();
    return qint64(m.uordblks + m.hblkhd);
}

// Counts the rows a document without a list inserted.
class CountingSink : public NotificationSink {
public:
    bool IsAlive() const override { return true; }
    void Post(int, std::intptr_t) override { }
    void InsertRow(int, const QString &, const QString &, const QString &) override
    {
        std::lock_guard lock(m_mutex);
        ++m_rows;
        m_changed.notify_all();
    }
    void WaitFor(int rows)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_rows >= rows; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_rows = 0;
};

QString WriteProject(const QString &folder, const QString &project, int *count)
{
    ImageList images;
    for (const QString &name : QDir(folder).entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name)) {
        ImageEntry e;
        e.Path = QDir::toNativeSeparators(QDir(folder).absoluteFilePath(name));
        e.Comment = QStringLiteral("Photo ") + name;
        images.push_back(std::move(e));
    }
    GalleryOptions options;
    // Thumbnails would be made by the page build: the list alone is timed.
    options.BuildVignette.IfDoNotExistAction = 1;
    *count = int(images.size());
    return SaveProjectFile(project, options, images) ? project : QString();
}

// Seconds until a document without a list holds every entry; `entryBytes`
// gets the heap its entries take.
double LoadHeadless(Profile &profile, const QString &project, int count, qint64 *entryBytes)
{
    CountingSink sink;
    const qint64 before = HeapInUse();
    auto doc = std::make_unique<GalleryDocument>(profile, 1);
    doc->SetSink(&sink);
    QElapsedTimer clock;
    clock.start();
    doc->OnOpenDocument(project);
    sink.WaitFor(count);
    const double seconds = clock.nsecsElapsed() / 1e9;
    *entryBytes = HeapInUse() - before;
    doc->SetSink(nullptr);
    return seconds;
}
} // namespace

int main(int argc, char **argv)
{
    Q_INIT_RESOURCE(shell);
    // One arena, so that the heap figure also covers the workers' allocations.
    mallopt(M_ARENA_MAX, 1);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: gallorim-bench-galleryview PHOTO_FOLDER\n");
        return 2;
    }
    QTemporaryDir work;
    SettingsProfile profile(work.filePath(QStringLiteral("bench.ini")));
    int count = 0;
    const QString project
        = WriteProject(QString::fromLocal8Bit(argv[1]), work.filePath(QStringLiteral("bench.glr")), &count);
    if (project.isEmpty() || count == 0) {
        std::fprintf(stderr, "no project written\n");
        return 1;
    }
    qint64 entryBytes = 0;
    const double headlessSeconds = LoadHeadless(profile, project, count, &entryBytes);

    GeneralOptions general;
    GalleryDocument doc(profile, 1);
    // The window outlives the list so that its backing store, a fixed cost,
    // is not counted with the rows.
    QWidget window;
    window.resize(1000, 700);
    auto view = std::make_unique<GalleryView>(doc, general, &window);
    view->resize(window.size());
    window.show();

    QElapsedTimer clock;
    QElapsedTimer tick;
    qint64 longestStall = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(1);
    qint64 stallAt = 0;
    int stallRows = 0;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (tick.nsecsElapsed() > longestStall) {
            longestStall = tick.nsecsElapsed();
            stallAt = clock.elapsed();
            stallRows = view->rowCount();
        }
        tick.restart();
    });
    QEventLoop loop;
    QObject::connect(view->model(), &QAbstractItemModel::rowsInserted, [&] {
        if (view->rowCount() >= count)
            loop.quit();
    });
    clock.start();
    tick.start();
    ticker.start();
    doc.OnOpenDocument(project);
    loop.exec();
    const double seconds = clock.nsecsElapsed() / 1e9;
    ticker.stop();
    app.processEvents();
    const int rows = view->rowCount();

    // What the list holds is what its destruction gives back; the document stays.
    const qint64 withView = HeapInUse();
    view.reset();
    app.sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const qint64 viewHeap = withView - HeapInUse();

    // A new list on the same document: every row deleted, then the deletion
    // undone. The step's heap is what clearing the history gives back while
    // the rows are deleted.
    auto list = std::make_unique<GalleryView>(doc, general, &window);
    list->resize(window.size());
    list->show();
    app.processEvents();
    list->runCommand(Command::SelectAll);
    QElapsedTimer edit;
    edit.start();
    list->runCommand(Command::Delete);
    const double deleteSeconds = edit.nsecsElapsed() / 1e9;
    const int deletedRows = rows - list->rowCount();
    edit.restart();
    list->runCommand(Command::Undo);
    const double undoSeconds = edit.nsecsElapsed() / 1e9;
    const int restoredRows = list->rowCount();
    list->runCommand(Command::Redo);
    const qint64 withStep = HeapInUse();
    list->history().Stack().clear();
    const qint64 stepHeap = withStep - HeapInUse();

    std::printf("rows %d\n", rows);
    std::printf("seconds until every row is shown %.3f\n", seconds);
    std::printf("seconds for the document alone %.3f\n", headlessSeconds);
    std::printf("longest GUI stall ms %.1f\n", longestStall / 1e6);
    std::printf("  at ms %lld with rows %d\n", stallAt, stallRows);
    std::printf("view bytes per row %lld\n", viewHeap / rows);
    std::printf("rows deleted %d, restored %d\n", deletedRows, restoredRows);
    std::printf("seconds to delete every row %.3f\n", deleteSeconds);
    std::printf("seconds to undo the deletion %.3f\n", undoSeconds);
    std::printf("undo step bytes per row %lld\n", stepHeap / std::max(deletedRows, 1));
    std::printf("document entry bytes per row %lld\n", entryBytes / count);
    return 0;
}
