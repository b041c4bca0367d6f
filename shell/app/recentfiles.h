#pragma once
// The "Fichier récent" list: the last projects opened or saved, newest first,
// kept in the settings section "Recent File List" as File1 ... FileN.

#include <QString>
#include <QStringList>

class Profile;

class RecentFileList {
public:
    explicit RecentFileList(int capacity = 5) : m_capacity(capacity) {}

    // Moves `path` to the top; the oldest falls off past the capacity.
    void Add(const QString &path);
    void Remove(const QString &path);
    const QStringList &Files() const { return m_files; }

    void Load(const Profile &profile);
    void Save(Profile &profile) const;

    // Menu text of entry `index`: "&1 name" with the path shortened to its
    // file name when it is the only one of that name.
    QString MenuText(int index) const;

private:
    int m_capacity;
    QStringList m_files;
};
