#include "document/imageentry.h"
#include "pagegen/buildslideshowthread.h"
#include "qstringprint.h"

#include <gtest/gtest.h>

namespace {

ImageEntry Entry(const QString &comment)
{
    ImageEntry e;
    e.Path = "/site/img/it's.jpg";
    e.ImageDimensions = "640x480";
    e.ThumbnailDimensions = "128x96";
    e.Comment = comment;
    return e;
}

const QString kPage = "/site/diaporama.html";

} // namespace

TEST(ImageSlideshowLine, writesPathSizeAndCommentByTooltipType)
{
    struct Row {
        int tooltip, noTooltipInPopups;
        const char *expected;
    } rows[] = {
        {0, 0, "image_data_array[3] = new image_data('img/it\\'s.jpg',640,480,'a\\\\b \\'\\'q\\'\\' l\\'\xc3\xa9',1);\n"},
        {1, 0, "image_data_array[3] = new image_data('img/it\\'s.jpg',640,480,'a\\\\b &#34;q&#34; l\\'&eacute;',2);\n"},
        {2, 0, "image_data_array[3] = new image_data('img/it\\'s.jpg',640,480,'',0);\n"},
        {0, 1, "image_data_array[3] = new image_data('img/it\\'s.jpg',640,480,'',0);\n"},
    };
    for (const Row &r : rows) {
        GalleryOptions o;
        o.WebPage2.ToolTipType = r.tooltip;
        o.WebPage2.NoTooltipInPopups = r.noTooltipInPopups;
        const QString comment = QString::fromUtf8("a\\b \"q\" l'é");
        EXPECT_EQ(ImageSlideshowLine(o, kPage, 3, Entry(comment), comment), QString::fromUtf8(r.expected));
    }
}

TEST(ImageSlideshowLine, cannotEndItsScriptElementEarly)
{
    GalleryOptions o;
    o.WebPage2.ToolTipType = 0;
    const QString line = ImageSlideshowLine(o, kPage, 0, Entry("x</script><script>alert(1)"), "x</script><script>alert(1)");
    EXPECT_FALSE(line.contains("</script>", Qt::CaseInsensitive));
    EXPECT_TRUE(line.contains("x<\\/script><script>alert(1)"));
}

TEST(ThumbnailSlideshowLine, describesTheFullSizeImageByLinkType)
{
    struct Row {
        int isLink, linkType, tooltip, commentUnder;
        const char *tail;
    } rows[] = {
        {0, 33, 2, 0, "'',0,'',1,0,0,0,0,0,0,'','',0);\n"},
        {1, 1, 2, 0, "'',0,'img/it\\'s.jpg',1,0,0,0,0,0,0,'','',0,'');\n"},
        {1, 0, 2, 0, "'',0,'img/it\\'s.jpg',0,0,0,0,0,0,0,'','',0,'');\n"},
        {1, 17, 2, 0, "'',0,'img/it\\'s.jpg',2,640,480,-2,-2,1,0,'#000000','#FFFFFF',0,'');\n"},
        {1, 33, 0, 0, "'q\\'\\'',1,'img/it\\'s.jpg',2,640,480,-1,-1,1,0,'#000000','#FFFFFF',1,'');\n"},
        {1, 33, 0, 1, "'q\\'\\'',1,'img/it\\'s.jpg',2,640,480,-1,-1,1,0,'#000000','#FFFFFF',3,'');\n"},
        {1, 33, 1, 0, "'q&#34;',2,'img/it\\'s.jpg',2,640,480,-1,-1,1,0,'#000000','#FFFFFF',2,'q\\\\\\'\\\\\\'');\n"},
    };
    for (const Row &r : rows) {
        GalleryOptions o;
        o.Links.IsLink = r.isLink;
        o.Links.LinkType = r.linkType;
        o.WebPage2.ToolTipType = r.tooltip;
        o.WebPage2.CommentUnderImage = r.commentUnder;
        const QString line = ThumbnailSlideshowLine(o, kPage, 0, Entry("q\""), "/site/img/mini/small_it's.jpg", "q\"");
        EXPECT_EQ(line, "image_data_array[0] = new image_data('img/mini/small_it\\'s.jpg',128,96," + QString(r.tail))
            << r.linkType << " " << r.tooltip;
    }
}

TEST(ThumbnailSlideshowLine, usesTheFixedPopupSizeOfSizedPopups)
{
    GalleryOptions o;
    o.Links.WindowAutoSize = 0;
    o.Links.WindowFixedSize = {800, 600};
    o.WebPage2.ToolTipType = 2;
    const QString line = ThumbnailSlideshowLine(o, kPage, 0, Entry(""), "/site/img/t.jpg", "");
    EXPECT_TRUE(line.contains(",2,640,480,800,600,1,0,")) << line.toStdString();
}

TEST(SlideshowDesignId, followsTheSlideshowKindOrderAndProtection)
{
    GalleryOptions o;
    o.Diaporama.AutoOrUser = 0;
    EXPECT_EQ(SlideshowDesignId(o, false), 185);
    o.Diaporama.Random = 1;
    EXPECT_EQ(SlideshowDesignId(o, false), 198);
    o.Diaporama.AutoOrUser = 1;
    EXPECT_EQ(SlideshowDesignId(o, false), 188);
    EXPECT_EQ(SlideshowDesignId(o, true), 192);
    o.WebPage1.ProtectImage = 1;
    EXPECT_EQ(SlideshowDesignId(o, true), 193);
}
