#pragma once
// One image: its upright size, its camera texts, fitted drawing and thumbnail
// building. Loading reads only the header and the metadata; pixels are decoded
// when they are drawn or thumbnailed, at the size needed (shrink-on-load).
//
// Every load, DrawFit and BuildThumbnail holds the object's own lock, so a
// preview may be redrawn while another file is loaded into the same object.
// The getters take no lock: their callers use the object from one thread.

#include "imaging/thumbnailoptions.h"
#include "imaging/exiffield.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <array>
#include <memory>
#include <mutex>

class QIODevice;
class QPainter;
class QRect;

enum ThumbnailResult {
    THUMB_WRITTEN = 0,
    THUMB_NO_IMAGE = 1,
    THUMB_OUT_OF_MEMORY = 2,
    THUMB_NO_ENCODER = 3,
    THUMB_BAD_SIZE = 4,
    THUMB_FAILED = 5,
};

struct ThumbnailRequest {
    QString targetPath;
    int width = 0;
    int height = 0;
    int stretch = 0;
    COLORREF background = 0xFFFFFF;
    int jpegQuality = 85;
};

class Picture {
public:
    Picture();
    ~Picture();
    Picture(const Picture &) = delete;
    Picture &operator=(const Picture &) = delete;

    // Each load first empties the object. True only for a decodable image
    // format with both sides greater than 0.
    bool LoadFromFile(const QString &path);
    // The same for a regular file whose first HeadBytes() (or all, when
    // shorter) the caller has read; the rest is read from `path` if needed.
    bool LoadFromHead(const QString &path, const QByteArray &head);
    static qint64 HeadBytes();
    // Reads the whole file first so it is not kept open while working.
    bool LoadFromFileInMemory(const QString &path);
    bool LoadFromMemory(const char *bytes, qint64 length);
    bool LoadFromMemory(const QByteArray &bytes);
    // The same for the upright size alone: the camera texts stay empty, and
    // a JPEG whose Exif block cannot hold an orientation is not read for it.
    bool LoadSizeFromMemory(const QByteArray &bytes);

    // Upright size: an EXIF orientation of 5 to 8 swaps the stored sides.
    unsigned GetWidth() const;
    unsigned GetHeight() const;
    // "%dx%d", or "Not an Image" when nothing is held.
    QString GetSizeText() const;
    // Empty when nothing is held, the tag is absent or field is not 0..8.
    QString GetExifText(int field) const;
    // The reader's format name ("jpeg", "png", ...); empty when nothing is held.
    QByteArray GetRawFormat() const;
    int GetOrientation() const;

    // Draws the picture upright, centred and never enlarged; the margins (or
    // the whole rectangle when nothing is held) get the face colour.
    void DrawFit(QPainter &painter, const QRect &rect);
    void DrawFit(QPainter &painter, const QRect &rect, const QColor &face);

    // Writes the thumbnail in the source's format (JPEG for HEIF and AVIF,
    // which browsers do not show) at the request's path,
    // replacing any file there but the source itself (result 5, so an affix
    // such as "./" cannot turn photos into thumbnails); creates no folder.
    // Failures leave an older file at that path in place.
    ThumbnailResult BuildThumbnail(const ThumbnailRequest &request);

    // The upright picture decoded at the cheapest scale that still covers
    // `target` on both sides (a JPEG at some M/8), not scaled further, so that
    // several smaller copies can be made from one decode. Null on failure;
    // *memory set when the decode would pass the decoders' limit.
    QImage DecodeCovering(QSize target, bool *memory);
    // The program's identification, written into JPEG thumbnails.
    static QString SoftwareText();

private:
    void Clear();
    bool LoadBytes(const QByteArray &bytes, const QString &sourcePath, bool withCamera = true);
    bool Probe(QIODevice &device);
    bool ProbeHeif(const QString &path, const QByteArray &bytes, const QByteArray &format);
    std::unique_ptr<QIODevice> OpenSource() const;
    // Decodes to the given upright size; sets *memory when the failure was
    // (or would have been) an allocation beyond the decoder's limit.
    QImage DecodeUpright(QSize target, QImage::Format *sourceFormat, QList<QRgb> *sourcePalette, bool *memory,
                         bool exact = true) const;
    ThumbnailResult SaveThumbnail(
        QImage canvas, const ThumbnailRequest &request, QImage::Format sourceFormat) const;

    std::mutex m_lock;
    bool m_loaded = false;
    bool m_inMemory = false;
    QString m_path; // the file the picture came from, if any
    QByteArray m_bytes;
    QByteArray m_format;
    QSize m_storedSize;
    int m_orientation = 1;
    std::array<QString, kExifFieldCount> m_exif;
    QImage m_drawn; // the last picture drawn by DrawFit, at its drawn size
};
