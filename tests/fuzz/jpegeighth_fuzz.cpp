// Fuzz entry point of the eighth-size JPEG decoder, for libFuzzer: any input,
// in both of its chroma modes, must be decoded or refused without a fault.
// That its pictures are libjpeg's is checked by the imaging tests.
#include "imaging/jpegeighth.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    bool memory = false;
    DecodeJpegEighth(bytes, QSize(1, 1), qint64(64) << 20, &memory);
    DecodeJpegEighth(bytes, QSize(1 << 20, 1 << 20), qint64(64) << 20, &memory);
    return 0;
}
