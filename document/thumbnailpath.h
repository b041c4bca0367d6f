#pragma once
// Small, stateless path and size rules shared by the document, its workers
// and the page builders. Paths use the native separator; thumbnail
// prefixes/suffixes accept "\" and "/" alike. None of these throws: failures
// become "", "Not an Image", "???PATH???", false or the unchanged path.
// Reentrant; safe from any thread.

#include <QString>

class QFileInfo;

// Marker of two files that cannot be linked to each other.
inline QString UnreachablePathMarker() { return QStringLiteral("???PATH???"); }
inline QString NotAnImageText() { return QStringLiteral("Not an Image"); }

// Both "\" and "/" become the native separator.
QString NativeSeparators(const QString &path);

// Path of the thumbnail of `imagePath`, or "" when the path has no dot.
// HEIC, HEIF and AVIF photos get ".jpg" added: their thumbnails are JPEG.
QString ThumbnailPath(const QString &imagePath, const QString &preSuffixe, int withPrefixe);

// True when `path` is the thumbnail path of some other file (whether or not
// that file exists).
bool IsThumbnailName(const QString &path, const QString &preSuffixe, int withPrefixe);

// URL-style folder ("../img/", "sub/", "" or "/img/" when rooted) from the
// folder of `fromPath` to the folder of `toPath`, or "???PATH???".
QString RelativeFolder(const QString &fromPath, const QString &toPath, int rooted);

// Absolute, cleaned form of a readable path; symlinks are kept. An
// unreadable path comes back unchanged.
QString OnDiskPath(const QString &path);
// The same from what the caller already knows of the file (no second look at the disk).
QString OnDiskPath(const QFileInfo &info);
QString OnDiskPath(const QFileInfo &info, bool readable);

// Creates the folder and its missing parents; true when it exists afterwards.
bool CreateFolders(const QString &folder);

// Display text of a file's byte size ("1.50 ko"), "" when the file does not
// exist, is not a regular file or cannot be opened. `bytes` receives the size
// when given, and is left alone on failure.
QString SizeText(const QString &path, qint64 *bytes = nullptr);

// The same text for a byte count.
QString SizeTextForBytes(qint64 bytes);

