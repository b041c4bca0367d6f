#include "placementtesting.h"

#include "pagegen/placementbuilder.h"
#include "placement/glrplace_ids.h"
#include "shell/placementhost/placementhost.h"
#include "shell/placementhost/placementpage.h"
#include "shell/placementhost/placementwindow.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

const PlacementPagePaths kPages = PlacementPagesFor(QStringLiteral("/Photos/Été/A.jpg"));
const QString kSite = QStringLiteral("https://www.vorlex.com/gallorim/");

} // namespace

TEST(PlacementFilters, navigationLetsThroughOnlyClickLinksAndTheThreePages)
{
    using D = NavigationDecision;
    const struct {
        QUrl url;
        D expected;
    } rows[] = {
        {QUrl::fromLocalFile("/Photos/Été/A.jpg.vorlex_visual_placement_main.html"), D::Allow},
        {QUrl::fromLocalFile("/Photos/Été/A.jpg.vorlex_visual_placement_body.html"), D::Allow},
        {QUrl::fromLocalFile("/PHOTOS/ÉTÉ/a.JPG.VORLEX_VISUAL_PLACEMENT_HEADER.HTML"), D::Allow},
        {QUrl("javascript:VorlexClickImage(12)"), D::Allow},
        {QUrl("JAVASCRIPT:vorlexclickimage(1)"), D::Allow},
        {QUrl("javascript:alert(1)"), D::Cancel},
        {QUrl::fromLocalFile("/Photos/Été/A.jpg"), D::Cancel},
        {QUrl::fromLocalFile("/Photos/Été/A.jpg.vorlex_visual_placement_main.html.old"), D::Cancel},
        {QUrl("file:///Photos/%C3%89t%C3%A9/A.jpg.vorlex_visual_placement_body.html?x=1"), D::Cancel},
        {QUrl("https://example.org/"), D::Cancel},
        {QUrl("https://WWW.Vorlex.com/Gallorim/telecharger.html"), D::OpenExternally},
        {QUrl("https://www.vorlex.com/"), D::Cancel},
    };
    for (const auto &row : rows)
        EXPECT_EQ(DecideNavigation(row.url, kPages, kSite), row.expected) << row.url.toString().toStdString();
}

TEST(PlacementFilters, statusBarNeverShowsTheTemporaryPagesOrTheClickLinks)
{
    const struct {
        QString text, expected;
    } rows[] = {
        {"javascript:VorlexClickImage(3)", ""},
        {QUrl::fromLocalFile("/Photos/Été/A.jpg.vorlex_visual_placement_body.html").toString(), ""},
        {QString::fromUtf8(QUrl::fromLocalFile("/Photos/Été/A.jpg.vorlex_visual_placement_header.html").toEncoded()), ""},
        {"/photos/été/a.jpg.vorlex_visual_placement_main.html", ""},
        {"https://example.org/", "https://example.org/"},
        {"file:///Photos/Été/A.jpg", "file:///Photos/Été/A.jpg"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(FilterStatusText(row.text, kPages), row.expected) << row.text.toStdString();
}

TEST(PlacementFilters, theFileDeletedIsTheOneWrittenWhateverCaseTheBrowserReports)
{
    EXPECT_EQ(WrittenPageFor(QUrl::fromLocalFile("/photos/été/a.jpg.VORLEX_VISUAL_PLACEMENT_BODY.html"), kPages),
              kPages.body);
    EXPECT_EQ(WrittenPageFor(QUrl::fromLocalFile("/Photos/Été/A.jpg"), kPages), QString());
    EXPECT_EQ(WrittenPageFor(QUrl("https://x/A.jpg.vorlex_visual_placement_body.html"), kPages), QString());
}

TEST(PlacementFilters, onlyPagingFocusAndChoosingKeysReachThePage)
{
    for (int key : {Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_End, Qt::Key_Home, Qt::Key_Left, Qt::Key_Up,
                    Qt::Key_Right, Qt::Key_Down, Qt::Key_Tab, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space})
        EXPECT_TRUE(PlacementKeyAllowed(key, Qt::NoModifier)) << key;
    EXPECT_TRUE(PlacementKeyAllowed(Qt::Key_Backtab, Qt::ShiftModifier));
    EXPECT_TRUE(PlacementKeyAllowed(Qt::Key_7, Qt::KeypadModifier));
    for (int key : {int(Qt::Key_F5), int(Qt::Key_Backspace), int(Qt::Key_7), int(Qt::Key_P)})
        EXPECT_FALSE(PlacementKeyAllowed(key, Qt::NoModifier)) << key;
    EXPECT_FALSE(PlacementKeyAllowed(Qt::Key_P, Qt::ControlModifier));
    // Ctrl+Enter and Ctrl+Tab open or switch windows in a browser.
    EXPECT_FALSE(PlacementKeyAllowed(Qt::Key_Return, Qt::ControlModifier));
    EXPECT_FALSE(PlacementKeyAllowed(Qt::Key_Tab, Qt::ControlModifier));
}

TEST(PlacementViewRegistry, postsLaterToALiveViewAndNothingToADeadNumber)
{
    int document = 0;
    auto view = std::make_unique<RecordingView>(&document);
    const int number = view->number;
    ASSERT_GT(number, 0);
    EXPECT_EQ(ViewRegistry::Instance().NumberOf(&document), number);
    EXPECT_TRUE(ViewRegistry::Instance().Post(number, 1140, 3, 7));
    EXPECT_TRUE(view->posts.empty()); // queued, never sent
    QCoreApplication::processEvents();
    EXPECT_EQ(view->posts, (std::vector<PostedToView>{{1140, 3, 7}}));

    // Posted, then the view goes before delivery: nothing runs.
    EXPECT_TRUE(ViewRegistry::Instance().Post(number, 1139, 1, 2));
    view.reset();
    QCoreApplication::processEvents();
    EXPECT_FALSE(ViewRegistry::Instance().IsLive(number));
    EXPECT_FALSE(ViewRegistry::Instance().Post(number, 1139, 1, 2));
    EXPECT_EQ(ViewRegistry::Instance().NumberOf(&document), 0);
    EXPECT_NE(RecordingView().number, number); // numbers are not reused
}

TEST(PlacementHostTest, classIdsParseInBothFormsAndRoundTrip)
{
    GlrGuid guid {};
    ASSERT_TRUE(ParseClassId(QStringLiteral("clsid:" GLR_CLSID_BARE_TEXT), &guid));
    EXPECT_TRUE(GlrIsEqualGuid(&guid, &GLR_CLSID_GLRVisualPlacementObject));
    EXPECT_EQ(BracedClassId(guid), QStringLiteral(GLR_CLSID_TEXT));
    ASSERT_TRUE(ParseClassId(QStringLiteral(GLR_CLSID_TEXT).toLower(), &guid));
    EXPECT_TRUE(GlrIsEqualGuid(&guid, &GLR_CLSID_GLRVisualPlacementObject));
    for (const char *bad : {"", "clsid:", "{82A6D3E9-EB98-480F-B65A-A72D83EF7030", "82A6D3E9EB98480FB65AA72D83EF7030",
                            "clsid:82A6D3E9-EB98-480F-B65A-A72D83EF703Z"})
        EXPECT_FALSE(ParseClassId(QString::fromLatin1(bad), &guid)) << bad;
}

TEST(PlacementHostTest, aLiveRegistrationWinsElseTheControlInstalledBesideTheProgramServesItsClass)
{
    PrivateClassStore store(false);
    QTemporaryDir prefix;
    ASSERT_TRUE(QDir(prefix.path()).mkpath("bin") && QDir(prefix.path()).mkpath("lib/gallorim"));
    const QString programDir = prefix.filePath("bin");
    const QString installed = prefix.filePath("lib/gallorim/libglrplace.so");
    const QString registered = prefix.filePath("registered.so");
    for (const QString &path : {installed, registered}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const GlrGuid clsid = GLR_CLSID_GLRVisualPlacementObject;
    const GlrGuid other = {0x1u, 0x2u, 0x3u, {4, 5, 6, 7, 8, 9, 10, 11}};
    EXPECT_EQ(ModuleServingClass(clsid, programDir), installed);
    EXPECT_TRUE(ModuleServingClass(other, programDir).isEmpty())
        << "the installed control serves its own class only";

    auto registerAt = [&](const GlrGuid &guid, const QString &module) {
        QSettings classes(qEnvironmentVariable(GLR_CLASS_STORE_ENV), QSettings::IniFormat);
        classes.setValue(QString("Classes/CLSID/%1/InprocServer32/Default").arg(BracedClassId(guid)), module);
    };
    registerAt(clsid, registered);
    registerAt(other, registered);
    EXPECT_EQ(ModuleServingClass(clsid, programDir), registered);
    EXPECT_EQ(ModuleServingClass(other, programDir), registered);

    ASSERT_TRUE(QFile::remove(registered));
    EXPECT_EQ(ModuleServingClass(clsid, programDir), installed) << "a stale registration is passed over";
    ASSERT_TRUE(QFile::remove(installed));
    EXPECT_TRUE(ModuleServingClass(clsid, programDir).isEmpty());
}

TEST(PlacementHostTest, drivesTheRealControlAndHearsItsClosingMessageOnce)
{
    ASSERT_FALSE(PlacementModulePath().isEmpty()) << "build the glrplace target first";
    PrivateClassStore store(true);
    ASSERT_TRUE(store.registered());
    RecordingView view;
    QWidget surface;
    HostServices services;
    std::vector<PostedToView> direct;
    services.post = [&](GlrWindow w, uint32_t m, intptr_t a, intptr_t b) {
        direct.push_back({int(m), int(a), int(b)});
        return ViewRegistry::Instance().Post(int(w), int(m), int(a), int(b));
    };
    services.isWindow = [](GlrWindow w) { return ViewRegistry::Instance().IsLive(int(w)); };
    auto host = std::make_unique<PlacementHost>(&surface, services);
    const QString key = QStringLiteral("k1");
    ASSERT_TRUE(host->AddObject(key, QStringLiteral("clsid:" GLR_CLSID_BARE_TEXT)));
    EXPECT_FALSE(host->AddObject(QStringLiteral("k2"), QStringLiteral("clsid:00000000-0000-0000-0000-000000000001")));
    EXPECT_FALSE(host->Call(key, QStringLiteral("NoSuchMethod"), {}));
    EXPECT_TRUE(host->Call(key, QStringLiteral("Init_Visual_Placement"), {0, 0xFFFFFF, view.number, 1139}));
    EXPECT_TRUE(host->Call(key, QStringLiteral("ClickFirstImage"), {5}));
    EXPECT_TRUE(host->Call(key, QStringLiteral("ClickSecondImage"), {5, 2}));

    host->PlaceObject(key, QRect(10, 20, 500, 60), true);
    QWidget *window = host->ObjectWindow(key);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->parentWidget(), &surface);
    EXPECT_EQ(window->geometry(), QRect(10, 20, 500, 60));
    host->PlaceObject(key, QRect(10, 0, 500, 60), false);
    EXPECT_TRUE(window->isHidden());

    EXPECT_FALSE(host->ClosingMessagePosted());
    host.reset();
    EXPECT_EQ(direct, (std::vector<PostedToView>{{1140, 5, 2}, {1139, -1, -1}}));
    QCoreApplication::processEvents();
    EXPECT_EQ(view.posts, (std::vector<PostedToView>{{1140, 5, 2}, {1139, -1, -1}}));
}

TEST(PlacementWindowOpening, withoutTheControlShowsTheMessageRemovesThePagesAndEndsThePlacement)
{
    PrivateClassStore store(false); // nothing registered
    QTemporaryDir dir;
    const PlacementPagePaths pages = PlacementPagesFor(dir.filePath("a.jpg"));
    for (const QString &page : {pages.body, pages.header, pages.main}) {
        QFile f(page);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    RecordingView view;
    QMdiArea area;
    QString shown;
    QTimer::singleShot(0, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    EXPECT_EQ(OpenPlacementWindow(&area, pages.main, "Vacances", view.number), nullptr);
    EXPECT_EQ(shown, PlacementControlMissingText());
    EXPECT_TRUE(area.subWindowList().isEmpty());
    for (const QString &page : {pages.body, pages.header, pages.main})
        EXPECT_FALSE(QFile::exists(page));
    QCoreApplication::processEvents();
    EXPECT_EQ(view.posts, (std::vector<PostedToView>{{1139, -1, -1}}));
}
