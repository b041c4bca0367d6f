#pragma once
// The test program started again as a gallery that gets killed: it opens the
// project, comments the first row, moves the last row up, and prints "ready"
// once a recovery copy in `stateFolder` holds both edits; then it runs until
// killed.

#include <QString>

inline constexpr char kRecoveryChildOption[] = "--recovery-child";
inline constexpr char kRecoveryChildComment[] = "Le phare, à l'aube";

int RunRecoveryChild(const QString &project, const QString &stateFolder);
