#include "shell/preview/previewloader.h"

#include <QFile>
#include <QFileInfo>

namespace {
// Larger files are no picture this preview can hold in memory anyway.
constexpr qint64 kMaxFileBytes = qint64(1) << 30;
const QString kClearPath = QStringLiteral("?");
} // namespace

template <class Emit> void PreviewLoader::Post(Emit emit)
{
    // Queued to the loader's own thread: receivers and spies see every
    // signal there, in the order the worker sent them.
    QMetaObject::invokeMethod(this, std::move(emit), Qt::QueuedConnection);
}

PreviewLoader::PreviewLoader(QObject *parent, bool start)
    : QObject(parent)
{
    qRegisterMetaType<PreviewImage>();
    if (start)
        Start();
}

PreviewLoader::~PreviewLoader()
{
    m_abort = true;
    m_stopEvent.Set();
    if (m_thread.joinable())
        m_thread.join();
}

void PreviewLoader::Start()
{
    if (!m_thread.joinable())
        m_thread = std::thread([this] { Run(); });
}

void PreviewLoader::RequestPreview(const QString &path)
{
    std::lock_guard lock(m_queueLock);
    m_queue.append(path);
    m_requestEvent.Set();
}

void PreviewLoader::RequestPixels(quint64 serial, QSize target)
{
    std::lock_guard lock(m_queueLock);
    m_pixels = PixelsRequest {serial, target};
    m_requestEvent.Set();
}

void PreviewLoader::SetViewSize(QSize size)
{
    m_viewWidth = size.width();
    m_viewHeight = size.height();
}

void PreviewLoader::SetWindowVisible(bool visible)
{
    m_windowVisible = visible;
}

QSize PreviewLoader::ViewSize() const
{
    return QSize(m_viewWidth, m_viewHeight);
}

bool PreviewLoader::IsIdle() const
{
    std::lock_guard lock(m_queueLock);
    return m_queue.isEmpty() && !m_pixels && !m_busy;
}

bool PreviewLoader::Abandoned() const
{
    std::lock_guard lock(m_queueLock);
    return m_abort || !m_queue.isEmpty();
}

bool PreviewLoader::PixelsAbandoned() const
{
    std::lock_guard lock(m_queueLock);
    return m_abort || !m_queue.isEmpty() || m_pixels.has_value();
}

void PreviewLoader::Run()
{
    for (;;) {
        if (WaitForAny({&m_stopEvent, &m_requestEvent}, kInfinite) == 0 || m_abort) {
            m_stopEvent.Reset();
            return;
        }
        m_requestEvent.Reset();
        for (;;) {
            QString path;
            std::optional<PixelsRequest> pixels;
            {
                std::lock_guard lock(m_queueLock);
                if (!m_queue.isEmpty()) {
                    // Only the newest request counts; a hidden window shows nothing.
                    path = m_windowVisible ? m_queue.last() : kClearPath;
                    m_queue.clear();
                } else if (m_pixels) {
                    pixels.swap(m_pixels);
                } else {
                    m_busy = false;
                    break;
                }
                m_busy = true;
            }
            if (m_abort)
                return;
            if (pixels)
                Upgrade(*pixels);
            else
                Load(path);
        }
    }
}

void PreviewLoader::Load(const QString &path)
{
    if (path.isEmpty() || path == m_shownPath)
        return;
    m_shownPath.clear();
    m_shownBytes.clear();
    ++m_serial;
    Post([this] { Q_EMIT cleared(); });
    QByteArray bytes;
    if (path == kClearPath || !ReadFile(path, &bytes) || Abandoned()) {
        Post([this] { Q_EMIT progressReset(); });
        return;
    }
    Decode(path, bytes);
    Post([this] { Q_EMIT progressReset(); });
}

bool PreviewLoader::ReadFile(const QString &path, QByteArray *bytes)
{
    // Regular files only: a pipe or a device could block or never end.
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 length = file.size();
    if (length <= 0 || length > kMaxFileBytes)
        return false;
    const int steps = int((length + kChunkBytes - 1) / kChunkBytes + 2);
    Post([this, path, length, steps] { Q_EMIT fileOpened(path, length, steps); });
    bytes->resize(length);
    qint64 done = 0;
    while (done < length && !Abandoned()) {
        const qint64 got = file.read(bytes->data() + done, std::min(kChunkBytes, length - done));
        if (got <= 0)
            return false;
        done += got;
        Post([this] { Q_EMIT stepped(); });
    }
    return done == length;
}

void PreviewLoader::Decode(const QString &path, const QByteArray &bytes)
{
    ++m_decodes;
    const QSize size = PreviewImageSize(bytes);
    if (size.isEmpty()) {
        Post([this] { Q_EMIT cleared(); }); // not a picture: no name or size is left showing
        return;
    }
    Post([this, size] { Q_EMIT dimensionsKnown(size); });
    Post([this] { Q_EMIT stepped(); });
    PreviewImage image = DecodePreview(bytes, ViewSize(), QSize(), [this] { return Abandoned(); });
    if (Abandoned())
        return;
    if (image.isNull()) {
        Post([this] { Q_EMIT cleared(); });
        return;
    }
    image.serial = m_serial;
    Post([this, image] { Q_EMIT imageReady(image); });
    Post([this] { Q_EMIT stepped(); });
    m_shownPath = path;
    m_shownBytes = bytes;
}

void PreviewLoader::Upgrade(const PixelsRequest &request)
{
    if (request.serial != m_serial || m_shownBytes.isEmpty() || !m_windowVisible)
        return;
    PreviewImage image
        = DecodePreview(m_shownBytes, ViewSize(), request.target, [this] { return PixelsAbandoned(); });
    if (image.isNull() || PixelsAbandoned())
        return;
    image.serial = request.serial;
    Post([this, image] { Q_EMIT pixelsReady(image); });
}
