#pragma once
// What a GIF says about its playback, read from the file's own blocks without
// decoding pixels: the preview plays frames by it.

#include <QByteArray>
#include <QList>

// loopCount is the NETSCAPE2.0 value (0: endless) or -1 when the file has no
// such block; delays are in hundredths of a second, one per frame (0 for a
// frame without a graphic control block).
struct GifTiming {
    int frameCount = 0;
    int loopCount = -1;
    QList<int> delays;
    bool hasDelays = false;
};

// A damaged file gives the frames whose data ends before the damage.
GifTiming ReadGifTiming(const QByteArray &bytes);
