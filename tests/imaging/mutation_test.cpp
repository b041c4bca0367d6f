// Damaged copies of small files in every format: each must load or not, and
// build a thumbnail or answer a code, without crashing or hanging.
#include "imaging/picture.h"

#include "imaging/gifcodec.h"
#include "imagingtestsupport.h"

#include <QBuffer>
#include <QImageWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

using namespace testsupport;

namespace {

QList<QByteArray> Seeds()
{
    const QImage picture = Quadrants(48, 32);
    QByteArray gif;
    QBuffer buffer(&gif);
    buffer.open(QIODevice::WriteOnly);
    WriteGif(picture.convertToFormat(QImage::Format_Indexed8), buffer);
    // Large enough for the 32 x 24 box to be read from its DC scan alone.
    QByteArray progressive;
    QBuffer out(&progressive);
    out.open(QIODevice::WriteOnly);
    QImageWriter writer(&out, "jpeg");
    writer.setProgressiveScanWrite(true);
    writer.write(Quadrants(384, 256));
    return {Encode(picture, "jpeg", 80), progressive, Encode(picture, "png"), gif,
        Encode(picture.convertToFormat(QImage::Format_Indexed8), "bmp"), Encode(picture, "tiff"),
        Encode(picture, "webp"), EncodeHeif(picture, false), EncodeHeif(picture, true)};
}

QByteArray Mutate(QByteArray bytes, std::mt19937 &random)
{
    std::uniform_int_distribution<int> kind(0, 2);
    auto at = [&] { return std::uniform_int_distribution<qsizetype>(0, bytes.size() - 1)(random); };
    switch (kind(random)) {
    case 0: // flip a few bytes, headers included
        for (int i = 0; i < 4; ++i)
            bytes[at()] = char(random());
        break;
    case 1: // cut the tail
        bytes.truncate(at());
        break;
    default: // large values where sizes usually sit
        for (int i = 0; i < 2; ++i)
            bytes[std::min<qsizetype>(at() % 40, bytes.size() - 1)] = '\xFF';
        break;
    }
    return bytes;
}

} // namespace

TEST(DamagedFiles, neverCrashAndAnswerAKnownCode)
{
    QTemporaryDir dir;
    std::mt19937 random(20240601);
    const QList<QByteArray> seeds = Seeds();
    for (const QByteArray &seed : seeds)
        ASSERT_FALSE(seed.isEmpty());
    for (int round = 0; round < 300; ++round) {
        const QByteArray bytes = Mutate(seeds[round % seeds.size()], random);
        Picture image;
        const bool loaded = image.LoadFromMemory(bytes);
        EXPECT_EQ(loaded, image.GetSizeText() != "Not an Image") << round;
        const ThumbnailResult r = image.BuildThumbnail({dir.filePath("t"), 32, 24, 0, 0xFFFFFF, 85});
        if (!loaded)
            EXPECT_EQ(r, THUMB_NO_IMAGE) << round;
        else
            EXPECT_TRUE(r == THUMB_WRITTEN || r == THUMB_OUT_OF_MEMORY || r == THUMB_FAILED) << round << " " << r;
    }
}
