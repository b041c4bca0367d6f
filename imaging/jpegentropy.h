#pragma once
// The entropy-coded side of baseline JPEG as the eighth-size decoder needs
// it: Huffman tables built for stepping over AC coefficients several at a
// time, a bit reader over unstuffed data, and the per-block readers. The
// readers are inline: they run for every block of every photo.

#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>

namespace jpeg {

// Zigzag order to natural order.
constexpr std::array<uint8_t, 64> kNatural = {0, 1, 8, 16, 9, 2, 3, 10, 17, 24, 32, 25, 18, 11, 4, 5, 12, 19,
    26, 33, 40, 48, 41, 34, 27, 20, 13, 6, 7, 14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30,
    37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

constexpr int kLookBits = 10;
constexpr int kRunBits = 12;
constexpr int kValueBits = 11;

// Canonical Huffman codes as the file defines them. `symbol` looks up a code
// and its symbol; the AC tables below take a whole coefficient (code and
// value bits) or several in one look, so that the loop that runs 30-odd times
// per block does one load. About 20 KB: kept on the heap.
struct HuffmanTable {
    int largestSymbol = 0;
    std::array<uint16_t, 1 << kLookBits> symbol {}; // (length << 8) | symbol; 0: longer code
    std::array<uint16_t, 1 << kLookBits> skip {}; // (coefficients << 8) | bits; 0: longer code
    // Every whole AC coefficient that fits in the next kRunBits bits:
    // bits | coefficients << 4 | end of block << 11; 0 when not even one fits.
    std::array<uint16_t, 1 << kRunBits> run {};
    // An AC coefficient whose code and value fit in the next kValueBits bits:
    // value << 16 | zero run << 8 | bits, the run's 0x80 bit marking the end
    // of the block; 0 when they do not fit.
    std::array<int32_t, 1 << kValueBits> value {};
    std::array<int32_t, 17> maxCode {}; // by length; -1 when there is none
    std::array<int32_t, 17> valueOffset {};
    std::array<uint8_t, 256> values {};
};

// Coefficients an AC symbol accounts for: its zero run and itself, sixteen
// zeros, or the rest of the block.
inline int CoefficientsOf(int symbol)
{
    if ((symbol & 15) != 0)
        return (symbol >> 4) + 1;
    return symbol == 0xF0 ? 16 : 64;
}

inline int Extend(uint32_t value, int size)
{
    return value < (1u << (size - 1)) ? int(value) - (1 << size) + 1 : int(value);
}

// Null for a table libjpeg would call bogus. Only AC tables get the tables
// that take whole coefficients.
std::unique_ptr<HuffmanTable> BuildTable(const uint8_t *counts, const uint8_t *symbols, int total, bool ac);

// A code longer than the look-up: the symbol, and its length in *length;
// -1 for a code the table does not have.
int LongSymbol(const HuffmanTable &t, uint64_t bits, int *length);

inline uint64_t Load64BigEndian(const uint8_t *p)
{
    return qFromBigEndian<quint64>(p);
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

// The next symbol of `t`; false for a code the table does not have.
inline bool ReadSymbol(BitReader &in, const HuffmanTable &t, int *symbol)
{
    int length;
    if (const uint16_t e = t.symbol[in.Peek(kLookBits)]) {
        length = e >> 8;
        *symbol = e & 0xFF;
    } else if ((*symbol = LongSymbol(t, in.bits, &length)) < 0) {
        return false;
    }
    in.Drop(length);
    return true;
}

// A block's DC difference, added to *dc.
inline bool ReadDc(BitReader &in, const HuffmanTable &t, int *dc)
{
    in.Refill();
    int size;
    if (!ReadSymbol(in, t, &size) || size > 11)
        return false;
    if (size != 0) {
        // Wraps as libjpeg's own sum does on hostile files, without overflow.
        *dc = int(uint32_t(*dc) + uint32_t(Extend(in.Peek(size), size)));
        in.Drop(size);
    }
    return true;
}

// A block's AC coefficients stepped over: the loop nearly all the time goes to.
inline bool SkipAc(BitReader &in, const HuffmanTable &t)
{
    for (int k = 1; k < 64;) {
        in.Refill();
        const uint16_t r = t.run[in.Peek(kRunBits)];
        if (r != 0 && k + ((r >> 4) & 127) < 64) {
            in.Drop(r & 15);
            if (r >> 11)
                break;
            k += (r >> 4) & 127;
            continue;
        }
        if (const uint16_t e = t.skip[in.Peek(kLookBits)]) {
            in.Drop(e & 0xFF);
            k += e >> 8;
            continue;
        }
        int length;
        const int symbol = LongSymbol(t, in.bits, &length);
        if (symbol < 0)
            return false;
        in.Drop(length + (symbol & 15));
        k += CoefficientsOf(symbol);
    }
    return true;
}

// The 2 x 2 inverse DCT reads rows and columns 0, 1, 3, 5 and 7 alone: a
// block keeps those 25 coefficients (row-major), and this gives the place of
// each zigzag position among them, -1 for the others. Positions past the end
// of the block are libjpeg's: a run that overshoots lands on the last one.
constexpr int ReducedPlace(int zigzag)
{
    constexpr int place[8] = {0, 1, -1, 2, -1, 3, -1, 4};
    const int natural = kNatural[size_t(zigzag < 63 ? zigzag : 63)];
    const int row = place[natural / 8], col = place[natural % 8];
    return row < 0 || col < 0 ? -1 : row * 5 + col;
}

constexpr std::array<int8_t, 80> kReducedPlaces = [] {
    std::array<int8_t, 80> places {};
    for (int k = 0; k < 80; ++k)
        places[size_t(k)] = int8_t(ReducedPlace(k));
    return places;
}();

// A block's AC coefficients, those the 2 x 2 inverse DCT reads into `kept`;
// *any is set when one of them is not zero.
inline bool ReadAc(BitReader &in, const HuffmanTable &t, int16_t *kept, bool *any)
{
    for (int k = 1; k < 64; ++k) {
        in.Refill();
        int value, run;
        if (const int32_t e = t.value[in.Peek(kValueBits)]) {
            in.Drop(e & 0xFF);
            run = (e >> 8) & 0xFF;
            if (run & 0x80)
                break;
            value = e >> 16;
        } else {
            int symbol;
            if (!ReadSymbol(in, t, &symbol))
                return false;
            run = symbol >> 4;
            const int size = symbol & 15;
            if (size == 0) {
                if (run != 15)
                    break;
                k += 15;
                continue;
            }
            value = Extend(in.Peek(size), size);
            in.Drop(size);
        }
        k += run;
        if (const int place = kReducedPlaces[size_t(k)]; place >= 0 && value != 0) {
            kept[place] = int16_t(value);
            *any = true;
        }
    }
    return true;
}

} // namespace jpeg
