#pragma once
// The options of one gallery: two page paths and five groups named after their
// settings sections under LastOptions. Plain records, copied member-wise.

#include "imaging/thumbnailoptions.h"

#include <QString>
#include <cstdint>

class Profile;

struct WebPage1Options {
    QString PageTitle = QStringLiteral("Mes photos");
    int DefaultPage = 1;
    QString PersonnalizedPagePath;
    COLORREF BackgroundColor = 0x000000;
    COLORREF TextColor = 0xFFFFFF;
    COLORREF Link = 0xD59B11;
    COLORREF BorderColor = 0xFFFFFF;
    QString BackgroundImagePath;
    int ProtectImage = 0;
    // Which built-in design DefaultPage picks: 0 the classic one, 1 the modern one.
    // Copies that do not know it see DefaultPage alone and use the classic design.
    int ModernPage = 0;

    void LoadFromRegistry(const Profile &profile);
    void SaveToRegistry(Profile &profile) const;
    bool operator==(const WebPage1Options &) const = default;
    bool UsesModernPage() const { return DefaultPage != 0 && ModernPage == 1; }
};

struct WebPage2Options {
    int NbImageOnOneLine = 4;
    int NbLineOnOnePage = static_cast<int>(0x80000005u);
    int EndLastLine = 1;
    int BorderSize = 0;
    int ToolTipType = 0;
    int RootRelativePath = 0;
    QString RootPath;
    int NoTooltipInPopups = 0;
    int CommentUnderImage = 0;

    void LoadFromRegistry(const Profile &profile);
    void SaveToRegistry(Profile &profile) const;
    bool operator==(const WebPage2Options &) const = default;
};

struct LinksOptions {
    int IsLink = 1;
    int LinkType = 0x21;
    int WindowAutoSize = 1;
    SizeCxCy WindowFixedSize{640, 480};
    int AdapImageSize = 1;
    int AllowFullSize = 0;
    COLORREF PopupBgColor = 0x000000;
    int SpecialPopupLink = 1;
    int ZipLink = 0;
    QString ZipName = QStringLiteral("images.zip");

    void LoadFromRegistry(const Profile &profile);
    void SaveToRegistry(Profile &profile) const;
    bool operator==(const LinksOptions &) const = default;
};

struct DiaporamaOptions {
    int Speed = 5;
    int CloseOrBack = 0;
    int AutoOrUser = 0;
    int VignetteDiapoSizeMode = 0;
    int VignetteDiapoSizeWidth = 128;
    int VignetteDiapoSizeHeight = 96;
    int NoLoop = 0;
    int Random = 0;

    void LoadFromRegistry(const Profile &profile);
    void SaveToRegistry(Profile &profile) const;
    bool operator==(const DiaporamaOptions &) const = default;
};

struct GalleryOptions {
    QString PagePath;
    QString SlideshowPagePath;
    WebPage1Options WebPage1;
    WebPage2Options WebPage2;
    LinksOptions Links;
    BuildVignetteOptions BuildVignette;
    DiaporamaOptions Diaporama;

    // Built-in defaults; LoadFromRegistry reads the user's saved defaults.
    GalleryOptions() = default;
    void LoadFromRegistry(const Profile &profile);
};

// True when any field of the five groups differs; the page paths are not compared.
bool OptionsDiffer(const GalleryOptions &a, const GalleryOptions &b);

// Bit 31 of NbImageOnOneLine / NbLineOnOnePage switches the limit off.
inline int CountValue(int stored) { return stored & 0x7FFFFFFF; }
inline bool CountLimitOn(int stored) { return (static_cast<std::uint32_t>(stored) & 0x80000000u) == 0; }
inline int CountWithSwitch(int count, bool limitOn)
{
    const std::uint32_t v = static_cast<std::uint32_t>(count) & 0x7FFFFFFFu;
    return static_cast<int>(limitOn ? v : (v | 0x80000000u));
}

// LinkType: low 4 bits non-zero = new window; bits 4 and up = kind of window.
enum LinkWindowKind { LINK_WINDOW_NORMAL = 0, LINK_WINDOW_FULLSCREEN = 1, LINK_WINDOW_SIZED_POPUP = 2 };
inline bool LinkNewWindow(int linkType) { return (linkType & 0xF) != 0; }
inline int LinkKind(int linkType) { return linkType >> 4; }
inline int MakeLinkType(bool newWindow, int kind) { return (newWindow ? 1 : 0) | (kind << 4); }
