// Time and memory of adding a folder of photos to a gallery document, the
// way the add worker does it for the user: gallorim-bench-adding FOLDER.
// Prints the seconds, the entry count and the heap bytes per entry beyond
// the entry's own texts (QString handles, headers and characters).
#include "document/gallerydocument.h"
#include "document/notifycodes.h"
#include "document/workitems.h"
#include "platform/notificationsink.h"
#include "platform/profile.h"

#include <QCoreApplication>
#include <QSet>
#include <QTemporaryDir>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <malloc.h>
#include <mutex>

namespace {
// Waits for the add worker to go idle after having worked.
class AddingWatch : public NotificationSink {
public:
    bool IsAlive() const override { return true; }
    void Post(int code, std::intptr_t value) override
    {
        if (code != NOTIFY_ADDING)
            return;
        std::lock_guard lock(m_mutex);
        m_working = m_working || value == 1;
        m_done = m_working && value == 0;
        m_changed.notify_all();
    }
    void WaitDone(const GalleryDocument &doc)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_done && doc.GetPendingAddCount() == 0; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_working = false;
    bool m_done = false;
};

// A text costs its handle inside the entry and, once per distinct buffer, the
// heap block of its characters (with malloc's own chunk header).
class TextCost {
public:
    void Add(const QString &s)
    {
        m_bytes += sizeof(QString);
        const void *block = const_cast<QString &>(s).data_ptr().d_ptr();
        if (block && !m_seen.contains(block)) {
            m_seen.insert(block);
            m_bytes += qint64(malloc_usable_size(const_cast<void *>(block))) + 8;
        }
    }
    void Add(const ImageEntry &e)
    {
        for (const QString *t : {&e.Path, &e.Comment, &e.ImageDimensions, &e.ImageSizeText,
                                 &e.ThumbnailDimensions, &e.ThumbnailSizeText})
            Add(*t);
        for (const QString &t : e.Camera)
            Add(t);
    }
    qint64 bytes() const { return m_bytes; }

private:
    qint64 m_bytes = 0;
    QSet<const void *> m_seen;
};

// Large blocks (the list itself) are mapped apart from the heap proper.
qint64 HeapInUse()
{
    const struct mallinfo2 m = mallinfo2();
    return qint64(m.uordblks + m.hblkhd);
}
} // namespace

int main(int argc, char **argv)
{
    // One arena, so that the heap figure also covers the workers' allocations.
    mallopt(M_ARENA_MAX, 1);
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: gallorim-bench-adding FOLDER\n");
        return 2;
    }
    QTemporaryDir settings;
    SettingsProfile profile(settings.filePath("bench.ini"));
    AddingWatch watch;
    GalleryDocument doc(profile, 1);
    doc.SetSink(&watch);
    const qint64 heapBefore = HeapInUse();
    const auto start = std::chrono::steady_clock::now();
    AddRequest request;
    request.Entry.Path = QString::fromLocal8Bit(argv[1]);
    request.ScanFolder = true;
    doc.QueueAddRequest(request);
    watch.WaitDone(doc);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const qint64 heapAfter = HeapInUse();

    // Counted on the document's own entries: a copy would share their buffers anyway.
    const ImageList entries = doc.CopyEntries();
    TextCost cost;
    for (const ImageEntry &e : entries)
        cost.Add(e);
    const qint64 texts = cost.bytes();
    const qint64 n = qint64(entries.size());
    std::printf("entries %lld\nseconds %.3f\n", n, seconds);
    if (n > 0) {
        std::printf("heap bytes per entry %lld\n", (heapAfter - heapBefore) / n);
        std::printf("text bytes per entry %lld\n", texts / n);
        std::printf("bytes per entry beyond its texts %lld\n", (heapAfter - heapBefore - texts) / n);
        std::printf("of which the record's other fields %lld\n",
                    qint64(sizeof(ImageEntry)) - qint64(6 + CAMERA_TEXT_COUNT) * qint64(sizeof(QString)));
    }
    doc.SetSink(nullptr);
    return n > 0 ? 0 : 1;
}
