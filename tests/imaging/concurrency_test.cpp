#include "imaging/picture.h"

#include "imagingtestsupport.h"

#include <QPainter>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

using namespace testsupport;

// The preview redraws while another file is loaded into the same object: every
// drawing shows one whole picture or the face colour, never a mixture.
TEST(ConcurrencyImageLock, drawingWhileLoadingShowsOnePictureOrTheFace)
{
    QImage red(80, 60, QImage::Format_RGB32), blue(60, 80, QImage::Format_RGB32);
    red.fill(Qt::red);
    blue.fill(Qt::blue);
    const QByteArray redPng = Encode(red, "png"), bluePng = Encode(blue, "png");
    Picture image;
    std::atomic<bool> done {false};
    std::thread loader([&] {
        for (int i = 0; i < 60; ++i)
            image.LoadFromMemory(i % 2 ? bluePng : redPng);
        done = true;
    });
    int draws = 0;
    while (!done || draws == 0) {
        QImage target(100, 100, QImage::Format_RGB32);
        {
            QPainter painter(&target);
            image.DrawFit(painter, target.rect(), Qt::white);
        }
        const char centre = ColourClass(target.pixel(50, 50));
        EXPECT_TRUE(centre == 'r' || centre == 'b' || centre == 'w') << centre;
        ++draws;
    }
    loader.join();
}
