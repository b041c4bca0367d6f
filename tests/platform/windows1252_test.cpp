#include "platform/windows1252.h"

#include <gtest/gtest.h>

TEST(Windows1252, everyByteSurvivesARoundTrip)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    QByteArray back;
    ASSERT_TRUE(ToWindows1252(FromWindows1252(all), &back));
    EXPECT_EQ(back, all);
}

TEST(Windows1252, decodesTheHighControlsRangeToItsPrintableCharacters)
{
    struct Row {
        char byte;
        char16_t expected;
    };
    const Row rows[] = {{'\x80', 0x20AC}, {'\x8C', 0x0152}, {'\x92', 0x2019}, {'\x9C', 0x0153},
                        {'\x9F', 0x0178}, {'\x81', 0x0081}, {'\xE9', 0x00E9}, {'\xA0', 0x00A0}};
    for (const Row &row : rows)
        EXPECT_EQ(FromWindows1252(QByteArray(1, row.byte)), QString(QChar(row.expected))) << int(row.expected);
}

TEST(Windows1252, refusesCharactersOutsideTheCodePage)
{
    QByteArray out;
    EXPECT_FALSE(ToWindows1252(QString::fromUtf8("Łódź"), &out));
    EXPECT_FALSE(ToWindows1252(QString(QChar(0x0080)), &out)); // a C1 control the euro sign replaces
    EXPECT_TRUE(ToWindows1252(QString::fromUtf8("Noël à 5 €"), &out));
    EXPECT_EQ(out, QByteArray("No\xEBl \xE0 5 \x80"));
}
