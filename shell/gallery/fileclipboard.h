#pragma once
// File lists as the desktop exchanges them: the clipboard's copied files and
// the paths of a drop from a file manager.

#include <QStringList>

class QMimeData;

// text/uri-list plus x-special/gnome-copied-files ("copy" then one file URL
// per line), the paths in the order given. The caller owns the result.
QMimeData *CreateFileListMimeData(const QStringList &paths);

// The local paths a copied or dropped file list carries, in its order.
QStringList FileListPaths(const QMimeData *mime);
bool HasFileList(const QMimeData *mime);

// The same for the system clipboard; empty when it holds no file list.
QStringList ClipboardFileList();
