#include "imaging/giftiming.h"

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
            // A frame whose data is cut short is not shown: Qt's reader stops before it.
            at = SkipSubBlocks(b, at + 11 + ColourTableBytes(quint8(b[at + 9]))); // after the LZW code size
            if (at < 0)
                break;
            ++t.frameCount;
            // Frames without a control block of their own count as delay 0.
            t.delays.append(pendingDelay < 0 ? 0 : pendingDelay);
            pendingDelay = -1;
        } else {
            break; // trailer or damage
        }
    }
    return t;
}
