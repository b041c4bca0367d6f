#pragma once
// The program's own names and addresses, in one place.

#include "platform/programversion.h"

#include <QString>

namespace ProgramInfo {
inline QString ApplicationTitle() { return QStringLiteral("Gallorim v3"); }
inline QString MainWindowTitle() { return QStringLiteral("Gallorim"); }
inline QString IdleStatusText() { return QStringLiteral("Gallorim v3 - Prêt"); }
inline QString VersionLine()
{
    return QStringLiteral("Gallorim version %1").arg(QLatin1String(ProgramVersion()));
}
inline QString Company() { return QStringLiteral("Vorlex Software"); }
inline QString Program() { return QStringLiteral("Gallorim"); }
// The same site the generated pages credit.
inline QString WebSite() { return QStringLiteral("https://www.vorlex.com/gallorim/"); }
inline QString MailAddress() { return QStringLiteral("mailto:gallorim@vorlex.com"); }
} // namespace ProgramInfo
