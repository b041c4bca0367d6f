#include "imaging/jpegentropy.h"

namespace jpeg {

namespace {

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
            const uint16_t e = t.symbol[size_t(look >> (kRunBits - kLookBits))];
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

void FillValues(HuffmanTable &t)
{
    for (int index = 0; index < (1 << kValueBits); ++index) {
        const uint16_t e = t.symbol[size_t(index >> (kValueBits - kLookBits))];
        if (e == 0)
            continue;
        const int length = e >> 8, symbol = e & 0xFF, size = symbol & 15, run = symbol >> 4;
        if (length + size > kValueBits)
            continue;
        if (size == 0) {
            // Sixteen zeros, as a run of fifteen and a zero written; or the end.
            t.value[size_t(index)] = run == 15 ? (15 << 8 | length) : (0x80 << 8 | length);
            continue;
        }
        const auto bits = uint32_t(index >> (kValueBits - length - size)) & ((1u << size) - 1);
        t.value[size_t(index)] = int32_t(uint32_t(Extend(bits, size)) << 16) | run << 8 | (length + size);
    }
}

} // namespace

std::unique_ptr<HuffmanTable> BuildTable(const uint8_t *counts, const uint8_t *symbols, int total, bool ac)
{
    auto table = std::make_unique<HuffmanTable>();
    HuffmanTable &t = *table;
    t.largestSymbol = total > 0 ? *std::max_element(symbols, symbols + total) : 0;
    std::copy(symbols, symbols + total, t.values.begin());
    int32_t code = 0;
    int index = 0;
    for (int length = 1; length <= 16; ++length) {
        const int n = counts[length - 1];
        t.maxCode[length] = -1;
        // A code of all ones is reserved: a table that reaches it is bogus.
        if (code + n >= (1 << length))
            return nullptr;
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
                    t.symbol[first + j] = uint16_t(length << 8 | symbol);
                    t.skip[first + j] = uint16_t(CoefficientsOf(symbol) << 8 | skipBits);
                }
            }
            t.maxCode[length] = code - 1;
        }
        code <<= 1;
    }
    if (ac) {
        FillRuns(t);
        FillValues(t);
    }
    return table;
}

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

} // namespace jpeg
