#include "imaging/exiffield.h"

#include <clocale>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>

TEST(ExifField, dateIsDayMonthYearAndTimeFollowsTheBlank)
{
    struct Row {
        const char *stored, *date, *time;
    };
    const Row rows[] = {
        {"2004:05:12 10:20:30", "12/05/2004", "10:20:30"},
        {"2004:05:12", "2004:05:12", "2004:05:12"}, // no blank: whole text for both
        {"2004-05-12 10:20:30", "2004-05-12", "10:20:30"}, // date part lacks colons
        {"2004:05 10:20", "2004:05", "10:20"}, // only one colon
        {"", "", ""}, {"1999:12:31  23:59:59", "31/12/1999", " 23:59:59"}, // only the first blank counts
    };
    for (const Row &r : rows) {
        EXPECT_EQ(ExifDateText(QString::fromLatin1(r.stored)), QString::fromLatin1(r.date)) << r.stored;
        EXPECT_EQ(ExifTimeText(QString::fromLatin1(r.stored)), QString::fromLatin1(r.time)) << r.stored;
    }
}

TEST(ExifField, exposureIsTheDenominatorOfOneOverN)
{
    struct Row {
        std::uint32_t num, den;
        const char *text;
    };
    const Row rows[] = {
        {1, 60, "60"}, {10, 600, "60"}, {1, 1, "1"}, {10, 2500, "250"}, {2, 1, "0"}, {3, 1000, "333"},
        {1, 0, "0"}, {0, 100, ""}, // a zero numerator gives no number at all
    };
    for (const Row &r : rows)
        EXPECT_EQ(ExifExposureText(r.num, r.den), QString::fromLatin1(r.text)) << r.num << "/" << r.den;
}

TEST(ExifField, apertureHasOneDecimalAndFocalLengthNone)
{
    EXPECT_EQ(ExifApertureText(56, 10), "5.6");
    EXPECT_EQ(ExifApertureText(28, 10), "2.8");
    EXPECT_EQ(ExifApertureText(8, 1), "8.0");
    EXPECT_EQ(ExifFocalText(350, 10), "35");
    EXPECT_EQ(ExifFocalText(1855, 100), "19"); // printf rounding
    EXPECT_EQ(ExifApertureText(28, 0), ""); // never "inf"
    EXPECT_EQ(ExifFocalText(0, 0), "");
}

TEST(ExifField, flashLooksAtBitZeroOnly)
{
    EXPECT_EQ(ExifFlashText(0x0010), "Off");
    EXPECT_EQ(ExifFlashText(0x0019), "On");
    EXPECT_EQ(ExifFlashText(0x0001), "On");
    EXPECT_EQ(ExifFlashText(0x0100), "Off");
}

TEST(ExifField, asciiStopsAtTheFirstNulAndKeepsNonUtf8Bytes)
{
    EXPECT_EQ(ExifAsciiText(QByteArray("Canon\0junk", 10)), "Canon");
    EXPECT_EQ(ExifAsciiText(QByteArray("Appareil \xE9t\xE9")), QString::fromUtf8("Appareil été"));
    EXPECT_EQ(ExifAsciiText(QByteArray("Caf\xC3\xA9")), QString::fromUtf8("Café"));
    EXPECT_EQ(ExifAsciiText(QByteArray("Studio \x80 \x93") + "A\x94"), QString::fromUtf8("Studio € “A”"));
}

// Qt hands the user's locale to the C library; a French one writes "5,6".
// scripts/install-deps.sh generates fr_FR.UTF-8.
TEST(ExifField, numbersKeepTheirPointInAnyLocale)
{
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    bool comma = false;
    for (const char *name : {"fr_FR.UTF-8", "fr_FR.utf8", "de_DE.UTF-8", "de_DE.utf8"})
        comma = comma || std::setlocale(LC_NUMERIC, name) != nullptr;
    char sample[16];
    std::snprintf(sample, sizeof sample, "%.1f", 5.6);
    const QString aperture = ExifApertureText(56, 10);
    const QString exposure = ExifExposureText(10, 2500);
    std::setlocale(LC_NUMERIC, previous.c_str());
    ASSERT_TRUE(comma) << "no French or German locale: run scripts/install-deps.sh";
    ASSERT_STREQ(sample, "5,6");
    EXPECT_EQ(aperture, "5.6");
    EXPECT_EQ(exposure, "250");
}
