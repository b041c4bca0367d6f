#include "shell/widgets/hlscolor.h"

#include <algorithm>

namespace {

// Rounded offset of `component` below the maximum, in sixths of the circle.
int HueDistance(int max, int min, int component)
{
    return ((max - component) * 42 + (max - min) / 2) / (max - min);
}

int HueToComponent(int m1, int m2, int h)
{
    if (h < 0)
        h += kHlsMax;
    else if (h > kHlsMax)
        h -= kHlsMax;
    int value = m1;
    if (h < 42)
        value = m1 + ((m2 - m1) * h + 21) / 42;
    else if (h < 126)
        value = m2;
    else if (h < 168)
        value = m1 + ((m2 - m1) * (168 - h) + 21) / 42;
    return (value * kRgbMax + kHlsMax / 2) / kHlsMax;
}

} // namespace

HlsColor RgbToHls(const RgbColor &in)
{
    const int r = std::clamp(in.red, 0, kRgbMax);
    const int g = std::clamp(in.green, 0, kRgbMax);
    const int b = std::clamp(in.blue, 0, kRgbMax);
    const int max = std::max({r, g, b});
    const int min = std::min({r, g, b});
    HlsColor hls;
    hls.luminance = ((max + min) * kHlsMax + kRgbMax) / (2 * kRgbMax);
    if (max == min)
        return hls;

    const int sum = max + min;
    const int spread = max - min;
    if (hls.luminance <= kHlsMax / 2)
        hls.saturation = (spread * kHlsMax + sum / 2) / sum;
    else
        hls.saturation = (spread * kHlsMax + (2 * kRgbMax - sum) / 2) / (2 * kRgbMax - sum);

    const int rd = HueDistance(max, min, r);
    const int gd = HueDistance(max, min, g);
    const int bd = HueDistance(max, min, b);
    if (r == max)
        hls.hue = bd - gd;
    else if (g == max)
        hls.hue = 84 + rd - bd;
    else
        hls.hue = 168 + gd - rd;
    if (hls.hue < 0)
        hls.hue += kHlsMax;
    return hls;
}

RgbColor HlsToRgb(const HlsColor &in)
{
    const int h = std::clamp(in.hue, 0, kHlsMax);
    const int l = std::clamp(in.luminance, 0, kHlsMax);
    const int s = std::clamp(in.saturation, 0, kHlsMax);
    if (s == 0) {
        const int grey = l * kRgbMax / kHlsMax;
        return {grey, grey, grey};
    }
    const int m2 = l <= kHlsMax / 2 ? (l * (kHlsMax + s) + kHlsMax / 2) / kHlsMax
                                    : l + s - (l * s + kHlsMax / 2) / kHlsMax;
    const int m1 = 2 * l - m2;
    return {HueToComponent(m1, m2, h + 84), HueToComponent(m1, m2, h), HueToComponent(m1, m2, h - 84)};
}

RgbColor RgbFromColorRef(COLORREF color)
{
    return {int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF)};
}

COLORREF ColorRefFromRgb(const RgbColor &rgb)
{
    const auto byte = [](int v) { return COLORREF(std::clamp(v, 0, kRgbMax)); };
    return byte(rgb.red) | (byte(rgb.green) << 8) | (byte(rgb.blue) << 16);
}

QColor QColorFromColorRef(COLORREF color)
{
    const RgbColor rgb = RgbFromColorRef(color);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

COLORREF ColorRefFromQColor(const QColor &color)
{
    const QColor c = color.toRgb();
    return ColorRefFromRgb({c.red(), c.green(), c.blue()});
}

QColor QColorFromHls(const HlsColor &hls)
{
    const RgbColor rgb = HlsToRgb(hls);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

QString HtmlColorCode(const RgbColor &rgb)
{
    return QStringLiteral("#%1%2%3")
        .arg(std::clamp(rgb.red, 0, kRgbMax), 2, 16, QLatin1Char('0'))
        .arg(std::clamp(rgb.green, 0, kRgbMax), 2, 16, QLatin1Char('0'))
        .arg(std::clamp(rgb.blue, 0, kRgbMax), 2, 16, QLatin1Char('0'))
        .toUpper();
}
