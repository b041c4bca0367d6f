#include "shell/preview/gifanimation.h"

#include <QTimer>

namespace {

// Sub-blocks end at a zero length; answers the offset after them, or -1.
qsizetype SkipSubBlocks(const QByteArray &b, qsizetype at)
{
    while (at < b.size()) {
        const int length = quint8(b[at]);
        ++at;
        if (length == 0)
            return at;
        at += length;
    }
    return -1;
}

int Word(const QByteArray &b, qsizetype at)
{
    return quint8(b[at]) | (quint8(b[at + 1]) << 8);
}

qsizetype ColourTableBytes(quint8 flags)
{
    return (flags & 0x80) ? 3 * (qsizetype(2) << (flags & 7)) : 0;
}

// A graphic control or NETSCAPE2.0 block starting at `at` (after 0x21).
void ReadExtension(const QByteArray &b, qsizetype at, GifTiming &t, int *pendingDelay)
{
    const quint8 label = quint8(b[at]);
    if (label == 0xF9 && at + 5 < b.size() && quint8(b[at + 1]) >= 4) {
        *pendingDelay = Word(b, at + 3);
        t.hasDelays = true;
    } else if (label == 0xFF && at + 16 < b.size() && quint8(b[at + 1]) == 11
        && b.mid(at + 2, 11) == "NETSCAPE2.0" && quint8(b[at + 13]) >= 3 && quint8(b[at + 14]) == 1) {
        t.loopCount = Word(b, at + 15);
    }
}

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

GifTiming ReadGifTiming(const QByteArray &b)
{
    GifTiming t;
    if (b.size() < 13 || !b.startsWith("GIF"))
        return t;
    qsizetype at = 13 + ColourTableBytes(quint8(b[10]));
    int pendingDelay = -1;
    while (at >= 0 && at < b.size()) {
        const quint8 kind = quint8(b[at]);
        if (kind == 0x21 && at + 1 < b.size()) {
            ReadExtension(b, at + 1, t, &pendingDelay);
            at = SkipSubBlocks(b, at + 2);
        } else if (kind == 0x2C && at + 10 < b.size()) {
            ++t.frameCount;
            // Frames without a control block of their own count as delay 0.
            t.delays.append(pendingDelay < 0 ? 0 : pendingDelay);
            pendingDelay = -1;
            at += 10 + ColourTableBytes(quint8(b[at + 9]));
            at = SkipSubBlocks(b, at + 1); // after the LZW code size
        } else {
            break; // trailer or damage
        }
    }
    return t;
}

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
