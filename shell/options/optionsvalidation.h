#pragma once
// The checks and rewrites of the document options sheet that need no widget:
// custom page tags, the web-site root, zip names, thumbnail affixes, the
// thumbnail-name example and the swapped size-mode radios. Each answers the
// message to show (empty when the value is accepted).

#include <QString>

// Message for the custom page at `path`, or "" when it carries both tags of
// the image block (compared in upper case, the closing one on or after the
// line of the opening one).
QString CustomPageError(const QString &path);

struct RootFolderCheck {
    QString path;    // the root as the edit should show it afterwards
    QString caption; // "Erreur" or "Erreur..."
    QString message; // "" when accepted
    bool accepted() const { return message.isEmpty(); }
};
// Checks the web-site root typed by the user; on success `path` is the
// folder as the file system writes it, with a final separator.
RootFolderCheck CheckRootFolder(const QString &typed);

// Zip name: "" when accepted, `name` then rewritten (native separators,
// "images.zip" after a folder, ".zip" when the file name has no dot).
QString FixZipName(QString &name);

// Thumbnail prefix/suffix: "" when accepted, `affix` then holds native separators.
QString FixPreSuffixe(QString &affix);

// "Vignette =  " and the thumbnail path of the sample image.
QString ThumbnailNameExample(int withPrefixe, const QString &preSuffixe);

// The first two size radios ("Taille automatique", "Taille fixée") stand for
// IsPercentSize 1 and 0; the other four for their own index. Self-inverse.
int SizeModeOfRadio(int radio);
int RadioOfSizeMode(int mode);
