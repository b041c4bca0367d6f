#include "imaging/jpegeighth.h"

#include "imaging/jpegentropy.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace {

using jpeg::BitReader;
using jpeg::HuffmanTable;
using jpeg::kNatural;
using jpeg::kReducedPlaces;

// libjpeg's range limit after an inverse DCT: centred, clamped, and wrapped
// as its table wraps values far out of range.
uint8_t RangeLimit(int value)
{
    const int masked = value & 1023;
    if (masked < 128)
        return uint8_t(masked + 128);
    if (masked < 512)
        return 255;
    if (masked < 896)
        return 0;
    return uint8_t(masked - 896);
}

// libjpeg's 1 x 1 inverse DCT: the dequantised DC value over eight.
uint8_t DcSample(int dc, int quant)
{
    return RangeLimit((dc * quant + 4) >> 3);
}

// libjpeg's 2 x 2 inverse DCT (its "islow" reduced form), which it uses for
// chroma halved both ways at an eighth: rows and columns 0, 1, 3, 5 and 7.
// libjpeg runs it in 16- and 32-bit SIMD lanes that saturate or wrap where
// this arithmetic would not; values that far out (never seen in a real
// photo) make it give up, and the file goes to libjpeg.
bool Idct2x2(const int16_t *kept, const int16_t *quant, uint8_t out[4])
{
    // Within these limits every sum below fits in 32 bits.
    constexpr int c7 = -5906, c5 = 6967, c3 = -10426, c1 = 29692;
    constexpr int lane = 16383;
    int z[25];
    for (int i = 0; i < 25; ++i) {
        z[i] = kept[i] * quant[i];
        if (z[i] < -lane || z[i] > lane)
            return false;
    }
    int work[2][5];
    for (int col = 0; col < 5; ++col) {
        if ((z[5 + col] | z[10 + col] | z[15 + col] | z[20 + col]) == 0) {
            work[0][col] = work[1][col] = z[col] * 4; // what the sums give, as libjpeg shortcuts them
            continue;
        }
        const int even = z[col] * 32768;
        const int odd = z[20 + col] * c7 + z[15 + col] * c5 + z[10 + col] * c3 + z[5 + col] * c1;
        work[0][col] = (even + odd + 4096) >> 13;
        work[1][col] = (even - odd + 4096) >> 13;
        if (std::max(std::abs(work[0][col]), std::abs(work[1][col])) > lane)
            return false;
    }
    for (int row = 0; row < 2; ++row) {
        const int *w = work[row];
        const int even = w[0] * 32768;
        const int odd = w[4] * c7 + w[3] * c5 + w[2] * c3 + w[1] * c1;
        const int left = (even + odd + (1 << 19)) >> 20, right = (even - odd + (1 << 19)) >> 20;
        if (std::min(left, right) < -512 || std::max(left, right) > 511)
            return false;
        out[row * 2] = RangeLimit(left);
        out[row * 2 + 1] = RangeLimit(right);
    }
    return true;
}

// The same for a block with a DC value alone, which is most chroma blocks:
// the four samples are the 1 x 1 result, within the same limits.
bool FlatIdct2x2(int dc, int quant, uint8_t out[4])
{
    const int z = dc * quant;
    const int value = (z + 4) >> 3;
    if (z < -16383 || z > 16383 || value < -512 || value > 511)
        return false;
    out[0] = out[1] = out[2] = out[3] = RangeLimit(value);
    return true;
}

struct Component {
    int id = 0;
    int h = 1, v = 1;
    int quantTable = 0;
    int dcTable = 0, acTable = 0;
    int blocksWide = 0, blocksHigh = 0; // MCU padding included
    // Samples per block side at an eighth: 1, or 2 where libjpeg enlarges
    // chroma halved both ways through its inverse DCT rather than repeating it.
    int scale = 1;
    std::array<int16_t, 25> reducedQuant {}; // the 2 x 2 inverse DCT's, as it keeps coefficients
    std::vector<uint8_t> samples; // blocksWide * scale wide
};

struct Frame {
    int width = 0, height = 0;
    std::vector<Component> components;
    int hMax = 1, vMax = 1;
    int restartInterval = 0;
    bool jfif = false;
    int adobeTransform = -1;
    // Natural order, as the signed 16-bit multipliers libjpeg makes of them.
    std::array<std::array<int16_t, 64>, 4> quant {};
    std::array<bool, 4> quantDefined {};
    std::array<std::unique_ptr<HuffmanTable>, 4> dcTables, acTables;
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
        for (int i = 0; i < 64; ++i)
            f.quant[id][kNatural[size_t(i)]] = int16_t(precision ? Read16(p + 1 + 2 * i) : p[1 + i]);
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
        auto &slot = kind ? f.acTables[size_t(id)] : f.dcTables[size_t(id)];
        if (!(slot = jpeg::BuildTable(p + 1, p + 17, total, kind == 1)))
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
        if (component.h < 1 || component.h > 4 || component.v < 1 || component.v > 4
            || component.quantTable > 3)
            return false;
        f.hMax = std::max(f.hMax, component.h);
        f.vMax = std::max(f.vMax, component.v);
        f.components.push_back(std::move(component));
    }
    for (Component &c : f.components) {
        if (f.hMax % c.h != 0 || f.vMax % c.v != 0)
            return false; // libjpeg refuses fractional sampling too
        // libjpeg's choice: the largest power of two that its sampling allows.
        while (c.scale < 8 && f.hMax % (c.h * c.scale * 2) == 0 && f.vMax % (c.v * c.scale * 2) == 0)
            c.scale *= 2;
        if (c.scale > 2)
            return false; // chroma quartered both ways: rare, libjpeg's
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
        const auto c = std::find_if(
            f.components.begin(), f.components.end(), [&](const Component &x) { return x.id == s[0]; });
        if (c == f.components.end())
            return false;
        const int index = int(c - f.components.begin());
        if (std::find(f.scanOrder.begin(), f.scanOrder.end(), index) != f.scanOrder.end())
            return false;
        f.scanOrder.push_back(index);
        c->dcTable = s[1] >> 4;
        c->acTable = s[1] & 15;
        if (c->dcTable > 3 || c->acTable > 3 || !f.dcTables[size_t(c->dcTable)]
            || !f.acTables[size_t(c->acTable)] || !f.quantDefined[size_t(c->quantTable)])
            return false;
        if (f.dcTables[size_t(c->dcTable)]->largestSymbol > 15)
            return false; // a DC table libjpeg calls bogus
    }
    int blocks = 0;
    for (const Component &c : f.components)
        blocks += c.h * c.v;
    if (n > 1 && blocks > 10)
        return false; // libjpeg's limit on blocks per MCU
    const uint8_t *tail = p + 1 + 2 * n;
    return tail[0] == 0 && tail[1] == 63
        && tail[2] == 0; // spectral selection and approximation of a sequential scan
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

// Where the scan's entropy-coded segments lie in the file, cut at its
// restart markers. Found with one pass of memchr, without copying anything.
struct ScanSegments {
    struct Segment {
        size_t begin = 0, end = 0; // in the file, stuffed bytes and all
        int64_t bytes = 0; // once unstuffed
    };
    std::vector<Segment> segments;
    size_t trailer = 0; // in the file: the code of the marker after the scan, or its size
    int64_t bytes = 0; // all segments' once unstuffed
};

bool FindSegments(const uint8_t *data, size_t size, size_t pos, ScanSegments &out)
{
    ScanSegments::Segment segment {pos, size, 0};
    int expectedRestart = 0;
    out.trailer = size;
    while (pos < size) {
        const auto *ff = static_cast<const uint8_t *>(std::memchr(data + pos, 0xFF, size - pos));
        const size_t stop = ff ? size_t(ff - data) : size;
        segment.bytes += int64_t(stop - pos);
        segment.end = stop;
        pos = stop + 1;
        while (pos < size && data[pos] == 0xFF)
            ++pos;
        if (pos >= size)
            break;
        const int next = data[pos];
        if (next == 0) {
            segment.bytes += 1;
            segment.end = ++pos;
        } else if (next >= 0xD0 && next <= 0xD7) {
            if (next - 0xD0 != expectedRestart)
                return false;
            expectedRestart = (expectedRestart + 1) & 7;
            out.segments.push_back(segment);
            segment = {++pos, size, 0};
        } else {
            out.trailer = pos;
            break;
        }
    }
    out.segments.push_back(segment);
    for (const auto &s : out.segments)
        out.bytes += s.bytes;
    return true;
}

// One segment's data unstuffed into a small window that the bit reader
// reads, topped up as it goes, so that a photo's coded data is never copied
// whole. Zero bytes follow the data for the reader's 8-byte loads.
class SegmentWindow {
public:
    // Room for one MCU, whatever it holds: ten blocks of 64 codes of at most
    // 31 bits each, and the reader's look-ahead.
    static constexpr size_t kMargin = 4096;

    SegmentWindow()
        : m_buffer(kSize + kPadding)
    {
    }

    void Start(const uint8_t *data, const ScanSegments::Segment &segment, BitReader &in)
    {
        m_data = data;
        m_pos = segment.begin;
        m_end = segment.end;
        m_filled = 0;
        m_dropped = 0;
        TopUp();
        in = BitReader();
        in.next = m_buffer.data();
    }

    // Before each MCU: moves what is left to the front and reads on, when
    // less than an MCU's worth remains and the segment has more.
    void Keep(BitReader &in)
    {
        const size_t used = size_t(in.next - m_buffer.data());
        if (m_pos >= m_end || m_filled - used >= kMargin)
            return;
        std::memmove(m_buffer.data(), in.next, m_filled - used);
        m_filled -= used;
        m_dropped += int64_t(used);
        in.next = m_buffer.data();
        TopUp();
    }

    // After each MCU: false when the reader went past the segment's data,
    // which only a damaged file makes it do.
    bool Within(const BitReader &in) const { return in.next <= m_buffer.data() + m_filled + 8; }
    int64_t Consumed(const BitReader &in) const { return m_dropped * 8 + in.Consumed(m_buffer.data()); }

private:
    static constexpr size_t kSize = 64 * 1024;
    static constexpr size_t kPadding = kMargin + 16;

    // Inside a segment every 0xFF is a stuffed one: 0xFF, fill bytes, 0x00.
    void TopUp()
    {
        uint8_t *out = m_buffer.data();
        while (m_filled < kSize && m_pos < m_end) {
            const size_t room = std::min(kSize - m_filled, m_end - m_pos);
            const auto *ff = static_cast<const uint8_t *>(std::memchr(m_data + m_pos, 0xFF, room));
            const size_t take = ff ? size_t(ff - (m_data + m_pos)) : room;
            std::memcpy(out + m_filled, m_data + m_pos, take);
            m_filled += take;
            m_pos += take;
            if (ff) {
                out[m_filled++] = 0xFF;
                while (++m_pos < m_end && m_data[m_pos] == 0xFF) { }
                if (m_pos < m_end && m_data[m_pos] == 0)
                    ++m_pos;
            }
        }
        std::memset(out + m_filled, 0, kPadding);
    }

    std::vector<uint8_t> m_buffer;
    const uint8_t *m_data = nullptr;
    size_t m_pos = 0, m_end = 0, m_filled = 0;
    int64_t m_dropped = 0;
};

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
            const bool skipped
                = marker == 0xDD || marker == 0xDC || marker == 0xFE || (marker >= 0xE0 && marker <= 0xEF);
            if (!skipped && marker != 0xC4 && marker != 0xDB)
                return false;
            if (pos + 3 > size)
                return false; // cut short: left to libjpeg's own handling
            const int length = Read16(data + pos + 1);
            if (length < 2 || pos + 1 + size_t(length) > size)
                return false;
            Frame scratch;
            const uint8_t *body = data + pos + 3;
            if (!skipped
                && !(marker == 0xC4 ? ParseHuffmanTables(body, length - 2, scratch)
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
    int64_t samples = 0; // bytes of samples they give
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
        l.samples += int64_t(c.blocksWide) * c.blocksHigh * c.scale * c.scale;
    }
    return l;
}

// One MCU: each of its blocks into the samples of its component.
bool DecodeMcu(
    Frame &f, const ScanLayout &layout, int mx, int my, BitReader &in, std::array<int, 4> &predictions)
{
    for (size_t k = 0; k < f.scanOrder.size(); ++k) {
        Component &c = f.components[size_t(f.scanOrder[k])];
        const HuffmanTable &dcTable = *f.dcTables[size_t(c.dcTable)];
        const HuffmanTable &acTable = *f.acTables[size_t(c.acTable)];
        const int16_t *quant = f.quant[size_t(c.quantTable)].data();
        const int bh = layout.interleaved ? c.h : 1, bv = layout.interleaved ? c.v : 1;
        for (int y = 0; y < bv; ++y) {
            for (int x = 0; x < bh; ++x) {
                if (!jpeg::ReadDc(in, dcTable, &predictions[k]))
                    return false;
                const size_t bx = size_t(mx * bh + x), by = size_t(my * bv + y);
                if (c.scale == 1) {
                    if (!jpeg::SkipAc(in, acTable))
                        return false;
                    c.samples[by * size_t(c.blocksWide) + bx] = DcSample(int16_t(predictions[k]), quant[0]);
                    continue;
                }
                std::array<int16_t, 25> kept {};
                kept[0] = int16_t(predictions[k]);
                bool any = false;
                if (!jpeg::ReadAc(in, acTable, kept.data(), &any))
                    return false;
                uint8_t out[4];
                if (!(any ? Idct2x2(kept.data(), c.reducedQuant.data(), out)
                          : FlatIdct2x2(kept[0], quant[0], out)))
                    return false;
                const size_t wide = size_t(c.blocksWide) * 2;
                uint8_t *at = c.samples.data() + by * 2 * wide + bx * 2;
                at[0] = out[0], at[1] = out[1], at[wide] = out[2], at[wide + 1] = out[3];
            }
        }
    }
    return true;
}

bool DecodeScan(Frame &f, const ScanLayout &layout, const uint8_t *data, const ScanSegments &scan)
{
    for (Component &c : f.components) {
        c.samples.assign(size_t(c.blocksWide) * size_t(c.blocksHigh) * size_t(c.scale * c.scale), 0);
        for (int k = 0; k < 64; ++k) {
            if (const int place = kReducedPlaces[size_t(k)]; place >= 0)
                c.reducedQuant[size_t(place)] = f.quant[size_t(c.quantTable)][kNatural[size_t(k)]];
        }
    }
    const int64_t mcus = int64_t(layout.mcusWide) * layout.mcusHigh;
    const int64_t perSegment = f.restartInterval > 0 ? f.restartInterval : mcus;
    if (int64_t(scan.segments.size()) != (mcus + perSegment - 1) / perSegment)
        return false;
    SegmentWindow window;
    BitReader in;
    int64_t mcu = 0;
    for (const ScanSegments::Segment &segment : scan.segments) {
        window.Start(data, segment, in);
        std::array<int, 4> predictions {};
        for (int64_t i = 0; i < perSegment && mcu < mcus; ++i, ++mcu) {
            window.Keep(in);
            if (!DecodeMcu(f, layout, int(mcu % layout.mcusWide), int(mcu / layout.mcusWide), in, predictions)
                || !window.Within(in))
                return false; // damaged: left to libjpeg
        }
        // A well-formed segment never needs bits beyond its own bytes.
        if (window.Consumed(in) > segment.bytes * 8)
            return false;
    }
    return true;
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
    // Each output pixel takes the sample of every component that covers it,
    // repeated as libjpeg repeats it.
    std::vector<size_t> columns[3];
    for (size_t i = 0; i < f.components.size(); ++i) {
        const Component &c = f.components[i];
        columns[i].resize(size_t(width));
        for (int x = 0; x < width; ++x)
            columns[i][size_t(x)] = size_t(std::min(x * c.h * c.scale / f.hMax, c.blocksWide * c.scale - 1));
    }
    const auto row = [&](const Component &c, int y) {
        const int r = std::min(y * c.v * c.scale / f.vMax, c.blocksHigh * c.scale - 1);
        return c.samples.data() + size_t(r) * size_t(c.blocksWide * c.scale);
    };
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const uint8_t *luma = row(f.components[0], y);
        if (f.components.size() == 1) {
            for (int x = 0; x < width; ++x) {
                const int g = luma[columns[0][size_t(x)]];
                line[x] = qRgb(g, g, g);
            }
            continue;
        }
        const uint8_t *cbRow = row(f.components[1], y), *crRow = row(f.components[2], y);
        for (int x = 0; x < width; ++x) {
            const int yy = luma[columns[0][size_t(x)]];
            const size_t b = cbRow[columns[1][size_t(x)]], r = crRow[columns[2][size_t(x)]];
            line[x] = qRgb(Clamp255(yy + ycc.crR[r]), Clamp255(yy + ((ycc.cbG[b] + ycc.crG[r]) >> 16)),
                Clamp255(yy + ycc.cbB[b]));
        }
    }
    return image;
}

// libjpeg's 2 x 2 chroma is needed where the picture is shown near its eighth;
// where the chroma grid is as large as the target, the shrink that follows
// averages each chroma block into (at most) one target pixel anyway, and
// its DC value, which is that block's average, is enough: the blocks' AC
// data is then stepped over like luma's, the costliest part saved.
void RepeatChromaWhereItIsShrunk(Frame &f, QSize wanted)
{
    for (Component &c : f.components) {
        const int64_t wide = (int64_t(f.width) * c.h / f.hMax + 7) / 8,
                      high = (int64_t(f.height) * c.v / f.vMax + 7) / 8;
        if (c.scale == 2 && wide >= wanted.width() && high >= wanted.height())
            c.scale = 1;
    }
}

} // namespace

QImage DecodeJpegEighth(const QByteArray &bytes, QSize wanted, qint64 limitBytes, bool *memory)
{
    *memory = false;
    const auto *data = reinterpret_cast<const uint8_t *>(bytes.constData());
    const auto size = size_t(bytes.size());
    Frame frame;
    size_t scanData = 0;
    if (!ParseHeaders(data, size, frame, &scanData))
        return QImage();
    RepeatChromaWhereItIsShrunk(frame, wanted);
    const int width = (frame.width + 7) / 8, height = (frame.height + 7) / 8;
    if (qint64(width) * height * 4 > limitBytes) {
        *memory = true;
        return QImage();
    }
    ScanSegments scan;
    if (!FindSegments(data, size, scanData, scan) || !TrailerReadable(data, size, scan.trailer))
        return QImage();
    // Every block takes two codes at least, so a header that promises more
    // blocks than the data can hold is found before its grids are made; and
    // grids beyond the limit are left to libjpeg, which needs none.
    const ScanLayout layout = LayOut(frame);
    if (scan.bytes * 4 < layout.blocks || layout.samples + qint64(width) * height * 4 > limitBytes
        || !DecodeScan(frame, layout, data, scan))
        return QImage();
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) {
        *memory = true;
        return QImage();
    }
    return ToImage(frame, std::move(image));
}
