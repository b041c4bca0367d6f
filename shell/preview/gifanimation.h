#pragma once
// Playing a multi-frame GIF: which frame shows and for how long, by the
// timing read from the file; the clock is injected so the loop and delay
// rules run in tests without waiting.

#include "imaging/giftiming.h"

#include <functional>
#include <memory>

// A one-shot timer.
class FrameClock {
public:
    virtual ~FrameClock() = default;
    virtual void Start(int ms) = 0;
    virtual void Stop() = 0;
};

// A QTimer calling `fired` on the thread that created it.
std::unique_ptr<FrameClock> MakeTimerClock(std::function<void()> fired);

class GifAnimation {
public:
    explicit GifAnimation(FrameClock &clock)
        : m_clock(clock)
    {
    }

    // Frame 0 with a fresh loop count; the clock runs for the first frame.
    void Start(const GifTiming &timing);
    // Nothing animates; Frame() is -1.
    void Stop();
    // Off freezes the current frame; on restarts from frame 0.
    void SetEnabled(bool enabled);
    // The clock fired: show the next frame and time it.
    void Tick();

    int Frame() const { return m_frame; }
    // -1: not read (plays on), -2: endless, else the plays left.
    int LoopsLeft() const { return m_loopsLeft; }

private:
    int DelayMs(int frame) const;

    FrameClock &m_clock;
    GifTiming m_timing;
    bool m_enabled = true;
    int m_frame = -1;
    int m_loopsLeft = -1;
};
