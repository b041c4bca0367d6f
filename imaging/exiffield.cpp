#include "imaging/exiffield.h"

#include "platform/windows1252.h"

#include <QStringDecoder>
#include <charconv>
#include <cmath>

namespace {

// A zero denominator (or 0/0) would print "inf" or "nan": such a value tells
// the reader nothing, so the text stays empty.
QString FormatRatio(double value, int decimals)
{
    if (!std::isfinite(value))
        return QString();
    // printf's rounding, which Qt's own formatter does not share (0.5), but
    // never the user's decimal comma, which Qt lets into the C library.
    char text[400];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    if (end.ec != std::errc())
        return QString();
    return QString::fromLatin1(text, end.ptr - text);
}

} // namespace

QString ExifDateText(const QString &stored)
{
    const qsizetype blank = stored.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return stored;
    const QString date = stored.left(blank);
    const qsizetype first = date.indexOf(QLatin1Char(':'));
    const qsizetype second = first < 0 ? -1 : date.indexOf(QLatin1Char(':'), first + 1);
    if (second < 0)
        return date;
    return date.mid(second + 1) + QLatin1Char('/') + date.mid(first + 1, second - first - 1)
        + QLatin1Char('/') + date.left(first);
}

QString ExifTimeText(const QString &stored)
{
    const qsizetype blank = stored.indexOf(QLatin1Char(' '));
    return blank < 0 ? stored : stored.mid(blank + 1);
}

QString ExifExposureText(std::uint32_t numerator, std::uint32_t denominator)
{
    if (numerator == 1)
        return QString::number(static_cast<std::int32_t>(denominator));
    return FormatRatio(double(denominator) / double(numerator), 0);
}

QString ExifApertureText(std::uint32_t numerator, std::uint32_t denominator)
{
    return FormatRatio(double(numerator) / double(denominator), 1);
}

QString ExifFocalText(std::uint32_t numerator, std::uint32_t denominator)
{
    return FormatRatio(double(numerator) / double(denominator), 0);
}

QString ExifFlashText(std::uint16_t value)
{
    return (value & 0x01) ? QStringLiteral("On") : QStringLiteral("Off");
}

QString ExifIsoText(std::uint16_t value)
{
    return QString::number(value);
}

QString ExifAsciiText(const QByteArray &raw)
{
    const qsizetype nul = raw.indexOf('\0');
    const QByteArray text = nul < 0 ? raw : raw.left(nul);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8(text);
    return utf8.hasError() ? FromWindows1252(text) : decoded;
}
