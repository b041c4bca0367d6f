#include "imaging/thumbnailbox.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

int ClampToInt(long double v)
{
    if (v >= static_cast<long double>(INT_MAX))
        return INT_MAX;
    if (v <= static_cast<long double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(v);
}

// Half up: x + 0.5 truncated towards zero, in extended precision.
int RoundHalfUp(long double x)
{
    return ClampToInt(x + 0.5L);
}

// side / (a / b): the other side of a box whose side along a is fixed.
int OtherSide(int side, unsigned a, unsigned b)
{
    return RoundHalfUp(
        static_cast<long double>(side) / (static_cast<long double>(a) / static_cast<long double>(b)));
}

int Percent(unsigned v, int percent)
{
    // 64-bit so a large source and a large percentage do not wrap around.
    const std::int64_t scaled = (static_cast<std::int64_t>(v) * percent + 50) / 100;
    return ClampToInt(static_cast<long double>(scaled));
}

} // namespace

ThumbnailBox ComputeThumbnailBox(const BuildVignetteOptions &options, unsigned w, unsigned h)
{
    if (options.IsPercentSize == 0)
        return {options.FixedSize.cx, options.FixedSize.cy, 0};
    if (w == 0 || h == 0)
        return {0, 0, 1};
    if (options.IsPercentSize == 1)
        return {Percent(w, options.PercentSize), Percent(h, options.PercentSize), 1};

    const int s = options.SmallestBiggestSize == 0 ? 128 : options.SmallestBiggestSize;
    bool widthFixed = false;
    switch (options.IsPercentSize) {
    case 2:
        widthFixed = w < h;
        break;
    case 3:
        widthFixed = h < w;
        break;
    case 4:
        widthFixed = true;
        break;
    default:
        widthFixed = false;
        break;
    }
    if (widthFixed)
        return {s, OtherSide(s, w, h), 1};
    return {OtherSide(s, h, w), s, 1};
}

ImagePlacement PlaceInThumbnail(int boxWidth, int boxHeight, unsigned w, unsigned h, bool stretch)
{
    if (stretch || w == 0 || h == 0)
        return {0, 0, boxWidth, boxHeight};
    const double scale = std::min(double(boxWidth) / double(w), double(boxHeight) / double(h));
    ImagePlacement p;
    p.width = static_cast<int>(w * scale);
    p.height = static_cast<int>(h * scale);
    p.x = p.width < boxWidth ? (boxWidth - p.width) >> 1 : 0;
    p.y = p.height < boxHeight ? (boxHeight - p.height) >> 1 : 0;
    if (p.x == 0)
        p.width = boxWidth;
    if (p.y == 0)
        p.height = boxHeight;
    return p;
}

ImagePlacement PlaceFitted(int rectWidth, int rectHeight, unsigned w, unsigned h)
{
    if (w == 0 || h == 0)
        return {};
    double scale = std::min(double(rectHeight) / double(h), double(rectWidth) / double(w));
    if (scale > 1.0)
        scale = 1.0;
    ImagePlacement p;
    p.width = static_cast<int>(w * scale);
    p.height = static_cast<int>(h * scale);
    p.x = (rectWidth - p.width) >> 1;
    p.y = (rectHeight - p.height) >> 1;
    return p;
}
