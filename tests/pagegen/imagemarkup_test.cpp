#include "pagegen/pagevariables.h"
#include "pagegen/imagemarkup.h"
#include "qstringprint.h"

#include <gtest/gtest.h>

namespace {

struct Markup {
    GalleryOptions options;
    ImageOptionBlock block;
    ImageMarkupInput input{"photo.jpg", "mini/small_photo.jpg", "640x480", "128x96", QString()};

    QString Write()
    {
        PageVariables vars;
        vars.SetPage(&options, 1, "/s/index.html", 1);
        ImageEntry e;
        e.Path = "/s/photo.jpg";
        e.Options = block;
        vars.SetImage(&e, 1);
        return ImageMarkup(options, EffectiveSettings(options, block), input, vars);
    }
};

} // namespace

TEST(ImageMarkup, writesTheSizedPopupOfTheDescribedExample)
{
    Markup m;
    m.options.Links.SpecialPopupLink = 0;
    m.input.comment = QString::fromUtf8("L'été");
    EXPECT_EQ(m.Write(), "<a href=\"javascript:Vorlex_Popup('photo.jpg',640,480,-1,-1,1,0,'#000000','#FFFFFF',"
                         "'L\\'&eacute;t&eacute;',1)\"><img src=\"mini/small_photo.jpg\" width=128 height=96 "
                         "border=0 alt=\"L'&eacute;t&eacute;\" title=\"L'&eacute;t&eacute;\"></a>");
}

TEST(ImageMarkup, opensPopupsOnClickWithoutHrefWhenAskedTo)
{
    Markup m;
    m.options.Links.SpecialPopupLink = 1;
    m.options.Links.LinkType = 17;
    m.options.WebPage2.ToolTipType = 2;
    m.input.imageLink = "../it's.jpg";
    EXPECT_EQ(m.Write(), "<a OnClick=\"Vorlex_Popup('../it\\'s.jpg',640,480,-2,-2,1,0,'#000000','#FFFFFF','',0)\">"
                         "<img src=\"mini/small_photo.jpg\" width=128 height=96 border=0></a>");
}

TEST(ImageMarkup, chosesTheLinkByEffectiveType)
{
    struct Row {
        int linkType;
        const char *opening;
    } rows[] = {
        {0, "<a href=\"it's.jpg\">"},
        {1, "<a href=\"it's.jpg\" target=\"_blank\">"},
        {16, "<a href=\"it's.jpg\">"},
    };
    for (const Row &r : rows) {
        Markup m;
        m.options.Links.LinkType = 33;
        m.block.Flags = IMGOPT_LINK_TYPE;
        m.block.LinkType = r.linkType;
        m.options.WebPage2.ToolTipType = 2;
        m.input.imageLink = "it's.jpg";
        EXPECT_EQ(m.Write(), QString(r.opening) + "<img src=\"mini/small_photo.jpg\" width=128 height=96 border=0></a>");
    }
}

TEST(ImageMarkup, writesTheThumbnailAloneWithoutLink)
{
    Markup m;
    m.options.Links.IsLink = 0;
    m.options.WebPage2.ToolTipType = 2;
    EXPECT_EQ(m.Write(), "<img src=\"mini/small_photo.jpg\" width=128 height=96 border=0>");
}

TEST(ImageMarkup, addsABorderColourStyleOnlyForAVisibleBorder)
{
    Markup m;
    m.options.Links.IsLink = 0;
    m.options.WebPage2.ToolTipType = 2;
    m.options.WebPage1.BorderColor = 0x0000FF;
    m.block.Flags = IMGOPT_BORDER_SIZE;
    m.block.BorderSize = 3;
    EXPECT_TRUE(m.Write().endsWith("border=3 style=\"border-color:#FF0000\">"));
    m.block.Flags |= IMGOPT_BORDER_COLOR;
    m.block.BorderColor = 0xFF0000;
    EXPECT_TRUE(m.Write().endsWith("border=3 style=\"border-color:#0000FF\">"));
}

TEST(ImageMarkup, escapesCommentsForEachBubbleKind)
{
    Markup m;
    m.options.Links.IsLink = 0;
    m.input.comment = "a\\\"b'";
    m.options.WebPage2.ToolTipType = 1;
    EXPECT_TRUE(m.Write().endsWith(" onMouseOver=\"poplink('a\\\\&#34;b\\'')\" onMouseOut=\"killlink()\">"));
    m.options.WebPage2.ToolTipType = 0;
    EXPECT_TRUE(m.Write().endsWith(" alt=\"a\\&#34;b'\" title=\"a\\&#34;b'\">"));
}

TEST(ImageMarkup, givesThePopupTheCommentModeOfItsSettings)
{
    struct Row {
        int tooltip, noTooltipInPopup, commentUnder;
        const char *tail;
    } rows[] = {
        {0, 0, 0, ",'#000000','#FFFFFF','q\\'\\'',1)\">"},
        {0, 0, 1, ",'#000000','#FFFFFF','q\\'\\'',3)\">"},
        {1, 0, 0, ",'#000000','#FFFFFF','q\\\\\\'\\\\\\'',2)\">"},
        {1, 0, 1, ",'#000000','#FFFFFF','q\\'\\'',3)\">"},
        {2, 0, 1, ",'#000000','#FFFFFF','',0)\">"}, // under the image but "none": no comment
        {1, 1, 1, ",'#000000','#FFFFFF','',0)\">"},
    };
    for (const Row &r : rows) {
        Markup m;
        m.options.Links.SpecialPopupLink = 0;
        m.options.WebPage2.ToolTipType = 2;
        m.block.Flags = IMGOPT_TOOLTIP_TYPE | IMGOPT_NO_TOOLTIP_IN_POPUP | IMGOPT_COMMENT_UNDER_IMAGE;
        m.block.ToolTipType = r.tooltip;
        m.block.NoTooltipInPopups = r.noTooltipInPopup;
        m.block.CommentUnderImage = r.commentUnder;
        m.input.comment = "q\"";
        const QString out = m.Write();
        EXPECT_TRUE(out.contains(QString(r.tail))) << out.toStdString();
    }
}

TEST(ImageMarkup, usesFixedPopupSizeAndColoursFromOverrides)
{
    Markup m;
    m.options.WebPage2.ToolTipType = 2;
    m.block.Flags = IMGOPT_POPUP_AUTO_SIZE | IMGOPT_POPUP_FIXED_SIZE | IMGOPT_POPUP_IMAGE_SIZE | IMGOPT_POPUP_BG_COLOR;
    m.block.PopupAutoSize = 0;
    m.block.PopupWidth = 800;
    m.block.PopupHeight = 600;
    m.block.AdaptImageSize = 0;
    m.block.AllowFullSize = 1;
    m.block.PopupBgColor = 0x102030; // red 30, green 20, blue 10
    EXPECT_TRUE(m.Write().contains("',640,480,800,600,0,1,'#302010','#CFDFEF','',0)\">"));
}

TEST(ImageMarkup, keepsAttributesIntactForADamagedEntry)
{
    Markup m;
    m.options.Links.SpecialPopupLink = 0;
    m.options.WebPage2.ToolTipType = 2;
    m.input.imageDimensions.clear();
    m.input.thumbnailDimensions.clear();
    EXPECT_EQ(m.Write(), "<a href=\"javascript:Vorlex_Popup('photo.jpg',0,0,-1,-1,1,0,'#000000','#FFFFFF','',0)\">"
                         "<img src=\"mini/small_photo.jpg\" border=0></a>");
}
