#include "platform/processidentity.h"

#include <QByteArray>
#include <QFile>
#include <QList>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <unistd.h>
#endif

namespace {
// The 22nd field of /proc/PID/stat; the name in parentheses (field 2) may
// itself hold spaces and parentheses, so fields are counted after the last ')'.
quint64 StartTicksOf(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = stat.readAll();
    const qsizetype close = text.lastIndexOf(')');
    if (close < 0)
        return 0;
    const QList<QByteArray> fields = text.mid(close + 1).simplified().split(' ');
    // After the name come the state (field 3) and so on: field 22 is index 19.
    // A process that died and was not yet reaped (Z, X) no longer runs.
    if (fields.size() <= 19 || fields[0] == "Z" || fields[0] == "X")
        return 0;
    return fields[19].toULongLong();
}
} // namespace

ProcessIdentity CurrentProcessIdentity()
{
#ifdef Q_OS_UNIX
    const qint64 pid = ::getpid();
#else
    const qint64 pid = 0;
#endif
    return ProcessIdentity{pid, StartTicksOf(pid)};
}

bool IsProcessRunning(const ProcessIdentity &process)
{
    if (process.Pid <= 0)
        return false;
    if (process.StartTicks != 0) {
        const quint64 now = StartTicksOf(process.Pid);
        if (now != 0 || QFile::exists(QStringLiteral("/proc/self/stat")))
            return now == process.StartTicks;
    }
#ifdef Q_OS_UNIX
    return ::kill(static_cast<pid_t>(process.Pid), 0) == 0 || errno == EPERM;
#else
    // Without a way to ask, a copy is taken for another instance's: never
    // offered twice is safer than offered while in use.
    return true;
#endif
}
