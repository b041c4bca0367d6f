// Widget tests: a QApplication on the offscreen platform (or the display
// xvfb-run gives) with a private settings location.
#include "app/recoverychild.h"

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settingsDir;
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    Q_INIT_RESOURCE(shell);
    QApplication app(argc, argv);
    // Started again by a recovery test, as the gallery it kills.
    if (argc == 4 && qstrcmp(argv[1], kRecoveryChildOption) == 0)
        return RunRecoveryChild(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
