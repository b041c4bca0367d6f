// The preview window as a user meets it: hiding empties it, the close box
// hides, zoom clicks and the context menu, the status bar after a load, and
// the options page applying each change at once.
#include "shell/preview/previewwindow.h"

#include "platform/profile.h"
#include "shell/preview/previewcanvas.h"
#include "shell/preview/previewloader.h"
#include "shell/preview/previewoptionspage.h"
#include "shell/preview/previewstatusbar.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QMenu>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

class PreviewWindowTest : public ::testing::Test {
protected:
    PreviewWindowTest()
        : m_profile(m_dir.filePath(QStringLiteral("settings.ini")))
    {
    }
    QString Picture(QSize size, qint64 *bytes = nullptr)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkRed);
        const QString path = m_dir.filePath(QStringLiteral("%1x%2.png").arg(size.width()).arg(size.height()));
        EXPECT_TRUE(image.save(path));
        if (bytes)
            *bytes = QFileInfo(path).size();
        return path;
    }
    // A window whose picture area is exactly 400 x 300.
    std::unique_ptr<PreviewWindow> Window()
    {
        auto window = std::make_unique<PreviewWindow>(m_profile, nullptr);
        window->SetToolBarVisible(false);
        window->SetStatusBarVisible(false);
        window->Show(1);
        window->resize(400, 300);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        EXPECT_TRUE(QTest::qWaitFor([&] { return window->canvas()->size() == QSize(400, 300); }));
        return window;
    }
    bool Load(PreviewWindow &window, const QString &path)
    {
        window.RequestPreview(path);
        return QTest::qWaitFor(
            [&] { return window.canvas()->HasImage() && window.loader()->IsIdle(); }, 10000);
    }

    QTemporaryDir m_dir;
    SettingsProfile m_profile;
};

} // namespace

TEST_F(PreviewWindowTest, hidingReleasesThePictureAndIsRemembered)
{
    auto window = Window();
    ASSERT_TRUE(Load(*window, Picture(QSize(60, 40))));
    QSignalSpy visibility(window.get(), &PreviewWindow::visibilityChanged);
    // The close box: the window system closes the native window.
    QCloseEvent closeBox;
    QCoreApplication::sendEvent(window->windowHandle(), &closeBox);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->isShownByUser());
    ASSERT_EQ(visibility.size(), 1);
    EXPECT_FALSE(visibility.first().first().toBool());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->canvas()->HasImage(); }, 10000));

    // Requests while hidden leave it empty, even once shown again.
    window->RequestPreview(Picture(QSize(30, 30)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->loader()->IsIdle(); }, 10000));
    window->Show(1);
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->canvas()->HasImage());
    window->Show(0);
    window.reset();

    PreviewWindow next(m_profile, nullptr);
    next.Show(-1);
    EXPECT_FALSE(next.isVisible());
    EXPECT_FALSE(next.isShownByUser());

    // A close from the program (quitting) goes through and keeps the choice.
    next.Show(1);
    EXPECT_TRUE(next.close());
    EXPECT_TRUE(next.isShownByUser());
}

TEST_F(PreviewWindowTest, zoomClicksRecentreAndFetchTheFullPicture)
{
    auto window = Window();
    ASSERT_TRUE(Load(*window, Picture(QSize(2000, 1000))));
    PreviewCanvas *canvas = window->canvas();
    canvas->repaint();
    EXPECT_EQ(canvas->placement().destination, QRect(0, 50, 400, 200));
    EXPECT_EQ(canvas->decodedSize(), QSize(400, 200));
    QMenu *menu = window->contextMenu();
    QAction *fit = menu->actions().at(0);
    QAction *pan = menu->actions().at(1);
    EXPECT_FALSE(pan->isEnabled());

    // While fitting, the right button opens the menu.
    QTest::mouseClick(canvas, Qt::RightButton, {}, QPoint(200, 150));
    QContextMenuEvent event(
        QContextMenuEvent::Mouse, QPoint(200, 150), canvas->mapToGlobal(QPoint(200, 150)));
    QCoreApplication::sendEvent(canvas, &event);
    EXPECT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }));
    menu->hide();

    fit->trigger();
    EXPECT_TRUE(pan->isEnabled());
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(200, 150));
    EXPECT_NEAR(canvas->zoom(), 0.2518, 1e-4);
    EXPECT_EQ(canvas->placement().source.left(), 206);
    EXPECT_EQ(canvas->placement().source.right(), 1793);
    EXPECT_TRUE(QTest::qWaitFor([&] { return canvas->decodedSize() == QSize(2000, 1000); }, 10000));

    QTest::mouseClick(canvas, Qt::RightButton, {}, QPoint(200, 150));
    EXPECT_NEAR(canvas->zoom(), 0.2, 1e-9);

    // The pan tool drags the picture the other way.
    QTest::keyClick(canvas, Qt::Key_Plus);
    QTest::keyClick(canvas, Qt::Key_Plus);
    pan->trigger();
    const int before = canvas->placement().source.left();
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(200, 150));
    QTest::mouseMove(canvas, QPoint(150, 150));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(150, 150));
    EXPECT_GT(canvas->placement().source.left(), before);
}

TEST_F(PreviewWindowTest, statusBarShowsNameSizeAndDimensions)
{
    auto window = Window();
    window->SetStatusBarVisible(true);
    qint64 bytes = 0;
    const QString path = Picture(QSize(123, 45), &bytes);
    ASSERT_TRUE(Load(*window, path));
    PreviewStatusBar *status = window->previewStatusBar();
    EXPECT_EQ(status->nameText(), QStringLiteral("123x45.png"));
    EXPECT_EQ(status->sizeText(), PreviewSizeText(bytes));
    EXPECT_EQ(status->dimensionText(), QStringLiteral("123x45"));
    EXPECT_EQ(status->progressValue(), 0);
    window->RequestPreview(QStringLiteral("?"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return status->nameText() == PreviewBlankText(); }, 10000));
    EXPECT_EQ(status->dimensionText(), PreviewBlankText());
}

TEST_F(PreviewWindowTest, optionsPageAppliesEachChangeAndCanRevert)
{
    auto window = Window();
    std::unique_ptr<QWidget> widget(window->createOptionsPage(nullptr));
    auto *page = static_cast<PreviewOptionsPage *>(widget.get());
    auto *toolBar = page->findChild<QCheckBox *>(QStringLiteral("previewToolBar"));
    auto *right = page->findChild<QRadioButton *>(QStringLiteral("previewToolBarRight"));
    auto *animation = page->findChild<QCheckBox *>(QStringLiteral("previewAnimation"));
    auto *automatic = page->findChild<QCheckBox *>(QStringLiteral("previewAutoBackground"));
    ASSERT_TRUE(toolBar && right && animation && automatic);
    EXPECT_FALSE(right->isEnabled()); // the tool bar was turned off above

    toolBar->click();
    EXPECT_TRUE(right->isEnabled());
    EXPECT_TRUE(window->toolBar()->isVisibleTo(window.get()));
    right->click();
    EXPECT_EQ(window->toolBar()->orientation(), Qt::Vertical);
    EXPECT_EQ(m_profile.GetInt(QStringLiteral("WindowState/Preview"), QStringLiteral("ToolBarPos"), 0),
        kToolBarRight);
    automatic->click();
    EXPECT_EQ(window->canvas()->background(), window->palette().color(QPalette::Button));

    // The sample blinks while animation is on.
    widget->show();
    const bool shown = page->sampleShown();
    EXPECT_TRUE(QTest::qWaitFor([&] { return page->sampleShown() != shown; }, 3000));
    animation->click();
    EXPECT_EQ(window->options().Animation, 0);

    page->Revert();
    EXPECT_FALSE(window->toolBar()->isVisibleTo(window.get()));
    EXPECT_EQ(window->options().ToolBarPos, kToolBarLeft);
    EXPECT_EQ(window->options().Animation, 1);
    EXPECT_EQ(window->canvas()->background(), QColor(Qt::black));
    EXPECT_FALSE(toolBar->isChecked());
}

TEST_F(PreviewWindowTest, toolBarOptionsOpenTheirOwnDialog)
{
    auto window = Window();
    window->SetToolBarVisible(true);
    window->toolBar()->actions().last()->trigger();
    QDialog *dialog = window->optionsDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Options de la fenêtre de prévisualisation"));
    auto *status = dialog->findChild<QCheckBox *>(QStringLiteral("previewStatusBar"));
    ASSERT_NE(status, nullptr);
    status->click();
    EXPECT_TRUE(window->previewStatusBar()->isVisibleTo(window.get()));
    dialog->reject();
    EXPECT_FALSE(window->previewStatusBar()->isVisibleTo(window.get()));
}

TEST_F(PreviewWindowTest, aRewrittenFileOnShowIsReadAgainAndOthersAreLeftAlone)
{
    auto window = Window();
    const QString path = Picture(QSize(40, 30));
    ASSERT_TRUE(Load(*window, path));
    const int decodes = window->loader()->DecodeCount();
    window->FileRewritten(m_dir.filePath(QStringLiteral("other.png")));
    QImage bigger(80, 30, QImage::Format_RGB32);
    bigger.fill(Qt::darkBlue);
    ASSERT_TRUE(bigger.save(path));
    window->FileRewritten(path);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return window->loader()->DecodeCount() == decodes + 1 && window->canvas()->decodedSize() == QSize(80, 30); },
        10000));
}
