#pragma once
// A folder's entries with their kinds, as the directory itself records them:
// a folder of ten thousand files is listed without a look at each file (only
// links, and entries of file systems that do not record kinds, are looked at).

#include <QString>
#include <vector>

struct FolderEntry {
    enum class Kind { File, Folder, Other }; // Other: pipes, devices, sockets, broken links
    QString name;
    Kind kind = Kind::Other;
    bool link = false; // a symbolic link; `kind` is that of its target
};

// Every entry but "." and "..", hidden ones included, in no particular
// order; nothing when the folder cannot be read.
std::vector<FolderEntry> ListFolder(const QString &folder);
