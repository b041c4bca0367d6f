#include "imaging/picture.h"

#include "imagingtestsupport.h"

#include <QPainter>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

using namespace testsupport;

namespace {

QImage Drawing(Picture &image)
{
    QImage target(100, 100, QImage::Format_RGB32);
    QPainter painter(&target);
    image.DrawFit(painter, target.rect(), Qt::white);
    return target;
}

} // namespace

// The preview redraws while another file is loaded into the same object: every
// drawing shows one whole picture or the face colour, never a mixture.
TEST(ConcurrencyImageLock, drawingWhileLoadingShowsOnePictureOrTheFace)
{
    QImage red(80, 60, QImage::Format_RGB32), blue(60, 80, QImage::Format_RGB32);
    red.fill(Qt::red);
    blue.fill(Qt::blue);
    const QByteArray redPng = Encode(red, "png"), bluePng = Encode(blue, "png");

    // Each picture drawn alone, the way a quiet preview shows it.
    Picture reference;
    QImage face(100, 100, QImage::Format_RGB32);
    face.fill(Qt::white);
    ASSERT_EQ(Drawing(reference), face);
    ASSERT_TRUE(reference.LoadFromMemory(redPng));
    const QImage redDrawn = Drawing(reference);
    ASSERT_TRUE(reference.LoadFromMemory(bluePng));
    const QImage blueDrawn = Drawing(reference);
    ASSERT_EQ(ColourClass(redDrawn.pixel(50, 50)), 'r');
    ASSERT_EQ(ColourClass(blueDrawn.pixel(50, 50)), 'b');
    ASSERT_NE(redDrawn, face);
    ASSERT_NE(blueDrawn, face);

    Picture image;
    std::atomic<bool> done {false};
    std::thread loader([&] {
        for (int i = 0; i < 60; ++i)
            image.LoadFromMemory(i % 2 ? bluePng : redPng);
        done = true;
    });
    int draws = 0, mixed = 0;
    while (!done || draws == 0) {
        const QImage drawn = Drawing(image);
        mixed += drawn != redDrawn && drawn != blueDrawn && drawn != face;
        ++draws;
    }
    loader.join();
    EXPECT_EQ(mixed, 0) << "of " << draws << " drawings";
}
