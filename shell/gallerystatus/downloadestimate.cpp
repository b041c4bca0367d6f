#include "shell/gallerystatus/downloadestimate.h"

#include <array>
#include <charconv>
#include <cstdint>

namespace {
// The factors are the decimal constants the estimate has always used, not
// computed quotients, so results stay identical to the last digit.
constexpr std::array<ConnectionSpeed, 7> kSpeeds = {{
    {"Modem 33.6 kb/s", "33.6 kb/s", 0.000029761904761904762},
    {"Modem 56 kb/s", "56 kb/s", 0.00001785714285714286},
    {"ADSL 128 kb/s", "128 kb/s", 7.8125e-6},
    {"ADSL 256 kb/s", "256 kb/s", 3.90625e-6},
    {"ADSL 512 kb/s", "512 kb/s", 1.953125e-6},
    {"ADSL 1024 kb/s", "1024 kb/s", 9.765625e-7},
    {"LAN  10  Mb/s", "10 Mb/s", 9.765625e-8},
}};

constexpr std::array<const char *, 5> kUnits = {"octets", "ko", "Mo", "Go", "To"};

// printf's "%.Nf" rounding without its locale: under a French C locale
// snprintf would write "1,50".
QString Fixed(double v, int decimals)
{
    std::array<char, 64> buffer {};
    const auto result
        = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v, std::chars_format::fixed, decimals);
    return QString::fromLatin1(buffer.data(), result.ptr - buffer.data());
}
} // namespace

std::span<const ConnectionSpeed> ConnectionSpeeds()
{
    return kSpeeds;
}

const ConnectionSpeed &ConnectionSpeedAt(int index)
{
    if (index < 0 || index >= static_cast<int>(kSpeeds.size()))
        return kSpeeds[0];
    return kSpeeds[static_cast<std::size_t>(index)];
}

QString DownloadSizeText(double bytes)
{
    double v = bytes;
    std::size_t unit = 0;
    // Stop at the largest unit so a huge total still carries one.
    while (v >= 1024 && unit + 1 < kUnits.size()) {
        v = v * (1.0 / 1024);
        ++unit;
    }
    const int decimals = v > 100 ? 0 : (v > 10 ? 1 : 2);
    return Fixed(v, decimals) + QLatin1Char(' ') + QLatin1String(kUnits[unit]);
}

QString DownloadTimeText(double seconds)
{
    if (seconds == 0)
        return QStringLiteral("0 s");
    // Far beyond any real total; keeps the conversion below defined.
    constexpr double kLimit = 1e15;
    const double t = seconds < kLimit ? seconds : kLimit;
    auto s = static_cast<std::int64_t>(t + 1);
    QString text;
    if (s > 3600) {
        text += QString::number(s / 3600) + QLatin1Char('h');
        s %= 3600;
    }
    if (s > 60) {
        text += QString::number(s / 60) + QLatin1Char('m');
        s %= 60;
    }
    if (s > 0 && t + 1 < 3600)
        text += QString::number(s) + QLatin1Char('s');
    return text;
}

QString DownloadEstimateText(int fileCount, double totalBytes, int speedIndex)
{
    if (fileCount == 0)
        return QStringLiteral("Aucun fichier");
    const ConnectionSpeed &speed = ConnectionSpeedAt(speedIndex);
    const double seconds = totalBytes * speed.secondsPerBit * 8;
    return QStringLiteral("%1 fichier(s) - Vignettes = %2 soit %3 @ %4")
        .arg(QString::number(fileCount), DownloadSizeText(totalBytes), DownloadTimeText(seconds),
            QLatin1String(speed.estimateText));
}
