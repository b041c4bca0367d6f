#pragma once
// The colour picker's hue/luminance/saturation model. Each value runs 0..252:
// a multiple of 6, so one sixth of the hue circle is exactly 42 steps and the
// whole model stays in integer arithmetic. A grey has saturation 0 and the
// conventional hue 168.

#include "imaging/thumbnailoptions.h"

#include <QColor>

constexpr int kHlsMax = 252;
constexpr int kRgbMax = 255;
constexpr int kGreyHue = 168;

struct HlsColor {
    int hue = kGreyHue;
    int luminance = 0;
    int saturation = 0;
    bool operator==(const HlsColor &) const = default;
};

struct RgbColor {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const RgbColor &) const = default;
};

// Components outside 0..255 are clamped first.
HlsColor RgbToHls(const RgbColor &rgb);
// Values outside 0..252 are clamped first, so the result is always 0..255.
RgbColor HlsToRgb(const HlsColor &hls);

// COLORREF is 0x00BBGGRR; the high byte is ignored on input and zero on output.
RgbColor RgbFromColorRef(COLORREF color);
COLORREF ColorRefFromRgb(const RgbColor &rgb);
QColor QColorFromColorRef(COLORREF color);
COLORREF ColorRefFromQColor(const QColor &color);
QColor QColorFromHls(const HlsColor &hls);

// "#RRGGBB" in upper-case hexadecimal, as written into pages.
QString HtmlColorCode(const RgbColor &rgb);
