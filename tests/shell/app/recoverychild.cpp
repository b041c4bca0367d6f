#include "recoverychild.h"

#include "document/projectfile.h"
#include "document/recoverystore.h"
#include "platform/processidentity.h"
#include "platform/profile.h"
#include "shell/app/mainwindow.h"
#include "shell/common/generaloptions.h"
#include "shell/gallery/gallerymodel.h"
#include "shell/gallery/galleryview.h"
#include "shell/gallery/gallerywindow.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

namespace {
// The copy holds the comment on the first row and the last row moved up.
bool HoldsTheEdits(const QString &copy)
{
    QFile file(copy);
    if (!file.open(QIODevice::ReadOnly) || ReadProjectHeader(file) != ProjectFormat::V3)
        return false;
    const ImageList images = ReadProjectV3(file, GalleryOptions(), DiaporamaOptions()).images;
    return images.size() == 3 && images[0].Comment == QString::fromUtf8(kRecoveryChildComment)
        && QFileInfo(images[1].Path).fileName() == QLatin1String("c.jpg");
}
} // namespace

int RunRecoveryChild(const QString &project, const QString &stateFolder)
{
    QTemporaryDir dir;
    SettingsProfile profile(dir.filePath(QStringLiteral("settings.ini")));
    GeneralOptions options;
    MainWindow window(profile, options);
    RecoverySettings recovery;
    recovery.Store = RecoveryStore(stateFolder, CurrentProcessIdentity());
    recovery.Interval = std::chrono::milliseconds(100);
    recovery.Written = [](const QString &copy) {
        if (HoldsTheEdits(copy)) {
            std::puts("ready");
            std::fflush(stdout);
        }
    };
    window.setRecovery(recovery);
    window.show();
    GalleryWindow *gallery = window.openProject(project);
    if (!gallery)
        return 2;
    GalleryView *view = gallery->view();
    if (!QTest::qWaitFor([view] { return view->rowCount() == 3 && !view->isAdding(); }, 20000))
        return 3;
    GalleryModel *model = view->galleryModel();
    model->setData(model->index(0, GalleryModel::CommentColumn), QString::fromUtf8(kRecoveryChildComment),
                   Qt::EditRole);
    view->selectRows({2});
    gallery->runCommand(Command::MoveUp);
    return QApplication::exec();
}
