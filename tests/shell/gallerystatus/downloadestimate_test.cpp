#include "shell/gallerystatus/downloadestimate.h"

#include <QLocale>
#include <clocale>
#include <gtest/gtest.h>
#include <locale>
#include <string>

TEST(DownloadEstimate, speedFactorsAreTheInverseOfTheirBitRates)
{
    const double bitsPerSecond[] = {33600, 56000, 128000, 256000, 512000, 1024000, 10240000};
    ASSERT_EQ(ConnectionSpeeds().size(), std::size(bitsPerSecond));
    for (std::size_t i = 0; i < std::size(bitsPerSecond); ++i)
        EXPECT_NEAR(ConnectionSpeeds()[i].secondsPerBit * bitsPerSecond[i], 1.0, 1e-15) << i;
    EXPECT_STREQ(ConnectionSpeeds()[6].listText, "LAN  10  Mb/s");
}

TEST(DownloadEstimate, sizeTextPicksUnitAndDecimals)
{
    const struct {
        double bytes;
        const char *text;
    } rows[] = {
        {0, "0.00 octets"},
        {1023, "1023 octets"},
        {1024, "1.00 ko"},
        {1536, "1.50 ko"},
        {100 * 1024, "100.0 ko"},
        {260096, "254 ko"},
        {1048576, "1.00 Mo"},
        {1099511627776.0, "1.00 To"},
        // Beyond the last unit the number grows instead of losing its unit.
        {1099511627776.0 * 2048, "2048 To"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(DownloadSizeText(row.bytes), QString::fromUtf8(row.text)) << row.bytes;
}

TEST(DownloadEstimate, timeTextCountsWholeSecondsAndDropsThemFromOneHour)
{
    const struct {
        double seconds;
        const char *text;
    } rows[] = {
        {0, "0 s"},
        {0.2, "1s"},
        {37.16, "38s"},
        {59, "60s"},
        {60, "1m1s"},
        {3599, "60m"},
        {3600, "1h"},
        {7322, "2h2m"},
        {7199.5, "2h"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(DownloadTimeText(row.seconds), QString::fromUtf8(row.text)) << row.seconds;
}

TEST(DownloadEstimate, wholeTextForTypicalAndEdgeGalleries)
{
    EXPECT_EQ(DownloadEstimateText(25, 260096, 1),
        QStringLiteral("25 fichier(s) - Vignettes = 254 ko soit 38s @ 56 kb/s"));
    EXPECT_EQ(DownloadEstimateText(0, 260096, 1), QStringLiteral("Aucun fichier"));
    EXPECT_EQ(DownloadEstimateText(3, 0, 1),
        QStringLiteral("3 fichier(s) - Vignettes = 0.00 octets soit 0 s @ 56 kb/s"));
    // 7552000 bytes at 1024 kb/s take 59 s, 460672000 bytes 3599 s.
    EXPECT_EQ(DownloadEstimateText(1, 7552000, 5),
        QStringLiteral("1 fichier(s) - Vignettes = 7.20 Mo soit 60s @ 1024 kb/s"));
    EXPECT_EQ(DownloadEstimateText(1, 460672000, 5),
        QStringLiteral("1 fichier(s) - Vignettes = 439 Mo soit 60m @ 1024 kb/s"));
    // No valid speed chosen: the slowest one.
    EXPECT_EQ(DownloadEstimateText(1, 4300, -1),
        QStringLiteral("1 fichier(s) - Vignettes = 4.20 ko soit 2s @ 33.6 kb/s"));
}

namespace {
struct CommaPoint : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};
} // namespace

TEST(DownloadEstimate, decimalCommaLocaleKeepsThePoint)
{
    const QLocale savedQtLocale;
    const std::locale savedLocale;
    const std::string savedCLocale = std::setlocale(LC_NUMERIC, nullptr);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    std::locale::global(std::locale(std::locale::classic(), new CommaPoint));
    for (const char *name : {"fr_FR.UTF-8", "fr_FR.utf8", "de_DE.UTF-8", "fr_FR"}) {
        if (std::setlocale(LC_NUMERIC, name))
            break;
    }

    const QString size = DownloadSizeText(1536);
    const QString text = DownloadEstimateText(1, 4300, 0);

    std::setlocale(LC_NUMERIC, savedCLocale.c_str());
    std::locale::global(savedLocale);
    QLocale::setDefault(savedQtLocale);
    EXPECT_EQ(size, QStringLiteral("1.50 ko"));
    EXPECT_EQ(text, QStringLiteral("1 fichier(s) - Vignettes = 4.20 ko soit 2s @ 33.6 kb/s"));
}
