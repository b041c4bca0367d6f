#include "platform/folderlisting.h"

#include "platform/folderentries.h"
#include "platform/pathcase.h"

#include <QDir>

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
        for (const FolderEntry &entry : ListFolder(folder))
            if (entry.kind == FolderEntry::Kind::File)
                names.insert(FoldPathCase(entry.name));
        found = m_folders.insert(key, names);
    }
    return found->contains(FoldPathCase(clean.mid(cut + 1)));
}
