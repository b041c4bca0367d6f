#include "platform/folderentries.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <memory>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <sys/stat.h>
#endif

#ifdef Q_OS_UNIX
namespace {
FolderEntry::Kind KindOf(mode_t mode)
{
    return S_ISREG(mode) ? FolderEntry::Kind::File : S_ISDIR(mode) ? FolderEntry::Kind::Folder : FolderEntry::Kind::Other;
}
} // namespace

std::vector<FolderEntry> ListFolder(const QString &folder)
{
    std::vector<FolderEntry> entries;
    QByteArray encoded = QFile::encodeName(folder);
    if (!encoded.endsWith('/'))
        encoded += '/';
    const std::unique_ptr<DIR, int (*)(DIR *)> dir(::opendir(encoded.constData()), ::closedir);
    if (!dir)
        return entries;
    while (const dirent *d = ::readdir(dir.get())) {
        const char *name = d->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        FolderEntry entry;
        entry.name = QFile::decodeName(name);
        if (d->d_type == DT_REG) {
            entry.kind = FolderEntry::Kind::File;
        } else if (d->d_type == DT_DIR) {
            entry.kind = FolderEntry::Kind::Folder;
        } else if (d->d_type == DT_LNK || d->d_type == DT_UNKNOWN) {
            const QByteArray path = encoded + name;
            struct stat st;
            entry.link = d->d_type == DT_LNK;
            if (!entry.link && ::lstat(path.constData(), &st) == 0) {
                entry.link = S_ISLNK(st.st_mode);
                entry.kind = KindOf(st.st_mode);
            }
            if (entry.link)
                entry.kind = ::stat(path.constData(), &st) == 0 ? KindOf(st.st_mode) : FolderEntry::Kind::Other;
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}
#else
std::vector<FolderEntry> ListFolder(const QString &folder)
{
    std::vector<FolderEntry> entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        FolderEntry entry;
        entry.name = it.fileName();
        entry.kind = info.isFile() ? FolderEntry::Kind::File
            : info.isDir()         ? FolderEntry::Kind::Folder
                                   : FolderEntry::Kind::Other;
        entry.link = info.isSymLink();
        entries.push_back(std::move(entry));
    }
    return entries;
}
#endif
