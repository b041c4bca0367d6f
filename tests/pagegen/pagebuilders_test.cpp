#include "buildfixture.h"
#include "pagegen/pagebuilders.h"
#include "platform/manualresetevent.h"

#include <QFile>

class PageBuilders : public BuildFixture {
protected:
    // Answers the document like the list view does, and notes the end of the build.
    void Attach()
    {
        m_sink.onPost = [this](int code, std::intptr_t value) {
            if (code == NOTIFY_THUMBNAILS && value == 0)
                m_doc->SignalStartBuild();
            if (code == NOTIFY_BUSY && value == 0)
                m_ended.Set();
        };
        m_doc->SetSink(&m_sink);
    }
    ManualResetEvent m_ended;
};

TEST_F(PageBuilders, startBuildRunsTheGalleryBuilderOnItsOwnThread)
{
    GalleryOptions o = DesignOptions("design_sections.html");
    m_doc->SetOptions(o);
    AddImage("a.jpg", "640x480", "128x96", QString());
    OpenRecord open;
    m_doc->SetBuilders(MakePageBuilders(open.Environment()));
    Attach();
    ASSERT_GE(m_doc->StartBuild(false, false), 0);
    ASSERT_EQ(WaitForAny({&m_ended}, 20000), 0);
    EXPECT_TRUE(QFile::exists(Page("index.html")));
    m_doc->SetSink(nullptr); // the build thread has posted its last notice
    EXPECT_EQ(open.opened, std::vector<QString>{Page("index.html")});
}

TEST_F(PageBuilders, startBuildChoosesTheThumbnailSlideshowForThumbnailShows)
{
    GalleryOptions o;
    o.SlideshowPagePath = Page("diaporama.html");
    o.Diaporama.AutoOrUser = 2;
    m_doc->SetOptions(o);
    AddImage("a.jpg", "640x480", "128x96", QString());
    m_doc->SetBuilders(MakePageBuilders(BuildEnvironment{}));
    Attach();
    ASSERT_GE(m_doc->StartBuild(false, true), 0);
    ASSERT_EQ(WaitForAny({&m_ended}, 20000), 0);
    m_doc->SetSink(nullptr);
    EXPECT_TRUE(ReadFile(Page("diaporama.html")).contains("var diapo_width = 136;"));
}
