// Fuzz entry point of the HEIF and AVIF probe, for libFuzzer: what runs on
// every file added (the brand test, then the boxes and the camera's EXIF),
// never the pixels, which are libheif's decoders' own work.
#include "imaging/heifreader.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Not copied: a read past the end must reach the address checks.
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    if (HeifFormatOf(bytes.left(4096)).isEmpty())
        return 0;
    HeifInfo info;
    if (ProbeHeif(QString(), bytes, &info) && (info.size.isEmpty() || info.meta.orientation != 1)) {
        std::fprintf(stderr, "HEIF probe: accepted an empty or unturned picture\n");
        std::abort();
    }
    return 0;
}
