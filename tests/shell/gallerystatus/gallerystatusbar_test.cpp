#include "shell/gallerystatus/gallerystatusbar.h"

#include "document/notifycodes.h"
#include "document/warningmessages.h"
#include "platform/profile.h"
#include "shell/common/generaloptions.h"
#include "shell/gallerystatus/warningmessagewindow.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {
class GalleryStatusBarTest : public ::testing::Test {
protected:
    QString iniFile() const { return m_dir.filePath(QStringLiteral("settings.ini")); }

    template <typename T> T *pane(const char *name) { return m_bar.findChild<T *>(QLatin1String(name)); }
    bool warningLit() { return !pane<QToolButton>("warningPane")->icon().isNull(); }

    WarningMessageWindow *openWarnings()
    {
        QTest::keyClick(pane<QToolButton>("warningPane"), Qt::Key_Return);
        return m_bar.findChild<WarningMessageWindow *>();
    }

    // The stop menu that a right click on `name` opens, or nullptr.
    QMenu *rightClick(const char *name)
    {
        for (QMenu *menu : m_bar.findChildren<QMenu *>())
            menu->hide();
        QWidget *target = pane<QWidget>(name);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), target->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(target, &event);
        for (QMenu *menu : m_bar.findChildren<QMenu *>(QStringLiteral("stopMenu"))) {
            if (menu->isVisible())
                return menu;
        }
        return nullptr;
    }

    QTemporaryDir m_dir;
    SettingsProfile m_profile {iniFile()};
    GeneralOptions m_options;
    GalleryStatusBar m_bar {m_options, m_profile};
};

QPushButton *Button(WarningMessageWindow *window)
{
    return window->findChild<QPushButton *>(QStringLiteral("warningButton"));
}

QString Message(WarningMessageWindow *window)
{
    return window->findChild<QLabel *>(QStringLiteral("warningText"))->text();
}
} // namespace

TEST_F(GalleryStatusBarTest, estimateFollowsCountBytesAndSpeed)
{
    EXPECT_EQ(pane<QLabel>("estimatePane")->text(), QStringLiteral("Aucun fichier"));
    m_bar.notify(NOTIFY_COUNT, 25);
    m_bar.notify(NOTIFY_THUMBNAIL_BYTES, 260096);
    EXPECT_EQ(pane<QLabel>("estimatePane")->text(),
        QStringLiteral("25 fichier(s) - Vignettes = 254 ko soit 38s @ 56 kb/s"));

    QTest::keyClick(pane<QComboBox>("speedList"), Qt::Key_Up);
    EXPECT_EQ(
        m_bar.estimateText(), QStringLiteral("25 fichier(s) - Vignettes = 254 ko soit 1m2s @ 33.6 kb/s"));

    // A total above 4 GiB is not cut to 32 bits on a 64-bit build.
    if constexpr (sizeof(qintptr) == 8) {
        m_bar.notify(NOTIFY_THUMBNAIL_BYTES, qintptr(5) << 30);
        EXPECT_TRUE(m_bar.estimateText().contains(QStringLiteral("= 5.00 Go soit")));
    }
}

TEST_F(GalleryStatusBarTest, speedChoiceIsStoredAndBecomesTheNextDefault)
{
    EXPECT_EQ(m_bar.speedIndex(), 1);
    QTest::keyClick(pane<QComboBox>("speedList"), Qt::Key_Down);
    EXPECT_EQ(SettingsProfile(iniFile()).GetInt(
                  QStringLiteral("LastOptions/StatusBar"), QStringLiteral("LastInternetSpeed"), -1),
        2);
    EXPECT_EQ(GalleryStatusBar(m_options, m_profile).speedIndex(), 2);

    m_profile.WriteInt(QStringLiteral("LastOptions/StatusBar"), QStringLiteral("LastInternetSpeed"), 42);
    EXPECT_EQ(GalleryStatusBar(m_options, m_profile).speedIndex(), 1);
}

TEST_F(GalleryStatusBarTest, onlyWarningsWithAShowableMessageLightTheIcon)
{
    m_options.DisabledWarningMessage = WARN_OUTSIDE_ROOT;
    m_bar.notify(NOTIFY_ERROR, WARN_OUTSIDE_ROOT);
    m_bar.notify(NOTIFY_ERROR, 0);
    m_bar.notify(NOTIFY_ERROR, 0x8000);
    EXPECT_FALSE(warningLit());
    EXPECT_EQ(m_bar.pendingWarnings(), 0u);
    EXPECT_EQ(openWarnings(), nullptr);

    m_bar.notify(NOTIFY_ERROR, WARN_OTHER_DRIVE);
    EXPECT_TRUE(warningLit());
    EXPECT_EQ(m_bar.pendingWarnings(), quint32(WARN_OTHER_DRIVE));
}

TEST_F(GalleryStatusBarTest, messageWindowWalksWarningsLowestFirstAndSilencesTickedOnes)
{
    for (quint32 bit : {BUILD_ERROR_WRITE, WARN_THUMBNAIL_NAME, THUMB_ERROR_MEMORY})
        m_bar.notify(NOTIFY_ERROR, bit);
    WarningMessageWindow *window = openWarnings();
    ASSERT_NE(window, nullptr);
    auto *silence = window->findChild<QCheckBox *>();

    EXPECT_EQ(Message(window), WarningMessage(WARN_THUMBNAIL_NAME));
    EXPECT_EQ(Button(window)->text(), QStringLiteral("Message suivant ->"));
    QTest::keyClick(silence, Qt::Key_Space);
    QTest::keyClick(Button(window), Qt::Key_Space);

    EXPECT_EQ(Message(window), WarningMessage(THUMB_ERROR_MEMORY));
    EXPECT_TRUE(silence->isChecked());
    QTest::keyClick(Button(window), Qt::Key_Space);

    EXPECT_EQ(Message(window), WarningMessage(BUILD_ERROR_WRITE));
    EXPECT_EQ(Button(window)->text(), QStringLiteral("Fermer"));
    QTest::keyClick(silence, Qt::Key_Space);
    QTest::keyClick(Button(window), Qt::Key_Space);

    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(warningLit());
    GeneralOptions stored;
    stored.LoadFromRegistry(SettingsProfile(iniFile()));
    EXPECT_EQ(stored.DisabledWarningMessage, int(WARN_THUMBNAIL_NAME | THUMB_ERROR_MEMORY));
    m_bar.notify(NOTIFY_ERROR, THUMB_ERROR_MEMORY);
    EXPECT_FALSE(warningLit());
}

TEST_F(GalleryStatusBarTest, escapeKeepsUnseenWarningsAndLateOnesJoinTheQueue)
{
    m_bar.notify(NOTIFY_ERROR, WARN_NO_THUMBNAIL);
    WarningMessageWindow *window = openWarnings();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Button(window)->text(), QStringLiteral("Fermer"));

    m_bar.notify(NOTIFY_ERROR, WARN_OTHER_DRIVE);
    EXPECT_EQ(Button(window)->text(), QStringLiteral("Message suivant ->"));
    QTest::keyClick(window, Qt::Key_Escape);

    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(warningLit());
    EXPECT_EQ(m_bar.pendingWarnings(), quint32(WARN_OTHER_DRIVE));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    window = openWarnings();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Message(window), WarningMessage(WARN_OTHER_DRIVE));
}

TEST_F(GalleryStatusBarTest, activityIconsFollowTheirCodes)
{
    const struct {
        int code;
        const char *pane;
    } rows[] = {{NOTIFY_ADDING, "addingPane"}, {NOTIFY_SAVING, "savingPane"},
        {NOTIFY_THUMBNAILS, "thumbnailsPane"}, {NOTIFY_BUSY, "pagePane"}};
    for (const auto &row : rows) {
        m_bar.notify(row.code, 1);
        EXPECT_FALSE(pane<QLabel>(row.pane)->pixmap().isNull()) << row.pane;
        m_bar.notify(row.code, 0);
        EXPECT_TRUE(pane<QLabel>(row.pane)->pixmap().isNull()) << row.pane;
    }
}

TEST_F(GalleryStatusBarTest, stopMenusAreOfferedOnlyWhileTheirActivityRuns)
{
    QSignalSpy addingSpy(&m_bar, &GalleryStatusBar::stopAddingRequested);
    QSignalSpy thumbnailsSpy(&m_bar, &GalleryStatusBar::stopThumbnailsRequested);
    EXPECT_EQ(rightClick("addingPane"), nullptr);

    m_bar.notify(NOTIFY_ADDING, 1);
    QMenu *menu = rightClick("addingPane");
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions().front()->text(), QStringLiteral("Arrêter"));
    menu->actions().front()->trigger();
    EXPECT_EQ(addingSpy.count(), 1);

    // Adding ended while the menu was open.
    menu = rightClick("addingPane");
    ASSERT_NE(menu, nullptr);
    m_bar.notify(NOTIFY_ADDING, 0);
    menu->actions().front()->trigger();
    EXPECT_EQ(addingSpy.count(), 1);

    m_bar.notify(NOTIFY_THUMBNAILS, 1);
    m_bar.notify(NOTIFY_BUSY, 1);
    EXPECT_EQ(rightClick("thumbnailsPane"), nullptr);
    m_bar.notify(NOTIFY_BUSY, 0);
    menu = rightClick("thumbnailsPane");
    ASSERT_NE(menu, nullptr);
    menu->actions().front()->trigger();
    EXPECT_EQ(thumbnailsSpy.count(), 1);
    EXPECT_EQ(addingSpy.count(), 1);
}

TEST_F(GalleryStatusBarTest, anActivityThatCanStopTakesTheKeyboardAndSaysItRuns)
{
    auto *pane = this->pane<QLabel>("addingPane");
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(pane);
    EXPECT_EQ(pane->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(face->text(QAccessible::Name), QStringLiteral("Ajout de fichiers : inactif"));
    m_bar.notify(NOTIFY_ADDING, 1);
    EXPECT_EQ(face->text(QAccessible::Name), QStringLiteral("Ajout de fichiers : en cours"));
    EXPECT_TRUE(pane->focusPolicy() & Qt::TabFocus);
    QTest::keyClick(pane, Qt::Key_Return);
    auto menus = m_bar.findChildren<QMenu *>(QStringLiteral("stopMenu"));
    ASSERT_EQ(menus.size(), 1);
    EXPECT_TRUE(menus.front()->isVisible());
}
