#include "imaging/picture.h"

#include "imaging/heifreader.h"
#include "imaging/imageformats.h"
#include "imaging/imagemetadata.h"
#include "imaging/jpegcodec.h"
#include "imaging/orientation.h"
#include "imaging/thumbnailbox.h"
#include "platform/filehead.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QPalette>

namespace {

// Files read whole for a thumbnail: beyond this it is not a photo we can
// thumbnail in reasonable memory anyway.
constexpr qint64 kMaxFileBytes = qint64(512) << 20;

// Read first from a file being loaded: in nearly every camera JPEG it holds
// the whole header with the EXIF block; a longer header is read in place.
constexpr qint64 kHeadBytes = qint64(64) << 10;

// Bytes of the picture libjpeg hands over for the wanted size: it decodes at
// the smallest M/8 of the stored size that still covers the wanted one (the
// reader rounds the M/8 sides down when it chooses).
qint64 JpegDecodeBytes(QSize stored, QSize wanted)
{
    for (qint64 m = 1; m < 8; ++m) {
        if (stored.width() * m / 8 >= wanted.width() && stored.height() * m / 8 >= wanted.height())
            return ((stored.width() * m + 7) / 8) * ((stored.height() * m + 7) / 8) * 4;
    }
    return qint64(stored.width()) * stored.height() * 4;
}

// The whole file, or nothing when it is not a regular file, cannot be read
// or is beyond the size we read whole.
QByteArray ReadWhole(const QString &path)
{
    QByteArray bytes;
    // Regular files only: a pipe or device could block or never end.
    if (!path.isEmpty() && QFileInfo(path).isFile()) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly) && file.size() <= kMaxFileBytes)
            bytes = file.read(kMaxFileBytes + 1);
        if (bytes.size() > kMaxFileBytes)
            bytes.clear();
    }
    return bytes;
}

QColor ButtonFace()
{
    return qGuiApp ? QGuiApplication::palette().color(QPalette::Button) : QColor(240, 240, 240);
}

} // namespace

Picture::Picture() = default;
Picture::~Picture() = default;

QString Picture::SoftwareText()
{
    return QStringLiteral("Vorlex Gallorim v3");
}

void Picture::Clear()
{
    m_loaded = false;
    m_inMemory = false;
    m_path.clear();
    m_bytes.clear();
    m_format.clear();
    m_storedSize = QSize();
    m_orientation = 1;
    m_exif = {};
    m_drawn = QImage();
}

// Header only: the reader's size option does not touch the pixels. A handler
// that cannot tell its size without decoding is decoded once.
bool Picture::Probe(QIODevice &device)
{
    QImageReader reader(&device);
    reader.setAutoTransform(false);
    if (!reader.canRead() || !IsImageFormat(reader.format()))
        return false;
    m_format = reader.format();
    QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        size = reader.read().size();
    if (size.width() <= 0 || size.height() <= 0)
        return false;
    m_storedSize = size;
    return true;
}

// Qt cannot read these; their metadata lives in the file's boxes, not where
// exiv2 looks for it.
bool Picture::ProbeHeif(const QString &path, const QByteArray &bytes, const QByteArray &format)
{
    HeifInfo info;
    if (!::ProbeHeif(path, bytes, &info))
        return false;
    m_format = format;
    m_storedSize = info.size;
    m_orientation = info.meta.orientation;
    m_exif = info.meta.texts;
    return true;
}

qint64 Picture::HeadBytes()
{
    return kHeadBytes;
}

bool Picture::LoadFromFile(const QString &path)
{
    QByteArray head;
    if (!path.isEmpty() && QFileInfo(path).isFile())
        ReadFileHead(path, kHeadBytes, &head);
    return LoadFromHead(path, head);
}

bool Picture::LoadFromHead(const QString &path, const QByteArray &head)
{
    std::lock_guard lock(m_lock);
    Clear();
    if (path.isEmpty() || head.isEmpty())
        return false;
    if (const QByteArray heif = HeifFormatOf(head); !heif.isEmpty()) {
        if (!ProbeHeif(path, QByteArray(), heif)) {
            Clear();
            return false;
        }
        m_path = path;
        m_loaded = true;
        return true;
    }
    // libjpeg accepts the header only once it has met the start of the scan,
    // past which exiv2 does not look either: the head then holds all the
    // metadata, and the file is not opened again.
    ImageMetadata meta;
    if (const QSize jpeg = JpegStoredSize(head); jpeg.isValid()) {
        m_format = QByteArrayLiteral("jpeg");
        m_storedSize = jpeg;
        meta = ReadImageMetadata(head);
    } else {
        if (!MayBeImageFile(head))
            return false;
        // Qt's readers peek ahead, so they get a buffered file from the start.
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly) || !Probe(file)) {
            Clear();
            return false;
        }
        file.close();
        meta = ReadImageMetadata(path);
    }
    m_orientation = meta.orientation;
    m_exif = meta.texts;
    m_path = path;
    m_loaded = true;
    return true;
}

bool Picture::LoadFromFileInMemory(const QString &path)
{
    return LoadBytes(ReadWhole(path), path);
}

bool Picture::LoadFromMemory(const char *bytes, qint64 length)
{
    if (!bytes || length <= 0)
        return LoadFromMemory(QByteArray());
    return LoadFromMemory(QByteArray(bytes, length));
}

bool Picture::LoadFromMemory(const QByteArray &bytes)
{
    return LoadBytes(bytes, QString());
}

bool Picture::LoadSizeFromMemory(const QByteArray &bytes)
{
    return LoadBytes(bytes, QString(), false);
}

bool Picture::LoadBytes(const QByteArray &bytes, const QString &sourcePath, bool withCamera)
{
    std::lock_guard lock(m_lock);
    Clear();
    if (bytes.isEmpty())
        return false;
    if (const QByteArray heif = HeifFormatOf(bytes.left(4096)); !heif.isEmpty()) {
        if (!ProbeHeif(QString(), bytes, heif)) {
            Clear();
            return false;
        }
        m_bytes = bytes;
        m_path = sourcePath;
        m_inMemory = true;
        m_loaded = true;
        return true;
    }
    // A JPEG's header is read by libjpeg itself: Qt would first load and ask
    // every image plugin it has.
    bool mayTurn = true;
    if (const QSize jpeg = JpegStoredSize(bytes, &mayTurn); jpeg.isValid()) {
        m_format = QByteArrayLiteral("jpeg");
        m_storedSize = jpeg;
    } else {
        if (!MayBeImageFile(bytes.left(16)))
            return false;
        QBuffer buffer;
        buffer.setData(bytes);
        if (!buffer.open(QIODevice::ReadOnly) || !Probe(buffer)) {
            Clear();
            return false;
        }
    }
    // Our own thumbnails carry an Exif block without orientation: their
    // upright size needs no metadata reader.
    const ImageMetadata meta = withCamera || mayTurn ? ReadImageMetadata(bytes) : ImageMetadata{};
    m_orientation = meta.orientation;
    m_exif = meta.texts;
    m_bytes = bytes;
    m_path = sourcePath;
    m_inMemory = true;
    m_loaded = true;
    return true;
}

unsigned Picture::GetWidth() const
{
    return m_loaded ? static_cast<unsigned>(UprightSize(m_storedSize, m_orientation).width()) : 0;
}

unsigned Picture::GetHeight() const
{
    return m_loaded ? static_cast<unsigned>(UprightSize(m_storedSize, m_orientation).height()) : 0;
}

QString Picture::GetSizeText() const
{
    if (!m_loaded || GetWidth() == 0 || GetHeight() == 0)
        return QStringLiteral("Not an Image");
    return QStringLiteral("%1x%2").arg(GetWidth()).arg(GetHeight());
}

QString Picture::GetExifText(int field) const
{
    if (!m_loaded || field < 0 || field >= kExifFieldCount)
        return QString();
    return m_exif[static_cast<size_t>(field)];
}

QByteArray Picture::GetRawFormat() const
{
    return m_format;
}

int Picture::GetOrientation() const
{
    return m_orientation;
}

std::unique_ptr<QIODevice> Picture::OpenSource() const
{
    if (m_inMemory) {
        auto buffer = std::make_unique<QBuffer>();
        buffer->setData(m_bytes);
        buffer->open(QIODevice::ReadOnly);
        return buffer;
    }
    auto file = std::make_unique<QFile>(m_path);
    if (!file->open(QIODevice::ReadOnly))
        return nullptr;
    return file;
}

QImage Picture::DecodeCovering(QSize target, bool *memory)
{
    std::lock_guard lock(m_lock);
    *memory = false;
    if (!m_loaded)
        return QImage();
    QImage::Format format = QImage::Format_Invalid;
    QList<QRgb> palette;
    return DecodeUpright(target, &format, &palette, memory, false);
}

QImage Picture::DecodeUpright(QSize target, QImage::Format *sourceFormat, QList<QRgb> *sourcePalette, bool *memory,
                              bool exact) const
{
    *memory = false;
    const bool jpeg = m_format == "jpeg";
    const QSize storedTarget = SwapsSides(m_orientation) ? target.transposed() : target;
    // JPEG decodes at a DCT reduction of up to 1/8; the others at full size.
    // Beyond the decoders' limit the read would fail: that is lack of memory.
    const qint64 decodeBytes = jpeg ? JpegDecodeBytes(m_storedSize, storedTarget)
                                    : qint64(m_storedSize.width()) * m_storedSize.height() * 4;
    if (decodeBytes > DecodeLimitBytes()) {
        *memory = true;
        return QImage();
    }
    if (m_format == "heif" || m_format == "avif") {
        // libheif has no reduced decode: the stored preview when it is large
        // enough, else the full picture, then scaled.
        QImage picture = DecodeHeif(
            m_inMemory ? QString() : m_path, m_inMemory ? m_bytes : QByteArray(), target, memory);
        if (picture.isNull())
            return QImage();
        *sourceFormat = picture.format();
        if (exact && picture.size() != target)
            picture = picture.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        return picture;
    }
    if (jpeg) {
        QImage picture = DecodeJpegForSize(
            m_inMemory ? m_bytes : ReadWhole(m_path), storedTarget, DecodeLimitBytes(), memory);
        if (*memory)
            return QImage();
        if (!picture.isNull()) {
            *sourceFormat = picture.format();
            // Scaled before it is turned: the turn then moves only the final pixels.
            if (exact && picture.size() != storedTarget)
                picture = picture.scaled(storedTarget, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            return ToUpright(picture, m_orientation);
        }
        // CMYK and other colour spaces that libjpeg leaves to the caller: Qt's reader.
    }
    auto device = OpenSource();
    if (!device)
        return QImage();
    QImageReader reader(device.get(), m_format);
    reader.setAutoTransform(false);
    if (jpeg && exact) {
        // Shrink-on-load; a quality of 50 or more keeps the smooth final scale.
        reader.setQuality(75);
        reader.setScaledSize(storedTarget);
    }
    QImage picture = reader.read();
    if (picture.isNull())
        return QImage();
    *sourceFormat = picture.format();
    if (IsIndexedFormat(picture.format()))
        *sourcePalette = picture.colorTable();
    picture = ToUpright(picture, m_orientation);
    if (exact && picture.size() != target)
        picture = picture.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return picture;
}

void Picture::DrawFit(QPainter &painter, const QRect &rect)
{
    DrawFit(painter, rect, ButtonFace());
}

void Picture::DrawFit(QPainter &painter, const QRect &rect, const QColor &face)
{
    std::lock_guard lock(m_lock);
    const ImagePlacement p = PlaceFitted(rect.width(), rect.height(), GetWidth(), GetHeight());
    if (!m_loaded || p.width <= 0 || p.height <= 0) {
        painter.fillRect(rect, face);
        return;
    }
    const QSize drawn(p.width, p.height);
    if (m_drawn.size() != drawn) {
        QImage::Format format;
        QList<QRgb> palette;
        bool memory = false;
        m_drawn = DecodeUpright(drawn, &format, &palette, &memory);
    }
    if (m_drawn.isNull()) {
        painter.fillRect(rect, face);
        return;
    }
    painter.drawImage(rect.left() + p.x, rect.top() + p.y, m_drawn);
    // Bands fill the margins only; they never paint over the picture.
    const int bottom = p.y + p.height;
    const int right = p.x + p.width;
    if (rect.height() - p.height > 1) {
        painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), p.y), face);
        painter.fillRect(QRect(rect.left(), rect.top() + bottom, rect.width(), rect.height() - bottom), face);
    }
    if (rect.width() - p.width > 1) {
        painter.fillRect(QRect(rect.left(), rect.top(), p.x, rect.height()), face);
        painter.fillRect(QRect(rect.left() + right, rect.top(), rect.width() - right, rect.height()), face);
    }
}
