#pragma once
// The thumbnail settings of a gallery (settings section LastOptions/BuildVignette)
// and the small value types they use. They live here because the imaging code
// works from them; the gallery options hold them as one of their five groups,
// and their settings names are written with the other groups' in
// document/galleryoptions.cpp.

#include <QDir>
#include <QString>
#include <cstdint>

class Profile;

using COLORREF = std::uint32_t; // 0x00BBGGRR, red in the low byte

struct SizeCxCy {
    int cx = 0;
    int cy = 0;
    bool operator==(const SizeCxCy &) const = default;
};

struct BuildVignetteOptions {
    int WithPrefixe = 1;
    // "mini\small_" in the stored form; held with the native separator.
    QString PreSuffixe = QStringLiteral("mini") + QDir::separator() + QStringLiteral("small_");
    int RejectFileWithVignetteName = 1;
    int IfDoNotExistAction = 1;
    int IsPercentSize = 1;
    int PercentSize = 10;
    SizeCxCy FixedSize{128, 96};
    COLORREF BackgroundColor = 0xFFFFFF;
    int JpegQuality = 85;
    int SmallestBiggestSize = 128;

    void LoadFromRegistry(const Profile &profile);
    void SaveToRegistry(Profile &profile) const;
    bool operator==(const BuildVignetteOptions &) const = default;
};

