#include "document/galleryoptions.h"

#include "document/thumbnailpath.h"
#include "platform/profile.h"

namespace {
// Colours live in the registry as 32-bit numbers, like every int.
COLORREF GetColor(const Profile &p, const QString &section, const QString &name, COLORREF def)
{
    return static_cast<COLORREF>(p.GetInt(section, name, static_cast<int>(def)));
}

void WriteColor(Profile &p, const QString &section, const QString &name, COLORREF value)
{
    p.WriteInt(section, name, static_cast<int>(value));
}

const QString kWebPage1 = QStringLiteral("LastOptions/WebPage1");
const QString kWebPage2 = QStringLiteral("LastOptions/WebPage2");
const QString kLinks = QStringLiteral("LastOptions/Links");
const QString kBuildVignette = QStringLiteral("LastOptions/BuildVignette");
const QString kDiaporama = QStringLiteral("LastOptions/Diaporama");
} // namespace

void WebPage1Options::LoadFromRegistry(const Profile &p)
{
    const WebPage1Options d;
    const QString &s = kWebPage1;
    PageTitle = p.GetString(s, "PageTitle", d.PageTitle);
    DefaultPage = p.GetInt(s, "DefaultPage", d.DefaultPage);
    PersonnalizedPagePath = p.GetString(s, "PersonnalizedPagePath", d.PersonnalizedPagePath);
    BackgroundColor = GetColor(p, s, "BackgroundColor", d.BackgroundColor);
    TextColor = GetColor(p, s, "TextColor", d.TextColor);
    Link = GetColor(p, s, "Link", d.Link);
    BorderColor = GetColor(p, s, "BorderColor", d.BorderColor);
    BackgroundImagePath = p.GetString(s, "BackgroundImagePath", d.BackgroundImagePath);
    ProtectImage = p.GetInt(s, "ProtectImage", d.ProtectImage);
}

void WebPage1Options::SaveToRegistry(Profile &p) const
{
    const QString &s = kWebPage1;
    p.WriteString(s, "PageTitle", PageTitle);
    p.WriteInt(s, "DefaultPage", DefaultPage);
    p.WriteString(s, "PersonnalizedPagePath", PersonnalizedPagePath);
    WriteColor(p, s, "BackgroundColor", BackgroundColor);
    WriteColor(p, s, "TextColor", TextColor);
    WriteColor(p, s, "Link", Link);
    WriteColor(p, s, "BorderColor", BorderColor);
    p.WriteString(s, "BackgroundImagePath", BackgroundImagePath);
    p.WriteInt(s, "ProtectImage", ProtectImage);
}

void WebPage2Options::LoadFromRegistry(const Profile &p)
{
    const WebPage2Options d;
    const QString &s = kWebPage2;
    NbImageOnOneLine = p.GetInt(s, "NbImageOnOneLine", d.NbImageOnOneLine);
    NbLineOnOnePage = p.GetInt(s, "NbLineOnOnePage", d.NbLineOnOnePage);
    EndLastLine = p.GetInt(s, "EndLastLine", d.EndLastLine);
    BorderSize = p.GetInt(s, "BorderSize", d.BorderSize);
    ToolTipType = p.GetInt(s, "ToolTipType", d.ToolTipType);
    RootRelativePath = p.GetInt(s, "RootRelativePath", d.RootRelativePath);
    RootPath = p.GetString(s, "RootPath", d.RootPath);
    NoTooltipInPopups = p.GetInt(s, "NoTooltipInPopups", d.NoTooltipInPopups);
    CommentUnderImage = p.GetInt(s, "CommentUnderImage", d.CommentUnderImage);
}

void WebPage2Options::SaveToRegistry(Profile &p) const
{
    const QString &s = kWebPage2;
    p.WriteInt(s, "NbImageOnOneLine", NbImageOnOneLine);
    p.WriteInt(s, "NbLineOnOnePage", NbLineOnOnePage);
    p.WriteInt(s, "EndLastLine", EndLastLine);
    p.WriteInt(s, "BorderSize", BorderSize);
    p.WriteInt(s, "ToolTipType", ToolTipType);
    p.WriteInt(s, "RootRelativePath", RootRelativePath);
    p.WriteString(s, "RootPath", RootPath);
    p.WriteInt(s, "NoTooltipInPopups", NoTooltipInPopups);
    p.WriteInt(s, "CommentUnderImage", CommentUnderImage);
}

void LinksOptions::LoadFromRegistry(const Profile &p)
{
    const LinksOptions d;
    const QString &s = kLinks;
    IsLink = p.GetInt(s, "IsLink", d.IsLink);
    LinkType = p.GetInt(s, "LinkType", d.LinkType);
    WindowAutoSize = p.GetInt(s, "WindowAutoSize", d.WindowAutoSize);
    WindowFixedSize.cx = p.GetInt(s, "WindowFixedSize.cx", d.WindowFixedSize.cx);
    WindowFixedSize.cy = p.GetInt(s, "WindowFixedSize.cy", d.WindowFixedSize.cy);
    AdapImageSize = p.GetInt(s, "AdapImageSize", d.AdapImageSize);
    AllowFullSize = p.GetInt(s, "AllowFullSize", d.AllowFullSize);
    PopupBgColor = GetColor(p, s, "PopupBgColor", d.PopupBgColor);
    SpecialPopupLink = p.GetInt(s, "SpecialPopupLink", d.SpecialPopupLink);
    ZipLink = p.GetInt(s, "ZipLink", d.ZipLink);
    ZipName = NativeSeparators(p.GetString(s, "ZipName", d.ZipName));
}

void LinksOptions::SaveToRegistry(Profile &p) const
{
    const QString &s = kLinks;
    p.WriteInt(s, "IsLink", IsLink);
    p.WriteInt(s, "LinkType", LinkType);
    p.WriteInt(s, "WindowAutoSize", WindowAutoSize);
    p.WriteInt(s, "WindowFixedSize.cx", WindowFixedSize.cx);
    p.WriteInt(s, "WindowFixedSize.cy", WindowFixedSize.cy);
    p.WriteInt(s, "AdapImageSize", AdapImageSize);
    p.WriteInt(s, "AllowFullSize", AllowFullSize);
    WriteColor(p, s, "PopupBgColor", PopupBgColor);
    p.WriteInt(s, "SpecialPopupLink", SpecialPopupLink);
    p.WriteInt(s, "ZipLink", ZipLink);
    p.WriteString(s, "ZipName", ZipName);
}

void BuildVignetteOptions::LoadFromRegistry(const Profile &p)
{
    const BuildVignetteOptions d;
    const QString &s = kBuildVignette;
    WithPrefixe = p.GetInt(s, "WithPrefixe", d.WithPrefixe);
    PreSuffixe = NativeSeparators(p.GetString(s, "PreSuffixe", d.PreSuffixe));
    RejectFileWithVignetteName = p.GetInt(s, "RejectFileWithVignetteName", d.RejectFileWithVignetteName);
    IfDoNotExistAction = p.GetInt(s, "IfDoNotExistAction", d.IfDoNotExistAction);
    IsPercentSize = p.GetInt(s, "IsPercentSize", d.IsPercentSize);
    PercentSize = p.GetInt(s, "PercentSize", d.PercentSize);
    FixedSize.cx = p.GetInt(s, "FixedSize.cx", d.FixedSize.cx);
    FixedSize.cy = p.GetInt(s, "FixedSize.cy", d.FixedSize.cy);
    BackgroundColor = GetColor(p, s, "BackgroundColor", d.BackgroundColor);
    JpegQuality = p.GetInt(s, "JpegQuality", d.JpegQuality);
    SmallestBiggestSize = p.GetInt(s, "SmallestBiggestSize", d.SmallestBiggestSize);
}

void BuildVignetteOptions::SaveToRegistry(Profile &p) const
{
    const QString &s = kBuildVignette;
    p.WriteInt(s, "WithPrefixe", WithPrefixe);
    p.WriteString(s, "PreSuffixe", PreSuffixe);
    p.WriteInt(s, "RejectFileWithVignetteName", RejectFileWithVignetteName);
    p.WriteInt(s, "IfDoNotExistAction", IfDoNotExistAction);
    p.WriteInt(s, "IsPercentSize", IsPercentSize);
    p.WriteInt(s, "PercentSize", PercentSize);
    p.WriteInt(s, "FixedSize.cx", FixedSize.cx);
    p.WriteInt(s, "FixedSize.cy", FixedSize.cy);
    WriteColor(p, s, "BackgroundColor", BackgroundColor);
    p.WriteInt(s, "JpegQuality", JpegQuality);
    p.WriteInt(s, "SmallestBiggestSize", SmallestBiggestSize);
}

void DiaporamaOptions::LoadFromRegistry(const Profile &p)
{
    const DiaporamaOptions d;
    const QString &s = kDiaporama;
    Speed = p.GetInt(s, "Speed", d.Speed);
    CloseOrBack = p.GetInt(s, "CloseOrBack", d.CloseOrBack);
    AutoOrUser = p.GetInt(s, "AutoOrUser", d.AutoOrUser);
    VignetteDiapoSizeMode = p.GetInt(s, "VignetteDiapoSizeMode", d.VignetteDiapoSizeMode);
    VignetteDiapoSizeWidth = p.GetInt(s, "VignetteDiapoSizeWidth", d.VignetteDiapoSizeWidth);
    VignetteDiapoSizeHeight = p.GetInt(s, "VignetteDiapoSizeHeight", d.VignetteDiapoSizeHeight);
    NoLoop = p.GetInt(s, "NoLoop", d.NoLoop);
    Random = p.GetInt(s, "Random", d.Random);
}

void DiaporamaOptions::SaveToRegistry(Profile &p) const
{
    const QString &s = kDiaporama;
    p.WriteInt(s, "Speed", Speed);
    p.WriteInt(s, "CloseOrBack", CloseOrBack);
    p.WriteInt(s, "AutoOrUser", AutoOrUser);
    p.WriteInt(s, "VignetteDiapoSizeMode", VignetteDiapoSizeMode);
    p.WriteInt(s, "VignetteDiapoSizeWidth", VignetteDiapoSizeWidth);
    p.WriteInt(s, "VignetteDiapoSizeHeight", VignetteDiapoSizeHeight);
    p.WriteInt(s, "NoLoop", NoLoop);
    p.WriteInt(s, "Random", Random);
}

void GalleryOptions::LoadFromRegistry(const Profile &profile)
{
    WebPage1.LoadFromRegistry(profile);
    WebPage2.LoadFromRegistry(profile);
    Links.LoadFromRegistry(profile);
    BuildVignette.LoadFromRegistry(profile);
    Diaporama.LoadFromRegistry(profile);
}

bool OptionsDiffer(const GalleryOptions &a, const GalleryOptions &b)
{
    return !(a.WebPage1 == b.WebPage1 && a.WebPage2 == b.WebPage2 && a.Links == b.Links
             && a.BuildVignette == b.BuildVignette && a.Diaporama == b.Diaporama);
}
