#include "shell/app/application.h"

#include "document/recoverystore.h"
#include "platform/processidentity.h"
#include "platform/profile.h"
#include "shell/app/mainwindow.h"
#include "shell/app/qttranslations.h"
#include "shell/app/splashwindow.h"
#include "shell/common/generaloptions.h"
#include "shell/common/programinfo.h"
#include "shell/placementhost/placementwindow.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <QTranslator>

namespace {
// The copies of this run's galleries. GALLORIM_RECOVERY_INTERVAL_MS shortens
// the 30 s between copies (the tests use it).
RecoverySettings RecoveryFromEnvironment()
{
    RecoverySettings settings;
    settings.Store = RecoveryStore(DefaultRecoveryFolder(), CurrentProcessIdentity());
    bool valid = false;
    const int interval = qEnvironmentVariableIntValue("GALLORIM_RECOVERY_INTERVAL_MS", &valid);
    if (valid && interval > 0)
        settings.Interval = std::chrono::milliseconds(interval);
    return settings;
}
} // namespace

int RunGallorim(int argc, char **argv)
{
    // The placement window's web engine reads its flags and needs shared
    // OpenGL contexts before the application object exists.
    PrepareWebEngineEnvironment();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(ProgramInfo::Company());
    QApplication::setApplicationName(ProgramInfo::Program());
    QApplication::setApplicationDisplayName(ProgramInfo::MainWindowTitle());
    QApplication::setDesktopFileName(QStringLiteral(GALLORIM_APP_ID));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/gallorim.svg")));
    QTranslator qtFrench;
    if (LoadQtFrench(qtFrench))
        QApplication::installTranslator(&qtFrench);

    SettingsProfile profile;
    std::unique_ptr<SplashWindow> splash = SplashWindow::Show(QStringLiteral(":/splash.jpg"));
    GeneralOptions options;
    options.LoadFromRegistry(profile);
    MainWindow window(profile, options);
    window.setRecovery(RecoveryFromEnvironment());
    window.restorePlacement();

    // The splash would otherwise cover the recovery question for 25 s.
    if (splash)
        splash->Rearm(500);
    // Copies left by a run that died come first: a project named below
    // that one of them recovered is then brought forward, not opened twice.
    window.offerRecovery();
    // A plain start shows the empty frame; each project named opens.
    const QStringList arguments = QApplication::arguments().mid(1);
    for (const QString &path : arguments)
        if (!path.startsWith(QLatin1Char('-')))
            window.openProject(path);
    const int status = QApplication::exec();
    return status;
}
