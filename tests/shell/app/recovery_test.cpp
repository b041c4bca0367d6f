// Recovery from a killed program, end to end, and the start-up dialog.
#include "dialogtesting.h"
#include "document/gallerydocument.h"
#include "document/projectfile.h"
#include "document/recoverystore.h"
#include "platform/processidentity.h"
#include "platform/profile.h"
#include "recoverychild.h"
#include "shell/app/mainwindow.h"
#include "shell/app/recoverydialog.h"
#include "shell/common/generaloptions.h"
#include "shell/gallery/galleryview.h"
#include "shell/gallery/gallerywindow.h"

#include <QAction>
#include <QDir>
#include <QImage>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <atomic>
#include <csignal>
#include <gtest/gtest.h>

namespace {
QStringList NamesAndComments(const ImageList &images)
{
    QStringList out;
    for (const ImageEntry &e : images)
        out << QFileInfo(e.Path).fileName() + QLatin1Char('|') + e.Comment;
    return out;
}

ImageList ReadProject(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || ReadProjectHeader(file) != ProjectFormat::V3)
        return {};
    return ReadProjectV3(file, GalleryOptions(), DiaporamaOptions()).images;
}

// Reads the child's output until it says "ready"; false when it ends first.
bool WaitUntilReady(QProcess &child)
{
    QByteArray output;
    while (!output.contains("ready")) {
        if (!child.waitForReadyRead(30000))
            return false;
        output += child.readAllStandardOutput();
    }
    return true;
}
} // namespace

TEST(RecoveryEndToEnd, aKilledGalleryIsOfferedOnceItsOwnerIsGone_andOpensModifiedOnItsProject)
{
    QTemporaryDir dir;
    ImageList images(3);
    int i = 0;
    for (const char *name : {"a.jpg", "b.jpg", "c.jpg"}) {
        QImage picture(40 + 10 * i, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        images[i].Path = dir.filePath(QLatin1String(name));
        ASSERT_TRUE(picture.save(images[i++].Path, "JPEG"));
    }
    const QString project = dir.filePath(QStringLiteral("g.glr"));
    ASSERT_TRUE(SaveProjectFile(project, GalleryOptions(), images));
    const QString state = dir.filePath(QStringLiteral("state"));

    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QLatin1String(kRecoveryChildOption), project, state});
    ASSERT_TRUE(WaitUntilReady(child)) << "exit code " << child.exitCode();

    const RecoveryStore store(state, CurrentProcessIdentity());
    EXPECT_TRUE(store.OrphanedCopies().isEmpty()) << "offered while the instance keeping it runs";
    ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
    ASSERT_TRUE(child.waitForFinished(10000));
    EXPECT_EQ(NamesAndComments(ReadProject(project)), QStringList({"a.jpg|", "b.jpg|", "c.jpg|"}));

    // The next start offers the copy; "Ouvrir" restores it.
    QTemporaryDir settings;
    SettingsProfile profile(settings.filePath(QStringLiteral("settings.ini")));
    GeneralOptions options;
    MainWindow window(profile, options);
    window.setRecovery(RecoverySettings{store, std::chrono::minutes(1), {}});
    window.show();
    QStringList offered;
    WhenModalOpens<RecoveryDialog>([&offered](RecoveryDialog *dialog) {
        offered << dialog->copyList()->topLevelItem(0)->text(0);
        Child<QPushButton>(*dialog, "open")->click();
    });
    window.offerRecovery();
    EXPECT_EQ(offered, QStringList{"g.glr"});
    GalleryWindow *gallery = window.activeGallery();
    ASSERT_NE(gallery, nullptr);
    GalleryView *view = gallery->view();
    ASSERT_TRUE(QTest::qWaitFor([view] { return view->rowCount() == 3 && !view->isAdding(); }, 20000));
    const QStringList edited{QStringLiteral("a.jpg|") + QString::fromUtf8(kRecoveryChildComment),
                             QStringLiteral("c.jpg|"), QStringLiteral("b.jpg|")};
    EXPECT_EQ(NamesAndComments(gallery->document().CopyEntries()), edited);
    EXPECT_EQ(gallery->projectPath(), QDir::toNativeSeparators(project));
    EXPECT_TRUE(gallery->document().IsModified());

    // Ctrl+S writes the project itself, and the copy goes.
    QAction *save = window.action(Command::Save);
    EXPECT_TRUE(save->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_S)));
    save->trigger();
    ASSERT_TRUE(QTest::qWaitFor([gallery] { return !gallery->document().IsModified(); }, 10000));
    EXPECT_EQ(NamesAndComments(ReadProject(project)), edited);
    EXPECT_TRUE(QTest::qWaitFor([&state] { return QDir(state).entryList(QDir::Files).isEmpty(); }, 10000));
}

TEST(RecoveryDialogRows, nameUntitledCopies_andDiscardOnlyWhatTheUserChose)
{
    QTemporaryDir dir;
    ProcessIdentity gone = CurrentProcessIdentity();
    ++gone.StartTicks;
    const RecoveryStore dead(dir.path(), gone);
    const QString untitled = dead.NewCopyPath();
    const QString named = dead.NewCopyPath();
    ASSERT_TRUE(dead.Write(untitled, QString(), GalleryOptions(), ImageList(1)));
    ASSERT_TRUE(dead.Write(named, QStringLiteral("/photos/noces.glr"), GalleryOptions(), ImageList(2)));
    // Times an hour apart, so the order does not hang on the clock's resolution.
    const QDateTime earlier = QDateTime::currentDateTimeUtc().addSecs(-3600);
    ASSERT_TRUE(dead.Claim(RecoveryCopy{untitled, QString(), earlier, gone}));
    const QList<RecoveryCopy> copies = RecoveryStore(dir.path(), CurrentProcessIdentity()).OrphanedCopies();
    ASSERT_EQ(copies.size(), 2);

    QStringList opened;
    RecoveryDialog dialog(copies, [&opened](const RecoveryCopy &copy) {
        opened << copy.CopyPath;
        return false; // could not open: the row and the copy stay
    });
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Récupération de documents"));
    QTreeWidget *list = dialog.copyList();
    QStringList titles;
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        titles << list->topLevelItem(row)->text(0);
    EXPECT_EQ(titles, QStringList({"noces.glr", "Sans titre"})); // newest first
    EXPECT_EQ(list->topLevelItem(0)->text(1), RecoveryCopyTimeText(copies[0]));

    Child<QPushButton>(dialog, "open")->click();
    EXPECT_EQ(opened, QStringList{named});
    EXPECT_EQ(dialog.remaining(), 2);
    list->setCurrentItem(list->topLevelItem(1));
    Child<QPushButton>(dialog, "discard")->click();
    EXPECT_FALSE(QFile::exists(untitled));
    EXPECT_TRUE(QFile::exists(named));
    EXPECT_EQ(dialog.remaining(), 1);
    Child<QPushButton>(dialog, "later")->click();
    EXPECT_TRUE(QFile::exists(named));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST(RecoveryOnClose, aGalleryClosedWithoutSavingTakesItsCopyAlong)
{
    QTemporaryDir dir;
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const QString photo = dir.filePath(QStringLiteral("p.jpg"));
    ASSERT_TRUE(picture.save(photo, "JPEG"));
    const QString state = dir.filePath(QStringLiteral("state"));
    SettingsProfile profile(dir.filePath(QStringLiteral("settings.ini")));
    GeneralOptions options;
    MainWindow window(profile, options);
    std::atomic<int> copies{0};
    window.setRecovery(RecoverySettings{RecoveryStore(state, CurrentProcessIdentity()), std::chrono::milliseconds(10),
                                        [&copies](const QString &) { ++copies; }});
    window.show();
    QPointer<GalleryWindow> gallery = window.newGallery();
    gallery->view()->addPaths({photo});
    ASSERT_TRUE(QTest::qWaitFor([&copies] { return copies > 0; }, 10000));
    ASSERT_FALSE(QDir(state).entryList(QDir::Files).isEmpty());

    WhenModalOpens<QMessageBox>([](QMessageBox *question) { question->button(QMessageBox::No)->click(); });
    window.runCommand(Command::Close);
    ASSERT_TRUE(QTest::qWaitFor([&gallery] { return gallery.isNull(); }, 10000));
    EXPECT_TRUE(QDir(state).entryList(QDir::Files).isEmpty());
}
