#pragma once
// The `.glr` project file: gallery options and, per image, path, comment and
// option overrides. The current format ("V3") is written and read; the older
// one, paths and comments only, is read.
//
// Everything works on a QIODevice so that any thread can call it and tests can
// feed bytes. Readers never fail as a whole: a damaged or short file gives what
// was read before the damage, with `complete` false.

#include "document/galleryoptions.h"
#include "document/imageentry.h"

#include <QString>
#include <functional>

class QIODevice;

inline constexpr char kInvalidProjectMessage[] = "Ce fichier n'est pas un fichier de sauvegarde valide";
inline constexpr char kProjectSaveErrorMessage[] = "Une erreur est survenue lors de l'enregistrement du fichier";

enum class ProjectFormat { NotAProject, V1, V3 };

// Reads the magic and the header; on success the device is left after them.
ProjectFormat ReadProjectHeader(QIODevice &device);
// The same from a file's first bytes already read.
ProjectFormat ReadProjectHeader(const QByteArray &head);
// The identity check of an opened project: the file may be in use elsewhere.
ProjectFormat ProjectFileFormat(const QString &path);

// `images` hold what the file stores of each image: path (native separators),
// comment and option block. Values whose flag is clear read as 0.
struct ProjectContents {
    GalleryOptions options;
    ImageList images;
    bool complete = false;
};

// Given to a reader, it receives each image record as soon as it is read,
// instead of `images`.
using ProjectImageSink = std::function<void(ImageEntry &&image)>;

// After the header of the current format. `options` starts as `current` and
// takes every value the file holds; a stored slideshow speed of 0 brings in
// `slideshowDefaults` (the user's saved slideshow settings) first.
ProjectContents ReadProjectV3(QIODevice &device, const GalleryOptions &current,
                              const DiaporamaOptions &slideshowDefaults, const ProjectImageSink &sink = {});
// After the header of the older format, which holds no options: they stay `current`.
ProjectContents ReadProjectV1(QIODevice &device, const GalleryOptions &current,
                              const ProjectImageSink &sink = {});

// Writes the current format: of each entry only the path, the comment and the
// flagged option values. False on any write error.
bool WriteProject(QIODevice &device, const GalleryOptions &options, const ImageList &images);
// Writes to a temporary file beside `path` and renames it over the old one only
// when everything was written, so a failed save leaves the old project intact.
bool SaveProjectFile(const QString &path, const GalleryOptions &options, const ImageList &images);

// Paths in project files from other copies use "\\"; here they become native.
// An absolute path of this system is kept as it is: on Unix a backslash is a
// legal character of a file name.
QString NativeProjectPath(const QString &stored);
