#pragma once
// File names of the modern design's photo pages. A name comes from the
// photo's file name (lower-case ASCII letters, digits, "-" and "_", so it is
// safe in any URL and on any file system). Photos whose names fold to the
// same text are told apart by a hash of their path; which one keeps the plain
// name is read back from the pages already written, so adding a photo never
// changes the address of another. Pure apart from the `ownerOf` callback.

#include <QString>
#include <QStringList>
#include <functional>

// "Été à Noël (2).JPG" -> "ete-a-noel-2"; "photo" when nothing is left.
QString PhotoPageSlug(const QString &fileName);

// The plain name with a hash of `key` appended: "ete-a-noel-1f3a9c0b".
QString HashedPhotoPageName(const QString &slug, const QString &key);

// Keys of the photos: their paths as seen from the pages' folder, a photo
// listed again getting "#2", "#3"... so that each listing has a page.
QStringList UniquePhotoKeys(const QStringList &paths);

// Page names (without ".html") for photos identified by unique `keys`. `ownerOf(name)` answers the key recorded in the page
// "name.html" already on disk, or "" when there is none.
QStringList AssignPhotoPageNames(const QStringList &keys, const std::function<QString(const QString &)> &ownerOf);

// The marker a photo page carries so that the next build knows whose page it is.
QString PhotoPageOwnerMarker(const QString &key);
// The key recorded in the first bytes of a page, or "".
QString PhotoPageOwnerIn(const QByteArray &pageStart);
