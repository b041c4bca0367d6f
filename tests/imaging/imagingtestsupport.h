#pragma once
// Fixtures for the imaging tests: pictures made on the spot, EXIF written with
// exiv2, and readers that look inside the files we write.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>
#include <map>
#include <string>

namespace testsupport {

// Four solid quadrants (red, green, blue, yellow from the top-left, clockwise),
// easy to recognise after scaling, turning and lossy compression.
QImage Quadrants(int width, int height);
QByteArray Encode(const QImage &image, const char *format, int quality = -1);
bool WriteBytes(const QString &path, const QByteArray &bytes);
// A HEIC (or AVIF) of the picture made with libheif's encoders, empty when
// none is at hand. `rotation` (1..8, numbered as in EXIF) is stored as the
// format's own transform, the pixels staying as given; `exif` is a bare
// EXIF block (TIFF header first) or empty; `preview`, when given, is stored
// as the photo's thumbnail item.
// `icc`, when given, is stored as the picture's colour profile.
QByteArray EncodeHeif(const QImage &picture, bool avif, int rotation = 1, const QByteArray &exif = {},
    const QImage &preview = {}, const QByteArray &icc = {});
QByteArray ReadBytes(const QString &path);

// Sets EXIF tags on an encoded image; values are exiv2 texts ("1/60", "28/10").
bool SetExif(const QString &path, const std::map<std::string, std::string> &tags);
// Every EXIF key of a file, with its value as text.
std::map<std::string, std::string> ExifOf(const QString &path);

// The quality (1..100) whose standard luminance table the JPEG carries, or -1.
int JpegQuality(const QByteArray &jpeg);

// Colour class of a pixel, loose enough for JPEG: 'r', 'g', 'b', 'y', 'w',
// 'k' (black) or '?'.
char ColourClass(QRgb pixel);

// A PNG with a valid header declaring the given size and almost no data.
QByteArray PngDeclaring(quint32 width, quint32 height);

// The file format's own header: bits per pixel of a BMP, colour type of a PNG.
int BmpBitsPerPixel(const QByteArray &bmp);
int PngColourType(const QByteArray &png);
// First value of each tag of a TIFF's first directory.
std::map<int, quint32> TiffTags(const QByteArray &tiff);
// Number of entries of a GIF's global colour table, 0 when it has none.
int GifGlobalTableSize(const QByteArray &gif);

} // namespace testsupport
