#pragma once
// Whether files exist, answered from one listing per folder. Checking the
// copies of thousands of photos one by one costs a look at the disk each;
// they all sit in a few folders. The listing is taken on first use and not
// refreshed: for files that this run neither creates nor deletes.

#include <QHash>
#include <QSet>
#include <QString>

class FolderListing {
public:
    // True when `path` names a file (or a link to one) that was there when
    // its folder was first listed; letter case as the platform compares it.
    bool HasFile(const QString &path);

private:
    QHash<QString, QSet<QString>> m_folders; // folder, as compared -> its file names, as compared
};
