#pragma once
// What the desktop program's command line asks before any window exists:
// --help and --version are answered on standard output and end the program
// (no display needed); anything else starts it.

#include <QString>
#include <QStringList>

struct EarlyAnswer {
    bool answered = false; // true: print `text` and exit with status 0
    QString text;
};

// `args` without the program name.
EarlyAnswer AnswerBeforeWindow(const QStringList &args);
