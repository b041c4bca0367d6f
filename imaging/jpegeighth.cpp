#include "imaging/jpegeighth.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

namespace {

constexpr int kLookBits = 10;
constexpr int kRunBits = 12;

// Canonical Huffman codes as the file defines them. `dc` looks up a code and
// its symbol; `skip` steps over a whole AC coefficient (code and value bits)
// in one look, so the loop that runs 30-odd times per block does one load.
struct HuffmanTable {
    bool defined = false;
    int largestSymbol = 0;
    std::array<uint16_t, 1 << kLookBits> dc {};   // (length << 8) | symbol; 0: longer code
    std::array<uint16_t, 1 << kLookBits> skip {}; // (coefficients << 8) | bits; 0: longer code
    // Every whole AC coefficient that fits in the next kRunBits bits:
    // bits | coefficients << 4 | end of block << 11; 0 when not even one fits.
    std::array<uint16_t, 1 << kRunBits> run {};
    std::array<int32_t, 17> maxCode {};          // by length; -1 when there is none
    std::array<int32_t, 17> valueOffset {};
    std::array<uint8_t, 256> values {};
};

// Coefficients an AC symbol accounts for: its zero run and itself, sixteen
// zeros, or the rest of the block.
int CoefficientsOf(int symbol)
{
    if ((symbol & 15) != 0)
        return (symbol >> 4) + 1;
    return symbol == 0xF0 ? 16 : 64;
}

// Coded data is mostly short codes with a bit or two of value, so several
// coefficients fit in one look; a run stops at the end of a block, since the
// next block starts with a DC code from another table.
void FillRuns(HuffmanTable &t)
{
    for (int index = 0; index < (1 << kRunBits); ++index) {
        int used = 0, coefficients = 0;
        bool end = false;
        while (used < kRunBits) {
            const int look = (index << used) & ((1 << kRunBits) - 1);
            const uint16_t e = t.dc[size_t(look >> (kRunBits - kLookBits))];
            if (e == 0)
                break;
            const int symbol = e & 0xFF, bits = (e >> 8) + (symbol & 15);
            if (used + bits > kRunBits)
                break;
            if (CoefficientsOf(symbol) == 64) {
                used += bits;
                end = true;
                break;
            }
            if (coefficients + CoefficientsOf(symbol) > 63)
                break;
            used += bits;
            coefficients += CoefficientsOf(symbol);
        }
        if (used > 0)
            t.run[size_t(index)] = uint16_t(used | coefficients << 4 | int(end) << 11);
    }
}

bool BuildTable(const uint8_t *counts, const uint8_t *symbols, int total, HuffmanTable *table)
{
    HuffmanTable t;
    t.defined = true;
    t.largestSymbol = total > 0 ? *std::max_element(symbols, symbols + total) : 0;
    std::copy(symbols, symbols + total, t.values.begin());
    int32_t code = 0;
    int index = 0;
    for (int length = 1; length <= 16; ++length) {
        const int n = counts[length - 1];
        t.maxCode[length] = -1;
        // A code of all ones is reserved: a table that reaches it is bogus.
        if (code + n >= (1 << length))
            return false;
        if (n != 0) {
            t.valueOffset[length] = index - code;
            for (int i = 0; i < n; ++i, ++code, ++index) {
                if (length > kLookBits)
                    continue;
                const int symbol = t.values[index];
                const int first = code << (kLookBits - length);
                const int spread = 1 << (kLookBits - length);
                const int skipBits = length + (symbol & 15);
                for (int j = 0; j < spread; ++j) {
                    t.dc[first + j] = uint16_t(length << 8 | symbol);
                    t.skip[first + j] = uint16_t(CoefficientsOf(symbol) << 8 | skipBits);
                }
            }
            t.maxCode[length] = code - 1;
        }
        code <<= 1;
    }
    FillRuns(t);
    *table = t;
    return true;
}

uint64_t Load64BigEndian(const uint8_t *p)
{
    uint64_t v;
    std::memcpy(&v, p, 8);
    return __builtin_bswap64(v);
}

// Bits of one entropy-coded segment, most significant first. The source
// holds enough zero bytes past the data for every refill to load 8 bytes;
// the caller checks after each MCU that the reader has not run past the data.
struct BitReader {
    const uint8_t *next = nullptr;
    uint64_t bits = 0;
    int count = 0;

    void Refill()
    {
        bits |= Load64BigEndian(next) >> count;
        next += (63 - count) >> 3;
        count |= 56;
    }
    uint32_t Peek(int n) const { return uint32_t(bits >> (64 - n)); }
    void Drop(int n)
    {
        bits <<= n;
        count -= n;
    }
    int64_t Consumed(const uint8_t *start) const { return (next - start) * 8 - count; }
};

// A code longer than the look-up: the symbol, and its length in *length;
// -1 for a code the table does not have.
int LongSymbol(const HuffmanTable &t, uint64_t bits, int *length)
{
    for (int l = kLookBits + 1; l <= 16; ++l) {
        const auto code = int32_t(bits >> (64 - l));
        if (code <= t.maxCode[l]) {
            *length = l;
            return t.values[size_t(t.valueOffset[l] + code) & 0xFF];
        }
    }
    return -1;
}

int Extend(uint32_t value, int size)
{
    return value < (1u << (size - 1)) ? int(value) - (1 << size) + 1 : int(value);
}

// One block: its DC difference into *dc, its AC coefficients stepped over.
bool DecodeBlock(BitReader &in, const HuffmanTable &dcTable, const HuffmanTable &acTable, int *dc)
{
    in.Refill();
    int size, length;
    if (const uint16_t e = dcTable.dc[in.Peek(kLookBits)]) {
        length = e >> 8;
        size = e & 0xFF;
    } else if ((size = LongSymbol(dcTable, in.bits, &length)) < 0) {
        return false;
    }
    in.Drop(length);
    if (size > 11)
        return false;
    if (size != 0) {
        // Wraps as libjpeg's own sum does on hostile files, without overflow.
        *dc = int(uint32_t(*dc) + uint32_t(Extend(in.Peek(size), size)));
        in.Drop(size);
    }
    for (int k = 1; k < 64;) {
        in.Refill();
        const uint16_t r = acTable.run[in.Peek(kRunBits)];
        if (r != 0 && k + ((r >> 4) & 127) < 64) {
            in.Drop(r & 15);
            if (r >> 11)
                break;
            k += (r >> 4) & 127;
            continue;
        }
        if (const uint16_t e = acTable.skip[in.Peek(kLookBits)]) {
            in.Drop(e & 0xFF);
            k += e >> 8;
            continue;
        }
        const int symbol = LongSymbol(acTable, in.bits, &length);
        if (symbol < 0)
            return false;
        in.Drop(length + (symbol & 15));
        k += CoefficientsOf(symbol);
    }
    return true;
}

struct Component {
    int id = 0;
    int h = 1, v = 1;
    int quantTable = 0;
    int dcTable = 0, acTable = 0;
    int blocksWide = 0, blocksHigh = 0; // the DC grid, MCU padding included
    std::vector<int16_t> dc;
};

struct Frame {
    int width = 0, height = 0;
    std::vector<Component> components;
    int hMax = 1, vMax = 1;
    int restartInterval = 0;
    bool jfif = false;
    int adobeTransform = -1;
    std::array<std::array<uint16_t, 64>, 4> quant {};
    std::array<bool, 4> quantDefined {};
    std::array<HuffmanTable, 4> dcTables, acTables;
    std::vector<int> scanOrder; // frame indexes in the scan's order
};

int Read16(const uint8_t *p)
{
    return p[0] << 8 | p[1];
}

bool ParseQuantTables(const uint8_t *p, int length, Frame &f)
{
    while (length > 0) {
        const int precision = p[0] >> 4, id = p[0] & 15;
        const int bytes = 1 + 64 * (precision ? 2 : 1);
        if (id > 3 || precision > 1 || length < bytes)
            return false;
        // Stored in zigzag order; only the first (DC) value matters here.
        for (int i = 0; i < 64; ++i)
            f.quant[id][i] = uint16_t(precision ? Read16(p + 1 + 2 * i) : p[1 + i]);
        f.quantDefined[id] = true;
        p += bytes;
        length -= bytes;
    }
    return true;
}

bool ParseHuffmanTables(const uint8_t *p, int length, Frame &f)
{
    while (length > 0) {
        if (length < 17)
            return false;
        const int kind = p[0] >> 4, id = p[0] & 15;
        int total = 0;
        for (int i = 0; i < 16; ++i)
            total += p[1 + i];
        if (kind > 1 || id > 3 || total > 256 || length < 17 + total)
            return false;
        if (!BuildTable(p + 1, p + 17, total, kind ? &f.acTables[id] : &f.dcTables[id]))
            return false;
        p += 17 + total;
        length -= 17 + total;
    }
    return true;
}

bool ParseFrame(const uint8_t *p, int length, Frame &f)
{
    if (length < 6 || p[0] != 8 || !f.components.empty())
        return false;
    f.height = Read16(p + 1);
    f.width = Read16(p + 3);
    const int n = p[5];
    if (f.width == 0 || f.height == 0 || (n != 1 && n != 3) || length != 6 + 3 * n)
        return false;
    for (int i = 0; i < n; ++i) {
        const uint8_t *c = p + 6 + 3 * i;
        Component component;
        component.id = c[0];
        component.h = c[1] >> 4;
        component.v = c[1] & 15;
        component.quantTable = c[2];
        if (component.h < 1 || component.h > 4 || component.v < 1 || component.v > 4 || component.quantTable > 3)
            return false;
        f.hMax = std::max(f.hMax, component.h);
        f.vMax = std::max(f.vMax, component.v);
        f.components.push_back(std::move(component));
    }
    for (const Component &c : f.components) {
        if (f.hMax % c.h != 0 || f.vMax % c.v != 0)
            return false; // libjpeg refuses fractional sampling too
    }
    return true;
}

bool ParseScan(const uint8_t *p, int length, Frame &f)
{
    if (f.components.empty() || length < 1)
        return false;
    const int n = p[0];
    // One scan with every component: files that send them in separate scans
    // are left to libjpeg.
    if (n != int(f.components.size()) || length != 4 + 2 * n)
        return false;
    for (int i = 0; i < n; ++i) {
        const uint8_t *s = p + 1 + 2 * i;
        const auto c = std::find_if(f.components.begin(), f.components.end(),
            [&](const Component &x) { return x.id == s[0]; });
        if (c == f.components.end())
            return false;
        const int index = int(c - f.components.begin());
        if (std::find(f.scanOrder.begin(), f.scanOrder.end(), index) != f.scanOrder.end())
            return false;
        f.scanOrder.push_back(index);
        c->dcTable = s[1] >> 4;
        c->acTable = s[1] & 15;
        if (c->dcTable > 3 || c->acTable > 3 || !f.dcTables[c->dcTable].defined
            || !f.acTables[c->acTable].defined || !f.quantDefined[c->quantTable])
            return false;
        if (f.dcTables[c->dcTable].largestSymbol > 15)
            return false; // a DC table libjpeg calls bogus

    }
    int blocks = 0;
    for (const Component &c : f.components)
        blocks += c.h * c.v;
    if (n > 1 && blocks > 10)
        return false; // libjpeg's limit on blocks per MCU
    const uint8_t *tail = p + 1 + 2 * n;
    return tail[0] == 0 && tail[1] == 63 && tail[2] == 0; // spectral selection and approximation of a sequential scan
}

// libjpeg's own guess of the colour space; only greyscale and YCbCr are ours.
bool IsYCbCrOrGrey(const Frame &f)
{
    if (f.components.size() == 1)
        return true;
    if (f.jfif)
        return true;
    if (f.adobeTransform >= 0)
        return f.adobeTransform == 1;
    const auto &c = f.components;
    return !(c[0].id == 'R' && c[1].id == 'G' && c[2].id == 'B');
}

// Walks the markers up to the first scan; *scanData is the first byte of its
// entropy-coded data.
bool ParseHeaders(const uint8_t *data, size_t size, Frame &f, size_t *scanData)
{
    if (size < 4 || data[0] != 0xFF || data[1] != 0xD8)
        return false;
    size_t pos = 2;
    for (;;) {
        while (pos < size && data[pos] != 0xFF)
            ++pos; // libjpeg skips stray bytes too, with a warning
        while (pos < size && data[pos] == 0xFF)
            ++pos;
        if (pos + 3 > size)
            return false;
        const int marker = data[pos];
        const int length = Read16(data + pos + 1);
        if (marker == 0xD9 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01 || length < 2
            || pos + 1 + size_t(length) > size)
            return false;
        const uint8_t *body = data + pos + 3;
        const int bodyLength = length - 2;
        bool ok = true;
        switch (marker) {
        case 0xC0: // baseline
        case 0xC1: // extended sequential, Huffman
            ok = ParseFrame(body, bodyLength, f);
            break;
        case 0xC4:
            ok = ParseHuffmanTables(body, bodyLength, f);
            break;
        case 0xDB:
            ok = ParseQuantTables(body, bodyLength, f);
            break;
        case 0xDD:
            ok = bodyLength == 2;
            if (ok)
                f.restartInterval = Read16(body);
            break;
        case 0xE0:
            if (bodyLength >= 14 && std::memcmp(body, "JFIF\0", 5) == 0)
                f.jfif = true;
            break;
        case 0xEE:
            if (bodyLength >= 12 && std::memcmp(body, "Adobe", 5) == 0)
                f.adobeTransform = body[11];
            break;
        case 0xDA:
            *scanData = pos + 1 + size_t(length);
            return ParseScan(body, bodyLength, f) && IsYCbCrOrGrey(f);
        default:
            // Comments and application data are stepped over; other frame
            // types (progressive, lossless, arithmetic) are libjpeg's, and
            // so are markers it does not know, which it refuses.
            if (marker != 0xFE && (marker < 0xE1 || marker > 0xEF))
                return false;
            break;
        }
        if (!ok)
            return false;
        pos += 1 + size_t(length);
    }
}

// The entropy-coded data without its stuffed bytes, cut at its restart
// markers, with zero bytes after it for the bit reader's loads.
struct Segments {
    std::vector<uint8_t> bytes;
    std::vector<size_t> starts; // one per segment, then the end of the data
    size_t trailer = 0;         // in the file: the code of the marker after the scan, or its size
    static constexpr size_t kPadding = 8192; // more than one MCU can read
};

bool Unstuff(const uint8_t *data, size_t size, size_t pos, Segments &out)
{
    out.bytes.reserve(size - pos + Segments::kPadding);
    out.starts.push_back(0);
    int expectedRestart = 0;
    out.trailer = size;
    while (pos < size) {
        const auto *ff = static_cast<const uint8_t *>(std::memchr(data + pos, 0xFF, size - pos));
        const size_t stop = ff ? size_t(ff - data) : size;
        out.bytes.insert(out.bytes.end(), data + pos, data + stop);
        pos = stop + 1;
        while (pos < size && data[pos] == 0xFF)
            ++pos;
        if (pos >= size)
            break;
        const int next = data[pos];
        if (next == 0) {
            out.bytes.push_back(0xFF);
            ++pos;
        } else if (next >= 0xD0 && next <= 0xD7) {
            if (next - 0xD0 != expectedRestart)
                return false;
            expectedRestart = (expectedRestart + 1) & 7;
            out.starts.push_back(out.bytes.size());
            ++pos;
        } else {
            out.trailer = pos;
            break;
        }
    }
    out.starts.push_back(out.bytes.size());
    out.bytes.resize(out.bytes.size() + Segments::kPadding, 0);
    return true;
}

// libjpeg reads on to the end of the file after the picture and gives up on
// a marker it does not know, a second frame or a table it calls bogus; such
// files are left to it, so that both decoders accept the same files.
bool TrailerReadable(const uint8_t *data, size_t size, size_t pos)
{
    while (pos < size) {
        const int marker = data[pos];
        const bool standalone = marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
        if (marker == 0xD9)
            return true;
        if (!standalone) {
            const bool skipped = marker == 0xDD || marker == 0xDC || marker == 0xFE || (marker >= 0xE0 && marker <= 0xEF);
            if (!skipped && marker != 0xC4 && marker != 0xDB)
                return false;
            if (pos + 3 > size)
                return false; // cut short: left to libjpeg's own handling
            const int length = Read16(data + pos + 1);
            if (length < 2 || pos + 1 + size_t(length) > size)
                return false;
            Frame scratch;
            const uint8_t *body = data + pos + 3;
            if (!skipped && !(marker == 0xC4 ? ParseHuffmanTables(body, length - 2, scratch)
                                              : ParseQuantTables(body, length - 2, scratch)))
                return false;
            pos += size_t(length);
        }
        ++pos;
        while (pos < size && data[pos] != 0xFF)
            ++pos;
        while (pos < size && data[pos] == 0xFF)
            ++pos;
    }
    return true;
}

struct ScanLayout {
    bool interleaved = false;
    int mcusWide = 0, mcusHigh = 0;
    int64_t blocks = 0; // in the scan, MCU padding included
};

ScanLayout LayOut(Frame &f)
{
    ScanLayout l;
    l.interleaved = f.scanOrder.size() > 1;
    if (l.interleaved) {
        l.mcusWide = (f.width + 8 * f.hMax - 1) / (8 * f.hMax);
        l.mcusHigh = (f.height + 8 * f.vMax - 1) / (8 * f.vMax);
    } else {
        // A scan of one component has one block per MCU and no padding
        // beyond the component's own size.
        const Component &c = f.components[size_t(f.scanOrder[0])];
        const int w = (f.width * c.h + f.hMax - 1) / f.hMax, h = (f.height * c.v + f.vMax - 1) / f.vMax;
        l.mcusWide = (w + 7) / 8;
        l.mcusHigh = (h + 7) / 8;
    }
    for (Component &c : f.components) {
        c.blocksWide = l.interleaved ? l.mcusWide * c.h : l.mcusWide;
        c.blocksHigh = l.interleaved ? l.mcusHigh * c.v : l.mcusHigh;
        l.blocks += int64_t(c.blocksWide) * c.blocksHigh;
    }
    return l;
}

bool DecodeScan(Frame &f, const ScanLayout &layout, const Segments &segments)
{
    const bool interleaved = layout.interleaved;
    const int mcusWide = layout.mcusWide, mcusHigh = layout.mcusHigh;
    for (Component &c : f.components)
        c.dc.assign(size_t(c.blocksWide) * size_t(c.blocksHigh), 0);
    const int64_t mcus = int64_t(mcusWide) * mcusHigh;
    const int64_t perSegment = f.restartInterval > 0 ? f.restartInterval : mcus;
    const int64_t segmentCount = (mcus + perSegment - 1) / perSegment;
    if (int64_t(segments.starts.size()) - 1 != segmentCount)
        return false;
    const uint8_t *end = segments.bytes.data() + segments.starts.back();
    int64_t mcu = 0;
    for (int64_t s = 0; s < segmentCount; ++s) {
        const uint8_t *start = segments.bytes.data() + segments.starts[size_t(s)];
        BitReader in;
        in.next = start;
        std::array<int, 4> predictions {};
        for (int64_t i = 0; i < perSegment && mcu < mcus; ++i, ++mcu) {
            const int mx = int(mcu % mcusWide), my = int(mcu / mcusWide);
            for (size_t k = 0; k < f.scanOrder.size(); ++k) {
                Component &c = f.components[size_t(f.scanOrder[k])];
                const HuffmanTable &dcTable = f.dcTables[size_t(c.dcTable)];
                const HuffmanTable &acTable = f.acTables[size_t(c.acTable)];
                const int bh = interleaved ? c.h : 1, bv = interleaved ? c.v : 1;
                for (int y = 0; y < bv; ++y) {
                    for (int x = 0; x < bh; ++x) {
                        if (!DecodeBlock(in, dcTable, acTable, &predictions[k]))
                            return false;
                        const size_t at = size_t(my * bv + y) * size_t(c.blocksWide) + size_t(mx * bh + x);
                        c.dc[at] = int16_t(predictions[k]);
                    }
                }
            }
            if (in.next > end + 8)
                return false; // ran past the data: damaged, left to libjpeg
        }
        // A well-formed segment never needs bits beyond its own bytes.
        if (in.Consumed(start) > int64_t(segments.starts[size_t(s) + 1] - segments.starts[size_t(s)]) * 8)
            return false;
    }
    return true;
}

// libjpeg's 1 x 1 inverse DCT: the dequantised DC value over eight, centred,
// through its range limit (which wraps out-of-range values as it does).
uint8_t DcSample(int dc, int quant)
{
    const int value = (dc * quant + 4) >> 3;
    const int masked = value & 1023;
    if (masked < 128)
        return uint8_t(masked + 128);
    if (masked < 512)
        return 255;
    if (masked < 896)
        return 0;
    return uint8_t(masked - 896);
}

// libjpeg's fixed-point YCbCr to RGB tables.
struct YccTables {
    std::array<int, 256> crR {}, cbB {}, crG {}, cbG {};
    YccTables()
    {
        constexpr int scale = 16, half = 1 << (scale - 1);
        const auto fix = [](double x) { return int(x * (1 << scale) + 0.5); };
        for (int i = 0; i < 256; ++i) {
            const int x = i - 128;
            crR[size_t(i)] = (fix(1.40200) * x + half) >> scale;
            cbB[size_t(i)] = (fix(1.77200) * x + half) >> scale;
            crG[size_t(i)] = -fix(0.71414) * x;
            cbG[size_t(i)] = -fix(0.34414) * x + half;
        }
    }
};

uint8_t Clamp255(int v)
{
    return uint8_t(std::clamp(v, 0, 255));
}

QImage ToImage(const Frame &f, QImage image)
{
    static const YccTables ycc;
    const int width = image.width(), height = image.height();
    const Component &luma = f.components[0];
    const int lumaQuant = f.quant[size_t(luma.quantTable)][0];
    std::vector<int> columns[3];
    for (size_t i = 0; i < f.components.size(); ++i) {
        const Component &c = f.components[i];
        columns[i].resize(size_t(width));
        for (int x = 0; x < width; ++x)
            columns[i][size_t(x)] = std::min(x * c.h / f.hMax, c.blocksWide - 1);
    }
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const int16_t *lumaRow = luma.dc.data() + size_t(std::min(y * luma.v / f.vMax, luma.blocksHigh - 1)) * size_t(luma.blocksWide);
        if (f.components.size() == 1) {
            for (int x = 0; x < width; ++x) {
                const int g = DcSample(lumaRow[columns[0][size_t(x)]], lumaQuant);
                line[x] = qRgb(g, g, g);
            }
            continue;
        }
        const Component &cb = f.components[1], &cr = f.components[2];
        const int16_t *cbRow = cb.dc.data() + size_t(std::min(y * cb.v / f.vMax, cb.blocksHigh - 1)) * size_t(cb.blocksWide);
        const int16_t *crRow = cr.dc.data() + size_t(std::min(y * cr.v / f.vMax, cr.blocksHigh - 1)) * size_t(cr.blocksWide);
        const int cbQuant = f.quant[size_t(cb.quantTable)][0], crQuant = f.quant[size_t(cr.quantTable)][0];
        for (int x = 0; x < width; ++x) {
            const int yy = DcSample(lumaRow[columns[0][size_t(x)]], lumaQuant);
            const size_t b = DcSample(cbRow[columns[1][size_t(x)]], cbQuant);
            const size_t r = DcSample(crRow[columns[2][size_t(x)]], crQuant);
            line[x] = qRgb(Clamp255(yy + ycc.crR[r]), Clamp255(yy + ((ycc.cbG[b] + ycc.crG[r]) >> 16)),
                Clamp255(yy + ycc.cbB[b]));
        }
    }
    return image;
}

// Where chroma is halved both ways libjpeg gives it a 2 x 2 inverse DCT at
// an eighth and this decoder only its DC value: the same colours on average,
// softer at colour edges. That washes out when the picture is shrunk further
// and the chroma grid still covers the target; otherwise libjpeg's is kept.
bool ChromaCovers(const Frame &f, QSize wanted)
{
    for (const Component &c : f.components) {
        if (f.hMax / c.h < 2 || f.vMax / c.v < 2)
            continue;
        const int64_t wide = (int64_t(f.width) * c.h / f.hMax + 7) / 8, high = (int64_t(f.height) * c.v / f.vMax + 7) / 8;
        if (wide < wanted.width() || high < wanted.height())
            return false;
    }
    return true;
}

} // namespace

QImage DecodeJpegEighth(const QByteArray &bytes, QSize wanted, qint64 limitBytes, bool *memory)
{
    *memory = false;
    const auto *data = reinterpret_cast<const uint8_t *>(bytes.constData());
    const auto size = size_t(bytes.size());
    Frame frame;
    size_t scanData = 0;
    if (!ParseHeaders(data, size, frame, &scanData) || !ChromaCovers(frame, wanted))
        return QImage();
    const int width = (frame.width + 7) / 8, height = (frame.height + 7) / 8;
    if (qint64(width) * height * 4 > limitBytes) {
        *memory = true;
        return QImage();
    }
    Segments segments;
    if (!Unstuff(data, size, scanData, segments) || !TrailerReadable(data, size, segments.trailer))
        return QImage();
    // Every block takes two codes at least, so a header that promises more
    // blocks than the data can hold is found before its grids are made; and
    // grids beyond the limit are left to libjpeg, which needs none.
    const ScanLayout layout = LayOut(frame);
    if (int64_t(segments.starts.back()) * 4 < layout.blocks
        || layout.blocks * 2 + qint64(width) * height * 4 > limitBytes || !DecodeScan(frame, layout, segments))
        return QImage();
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) {
        *memory = true;
        return QImage();
    }
    return ToImage(frame, std::move(image));
}
