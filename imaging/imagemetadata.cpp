#include "imaging/imagemetadata.h"

#include <QFile>
#include <array>
#include <cstdint>
#include <exiv2/exiv2.hpp>
#include <mutex>

namespace {

// exiv2 wants its XMP parser set up once before threads use it, and would
// otherwise print a warning on stderr for every damaged file it meets.
void PrepareExiv2()
{
    static std::once_flag once;
    std::call_once(once, [] {
        Exiv2::XmpParser::initialize();
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    });
}

// The tags read, by group and number. Looking each one up by its key
// text would parse that text anew for every photo; one pass over the data
// finds them all.
enum Wanted { kMake, kModel, kOrientation, kDateTime, kDateTimeOriginal, kExposure, kFNumber, kFocal,
    kFlash, kIso, kWantedCount };

struct WantedTag {
    const char *group;
    std::uint16_t tag;
};

constexpr WantedTag kWantedTags[kWantedCount] = {
    {"Image", 0x010f}, // Exif.Image.Make
    {"Image", 0x0110}, // Exif.Image.Model
    {"Image", 0x0112}, // Exif.Image.Orientation
    {"Image", 0x0132}, // Exif.Image.DateTime
    {"Photo", 0x9003}, // Exif.Photo.DateTimeOriginal
    {"Photo", 0x829a}, // Exif.Photo.ExposureTime
    {"Photo", 0x829d}, // Exif.Photo.FNumber
    {"Photo", 0x920a}, // Exif.Photo.FocalLength
    {"Photo", 0x9209}, // Exif.Photo.Flash
    {"Photo", 0x8827}, // Exif.Photo.ISOSpeedRatings
};

// The first datum of each wanted tag, as a search by key finds it; null when
// absent or holding no value.
using Found = std::array<const Exiv2::Exifdatum *, kWantedCount>;

Found FindWanted(const Exiv2::ExifData &exif)
{
    Found found {};
    std::array<bool, kWantedCount> seen {};
    for (const Exiv2::Exifdatum &d : exif) {
        for (int w = 0; w < kWantedCount; ++w) {
            if (!seen[w] && d.tag() == kWantedTags[w].tag && d.groupName() == kWantedTags[w].group) {
                seen[w] = true;
                found[w] = d.count() == 0 ? nullptr : &d;
            }
        }
    }
    return found;
}

QString Ascii(const Exiv2::Exifdatum *d)
{
    return d ? ExifAsciiText(QByteArray::fromStdString(d->toString())) : QString();
}

// The first rational read as two unsigned 32-bit numbers, as stored.
bool Rational(const Exiv2::Exifdatum *d, std::uint32_t &num, std::uint32_t &den)
{
    if (!d)
        return false;
    if (const auto *u = dynamic_cast<const Exiv2::URationalValue *>(&d->value())) {
        num = u->value_.at(0).first;
        den = u->value_.at(0).second;
        return true;
    }
    const Exiv2::Rational r = d->toRational(0);
    num = static_cast<std::uint32_t>(r.first);
    den = static_cast<std::uint32_t>(r.second);
    return true;
}

bool Short(const Exiv2::Exifdatum *d, std::uint16_t &value)
{
    if (!d)
        return false;
    value = static_cast<std::uint16_t>(d->toLong(0) & 0xFFFF);
    return true;
}

ImageMetadata FromExif(const Exiv2::ExifData &exif)
{
    const Found f = FindWanted(exif);
    ImageMetadata m;
    if (const Exiv2::Exifdatum *o = f[kOrientation])
        m.orientation = o->toLong(0) >= 1 && o->toLong(0) <= 8 ? static_cast<int>(o->toLong(0)) : 1;
    m.texts[EXIF_MAKE] = Ascii(f[kMake]);
    m.texts[EXIF_MODEL] = Ascii(f[kModel]);
    const QString stamp = Ascii(f[kDateTimeOriginal] ? f[kDateTimeOriginal] : f[kDateTime]);
    m.texts[EXIF_DATE] = ExifDateText(stamp);
    m.texts[EXIF_TIME] = ExifTimeText(stamp);
    std::uint32_t num = 0, den = 0;
    if (Rational(f[kExposure], num, den))
        m.texts[EXIF_EXPOSURE] = ExifExposureText(num, den);
    if (Rational(f[kFNumber], num, den))
        m.texts[EXIF_APERTURE] = ExifApertureText(num, den);
    if (Rational(f[kFocal], num, den))
        m.texts[EXIF_FOCAL] = ExifFocalText(num, den);
    std::uint16_t value = 0;
    if (Short(f[kFlash], value))
        m.texts[EXIF_FLASH] = ExifFlashText(value);
    if (Short(f[kIso], value))
        m.texts[EXIF_ISO] = ExifIsoText(value);
    return m;
}

template <typename Open> ImageMetadata Read(Open open)
{
    PrepareExiv2();
    try {
        auto image = open();
        if (!image.get())
            return {};
        image->readMetadata();
        return FromExif(image->exifData());
    } catch (const std::exception &) {
        return {};
    }
}

} // namespace

ImageMetadata ReadImageMetadata(const QString &path)
{
    return Read([&] { return Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString(), false); });
}

ImageMetadata ReadImageMetadata(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return {};
    return Read([&] {
        return Exiv2::ImageFactory::open(
            reinterpret_cast<const Exiv2::byte *>(bytes.constData()), static_cast<long>(bytes.size()));
    });
}

ImageMetadata ReadExifMetadata(const QByteArray &tiff)
{
    if (tiff.isEmpty())
        return {};
    PrepareExiv2();
    try {
        Exiv2::ExifData exif;
        Exiv2::ExifParser::decode(exif, reinterpret_cast<const Exiv2::byte *>(tiff.constData()),
            static_cast<uint32_t>(tiff.size()));
        return FromExif(exif);
    } catch (const std::exception &) {
        return {};
    }
}

QByteArray SoftwareExifSegment(const QString &software)
{
    PrepareExiv2();
    try {
        Exiv2::ExifData exif;
        exif["Exif.Image.Software"] = software.toStdString();
        Exiv2::Blob tiff;
        Exiv2::ExifParser::encode(tiff, Exiv2::littleEndian, exif);
        if (tiff.empty())
            return QByteArray();
        QByteArray segment("Exif\0\0", 6);
        segment.append(reinterpret_cast<const char *>(tiff.data()), static_cast<qsizetype>(tiff.size()));
        return segment;
    } catch (const std::exception &) {
        return QByteArray();
    }
}

bool SetUprightExif(QByteArray &jpeg, const QByteArray &tiff)
{
    if (tiff.isEmpty())
        return false;
    PrepareExiv2();
    try {
        Exiv2::ExifData exif;
        Exiv2::ExifParser::decode(exif, reinterpret_cast<const Exiv2::byte *>(tiff.constData()),
            static_cast<uint32_t>(tiff.size()));
        if (exif.empty())
            return false;
        for (const char *key : {"Exif.Image.Orientation", "Exif.Thumbnail.Orientation"}) {
            const auto it = exif.findKey(Exiv2::ExifKey(key));
            if (it != exif.end())
                exif.erase(it);
        }
        auto image = Exiv2::ImageFactory::open(
            reinterpret_cast<const Exiv2::byte *>(jpeg.constData()), static_cast<long>(jpeg.size()));
        if (!image.get())
            return false;
        image->readMetadata(); // so that the colour profile is written back
        image->setExifData(exif);
        image->writeMetadata();
        Exiv2::BasicIo &io = image->io();
        io.seek(0, Exiv2::BasicIo::beg);
        const Exiv2::DataBuf data = io.read(static_cast<long>(io.size()));
        if (data.size_ <= 0)
            return false;
        jpeg = QByteArray(reinterpret_cast<const char *>(data.pData_), data.size_);
        return true;
    } catch (const std::exception &) {
        return false;
    }
}
