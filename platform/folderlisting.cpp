#include "platform/folderlisting.h"

#include "platform/pathcase.h"

#include <QDir>
#include <QDirIterator>

bool FolderListing::HasFile(const QString &path)
{
    const QString clean = QDir::fromNativeSeparators(path);
    const qsizetype cut = clean.lastIndexOf(QLatin1Char('/'));
    if (cut < 0 || cut + 1 == clean.size())
        return false;
    const QString folder = clean.left(cut + 1);
    const QString key = FoldPathCase(folder);
    auto found = m_folders.find(key);
    if (found == m_folders.end()) {
        QSet<QString> names;
        QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System);
        while (it.hasNext()) {
            it.next();
            names.insert(FoldPathCase(it.fileName()));
        }
        found = m_folders.insert(key, names);
    }
    return found->contains(FoldPathCase(clean.mid(cut + 1)));
}
