#pragma once
// The subcommands of gallorim-cli. Each takes its own arguments (without the
// program and subcommand names) and writes to the given streams; the answer
// is the process exit status: 0 success, 1 some file failed, 2 bad usage.

#include <QStringList>

class QTextStream;

int RunInfo(const QStringList &args, QTextStream &out, QTextStream &err);
int RunThumb(const QStringList &args, QTextStream &out, QTextStream &err);
int RunBuild(const QStringList &args, QTextStream &out, QTextStream &err);

// Bad usage as command-line programs report it: the message, the short
// usage and where to read more, on `err`. Answers 2.
int ReportBadUsage(QTextStream &err, const QString &command, const QString &message, const QString &synopsis);
