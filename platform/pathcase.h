#pragma once
// The one place that decides how paths compare: letter case matters on Linux
// (its file systems tell names apart by case) and not on Windows.

#include <QString>

inline Qt::CaseSensitivity PathCaseSensitivity()
{
#ifdef Q_OS_WIN
    return Qt::CaseInsensitive;
#else
    return Qt::CaseSensitive;
#endif
}

// The form in which two paths are compared for equality.
inline QString FoldPathCase(const QString &path)
{
    return PathCaseSensitivity() == Qt::CaseInsensitive ? path.toLower() : path;
}

inline bool SamePath(const QString &a, const QString &b)
{
    return a.compare(b, PathCaseSensitivity()) == 0;
}
