#pragma once
// Work queued on a gallery's workers.

#include "document/galleryoptions.h"
#include "document/imageentry.h"

#include <QString>

struct AddRequest {
    bool ImportProject = false; // a current-format project met here is loaded
    bool ScanFolder = false;    // a folder met here is scanned
    bool FromProject = false;   // path comes from a project being loaded
    // A folder scan saw a regular file here: its kind needs no second look.
    bool SeenRegularFile = false;
    ImageEntry Entry;           // path; comment and option block when known
};

struct ThumbnailJob {
    QString Path;
    BuildVignetteOptions Options; // copied when queued; later option changes do not apply
};
