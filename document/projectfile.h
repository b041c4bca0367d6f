#pragma once
// The `.glr` project file: gallery options and, per image, path, comment and
// option overrides. The current format ("V3") is written and read; the older
// one, paths and comments only, is read.
//
// Everything works on a QIODevice so that any thread can call it and tests can
// feed bytes. Readers never fail as a whole: a damaged or short file gives what
// was read before the damage, with `complete` false.

#include "document/galleryoptions.h"

#include <QString>
#include <vector>

class QIODevice;

inline constexpr char kInvalidProjectMessage[] = "Ce fichier n'est pas un fichier de sauvegarde valide";
inline constexpr char kProjectSaveErrorMessage[] = "Une erreur est survenue lors de l'enregistrement du fichier";

enum class ProjectFormat { NotAProject, V1, V3 };

// Reads the magic and the header; on success the device is left after them.
ProjectFormat ReadProjectHeader(QIODevice &device);
// The identity check of an opened project: the file may be in use elsewhere.
ProjectFormat ProjectFileFormat(const QString &path);

// One image record: path (native separators once read), comment, and the
// per-image overrides. Only the values whose flag is set are stored; the others
// read as 0 and carry no meaning.
struct ProjectImage {
    QString path;
    QString comment;
    int optionFlags = 0;
    int tooltipType = 0;       // 0x001
    int linkType = 0;          // 0x002
    int popupWidth = 0;        // 0x004
    int popupHeight = 0;       // 0x004
    int borderSize = 0;        // 0x008
    COLORREF borderColor = 0;  // 0x010
    int popupAutoSize = 0;     // 0x020
    int adaptImageSize = 0;    // 0x040
    int allowFullSize = 0;     // 0x040
    COLORREF popupBgColor = 0; // 0x080
    int noTooltipInPopups = 0; // 0x100
    int commentUnderImage = 0; // 0x200

    bool operator==(const ProjectImage &) const = default;
};

struct ProjectContents {
    GalleryOptions options;
    std::vector<ProjectImage> images;
    bool complete = false;
};

// After the header of the current format. `options` starts as `current` and
// takes every value the file holds; a stored slideshow speed of 0 brings in
// `slideshowDefaults` (the user's saved slideshow settings) first.
ProjectContents ReadProjectV3(QIODevice &device, const GalleryOptions &current,
                              const DiaporamaOptions &slideshowDefaults);
// After the header of the older format, which holds no options: they stay `current`.
ProjectContents ReadProjectV1(QIODevice &device, const GalleryOptions &current);

// Writes the current format. False on any write error.
bool WriteProject(QIODevice &device, const GalleryOptions &options, const std::vector<ProjectImage> &images);
// Writes to a temporary file beside `path` and renames it over the old one only
// when everything was written, so a failed save leaves the old project intact.
bool SaveProjectFile(const QString &path, const GalleryOptions &options, const std::vector<ProjectImage> &images);

// Paths in project files from other copies use "\\"; here they become native.
QString NativeProjectPath(const QString &stored);
