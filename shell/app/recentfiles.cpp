#include "shell/app/recentfiles.h"

#include "platform/pathcase.h"
#include "platform/profile.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString kSection = QStringLiteral("Recent File List");
QString Key(int i) { return QStringLiteral("File%1").arg(i + 1); }
} // namespace

void RecentFileList::Add(const QString &path)
{
    if (path.isEmpty())
        return;
    Remove(path);
    m_files.prepend(path);
    while (m_files.size() > m_capacity)
        m_files.removeLast();
}

void RecentFileList::Remove(const QString &path)
{
    m_files.removeIf([&](const QString &f) { return SamePath(f, path); });
}

void RecentFileList::Load(const Profile &profile)
{
    m_files.clear();
    for (int i = 0; i < m_capacity; ++i) {
        const QString path = profile.GetString(kSection, Key(i), QString());
        // Gaps and repeats come from hand-edited settings; skip them.
        if (!path.isEmpty() && !m_files.contains(path, PathCaseSensitivity()))
            m_files.append(path);
    }
}

void RecentFileList::Save(Profile &profile) const
{
    for (int i = 0; i < m_capacity; ++i)
        profile.WriteString(kSection, Key(i), i < m_files.size() ? m_files[i] : QString());
    profile.Sync();
}

QString RecentFileList::MenuText(int index) const
{
    const QString path = m_files.value(index);
    const QString name = QFileInfo(path).fileName();
    int sameName = 0;
    for (const QString &f : m_files)
        sameName += QFileInfo(f).fileName().compare(name, PathCaseSensitivity()) == 0;
    QString shown = sameName > 1 ? QDir::toNativeSeparators(path) : name;
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}
