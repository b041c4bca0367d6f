#include "shell/preview/gifanimation.h"

#include <QTimer>

namespace {

class TimerClock : public FrameClock {
public:
    explicit TimerClock(std::function<void()> fired)
    {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, std::move(fired));
    }
    void Start(int ms) override { m_timer.start(ms); }
    void Stop() override { m_timer.stop(); }

private:
    QTimer m_timer;
};

} // namespace

std::unique_ptr<FrameClock> MakeTimerClock(std::function<void()> fired)
{
    return std::make_unique<TimerClock>(std::move(fired));
}

int GifAnimation::DelayMs(int frame) const
{
    const int delay = frame < m_timing.delays.size() ? m_timing.delays[frame] : 0;
    return delay > 0 ? delay * 10 : 100;
}

void GifAnimation::Start(const GifTiming &timing)
{
    m_timing = timing;
    m_frame = 0;
    m_loopsLeft = timing.loopCount == 0 ? -2 : timing.loopCount;
    m_clock.Stop();
    if (!m_enabled || m_timing.frameCount < 2 || m_loopsLeft == 0)
        return;
    // A file without any delay block moves on at once; a delay of 0 is shown
    // as long as later frames of 0 are, not skipped.
    m_clock.Start(m_timing.hasDelays ? DelayMs(0) : 10);
}

void GifAnimation::Stop()
{
    m_clock.Stop();
    m_timing = GifTiming();
    m_frame = -1;
    m_loopsLeft = -1;
}

void GifAnimation::SetEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (!enabled)
        m_clock.Stop();
    else if (m_frame >= 0)
        Start(m_timing);
}

void GifAnimation::Tick()
{
    m_clock.Stop();
    if (!m_enabled || m_frame < 0 || m_timing.frameCount < 2)
        return;
    if (++m_frame >= m_timing.frameCount) {
        if (m_loopsLeft > 0)
            --m_loopsLeft;
        m_frame = m_loopsLeft != 0 ? 0 : m_timing.frameCount - 1;
    }
    if (m_loopsLeft != 0)
        m_clock.Start(DelayMs(m_frame));
}
