// GIF playback: the timing read from the file's blocks (a damaged file too),
// and the loop and delay rules driven by a clock the test fires by hand.
#include "shell/preview/gifanimation.h"
#include "shell/preview/previewdecoder.h"

#include <gtest/gtest.h>

namespace {

// A GIF of 1 x 1 frames. delays: one per frame, -1 for a frame without a
// graphic control block; loop: the NETSCAPE2.0 value, -1 for none.
QByteArray MakeGif(const QList<int> &delays, int loop)
{
    QByteArray b("GIF89a\x01\x00\x01\x00\x80\x00\x00", 13);
    b += QByteArray("\xff\xff\xff\x00\x00\x00", 6); // global colour table, 2 entries
    if (loop >= 0) {
        b += QByteArray("\x21\xff\x0bNETSCAPE2.0\x03\x01", 16);
        b += char(loop & 0xFF);
        b += char(loop >> 8);
        b += '\0';
    }
    for (int delay : delays) {
        if (delay >= 0) {
            b += QByteArray("\x21\xf9\x04\x00", 4);
            b += char(delay & 0xFF);
            b += char(delay >> 8);
            b += QByteArray("\x00\x00", 2);
        }
        b += QByteArray("\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00", 15);
    }
    b += ';';
    return b;
}

class FakeClock : public FrameClock {
public:
    void Start(int ms) override { running = ms; }
    void Stop() override { running = -1; }
    int running = -1; // the pending delay, -1 when stopped
};

struct Played {
    QList<int> frames;
    QList<int> delays;
};

// Fires the clock while it runs, at most `ticks` times.
Played Play(GifAnimation &animation, FakeClock &clock, int ticks)
{
    Played p;
    for (int i = 0; i < ticks && clock.running >= 0; ++i) {
        animation.Tick();
        p.frames.append(animation.Frame());
        p.delays.append(clock.running);
    }
    return p;
}

} // namespace

TEST(GifTiming, readsFramesDelaysAndLoopCount)
{
    const GifTiming t = ReadGifTiming(MakeGif({5, 0, 12}, 2));
    EXPECT_EQ(t.frameCount, 3);
    EXPECT_EQ(t.loopCount, 2);
    EXPECT_EQ(t.delays, (QList<int> {5, 0, 12}));
    EXPECT_TRUE(t.hasDelays);
}

TEST(GifTiming, tellsAbsentBlocksFromZeroValues)
{
    const GifTiming bare = ReadGifTiming(MakeGif({-1, -1}, -1));
    EXPECT_EQ(bare.frameCount, 2);
    EXPECT_EQ(bare.loopCount, -1);
    EXPECT_FALSE(bare.hasDelays);
    EXPECT_EQ(ReadGifTiming(MakeGif({1, 1}, 0)).loopCount, 0);
}

TEST(GifTiming, aDamagedFileGivesTheWholeFramesBeforeTheDamage)
{
    const QByteArray gif = MakeGif({4, 5, 6}, 0);
    // Cut in the last frame's pixel data (the trailer and 3 bytes before it),
    // then in its control block (the 15 bytes of the frame and 4 more).
    for (const qsizetype cut : {4, 20}) {
        const GifTiming t = ReadGifTiming(gif.left(gif.size() - cut));
        EXPECT_EQ(t.frameCount, 2) << cut;
        EXPECT_EQ(t.delays, (QList<int> {4, 5})) << cut;
    }
    EXPECT_EQ(ReadGifTiming(QByteArray("GIF8")).frameCount, 0);
    EXPECT_EQ(ReadGifTiming(QByteArray("\x89PNG\r\n\x1a\n....")).frameCount, 0);

    // Counting a frame that cannot be decoded would make the whole animation a still picture.
    const PreviewImage shown = DecodePreview(gif.left(gif.size() - 4), QSize(10, 10), QSize(), {});
    EXPECT_EQ(shown.frames.size(), 2);
    EXPECT_EQ(shown.timing.frameCount, 2);
}

TEST(GifAnimation, loopCountTwoPlaysTwiceAndStaysOnTheLastFrame)
{
    FakeClock clock;
    GifAnimation animation(clock);
    animation.Start(ReadGifTiming(MakeGif({3, 3, 3}, 2)));
    EXPECT_EQ(animation.Frame(), 0);
    EXPECT_EQ(clock.running, 30);
    const Played p = Play(animation, clock, 50);
    EXPECT_EQ(p.frames, (QList<int> {1, 2, 0, 1, 2, 2}));
    EXPECT_EQ(clock.running, -1);
    EXPECT_EQ(animation.Frame(), 2);
}

TEST(GifAnimation, loopCountZeroLoopsForever)
{
    FakeClock clock;
    GifAnimation animation(clock);
    animation.Start(ReadGifTiming(MakeGif({2, 2}, 0)));
    EXPECT_EQ(animation.LoopsLeft(), -2);
    const Played p = Play(animation, clock, 41);
    EXPECT_EQ(p.frames.size(), 41);
    EXPECT_EQ(p.frames.last(), 1);
    EXPECT_EQ(clock.running, 20);
}

TEST(GifAnimation, zeroDelaysShowForATenthOfASecond)
{
    FakeClock clock;
    GifAnimation animation(clock);
    animation.Start(ReadGifTiming(MakeGif({7, 0, 25}, 0)));
    EXPECT_EQ(clock.running, 70);
    EXPECT_EQ(Play(animation, clock, 3).delays, (QList<int> {100, 250, 70}));

    // Without any delay block the first frame moves on almost at once.
    animation.Start(ReadGifTiming(MakeGif({-1, -1}, 0)));
    EXPECT_EQ(clock.running, 10);
    EXPECT_EQ(Play(animation, clock, 2).delays, (QList<int> {100, 100}));
}

TEST(GifAnimation, turningAnimationBackOnRestartsFromTheFirstFrame)
{
    FakeClock clock;
    GifAnimation animation(clock);
    animation.Start(ReadGifTiming(MakeGif({4, 4, 4}, 1)));
    Play(animation, clock, 1);
    animation.SetEnabled(false);
    EXPECT_EQ(clock.running, -1);
    animation.Tick(); // a late tick changes nothing
    EXPECT_EQ(animation.Frame(), 1);
    animation.SetEnabled(true);
    EXPECT_EQ(animation.Frame(), 0);
    EXPECT_EQ(animation.LoopsLeft(), 1);
    EXPECT_EQ(clock.running, 40);
}
