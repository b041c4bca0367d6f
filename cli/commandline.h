#pragma once
// gallorim-cli as a whole: its own options (--help, --version) and the choice
// of sub-command. The answer is the exit status: 0 success, 1 some file
// failed, 2 bad usage.

#include <QStringList>

class QTextStream;

int RunCommandLine(const QStringList &args, QTextStream &out, QTextStream &err);
