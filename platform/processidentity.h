#pragma once
// Who a process is, well enough to tell later whether it still runs: a
// process id alone may have been given to another program since.

#include <QtGlobal>

struct ProcessIdentity {
    qint64 Pid = 0;
    // When the process started, in the system's clock ticks since boot; 0
    // where the system does not say.
    quint64 StartTicks = 0;

    bool operator==(const ProcessIdentity &) const = default;
};

ProcessIdentity CurrentProcessIdentity();
// True while that very process runs: same id and, where known, same start.
bool IsProcessRunning(const ProcessIdentity &process);
