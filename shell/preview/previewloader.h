#pragma once
// The preview's loader: one thread that reads and decodes the newest
// requested file while older requests are dropped unread. A newer request
// abandons the current one at every stage (reading, decoding, drawing).
//
// RequestPreview may be called from any thread. Results come back as
// signals emitted on the thread that owns this object (the GUI thread), in
// the order the work happened. The destructor stops the worker and waits.

#include "platform/manualresetevent.h"
#include "shell/preview/previewdecoder.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <atomic>
#include <mutex>
#include <optional>
#include <thread>

class PreviewLoader : public QObject {
    Q_OBJECT
public:
    // Files are read in chunks of this size, one progress step each.
    static constexpr qint64 kChunkBytes = 32768;

    // Without `start` the thread waits for Start(); requests queue meanwhile.
    explicit PreviewLoader(QObject *parent = nullptr, bool start = true);
    ~PreviewLoader() override;
    void Start();

    // "?" asks for an empty view; so does any request while hidden.
    void RequestPreview(const QString &path);
    // The picture of load `serial` is needed at `target` (its full size when
    // zoomed); ignored once another picture was asked for.
    void RequestPixels(quint64 serial, QSize target);
    void SetViewSize(QSize size);
    void SetWindowVisible(bool visible);

    // Nothing queued and nothing in hand (tests, benchmarks).
    bool IsIdle() const;
    // Pictures decoded so far.
    int DecodeCount() const { return m_decodes; }

Q_SIGNALS:
    void cleared();
    void fileOpened(const QString &path, qint64 bytes, int steps);
    void stepped();
    void dimensionsKnown(QSize size);
    void imageReady(const PreviewImage &image);
    void pixelsReady(const PreviewImage &image);
    void progressReset();

private:
    struct PixelsRequest {
        quint64 serial = 0;
        QSize target;
    };

    template <class Emit> void Post(Emit emit);
    void Run();
    void Load(const QString &path);
    bool ReadFile(const QString &path, QByteArray *bytes);
    void Decode(const QString &path, const QByteArray &bytes);
    void Upgrade(const PixelsRequest &request);
    bool Abandoned() const;
    bool PixelsAbandoned() const;
    QSize ViewSize() const;

    mutable std::mutex m_queueLock;
    QStringList m_queue;
    std::optional<PixelsRequest> m_pixels;
    bool m_busy = false;

    ManualResetEvent m_requestEvent;
    ManualResetEvent m_stopEvent;
    std::atomic<bool> m_abort {false};
    std::atomic<bool> m_windowVisible {true};
    std::atomic<int> m_viewWidth {0};
    std::atomic<int> m_viewHeight {0};
    std::atomic<int> m_decodes {0};
    std::thread m_thread;

    // Loader thread only.
    QString m_shownPath;
    QByteArray m_shownBytes;
    quint64 m_serial = 0;
};
