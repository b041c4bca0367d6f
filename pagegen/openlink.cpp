#include "pagegen/openlink.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

LinkOpenServices LinkOpenServices::System()
{
    LinkOpenServices services;
    services.openUrl = [](const QUrl &url) {
        // Desktop services belong to the GUI thread; a build thread that opens
        // its page goes straight to the browser commands instead.
        const QCoreApplication *app = QCoreApplication::instance();
        if (!app || QThread::currentThread() != app->thread())
            return false;
        return QDesktopServices::openUrl(url);
    };
    services.findExecutable = [](const QString &name) { return QStandardPaths::findExecutable(name); };
    services.startDetached = [](const QString &program, const QStringList &arguments) {
        return QProcess::startDetached(program, arguments);
    };
    services.environment = [](const char *name) { return qEnvironmentVariable(name); };
    return services;
}

QUrl LinkUrl(const QString &target)
{
    // "C:\..." must not read as a URL of scheme "c", so a scheme needs "://" or "mailto:".
    if (target.contains(QLatin1String("://")) || target.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        return QUrl(target, QUrl::TolerantMode);
    return QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
}

QStringList BrowserCommandLine(const QString &command, const QString &target)
{
    static const QRegularExpression quoted(QStringLiteral("\"%[1sSuUfF]\""));
    static const QRegularExpression bare(QStringLiteral("%[1sSuUfF]"));
    qsizetype cut = command.indexOf(quoted);
    if (cut < 0)
        cut = command.indexOf(bare);
    const QString line = cut < 0 ? command : command.left(cut);
    QStringList parts = QProcess::splitCommand(line.trimmed());
    if (parts.isEmpty())
        return {};
    parts.append(target); // a separate argument: blanks in the target stay inside it
    return parts;
}

namespace {

// The shell reports a missing file itself; a browser started on it would
// claim success while showing nothing.
int MissingLocalFileCode(const QUrl &url)
{
    if (!url.isLocalFile())
        return 0;
    const QFileInfo info(url.toLocalFile());
    if (info.exists())
        return 0;
    return info.dir().exists() ? kLinkFileNotFound : kLinkPathNotFound;
}

QStringList BrowserCommands(const LinkOpenServices &services)
{
    QStringList commands;
    if (services.environment) {
        const QString browser = services.environment("BROWSER");
        for (const QString &entry : browser.split(QLatin1Char(':'), Qt::SkipEmptyParts))
            commands.append(entry);
    }
    commands << QStringLiteral("xdg-open") << QStringLiteral("x-www-browser");
    return commands;
}

} // namespace

int OpenLink(const QString &target, int /*showCommand*/, const LinkOpenServices &services)
{
    if (target.isEmpty())
        return kLinkFileNotFound;
    const QUrl url = LinkUrl(target);
    if (const int missing = MissingLocalFileCode(url))
        return missing;
    if (services.openUrl && services.openUrl(url))
        return kLinkOpened;
    if (!services.findExecutable || !services.startDetached)
        return kLinkNoAssociation;
    const QString argument = url.isLocalFile() ? url.toLocalFile() : url.toString();
    for (const QString &command : BrowserCommands(services)) {
        QStringList line = BrowserCommandLine(command, argument);
        if (line.isEmpty())
            continue;
        const QString program = services.findExecutable(line.takeFirst());
        if (!program.isEmpty() && services.startDetached(program, line))
            return kLinkOpened;
    }
    return kLinkNoAssociation;
}

QString LinkErrorMessage(int code)
{
    QString text;
    switch (code) {
    case 0: text = QStringLiteral("Le système n'a plus assez de mémoire ou de ressources."); break;
    case 2: text = QStringLiteral("Le fichier spécifié n'a pas été trouvé."); break;
    case 3: text = QStringLiteral("Le chemin spécifié n'a pas été trouvé."); break;
    case 5: text = QStringLiteral("Accès au fichier refusé."); break;
    case 8: text = QStringLiteral("Le système n'a plus assez de mémoire."); break;
    case 11: text = QStringLiteral("Le fichier .EXE n'est pas un éxécutable WIN32 valide."); break;
    case 26: text = QStringLiteral("Une violation de partage est survenue. "); break;
    case 27: text = QStringLiteral("Nom de fichier invalide."); break;
    case 28:
    case 30: text = QStringLiteral("La transaction DDE n'a pas pu être finie."); break;
    case 29: text = QStringLiteral("La transaction DDE a échouée."); break;
    case 31: text = QStringLiteral("Il n'y a pas d'application associé au fichier."); break;
    case 32: text = QStringLiteral("Une DLL n'a pas été trouvée."); break;
    default: text = QStringLiteral("Unknown Error (%1) occurred.").arg(code); break;
    }
    return QStringLiteral("impossible d'ouvrir le lien:\n\n") + text;
}

void ShowLinkError(int code, const LinkErrorReporter &report)
{
    if (report)
        report(LinkErrorMessage(code));
}
