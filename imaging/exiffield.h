#pragma once
// The nine camera texts of an image and the rules that turn raw EXIF values
// into them. The rules are pure so they can be checked against tables.

#include <QString>
#include <cstdint>

enum ExifField {
    EXIF_MAKE = 0,
    EXIF_MODEL = 1,
    EXIF_DATE = 2,
    EXIF_TIME = 3,
    EXIF_EXPOSURE = 4,
    EXIF_APERTURE = 5,
    EXIF_FOCAL = 6,
    EXIF_FLASH = 7,
    EXIF_ISO = 8,
};
constexpr int kExifFieldCount = 9;

// "YYYY:MM:DD hh:mm:ss" -> "DD/MM/YYYY"; without a blank the text is kept whole,
// a date part lacking either colon is returned as it is.
QString ExifDateText(const QString &stored);
// Everything after the first blank; without a blank the text is kept whole.
QString ExifTimeText(const QString &stored);
// The N of an exposure of 1/N second.
QString ExifExposureText(std::uint32_t numerator, std::uint32_t denominator);
QString ExifApertureText(std::uint32_t numerator, std::uint32_t denominator);
QString ExifFocalText(std::uint32_t numerator, std::uint32_t denominator);
QString ExifFlashText(std::uint16_t value);
QString ExifIsoText(std::uint16_t value);
// An ASCII value up to its first NUL. Camera texts are nearly always ASCII;
// anything that is not valid UTF-8 is read as Windows-1252, the 8-bit code
// page of the program's texts, so no byte is lost.
QString ExifAsciiText(const QByteArray &raw);
