#include "imaging/palettequantizer.h"

#include <gtest/gtest.h>

TEST(QuantizeToPalette, picksTheNearestEntryOverAllFourChannels)
{
    QImage picture(3, 1, QImage::Format_ARGB32);
    picture.setPixel(0, 0, qRgb(250, 10, 10));
    picture.setPixel(1, 0, qRgba(0, 0, 0, 0));
    picture.setPixel(2, 0, qRgb(20, 20, 240));
    const QList<QRgb> palette = {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgba(0, 0, 0, 0), qRgb(0, 0, 255)};
    const QImage indexed = QuantizeToPalette(picture, palette);
    ASSERT_EQ(indexed.format(), QImage::Format_Indexed8);
    EXPECT_EQ(indexed.colorTable(), palette);
    EXPECT_EQ(indexed.pixelIndex(0, 0), 1);
    EXPECT_EQ(indexed.pixelIndex(1, 0), 2); // alpha tells transparent black from black
    EXPECT_EQ(indexed.pixelIndex(2, 0), 3);
}

TEST(QuantizeToPalette, tiesGoToTheLowerIndex)
{
    QImage picture(1, 1, QImage::Format_ARGB32);
    picture.setPixel(0, 0, qRgb(100, 100, 100));
    const QList<QRgb> palette = {qRgb(90, 100, 100), qRgb(110, 100, 100), qRgb(100, 100, 90)};
    EXPECT_EQ(QuantizeToPalette(picture, palette).pixelIndex(0, 0), 0);
    const QList<QRgb> reversed = {qRgb(110, 100, 100), qRgb(90, 100, 100)};
    EXPECT_EQ(QuantizeToPalette(picture, reversed).pixelIndex(0, 0), 0);
}

TEST(QuantizeToPalette, refusesAnEmptyOrOversizedPalette)
{
    QImage picture(2, 2, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    EXPECT_TRUE(QuantizeToPalette(picture, {}).isNull());
    EXPECT_TRUE(QuantizeToPalette(picture, QList<QRgb>(257, qRgb(1, 2, 3))).isNull());
}
