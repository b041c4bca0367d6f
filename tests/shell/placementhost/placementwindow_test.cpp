// The placement window on real pages with the real control. Needs a real
// window system: run under xvfb-run with QT_QPA_PLATFORM=xcb; elsewhere the
// suite is skipped.
#include "placementtesting.h"

#include "document/gallerydocument.h"
#include "pagegen/placementbuilder.h"
#include "platform/profile.h"
#include "shell/placementhost/placementhost.h"
#include "shell/placementhost/placementpage.h"
#include "shell/placementhost/placementwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTest>
#include <QWebEngineView>
#include <gtest/gtest.h>
#include <memory>

namespace {

bool WaitFor(const std::function<bool()> &condition, int milliseconds = 20000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > milliseconds)
            return false;
        QTest::qWait(20);
    }
    return true;
}

QVariant RunScript(QWebEnginePage *page, const QString &script)
{
    QVariant result;
    bool done = false;
    page->runJavaScript(script, [&](const QVariant &v) {
        result = v;
        done = true;
    });
    WaitFor([&] { return done; }, 10000);
    return result;
}

class XvfbPlacementWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs a window system (xvfb-run with QT_QPA_PLATFORM=xcb)";
        ASSERT_TRUE(m_dir.isValid());
    }

    // Four real pictures, then the placement pages written by the real builder.
    PlacementPagePaths BuildPages(GalleryDocument &doc, int viewNumber)
    {
        const QColor colors[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
        for (int i = 0; i < 4; ++i) {
            ImageEntry e;
            e.Path = m_dir.filePath(QStringLiteral("p%1.jpg").arg(i + 1));
            QImage image(160, 120, QImage::Format_RGB32);
            image.fill(colors[i]);
            EXPECT_TRUE(image.save(e.Path));
            e.ImageDimensions = QStringLiteral("160x120");
            EXPECT_GE(doc.InsertEntry(e, QString(), QString(), false), 0);
        }
        doc.SignalStartBuild();
        EXPECT_EQ(BuildPlacementThread(doc, [viewNumber] { return viewNumber; }), 0);
        return PlacementPagesFor(m_dir.filePath(QStringLiteral("p1.jpg")));
    }

    QTemporaryDir m_dir;
};

QString PictureOrder(QWebEnginePage *page)
{
    return RunScript(page, QStringLiteral("Array.prototype.map.call(frames['Main_Page'].document"
                                          ".getElementsByName('VorlexVisualPlacementImage'),"
                                          " function (p) { return p.getAttribute('src'); }).join(',')"))
        .toString();
}

} // namespace

TEST_F(XvfbPlacementWindow, clicksInThePageReachTheGalleryViewAndClosingEndsThePlacement)
{
    PrivateClassStore store(true);
    ASSERT_TRUE(store.registered());
    SettingsProfile profile(m_dir.filePath(QStringLiteral("settings.ini")));
    GalleryDocument doc(profile, 1);
    RecordingView view(&doc);
    const PlacementPagePaths pages = BuildPages(doc, view.number);
    ASSERT_TRUE(QFile::exists(pages.main));

    QMainWindow main;
    auto *area = new QMdiArea;
    main.setCentralWidget(area);
    main.resize(1000, 700);
    main.show();
    QPointer<PlacementWindow> window = OpenPlacementWindow(area, pages.main, QStringLiteral("Vacances"), view.number);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Placement visuel : Vacances"));
    PlacementHost *host = window->host();
    const auto keys = [host] { return host->ObjectKeys(); };
    ASSERT_TRUE(WaitFor([&] { return keys().size() == 1 && host->ObjectWindow(keys()[0]); }));
    const QString key = keys()[0];
    ASSERT_TRUE(WaitFor([&] { return host->ObjectMessage(key).startsWith("Placement Visuel des images :"); }))
        << host->ObjectMessage(key).toStdString();
    ASSERT_TRUE(WaitFor([&] {
        return !QFile::exists(pages.main) && !QFile::exists(pages.header) && !QFile::exists(pages.body);
    })) << "temporary pages left";

    // The control's window lies over the object's rectangle and follows the zoom.
    QWidget *control = host->ObjectWindow(key);
    EXPECT_TRUE(control->isVisible());
    const QVariantList r = RunScript(window->page(),
        "var o = frames['Vorlex_Header'].document.getElementById('GLRVisualPlacementObject').getBoundingClientRect();"
        "[o.left, o.top, o.width, o.height]").toList();
    ASSERT_EQ(r.size(), 4);
    EXPECT_EQ(control->geometry(), QRect(qRound(r[0].toDouble()), qRound(r[1].toDouble()), 500, 60));
    window->view()->setZoomFactor(1.5);
    EXPECT_TRUE(WaitFor([&] { return control->size() == QSize(750, 90); })) << control->width();
    window->view()->setZoomFactor(1.0);

    // Insertion (the preselected mode): picture 1 before picture 3.
    RunScript(window->page(), "frames['Main_Page'].VorlexClickImage(1); frames['Main_Page'].VorlexClickImage(3);");
    ASSERT_TRUE(WaitFor([&] { return view.posts.size() == 1; }));
    EXPECT_EQ(view.posts[0], (PostedToView{1140, 1, 3}));
    EXPECT_EQ(PictureOrder(window->page()), "p2.jpg,p1.jpg,p3.jpg,p4.jpg");
    // A move that changes nothing posts nothing.
    RunScript(window->page(), "frames['Main_Page'].VorlexClickImage(2); frames['Main_Page'].VorlexClickImage(3);");

    // Exchange: the first radio button, then pictures 2 and 4.
    RunScript(window->page(), "frames['Vorlex_Header'].document.getElementsByName('exchange')[0].click();");
    RunScript(window->page(), "frames['Main_Page'].VorlexClickImage(2); frames['Main_Page'].VorlexClickImage(4);");
    ASSERT_TRUE(WaitFor([&] { return view.posts.size() == 2; }));
    EXPECT_EQ(view.posts[1], (PostedToView{1139, 2, 4}));
    EXPECT_EQ(PictureOrder(window->page()), "p2.jpg,p4.jpg,p3.jpg,p1.jpg");

    area->subWindowList().first()->close();
    ASSERT_TRUE(WaitFor([&] { return window.isNull(); }));
    QTest::qWait(50);
    EXPECT_EQ(view.posts.size(), 3u);
    EXPECT_EQ(view.posts.back(), (PostedToView{1139, -1, -1}));
}

TEST_F(XvfbPlacementWindow, closingBeforeAnyControlRanStillEndsThePlacementOnce)
{
    RecordingView view;
    auto window = std::make_unique<PlacementWindow>(m_dir.filePath("gone.jpg.vorlex_visual_placement_main.html"),
                                                    QStringLiteral("Vide"), view.number);
    window->show();
    QTest::qWait(200);
    window.reset();
    QTest::qWait(50);
    EXPECT_EQ(view.posts, (std::vector<PostedToView>{{1139, -1, -1}}));
}

TEST_F(XvfbPlacementWindow, tabReachesEachPhotoWithAVisibleFocusAndEnterChoosesIt)
{
    PrivateClassStore store(true);
    ASSERT_TRUE(store.registered());
    SettingsProfile profile(m_dir.filePath(QStringLiteral("settings.ini")));
    GalleryDocument doc(profile, 1);
    RecordingView view(&doc);
    const PlacementPagePaths pages = BuildPages(doc, view.number);
    QMainWindow main;
    auto *area = new QMdiArea;
    main.setCentralWidget(area);
    main.resize(1000, 700);
    main.show();
    QPointer<PlacementWindow> window = OpenPlacementWindow(area, pages.main, QStringLiteral("Clavier"), view.number);
    ASSERT_TRUE(window);
    PlacementHost *host = window->host();
    ASSERT_TRUE(WaitFor([&] {
        const auto keys = host->ObjectKeys();
        return keys.size() == 1 && host->ObjectMessage(keys[0]).startsWith("Placement Visuel des images :");
    }));
    // No window manager under xvfb-run: the window asks for the focus itself.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    window->setFocus();
    ASSERT_TRUE(WaitFor([] { return QApplication::focusWidget() != nullptr; }));

    // The photo that has the focus, by its number in the page; 0 for none.
    const auto focusedPhoto = [&] {
        return RunScript(window->page(),
                         "var a = frames['Main_Page'].document.activeElement;"
                         "var m = a && a.tagName == 'A' ? /VorlexClickImage\\((\\d+)\\)/.exec(a.href) : null;"
                         "m ? parseInt(m[1]) : 0")
            .toInt();
    };
    const auto tabTo = [&](int photo) {
        for (int i = 0; i < 12 && focusedPhoto() != photo; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        return focusedPhoto() == photo;
    };
    ASSERT_TRUE(tabTo(1));
    EXPECT_EQ(RunScript(window->page(), "frames['Main_Page'].getComputedStyle("
                                        "frames['Main_Page'].document.activeElement.querySelector('img')).outlineStyle")
                  .toString(),
              QStringLiteral("solid"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_TRUE(tabTo(3));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    // The same insertion as clicks on photos 1 and 3.
    ASSERT_TRUE(WaitFor([&] { return view.posts.size() == 1; }));
    EXPECT_EQ(view.posts[0], (PostedToView{1140, 1, 3}));
    EXPECT_EQ(PictureOrder(window->page()), "p2.jpg,p1.jpg,p3.jpg,p4.jpg");
}
