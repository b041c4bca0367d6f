#include "document/gallerydocument.h"
#include "document/projectfile.h"
#include "platform/profile.h"
#include "shell/app/mainwindow.h"
#include "shell/common/generaloptions.h"
#include "shell/gallery/galleryview.h"
#include "shell/gallery/gallerywindow.h"

#include <QAction>
#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QMenuBar>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {
// Answers any modal box that opens and remembers its text, so that an
// unexpected question fails the test instead of hanging it.
class ModalWatch {
public:
    ModalWatch()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                m_texts << box->text();
                if (QAbstractButton *cancel = box->button(QMessageBox::Cancel))
                    cancel->click();
                else
                    box->reject();
            } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
                m_texts << dialog->windowTitle();
                dialog->reject();
            }
        });
        m_timer.start(20);
    }
    QStringList m_texts;

private:
    QTimer m_timer;
};

class MainWindowTest : public ::testing::Test {
protected:
    QString Photo(const QString &name, int w, int h)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(image.save(path, "JPEG"));
        return path;
    }
    QMenuBar *Menus() { return m_window.menuBar(); }

    QTemporaryDir m_dir;
    SettingsProfile m_profile{m_dir.filePath(QStringLiteral("settings.ini"))};
    GeneralOptions m_options;
    MainWindow m_window{m_profile, m_options};
};
} // namespace

TEST_F(MainWindowTest, opensAProjectShowsItsRowsAndQuitsWithoutAskingWhenNothingChanged)
{
    ImageList images(2);
    images[0].Path = Photo(QStringLiteral("a.jpg"), 40, 30);
    images[1].Path = Photo(QStringLiteral("b.jpg"), 30, 40);
    images[1].Comment = QStringLiteral("Le phare");
    const QString project = m_dir.filePath(QStringLiteral("galerie.glr"));
    ASSERT_TRUE(SaveProjectFile(project, GalleryOptions(), images));

    m_window.show();
    EXPECT_EQ(Menus()->actions().size(), 4); // the frame's own menus
    EXPECT_FALSE(m_window.action(Command::AddImages)->isEnabled());
    GalleryWindow *gallery = m_window.openProject(project);
    ASSERT_NE(gallery, nullptr);
    EXPECT_EQ(gallery->title(), QStringLiteral("galerie.glr"));
    EXPECT_TRUE(m_window.windowTitle().startsWith(QStringLiteral("Gallorim - ")));
    EXPECT_TRUE(m_window.windowTitle().contains(QStringLiteral("galerie.glr")));
    EXPECT_EQ(Menus()->actions().size(), 8);
    ASSERT_TRUE(QTest::qWaitFor([&] { return gallery->view()->rowCount() == 2; }, 10000));
    const QAbstractItemModel *model = gallery->view()->model();
    EXPECT_EQ(model->index(0, 0).data().toString(), QStringLiteral("a.jpg"));
    EXPECT_EQ(model->index(1, 2).data().toString(), QStringLiteral("Le phare"));
    // The rows show before the add worker says it is idle.
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_window.action(Command::BuildPage)->isEnabled(); }, 10000));
    EXPECT_EQ(m_window.recentFiles().Files().value(0), gallery->projectPath());
    // Undo from the menu names its step, and undoing back to the file leaves
    // nothing to save.
    gallery->view()->selectRows({0});
    m_window.runCommand(Command::Delete);
    ASSERT_EQ(gallery->view()->rowCount(), 1);
    QAction *undo = m_window.action(Command::Undo);
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), QStringLiteral("&Annuler la suppression\tCtrl+Z"));
    undo->trigger();
    EXPECT_EQ(gallery->view()->rowCount(), 2);
    EXPECT_FALSE(gallery->document().IsModified());
    EXPECT_TRUE(m_window.action(Command::Redo)->isEnabled());
    // Opening it again brings the same window forward.
    EXPECT_EQ(m_window.openProject(project), gallery);

    ModalWatch watch;
    EXPECT_TRUE(m_window.close());
    EXPECT_TRUE(watch.m_texts.isEmpty()) << watch.m_texts.join(QLatin1Char('|')).toStdString();
}

TEST_F(MainWindowTest, aModifiedGalleryAsksAndCancelKeepsTheProgramOpen)
{
    m_window.show();
    GalleryWindow *gallery = m_window.newGallery();
    EXPECT_EQ(gallery->title(), QStringLiteral("GLR 1"));
    EXPECT_EQ(m_window.newGallery()->title(), QStringLiteral("GLR 2"));
    gallery->document().SetModifiedFlag();
    ModalWatch watch;
    EXPECT_FALSE(m_window.close());
    ASSERT_EQ(watch.m_texts.size(), 1);
    EXPECT_EQ(watch.m_texts[0], QStringLiteral("Enregistrer les modifications apportées à GLR 1?"));
    EXPECT_EQ(m_window.galleries().size(), 2);
    gallery->document().SetModifiedFlag(false);
}

TEST_F(MainWindowTest, aFileThatIsNotAProjectGetsTheMessageAndNoWindow)
{
    const QString notProject = m_dir.filePath(QStringLiteral("faux.glr"));
    QFile file(notProject);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("pas un projet");
    file.close();
    ModalWatch watch;
    EXPECT_EQ(m_window.openProject(notProject), nullptr);
    EXPECT_TRUE(m_window.galleries().isEmpty());
    ASSERT_EQ(watch.m_texts.size(), 1);
    EXPECT_TRUE(watch.m_texts[0].contains(QString::fromUtf8(kInvalidProjectMessage)));
}

TEST_F(MainWindowTest, placementIsStoredOnCloseAndTheToolBarToggles)
{
    m_window.show();
    m_window.action(Command::ToggleToolBar)->trigger();
    EXPECT_FALSE(m_window.toolBar()->isVisible());
    EXPECT_FALSE(m_window.action(Command::ToggleToolBar)->isChecked());
    m_window.close();
    EXPECT_NE(m_profile.GetInt(QStringLiteral("WindowState/MainFrame"), QStringLiteral("ScreenX"), 0), 0);
    EXPECT_FALSE(m_profile.GetString(QStringLiteral("WindowState/MainFrame"), QStringLiteral("MainFrameBarState"), {})
                     .isEmpty());
}
