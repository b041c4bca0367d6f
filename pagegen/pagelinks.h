#pragma once
// Names and links of the files a page refers to. Pure text rules on native paths.

#include <QString>

struct GalleryOptions;

// Index of the last path separator, or -1.
qsizetype LastSeparator(const QString &path);

// Text after the last separator; the whole path when there is none or it ends the path.
QString FileNameOf(const QString &path);

// Folder of a path, up to and including its last separator ("" when there is none).
QString FolderOf(const QString &path);

// "index.html" -> "index2.html"; without an extension after the last
// separator the number goes at the very end.
QString InsertPageNumber(const QString &path, int number);

// Link written in `pagePath` to `target`: the relative (or, with
// RootRelativePath, root-relative) folder and the file name, with the
// characters that would break a link escaped.
QString FileLink(const GalleryOptions &options, const QString &pagePath, const QString &target);
