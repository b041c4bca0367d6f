#pragma once
// The one message from background work to the user interface: a code and a
// value. The numbers are fixed; views and other copies of the program rely on them.

#include <cstdint>

constexpr int WM_BUILD_NOTIFY = 0x472; // WM_USER + 0x72

enum NotifyCode : int {
    NOTIFY_ERROR = 1125,           // value: one warning flag
    NOTIFY_ADDING = 1126,          // 1 before each add request, 0 when the add worker is idle
    NOTIFY_SAVING = 1127,          // 1 when writing starts, 0 when the save worker is idle
    NOTIFY_THUMBNAILS = 1128,      // 1 when thumbnail jobs start, 0 when none is left running
    NOTIFY_BUSY = 1129,            // 1 when a build starts working, 0 when it ends
    NOTIFY_COUNT = 1130,           // number of entries
    NOTIFY_THUMBNAIL_BYTES = 1131, // thumbnail byte total
    NOTIFY_THUMBNAIL_DONE = 1132,  // one thumbnail job has ended
    NOTIFY_PROGRESS = 1133,        // index of the image just written
    NOTIFY_PLACEMENT_READY = 1134, // visual placement pages are written
};

// Warning flags carried by NOTIFY_ERROR, one per message.
enum WarningFlag : std::uint32_t {
    WARN_THUMBNAIL_NAME = 0x0001,
    WARN_OTHER_DRIVE = 0x0002,
    WARN_OUTSIDE_ROOT = 0x0004,
    WARN_NO_THUMBNAIL = 0x0008,
    WARN_REMOVED_OUTSIDE_ROOT = 0x0010,
    WARN_REMOVED_THUMBNAIL_NAME = 0x0020,
    WARN_REMOVED_NO_THUMBNAIL = 0x0040,
    THUMB_ERROR_MEMORY = 0x0080,
    THUMB_ERROR_FORMAT = 0x0100,
    THUMB_ERROR_OTHER = 0x0200,
    BUILD_ERROR_WRITE = 0x0400,
    BUILD_ERROR_TEMPLATE = 0x0800,
    BUILD_ERROR_ZIP_CREATE = 0x1000,
    BUILD_ERROR_ZIP_ADD = 0x2000,
    WARN_PROJECT_IMAGE_MISSING = 0x4000,
};
