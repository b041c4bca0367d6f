#include "pagegen/imagemarkup.h"

#include "pagegen/pagevariables.h"
#include "pagegen/htmlencoding.h"

EffectiveImageSettings EffectiveSettings(const GalleryOptions &o, const ImageOptionBlock &b)
{
    const auto has = [&b](std::uint32_t flag) { return (b.Flags & flag) != 0; };
    EffectiveImageSettings s;
    s.toolTipType = has(IMGOPT_TOOLTIP_TYPE) ? b.ToolTipType : o.WebPage2.ToolTipType;
    s.linkType = has(IMGOPT_LINK_TYPE) ? b.LinkType : o.Links.LinkType;
    s.popupWidth = has(IMGOPT_POPUP_FIXED_SIZE) ? b.PopupWidth : o.Links.WindowFixedSize.cx;
    s.popupHeight = has(IMGOPT_POPUP_FIXED_SIZE) ? b.PopupHeight : o.Links.WindowFixedSize.cy;
    s.borderSize = has(IMGOPT_BORDER_SIZE) ? b.BorderSize : o.WebPage2.BorderSize;
    s.popupAutoSize = has(IMGOPT_POPUP_AUTO_SIZE) ? b.PopupAutoSize : o.Links.WindowAutoSize;
    s.adaptImageSize = has(IMGOPT_POPUP_IMAGE_SIZE) ? b.AdaptImageSize : o.Links.AdapImageSize;
    s.allowFullSize = has(IMGOPT_POPUP_IMAGE_SIZE) ? b.AllowFullSize : o.Links.AllowFullSize;
    s.popupBgColor = has(IMGOPT_POPUP_BG_COLOR) ? b.PopupBgColor : o.Links.PopupBgColor;
    s.noTooltipInPopups = has(IMGOPT_NO_TOOLTIP_IN_POPUP) ? b.NoTooltipInPopups : o.WebPage2.NoTooltipInPopups;
    s.commentUnderImage = has(IMGOPT_COMMENT_UNDER_IMAGE) ? b.CommentUnderImage : o.WebPage2.CommentUnderImage;
    return s;
}

int PopupCommentMode(const EffectiveImageSettings &s)
{
    int w = s.toolTipType;
    if (s.noTooltipInPopups)
        w = 2;
    else if (s.commentUnderImage && w != 2)
        w = 0;
    switch (w) {
    case 0: return s.commentUnderImage ? 3 : 1;
    case 1: return 2;
    default: return 0;
    }
}

QString DimensionArgs(const QString &dimensions)
{
    const qsizetype x = dimensions.indexOf(QLatin1Char('x'));
    if (x <= 0 || x == dimensions.size() - 1)
        return QStringLiteral("0,0"); // a damaged entry must not leave a script call without arguments
    QString args = dimensions;
    args.replace(QLatin1Char('x'), QLatin1Char(','));
    return args;
}

QString PopupSizeAndColorArgs(const EffectiveImageSettings &s, const QString &imageDimensions)
{
    QString out = QLatin1Char(',') + DimensionArgs(imageDimensions);
    if (s.linkType == 17)
        out += QLatin1String(",-2,-2");
    else if (s.popupAutoSize)
        out += QLatin1String(",-1,-1");
    else
        out += QStringLiteral(",%1,%2").arg(s.popupWidth).arg(s.popupHeight);
    out += QStringLiteral(",%1,%2").arg(s.adaptImageSize).arg(s.allowFullSize);
    out += QStringLiteral(",'%1','%2'")
               .arg(ColorText(s.popupBgColor), ColorText(~s.popupBgColor & 0xFFFFFFu));
    return out;
}

namespace {

QString PopupOpening(const GalleryOptions &o, const EffectiveImageSettings &s, const ImageMarkupInput &in)
{
    QString out = o.Links.SpecialPopupLink ? QStringLiteral("<a OnClick=\"Vorlex_Popup('")
                                           : QStringLiteral("<a href=\"javascript:Vorlex_Popup('");
    out += EscapePopupPath(in.imageLink) + QLatin1Char('\'');
    out += PopupSizeAndColorArgs(s, in.imageDimensions) + QLatin1String(",'");
    switch (PopupCommentMode(s)) {
    case 1: out += EscapePopupComment(in.comment) + QLatin1String("',1)\">"); break;
    case 3: out += EscapePopupComment(in.comment) + QLatin1String("',3)\">"); break;
    case 2: out += EscapePopupBubbleComment(in.comment) + QLatin1String("',2)\">"); break;
    default: out += QLatin1String("',0)\">"); break;
    }
    return out;
}

QString LinkOpening(const GalleryOptions &o, const EffectiveImageSettings &s, const ImageMarkupInput &in)
{
    if (s.linkType == 1)
        return QStringLiteral("<a href=\"%1\" target=\"_blank\">").arg(in.imageLink);
    if (IsPopupLinkType(s.linkType))
        return PopupOpening(o, s, in);
    return QStringLiteral("<a href=\"%1\">").arg(in.imageLink);
}

QString SizeAttributes(const QString &dimensions)
{
    const qsizetype x = dimensions.indexOf(QLatin1Char('x'));
    if (x <= 0 || x == dimensions.size() - 1)
        return {}; // no size rather than a dangling "width=" that swallows the next attribute
    QString size = dimensions;
    size.replace(QLatin1Char('x'), QLatin1String(" height="));
    return QLatin1String(" width=") + size;
}

QString TooltipAttributes(const EffectiveImageSettings &s, const QString &comment)
{
    if (s.toolTipType == 0) {
        const QString t = EscapeAttributeText(comment);
        return QStringLiteral(" alt=\"%1\" title=\"%1\"").arg(t);
    }
    if (s.toolTipType == 1)
        return QStringLiteral(" onMouseOver=\"poplink('%1')\" onMouseOut=\"killlink()\"")
            .arg(EscapeScriptTooltip(comment));
    return {}; // 2, and anything the dialogs never produce: no bubble
}

} // namespace

QString ImageMarkup(const GalleryOptions &o, const EffectiveImageSettings &s, const ImageMarkupInput &in,
                    const PageVariables &variables)
{
    const bool link = o.Links.IsLink != 0;
    QString out;
    if (link)
        out += LinkOpening(o, s, in);
    out += QLatin1String("<img src=\"") + in.thumbnailLink + QLatin1Char('"');
    out += SizeAttributes(in.thumbnailDimensions);
    if (in.lazy)
        out += QLatin1String(" loading=\"lazy\"");
    QString border = QStringLiteral(" border=%1").arg(s.borderSize);
    if (s.borderSize != 0)
        border += QLatin1String(" style=\"border-color:?$VORLEX_VARIABLE_BORDERCOLOR\"");
    out += variables.ReplacePageVariables(border);
    out += TooltipAttributes(s, in.comment);
    out += QLatin1Char('>');
    if (link)
        out += QLatin1String("</a>");
    return out;
}
