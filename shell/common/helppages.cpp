#include "shell/common/helppages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString HelpPagePath(const QString &name)
{
    QStringList folders;
    const QString fromEnvironment = qEnvironmentVariable("GALLORIM_HELP_DIR");
    if (!fromEnvironment.isEmpty())
        folders << fromEnvironment;
    folders << QCoreApplication::applicationDirPath() + QStringLiteral("/../share/gallorim/aide");
#ifdef GALLORIM_SOURCE_DIR
    folders << QStringLiteral(GALLORIM_SOURCE_DIR "/shell/help");
#endif
    for (const QString &folder : folders) {
        const QFileInfo page(QDir(folder).filePath(name));
        if (page.isFile())
            return QDir::toNativeSeparators(page.absoluteFilePath());
    }
    return QString();
}
