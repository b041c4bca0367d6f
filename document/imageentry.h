#pragma once
// One image of a gallery and the small rules on it that need no document:
// the options summary, the override-dropping rule, thumbnail state texts and
// the file-time fallback for the shot's date and time.

#include "document/galleryoptions.h"

#include <QString>

class QDateTime;
#include <array>
#include <cstdint>
#include <vector>

// Which values of an option block override the gallery options (bits 0 to 9).
enum ImageOptionFlags : std::uint32_t {
    IMGOPT_TOOLTIP_TYPE = 0x001,
    IMGOPT_LINK_TYPE = 0x002,
    IMGOPT_POPUP_FIXED_SIZE = 0x004,
    IMGOPT_BORDER_SIZE = 0x008,
    IMGOPT_BORDER_COLOR = 0x010,
    IMGOPT_POPUP_AUTO_SIZE = 0x020,
    IMGOPT_POPUP_IMAGE_SIZE = 0x040,
    IMGOPT_POPUP_BG_COLOR = 0x080,
    IMGOPT_NO_TOOLTIP_IN_POPUP = 0x100,
    IMGOPT_COMMENT_UNDER_IMAGE = 0x200,
};

// The thirteen values read and written as one unit. Values whose flag is
// clear carry no meaning.
struct ImageOptionBlock {
    std::uint32_t Flags = 0;
    int ToolTipType = 0;       // ToolTipType
    int LinkType = 0;          // LinkType
    int PopupWidth = 0;        // WindowFixedSize.cx
    int PopupHeight = 0;       // WindowFixedSize.cy
    int PopupAutoSize = 0;     // WindowAutoSize
    int AdaptImageSize = 0;    // AdapImageSize
    int AllowFullSize = 0;     // AllowFullSize
    int BorderSize = 0;        // BorderSize
    COLORREF BorderColor = 0;  // BorderColor
    COLORREF PopupBgColor = 0; // PopupBgColor
    int NoTooltipInPopups = 0; // NoTooltipInPopups
    int CommentUnderImage = 0; // CommentUnderImage

    bool operator==(const ImageOptionBlock &) const = default;
};

// Camera texts in ExifField order.
enum CameraText : int {
    CAMERA_MAKE = 0,
    CAMERA_MODEL,
    CAMERA_DATE,
    CAMERA_TIME,
    CAMERA_EXPOSURE,
    CAMERA_APERTURE,
    CAMERA_FOCAL,
    CAMERA_FLASH,
    CAMERA_ISO,
    CAMERA_TEXT_COUNT
};

struct ImageEntry {
    QString Path;                // exact on-disk form; the key of the entry
    QString Comment;             // may hold template variables
    QString ImageDimensions;     // "WxH" of the decoded image
    QString ImageSizeText;       // SizeText of the image file
    QString ThumbnailDimensions; // empty when there is no thumbnail file
    QString ThumbnailSizeText;   // empty when there is no thumbnail file
    int ThumbnailBytes = 0;      // 0 when there is no thumbnail file
    // 64 bits so that files of 4 GB and more keep their true size.
    qint64 ImageBytes = 0;
    ImageOptionBlock Options;
    std::array<QString, CAMERA_TEXT_COUNT> Camera;
    // Names the entry while the program runs, whatever its place or path:
    // given when it joins a list, kept by moves and by undo. Never stored.
    quint64 Serial = 0;
};

// The gallery's entries in the order the user sees them.
using ImageList = std::vector<ImageEntry>;

// Texts of the list's thumbnail column when there is no thumbnail to show.
namespace ThumbnailStateText {
inline QString Scheduled() { return QStringLiteral("Création programmée"); }
inline QString InProgress() { return QStringLiteral("En cours de création"); }
inline QString WithPage() { return QStringLiteral("Sera Crée avec la page web"); }
inline QString Failed() { return QStringLiteral("Erreur de création"); }
// A page build makes the thumbnail of an entry showing this text.
inline bool StillToMake(const QString &text) { return text == WithPage() || text == Failed(); }
} // namespace ThumbnailStateText

// What the disk says about an image's thumbnail: its fields are all set
// when the thumbnail file exists and decodes, else all empty.
struct ThumbnailOnDisk {
    QString Path; // where the thumbnail belongs; "" when no name can be made
    QString Dimensions;
    QString SizeText;
    int Bytes = 0;
    bool IsPresent() const { return !Dimensions.isEmpty(); }
};
ThumbnailOnDisk ExamineThumbnail(const QString &imagePath, const BuildVignetteOptions &options);

// "dimensions  size": the information text and the state of an existing thumbnail.
QString JoinDimensionsAndSize(const QString &dimensions, const QString &sizeText);

// Text of the per-image options column for these flags; "" when none is set.
QString GetOptionsSummary(std::uint32_t flags);

// Clears each override flag whose value equals the gallery's current one.
// Values stay as they are; only the flags change.
ImageOptionBlock DropMatchingOverrides(ImageOptionBlock block, const GalleryOptions &options);

// When both the date and the time are empty, fills them from the file's
// last modification in local time ("%d/%m/%Y", "%H:%M:%S"). Answers whether
// it filled them. A file that cannot be queried leaves both empty.
bool ApplyFileTimeFallback(const QString &path, QString &date, QString &time);
// The same with the modification time already read (invalid: leaves both empty).
bool ApplyFileTimeFallback(const QDateTime &modified, QString &date, QString &time);
