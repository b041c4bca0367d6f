#include "cli/thumbarguments.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(ThumbArguments, defaultsAreTheGalleryDefaults)
{
    const ThumbArguments a = ParseThumbArguments({"a.jpg", "b.png"}, 3);
    ASSERT_TRUE(a.error.isEmpty());
    EXPECT_EQ(a.options, BuildVignetteOptions());
    EXPECT_EQ(a.jobs, 3);
    EXPECT_EQ(a.files, QStringList({"a.jpg", "b.png"}));
}

TEST(ThumbArguments, readsEveryOption)
{
    const ThumbArguments a = ParseThumbArguments(
        {"--mode", "0", "--percent=25", "--box", "200x150", "--side", "64", "--background", "FF8000",
            "--quality", "70", "--presuffix", "vign\\t_", "--suffix", "--jobs", "2", "x.jpg"},
        8);
    ASSERT_TRUE(a.error.isEmpty()) << a.error.toStdString();
    EXPECT_EQ(a.options.IsPercentSize, 0);
    EXPECT_EQ(a.options.PercentSize, 25);
    EXPECT_EQ(a.options.FixedSize, (SizeCxCy {200, 150}));
    EXPECT_EQ(a.options.SmallestBiggestSize, 64);
    EXPECT_EQ(a.options.BackgroundColor, 0x0080FFu); // red in the low byte
    EXPECT_EQ(a.options.JpegQuality, 70);
    EXPECT_EQ(a.options.PreSuffixe, "vign" + QString(QDir::separator()) + "t_");
    EXPECT_EQ(a.options.WithPrefixe, 0);
    EXPECT_EQ(a.jobs, 2);
    EXPECT_EQ(a.files, QStringList({"x.jpg"}));
}

TEST(ThumbArguments, refusesBadValuesWithAMessage)
{
    const QStringList bad[] = {
        {"--mode", "6", "a.jpg"},
        {"--mode", "x", "a.jpg"},
        {"--box", "128", "a.jpg"},
        {"--box", "0x96", "a.jpg"},
        {"--background", "12345", "a.jpg"},
        {"--quality", "101", "a.jpg"},
        {"--jobs", "0", "a.jpg"},
        {"--frobnicate", "a.jpg"},
        {"a.jpg", "--side"},
        {"--percent", "10"},
    };
    for (const QStringList &args : bad)
        EXPECT_FALSE(ParseThumbArguments(args, 1).error.isEmpty()) << args.join(' ').toStdString();
}

TEST(ThumbArguments, takesEverythingAfterADoubleDashAsFiles)
{
    const ThumbArguments a = ParseThumbArguments({"--", "--mode", "b.jpg"}, 1);
    ASSERT_TRUE(a.error.isEmpty());
    EXPECT_EQ(a.files, QStringList({"--mode", "b.jpg"}));
}
