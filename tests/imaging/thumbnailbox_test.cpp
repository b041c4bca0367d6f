#include "imaging/thumbnailbox.h"

#include <gtest/gtest.h>

namespace {

BuildVignetteOptions Mode(int mode, int side = 128)
{
    BuildVignetteOptions o;
    o.IsPercentSize = mode;
    o.SmallestBiggestSize = side;
    return o;
}

} // namespace

TEST(ThumbnailBox, followsEachSizeMode)
{
    struct Row {
        int mode;
        unsigned w, h;
        ThumbnailBox box;
    };
    const Row rows[] = {
        {0, 1000, 1000, {128, 96, 0}}, {0, 10, 5000, {128, 96, 0}}, {1, 1024, 768, {102, 77, 1}},
        {2, 800, 600, {171, 128, 1}}, {2, 600, 800, {128, 171, 1}}, {3, 800, 600, {128, 96, 1}},
        {3, 600, 800, {96, 128, 1}}, {2, 500, 500, {128, 128, 1}}, {3, 500, 500, {128, 128, 1}},
        {4, 800, 600, {128, 96, 1}}, {4, 600, 800, {128, 171, 1}}, {5, 800, 600, {171, 128, 1}},
        {7, 800, 600, {171, 128, 1}}, // any other value is the height mode
        {4, 64, 48, {128, 96, 1}}, // a small source is enlarged
    };
    for (const Row &r : rows)
        EXPECT_EQ(ComputeThumbnailBox(Mode(r.mode), r.w, r.h), r.box)
            << "mode " << r.mode << " " << r.w << "x" << r.h;
}

TEST(ThumbnailBox, roundsHalfUp)
{
    // 100 / (3 / 2) = 66.67 -> 67; 3 / (2 / 1) = 1.5 -> 2; 5 / (2/1) = 2.5 -> 3
    EXPECT_EQ(ComputeThumbnailBox(Mode(4, 100), 3, 2).height, 67);
    EXPECT_EQ(ComputeThumbnailBox(Mode(4, 3), 2, 1).height, 2);
    EXPECT_EQ(ComputeThumbnailBox(Mode(5, 5), 1, 2).width, 3);
    // percent: (15 * 10 + 50) / 100 = 2, (14 * 10 + 50) / 100 = 1
    BuildVignetteOptions o = Mode(1);
    o.PercentSize = 10;
    EXPECT_EQ(ComputeThumbnailBox(o, 15, 14), (ThumbnailBox {2, 1, 1}));
}

// 128 x 93 / 256 is exactly 46.5: a double quotient 256 / 93 rounds up and
// lands the result just below the half, the extended one does not.
TEST(ThumbnailBox, roundsInExtendedPrecision)
{
    struct Row {
        int mode;
        unsigned w, h;
        ThumbnailBox box;
    };
    const Row rows[] = {
        {3, 256, 93, {128, 47, 1}},
        {3, 93, 256, {47, 128, 1}},
        {4, 256, 93, {128, 47, 1}},
        {5, 93, 256, {47, 128, 1}},
        {4, 256, 211, {128, 106, 1}},
    };
    for (const Row &r : rows)
        EXPECT_EQ(ComputeThumbnailBox(Mode(r.mode), r.w, r.h), r.box)
            << "mode " << r.mode << " " << r.w << "x" << r.h;
}

TEST(ThumbnailBox, readsAStoredZeroSideAs128)
{
    EXPECT_EQ(ComputeThumbnailBox(Mode(2, 0), 800, 600), (ThumbnailBox {171, 128, 1}));
}

TEST(ThumbnailBox, doesNotWrapOnHugeValues)
{
    BuildVignetteOptions o = Mode(1);
    o.PercentSize = 1000000;
    const ThumbnailBox box = ComputeThumbnailBox(o, 60000, 40000);
    EXPECT_GT(box.width, 0);
    EXPECT_GT(box.height, 0);
    o.PercentSize = -10;
    EXPECT_LE(ComputeThumbnailBox(o, 1000, 1000).width, 0);
}

TEST(ThumbnailPlacement, fixedBoxFitsAndCentres)
{
    struct Row {
        int bw, bh;
        unsigned w, h;
        ImagePlacement p;
    };
    const Row rows[] = {
        {128, 96, 1000, 1000, {16, 0, 96, 96}},
        {128, 96, 64, 48, {0, 0, 128, 96}}, // enlarged to touch the box
        {128, 96, 1000, 100, {0, 42, 128, 12}}, // 0.128 -> 128 x 12.8
        {128, 96, 1001, 750, {0, 0, 128, 96}}, // a one-pixel gap is absorbed
    };
    for (const Row &r : rows)
        EXPECT_EQ(PlaceInThumbnail(r.bw, r.bh, r.w, r.h, false), r.p) << r.w << "x" << r.h;
    EXPECT_EQ(PlaceInThumbnail(102, 77, 1024, 768, true), (ImagePlacement {0, 0, 102, 77}));
}

TEST(ThumbnailPlacement, fittedDrawingNeverEnlarges)
{
    EXPECT_EQ(PlaceFitted(200, 200, 100, 50), (ImagePlacement {50, 75, 100, 50}));
    EXPECT_EQ(PlaceFitted(200, 100, 400, 400), (ImagePlacement {50, 0, 100, 100}));
    EXPECT_EQ(PlaceFitted(200, 100, 0, 400), ImagePlacement {});
}
