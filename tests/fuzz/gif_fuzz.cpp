// Fuzz entry point of the GIF readers, for libFuzzer or the mutation driver:
// the palette a thumbnail keeps and the frame timing the preview plays by.
// Beyond surviving any input, what they read must be possible in a GIF, and a
// file cut short must give the first frames of the whole one, no others.
#include "imaging/gifcodec.h"
#include "imaging/giftiming.h"

#include <QBuffer>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {
[[noreturn]] void Fail(const char *what)
{
    std::fprintf(stderr, "GIF readers: %s\n", what);
    std::abort();
}

void CheckPalette(QByteArray &bytes)
{
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    const qsizetype colours = ReadGifPalette(device).size();
    // A colour table holds 2, 4, ... 256 entries.
    if (colours == 1 || colours > 256 || (colours & (colours - 1)) != 0)
        Fail("a palette size no GIF can have");
}

void CheckTiming(const GifTiming &t, qsizetype size)
{
    // The header takes 13 bytes; a frame at least 12 (descriptor, code size, end).
    if (t.frameCount < 0 || t.delays.size() != t.frameCount
        || (t.frameCount > 0 && 13 + 12 * qsizetype(t.frameCount) > size))
        Fail("more frames than the bytes can hold");
    if (t.loopCount < -1 || t.loopCount > 0xFFFF)
        Fail("a loop count outside 16 bits");
    for (int delay : t.delays) {
        if (delay < 0 || delay > 0xFFFF || (delay != 0 && !t.hasDelays))
            Fail("a delay no control block gave");
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Not copied: a read past the end must reach the address checks.
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    CheckPalette(bytes);
    const GifTiming whole = ReadGifTiming(bytes);
    CheckTiming(whole, bytes.size());

    // The cut point comes from the input itself, so each input is checked alike on every run.
    const std::size_t cut = size == 0 ? 0 : size * data[size - 1] / 256;
    const auto head = std::make_unique<char[]>(cut);
    std::copy(data, data + cut, head.get());
    const GifTiming part = ReadGifTiming(QByteArray::fromRawData(head.get(), qsizetype(cut)));
    CheckTiming(part, qsizetype(cut));
    if (part.frameCount > whole.frameCount || part.delays != whole.delays.first(part.frameCount))
        Fail("a file cut short gave other frames than the whole file's first");
    return 0;
}
