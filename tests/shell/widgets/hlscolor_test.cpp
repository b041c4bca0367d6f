#include "shell/widgets/hlscolor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

// Beside the types (global namespace) so that gtest finds them.
static std::ostream &operator<<(std::ostream &out, const RgbColor &c)
{
    return out << "rgb(" << c.red << ", " << c.green << ", " << c.blue << ")";
}

static std::ostream &operator<<(std::ostream &out, const HlsColor &c)
{
    return out << "hls(" << c.hue << ", " << c.luminance << ", " << c.saturation << ")";
}

TEST(HlsColor, primariesAndSecondariesSitOnSixthsOfTheCircleBothWays)
{
    struct Row {
        RgbColor rgb;
        HlsColor hls;
    };
    const Row rows[] = {
        {{255, 0, 0}, {0, 126, 252}},
        {{255, 255, 0}, {42, 126, 252}},
        {{0, 255, 0}, {84, 126, 252}},
        {{0, 255, 255}, {126, 126, 252}},
        {{0, 0, 255}, {168, 126, 252}},
        {{255, 0, 255}, {210, 126, 252}},
        {{255, 255, 255}, {168, 252, 0}},
        {{0, 0, 0}, {168, 0, 0}},
    };
    for (const Row &r : rows) {
        EXPECT_EQ(RgbToHls(r.rgb), r.hls) << r.rgb;
        EXPECT_EQ(HlsToRgb(r.hls), r.rgb) << r.hls;
    }
}

TEST(HlsColor, greysHaveNoSaturationAndTheGreyHueWhateverHueIsAsked)
{
    for (int g = 0; g <= 255; ++g) {
        const HlsColor hls = RgbToHls({g, g, g});
        EXPECT_EQ(hls.saturation, 0) << g;
        EXPECT_EQ(hls.hue, 168) << g;
        for (int hue = 0; hue <= 252; hue += 12) {
            const RgbColor back = HlsToRgb({hue, hls.luminance, 0});
            ASSERT_TRUE(back.red == back.green && back.green == back.blue) << g << " hue " << hue;
            ASSERT_LE(std::abs(back.red - g), 1) << g;
        }
    }
}

TEST(HlsColor, redAboveBlueAboveGreenWrapsToTheEndOfTheCircle)
{
    const HlsColor pinkish = RgbToHls({255, 0, 128});
    EXPECT_GE(pinkish.hue, 211);
    EXPECT_LE(pinkish.hue, 251);
    // The raw hue lies in -42..0: it either rounds to red itself or wraps
    // onto the magenta end, never past the circle.
    for (int g = 0; g < 254; ++g)
        for (int b = g + 1; b < 255; ++b) {
            const int hue = RgbToHls({255, g, b}).hue;
            ASSERT_TRUE(hue == 0 || (hue >= 210 && hue <= 251)) << g << " " << b << " -> " << hue;
        }
}

TEST(HlsColor, everyColourComesBackWithinOneHueStep)
{
    // A saturated component moves by up to ~6 units per hue step (255 / 42),
    // so half a step plus rounding bounds the error at 4.
    int worst = 0;
    for (int r = 0; r <= 255; ++r)
        for (int g = 0; g <= 255; ++g)
            for (int b = 0; b <= 255; ++b) {
                const RgbColor rgb {r, g, b};
                const HlsColor hls = RgbToHls(rgb);
                ASSERT_TRUE(hls.hue >= 0 && hls.hue < 252 && hls.luminance >= 0 && hls.luminance <= 252
                    && hls.saturation >= 0 && hls.saturation <= 252)
                    << rgb << " " << hls;
                const RgbColor back = HlsToRgb(hls);
                const int error
                    = std::max({std::abs(back.red - r), std::abs(back.green - g), std::abs(back.blue - b)});
                ASSERT_LE(error, 4) << rgb << " -> " << hls << " -> " << back;
                worst = std::max(worst, error);
            }
    EXPECT_GT(worst, 1); // the bound is not vacuous: hue really is coarser than RGB
}

TEST(HlsColor, outOfRangeInputsAreClampedNotWrapped)
{
    EXPECT_EQ(HlsToRgb({300, 300, 300}), (RgbColor {255, 255, 255}));
    EXPECT_EQ(HlsToRgb({-5, 126, 252}), (RgbColor {255, 0, 0}));
    EXPECT_EQ(RgbToHls({300, -4, -4}), RgbToHls({255, 0, 0}));
}

TEST(HlsColor, colorRefKeepsRedInTheLowByte)
{
    EXPECT_EQ(ColorRefFromRgb({0x12, 0x34, 0x56}), 0x563412u);
    EXPECT_EQ(RgbFromColorRef(0xFF563412), (RgbColor {0x12, 0x34, 0x56}));
    EXPECT_EQ(QColorFromColorRef(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(ColorRefFromQColor(QColor(0, 0, 255)), 0xFF0000u);
    EXPECT_EQ(HtmlColorCode({255, 10, 171}), QStringLiteral("#FF0AAB"));
}
