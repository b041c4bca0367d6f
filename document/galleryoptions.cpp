#include "document/galleryoptions.h"

#include "document/thumbnailpath.h"
#include "platform/profile.h"

#include <type_traits>

namespace {
const QString kWebPage1 = QStringLiteral("LastOptions/WebPage1");
const QString kWebPage2 = QStringLiteral("LastOptions/WebPage2");
const QString kLinks = QStringLiteral("LastOptions/Links");
const QString kBuildVignette = QStringLiteral("LastOptions/BuildVignette");
const QString kDiaporama = QStringLiteral("LastOptions/Diaporama");

// Path-like texts accept either separator when read and are held natively.
enum class TextKind { Plain, Path };

// Reads each value of a section, keeping the field's current value (the
// built-in default) when the settings have none. Colours are 32-bit numbers
// there, like every int.
class SectionReader {
public:
    SectionReader(const Profile &p, const QString &section) : m_p(p), m_s(section) {}
    void operator()(const QString &name, int &v) const { v = m_p.GetInt(m_s, name, v); }
    void operator()(const QString &name, COLORREF &v) const
    {
        v = static_cast<COLORREF>(m_p.GetInt(m_s, name, static_cast<int>(v)));
    }
    void operator()(const QString &name, SizeCxCy &v) const
    {
        (*this)(name + QStringLiteral(".cx"), v.cx);
        (*this)(name + QStringLiteral(".cy"), v.cy);
    }
    void operator()(const QString &name, QString &v, TextKind kind = TextKind::Plain) const
    {
        v = m_p.GetString(m_s, name, v);
        if (kind == TextKind::Path)
            v = NativeSeparators(v);
    }

private:
    const Profile &m_p;
    const QString &m_s;
};

class SectionWriter {
public:
    SectionWriter(Profile &p, const QString &section) : m_p(p), m_s(section) {}
    void operator()(const QString &name, int v) const { m_p.WriteInt(m_s, name, v); }
    void operator()(const QString &name, COLORREF v) const { m_p.WriteInt(m_s, name, static_cast<int>(v)); }
    void operator()(const QString &name, const SizeCxCy &v) const
    {
        (*this)(name + QStringLiteral(".cx"), v.cx);
        (*this)(name + QStringLiteral(".cy"), v.cy);
    }
    void operator()(const QString &name, const QString &v, TextKind = TextKind::Plain) const
    {
        m_p.WriteString(m_s, name, v);
    }

private:
    Profile &m_p;
    const QString &m_s;
};

template <typename G, typename T> constexpr bool kIs = std::is_same_v<std::remove_const_t<G>, T>;

// The settings names of each group, written once for both directions.
template <typename G, typename F>
    requires kIs<G, WebPage1Options>
void Fields(G &o, const F &f)
{
    f(QStringLiteral("PageTitle"), o.PageTitle);
    f(QStringLiteral("DefaultPage"), o.DefaultPage);
    f(QStringLiteral("PersonnalizedPagePath"), o.PersonnalizedPagePath);
    f(QStringLiteral("BackgroundColor"), o.BackgroundColor);
    f(QStringLiteral("TextColor"), o.TextColor);
    f(QStringLiteral("Link"), o.Link);
    f(QStringLiteral("BorderColor"), o.BorderColor);
    f(QStringLiteral("BackgroundImagePath"), o.BackgroundImagePath);
    f(QStringLiteral("ProtectImage"), o.ProtectImage);
    f(QStringLiteral("ModernPage"), o.ModernPage);
}

template <typename G, typename F>
    requires kIs<G, WebPage2Options>
void Fields(G &o, const F &f)
{
    f(QStringLiteral("NbImageOnOneLine"), o.NbImageOnOneLine);
    f(QStringLiteral("NbLineOnOnePage"), o.NbLineOnOnePage);
    f(QStringLiteral("EndLastLine"), o.EndLastLine);
    f(QStringLiteral("BorderSize"), o.BorderSize);
    f(QStringLiteral("ToolTipType"), o.ToolTipType);
    f(QStringLiteral("RootRelativePath"), o.RootRelativePath);
    f(QStringLiteral("RootPath"), o.RootPath);
    f(QStringLiteral("NoTooltipInPopups"), o.NoTooltipInPopups);
    f(QStringLiteral("CommentUnderImage"), o.CommentUnderImage);
}

template <typename G, typename F>
    requires kIs<G, LinksOptions>
void Fields(G &o, const F &f)
{
    f(QStringLiteral("IsLink"), o.IsLink);
    f(QStringLiteral("LinkType"), o.LinkType);
    f(QStringLiteral("WindowAutoSize"), o.WindowAutoSize);
    f(QStringLiteral("WindowFixedSize"), o.WindowFixedSize);
    f(QStringLiteral("AdapImageSize"), o.AdapImageSize);
    f(QStringLiteral("AllowFullSize"), o.AllowFullSize);
    f(QStringLiteral("PopupBgColor"), o.PopupBgColor);
    f(QStringLiteral("SpecialPopupLink"), o.SpecialPopupLink);
    f(QStringLiteral("ZipLink"), o.ZipLink);
    f(QStringLiteral("ZipName"), o.ZipName, TextKind::Path);
}

template <typename G, typename F>
    requires kIs<G, BuildVignetteOptions>
void Fields(G &o, const F &f)
{
    f(QStringLiteral("WithPrefixe"), o.WithPrefixe);
    f(QStringLiteral("PreSuffixe"), o.PreSuffixe, TextKind::Path);
    f(QStringLiteral("RejectFileWithVignetteName"), o.RejectFileWithVignetteName);
    f(QStringLiteral("IfDoNotExistAction"), o.IfDoNotExistAction);
    f(QStringLiteral("IsPercentSize"), o.IsPercentSize);
    f(QStringLiteral("PercentSize"), o.PercentSize);
    f(QStringLiteral("FixedSize"), o.FixedSize);
    f(QStringLiteral("BackgroundColor"), o.BackgroundColor);
    f(QStringLiteral("JpegQuality"), o.JpegQuality);
    f(QStringLiteral("SmallestBiggestSize"), o.SmallestBiggestSize);
}

template <typename G, typename F>
    requires kIs<G, DiaporamaOptions>
void Fields(G &o, const F &f)
{
    f(QStringLiteral("Speed"), o.Speed);
    f(QStringLiteral("CloseOrBack"), o.CloseOrBack);
    f(QStringLiteral("AutoOrUser"), o.AutoOrUser);
    f(QStringLiteral("VignetteDiapoSizeMode"), o.VignetteDiapoSizeMode);
    f(QStringLiteral("VignetteDiapoSizeWidth"), o.VignetteDiapoSizeWidth);
    f(QStringLiteral("VignetteDiapoSizeHeight"), o.VignetteDiapoSizeHeight);
    f(QStringLiteral("NoLoop"), o.NoLoop);
    f(QStringLiteral("Random"), o.Random);
}

template <typename G> void Load(G &group, const Profile &p, const QString &section)
{
    group = G{};
    Fields(group, SectionReader(p, section));
}

template <typename G> void Save(const G &group, Profile &p, const QString &section)
{
    Fields(group, SectionWriter(p, section));
}
} // namespace

void WebPage1Options::LoadFromRegistry(const Profile &p) { Load(*this, p, kWebPage1); }
void WebPage1Options::SaveToRegistry(Profile &p) const { Save(*this, p, kWebPage1); }
void WebPage2Options::LoadFromRegistry(const Profile &p) { Load(*this, p, kWebPage2); }
void WebPage2Options::SaveToRegistry(Profile &p) const { Save(*this, p, kWebPage2); }
void LinksOptions::LoadFromRegistry(const Profile &p) { Load(*this, p, kLinks); }
void LinksOptions::SaveToRegistry(Profile &p) const { Save(*this, p, kLinks); }
void BuildVignetteOptions::LoadFromRegistry(const Profile &p) { Load(*this, p, kBuildVignette); }
void BuildVignetteOptions::SaveToRegistry(Profile &p) const { Save(*this, p, kBuildVignette); }
void DiaporamaOptions::LoadFromRegistry(const Profile &p) { Load(*this, p, kDiaporama); }
void DiaporamaOptions::SaveToRegistry(Profile &p) const { Save(*this, p, kDiaporama); }

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
