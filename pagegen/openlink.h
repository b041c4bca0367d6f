#pragma once
// Opening a file or web address in the user's browser, and the French text of
// a failed attempt. Results follow the shell's convention: above 32 is success,
// otherwise one of the error codes LinkErrorMessage knows.
// The desktop services are injectable so that tests never start a browser.
// Callable from any thread: the system services use the desktop opener only
// on the GUI thread and browser commands elsewhere.

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

constexpr int kLinkOpened = 33;
constexpr int kLinkFileNotFound = 2;
constexpr int kLinkPathNotFound = 3;
constexpr int kLinkNoAssociation = 31;

struct LinkOpenServices {
    std::function<bool(const QUrl &)> openUrl;                             // the desktop's "open"
    std::function<QString(const QString &)> findExecutable;                // "" when not found
    std::function<bool(const QString &, const QStringList &)> startDetached;
    std::function<QString(const char *)> environment;

    // QDesktopServices, QStandardPaths, QProcess and the process environment.
    static LinkOpenServices System();
};

// The desktop's own opener first; failing that, the default browser commands
// ($BROWSER entries, xdg-open, x-www-browser) with the target appended.
// showCommand is kept for the callers' sake; desktops here choose the window state.
int OpenLink(const QString &target, int showCommand,
             const LinkOpenServices &services = LinkOpenServices::System());

// A local path becomes a file URL; anything with a scheme is taken as written.
QUrl LinkUrl(const QString &target);

// Program and arguments of a browser command line for the target: the line is
// cut at its first placeholder ("%1", "%s", "%u", ...; a quoted one loses its
// opening quote too) and the target is appended. Empty for an empty command.
QStringList BrowserCommandLine(const QString &command, const QString &target);

// "impossible d'ouvrir le lien:\n\n" followed by the text of the code.
QString LinkErrorMessage(int code);

// The core has no widgets: the GUI passes a reporter that shows the message
// box with an exclamation icon (callers beep before).
using LinkErrorReporter = std::function<void(const QString &message)>;
void ShowLinkError(int code, const LinkErrorReporter &report);
