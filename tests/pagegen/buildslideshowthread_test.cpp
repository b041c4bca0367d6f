#include "buildfixture.h"
#include "pagegen/buildgallerythread.h"
#include "pagegen/buildslideshowthread.h"
#include "pagegen/htmlencoding.h"

#include <QFile>

class BuildSlideshow : public BuildFixture {
protected:
    QString Show() const { return Site() + "gal/diaporama.html"; }
    GalleryOptions ShowOptions(int autoOrUser)
    {
        GalleryOptions o;
        o.SlideshowPagePath = Show();
        o.Diaporama.AutoOrUser = autoOrUser;
        o.WebPage2.ToolTipType = 0;
        m_doc->SetOptions(o);
        return o;
    }
    void AddTwo()
    {
        AddImage("a.jpg", "640x480", "128x96", "Il a dit \"oui\"");
        AddImage("b.jpg", "480x640", "96x128", QString::fromUtf8("Photo ?$VORLEX_VARIABLE_IMAGE_INDEX"));
    }
    int Run(bool thumbnails, const GalleryOptions &o, const BuildEnvironment &env = {})
    {
        m_doc->SetOptions(o);
        m_doc->SetSink(&m_sink);
        m_doc->SignalStartBuild();
        return thumbnails ? BuildThumbnailSlideshowThread(*m_doc, env) : BuildSlideshowThread(*m_doc, env);
    }
};

TEST_F(BuildSlideshow, fillsTheAutomaticDesignWithPictureLinesAndSettings)
{
    GalleryOptions o = ShowOptions(0);
    o.Diaporama.NoLoop = 1;
    AddTwo();
    OpenRecord open;
    EXPECT_EQ(Run(false, o, open.Environment()), kSlideshowBuilt);
    const QByteArray page = ReadFile(Show());
    EXPECT_TRUE(page.contains("var diaporama_delay = 4000;"));
    EXPECT_TRUE(page.contains("var AutoLoop = false;"));
    EXPECT_TRUE(page.contains("var nb_images = 2;"));
    EXPECT_TRUE(page.contains("<title>Diaporama : Mes photos</title>"));
    EXPECT_TRUE(page.contains("image_data_array[0] = new image_data('../img/a.jpg',640,480,"
                              "'Il a dit \\'\\'oui\\'\\'',1);\nimage_data_array[1] = new image_data("
                              "'../img/b.jpg',480,640,'Photo 2',1);\n</script>"));
    EXPECT_TRUE(page.contains("Fermer"));         // close button by default
    EXPECT_FALSE(page.contains("0index"));        // the sample line is dropped
    EXPECT_FALSE(page.contains("?$VORLEX"));
    EXPECT_FALSE(page.contains("VORLEX_INSERT_IMAGE"));
    EXPECT_EQ(open.opened, std::vector<QString>{Show()});
    EXPECT_EQ(m_sink.Progress(), (std::vector<std::intptr_t>{0, 1}));
}

TEST_F(BuildSlideshow, startsWithoutWaitingForThumbnailsButTheThumbnailVariantWaits)
{
    GalleryOptions o = ShowOptions(1);
    AddTwo();
    m_doc->SetOptions(o);
    m_doc->SetSink(&m_sink);
    EXPECT_EQ(BuildSlideshowThread(*m_doc), kSlideshowBuilt); // no start event needed
    EXPECT_TRUE(ReadFile(Show()).contains("Fermer le diaporama"));
    QFile::remove(Show());
    m_doc->CancelBuild();
    EXPECT_EQ(BuildThumbnailSlideshowThread(*m_doc), kBuildStoppedWhileWaiting);
    EXPECT_FALSE(QFile::exists(Show()));
}

TEST_F(BuildSlideshow, sizesTheThumbnailFrameFromTheLargestThumbnail)
{
    GalleryOptions o = ShowOptions(2);
    o.Diaporama.CloseOrBack = 1;
    AddTwo();
    EXPECT_EQ(Run(true, o), kSlideshowBuilt);
    const QByteArray page = ReadFile(Show());
    EXPECT_TRUE(page.contains("var diapo_width = 136;"));
    EXPECT_TRUE(page.contains("var diapo_height = 176;"));
    EXPECT_TRUE(page.contains("var IsLink = true;"));
    EXPECT_TRUE(page.contains("image_data_array[0] = new image_data('../img/mini/small_a.jpg',128,96,"));
    EXPECT_FALSE(page.contains("?$VORLEX"));

    o.Diaporama.VignetteDiapoSizeMode = 1;
    o.Links.IsLink = 0;
    EXPECT_EQ(Run(true, o), kSlideshowBuilt);
    const QByteArray fixed = ReadFile(Show());
    EXPECT_TRUE(fixed.contains("var diapo_width = 128;"));
    EXPECT_TRUE(fixed.contains("var diapo_height = 96;"));
    EXPECT_TRUE(fixed.contains("var IsLink = false;"));
}

TEST_F(BuildSlideshow, leavesNoFileBehindWhenStoppedDuringThePictures)
{
    GalleryOptions o = ShowOptions(0);
    AddTwo();
    m_sink.onPost = [this](int code, std::intptr_t value) {
        if (code == NOTIFY_PROGRESS && value == 0)
            m_doc->CancelBuild();
    };
    OpenRecord open;
    EXPECT_EQ(Run(false, o, open.Environment()), 0);
    EXPECT_FALSE(QFile::exists(Show()));
    EXPECT_TRUE(open.opened.empty());
    EXPECT_EQ(m_sink.BuildPosts().back(), std::make_pair(int(NOTIFY_BUSY), std::intptr_t(0)));
}

TEST_F(BuildSlideshow, reportsAWriteErrorAndKeepsNothingWhenTheFolderIsBlocked)
{
    GalleryOptions o = ShowOptions(0);
    AddTwo();
    QFile blocker(Site() + "gal");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_EQ(Run(false, o), 0);
    EXPECT_EQ(m_sink.Errors(), std::vector<std::intptr_t>{BUILD_ERROR_WRITE});
}

TEST_F(BuildSlideshow, fillsEveryPlaceholderOfTheProtectedDesigns)
{
    AddTwo();
    const struct {
        int autoOrUser;
        bool thumbnails;
    } variants[] = {{0, false}, {1, false}, {2, true}};
    for (const auto &v : variants) {
        GalleryOptions o = ShowOptions(v.autoOrUser);
        o.WebPage1.ProtectImage = 1;
        o.Diaporama.CloseOrBack = 1;
        ASSERT_EQ(Run(v.thumbnails, o), kSlideshowBuilt) << v.autoOrUser;
        const QByteArray page = ReadFile(Show());
        SCOPED_TRACE(v.autoOrUser);
        EXPECT_FALSE(page.contains("?$VORLEX"));
        EXPECT_TRUE(page.contains(LoadHtmlResource(197).toUtf8()));
        EXPECT_TRUE(page.contains("image_data_array[1] = new image_data("));
        if (!v.thumbnails) {
            EXPECT_TRUE(page.contains("Retour")); // the back button rather than close
        }
    }
}
