#include "imaging/gifcodec.h"

#include <QIODevice>
#include <gif_lib.h>
#include <memory>
#include <vector>

namespace {

int ReadFromDevice(GifFileType *gif, GifByteType *buffer, int length)
{
    auto *device = static_cast<QIODevice *>(gif->UserData);
    return static_cast<int>(device->read(reinterpret_cast<char *>(buffer), length));
}

int WriteToDevice(GifFileType *gif, const GifByteType *buffer, int length)
{
    auto *device = static_cast<QIODevice *>(gif->UserData);
    return static_cast<int>(device->write(reinterpret_cast<const char *>(buffer), length));
}

struct DecoderCloser {
    void operator()(GifFileType *gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
struct MapFreer {
    void operator()(ColorMapObject *map) const { GifFreeMapObject(map); }
};

// Walks the records up to the first frame: the graphic control block before it
// gives the transparent index, its descriptor the local colour table.
void ScanFirstFrame(GifFileType *gif, int &transparent, std::unique_ptr<ColorMapObject, MapFreer> &local)
{
    GifRecordType type;
    while (DGifGetRecordType(gif, &type) == GIF_OK) {
        if (type == IMAGE_DESC_RECORD_TYPE) {
            if (DGifGetImageDesc(gif) == GIF_OK && gif->Image.ColorMap)
                local.reset(GifMakeMapObject(gif->Image.ColorMap->ColorCount, gif->Image.ColorMap->Colors));
            return;
        }
        if (type != EXTENSION_RECORD_TYPE)
            return;
        int code = 0;
        GifByteType *block = nullptr;
        if (DGifGetExtension(gif, &code, &block) != GIF_OK)
            return;
        if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4) {
            GraphicsControlBlock gcb;
            if (DGifExtensionToGCB(block[0], block + 1, &gcb) == GIF_OK)
                transparent = gcb.TransparentColor;
        }
        while (block) {
            if (DGifGetExtensionNext(gif, &block) != GIF_OK)
                return;
        }
    }
}

} // namespace

QList<QRgb> ReadGifPalette(QIODevice &device)
{
    int error = 0;
    std::unique_ptr<GifFileType, DecoderCloser> gif(DGifOpen(&device, ReadFromDevice, &error));
    if (!gif)
        return {};
    int transparent = NO_TRANSPARENT_COLOR;
    std::unique_ptr<ColorMapObject, MapFreer> local;
    ScanFirstFrame(gif.get(), transparent, local);
    // The first frame is the picture: its own table, when it has one, holds its colours.
    const ColorMapObject *map = local ? local.get() : gif->SColorMap;
    QList<QRgb> palette;
    if (!map)
        return palette;
    for (int i = 0; i < map->ColorCount && i < 256; ++i) {
        const GifColorType &c = map->Colors[i];
        palette.append(i == transparent ? qRgba(c.Red, c.Green, c.Blue, 0) : qRgb(c.Red, c.Green, c.Blue));
    }
    return palette;
}

bool WriteGif(const QImage &indexed, QIODevice &device)
{
    if (indexed.format() != QImage::Format_Indexed8 || indexed.colorCount() == 0
        || indexed.colorCount() > 256)
        return false;
    const QList<QRgb> table = indexed.colorTable();
    int bits = 1;
    while ((1 << bits) < table.size())
        ++bits;
    std::unique_ptr<ColorMapObject, MapFreer> map(GifMakeMapObject(1 << bits, nullptr));
    if (!map)
        return false;
    int transparent = NO_TRANSPARENT_COLOR;
    for (int i = 0; i < (1 << bits); ++i) {
        const QRgb c = i < table.size() ? table[i] : qRgb(0, 0, 0);
        map->Colors[i] = GifColorType {GifByteType(qRed(c)), GifByteType(qGreen(c)), GifByteType(qBlue(c))};
        if (i < table.size() && qAlpha(c) == 0 && transparent == NO_TRANSPARENT_COLOR)
            transparent = i;
    }

    int error = 0;
    GifFileType *gif = EGifOpen(&device, WriteToDevice, &error);
    if (!gif)
        return false;
    // Transparency needs the 89a header, which the screen descriptor writes.
    EGifSetGifVersion(gif, transparent != NO_TRANSPARENT_COLOR);
    bool ok = EGifPutScreenDesc(gif, indexed.width(), indexed.height(), bits, 0, map.get()) == GIF_OK;
    if (ok && transparent != NO_TRANSPARENT_COLOR) {
        GraphicsControlBlock gcb {DISPOSAL_UNSPECIFIED, false, 0, transparent};
        GifByteType extension[4];
        const size_t length = EGifGCBToExtension(&gcb, extension);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) == GIF_OK;
    }
    ok = ok && EGifPutImageDesc(gif, 0, 0, indexed.width(), indexed.height(), false, nullptr) == GIF_OK;
    std::vector<GifPixelType> row(static_cast<size_t>(indexed.width()));
    for (int y = 0; ok && y < indexed.height(); ++y) {
        const uchar *line = indexed.constScanLine(y);
        std::copy(line, line + indexed.width(), row.begin());
        ok = EGifPutLine(gif, row.data(), indexed.width()) == GIF_OK;
    }
    // Closing writes the trailer and frees the handle even after a failure.
    const bool closed = EGifCloseFile(gif, &error) == GIF_OK;
    return ok && closed;
}
