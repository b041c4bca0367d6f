#pragma once
// What the add pipeline needs to know about one requested path, read from the
// disk alone. Gathering touches no document, so several files are read at
// once ahead of the add worker, which then decides in request order.

#include "document/imageprobe.h"
#include "document/imageentry.h"
#include "document/projectfile.h"

#include <QByteArray>
#include <QFileInfo>
#include <QString>

struct AddFacts {
    enum class Kind {
        Missing,    // empty path or nothing there
        Folder,     // a folder (or a link to one)
        NotRegular, // a pipe, socket or device: never opened
        File,
    };
    Kind kind = Kind::Missing;
    bool readable = false;
    QString onDiskPath;
    qint64 bytes = 0; // set when the probe finds an image
    // Kept for its modification time, which only the add worker turns into
    // local time: the C library's time-zone state is not for several threads.
    QFileInfo file;
    ProjectFormat project = ProjectFormat::NotAProject;
    // The file's name is a thumbnail's under `naming` below; only looked at
    // when that naming rejects such files.
    bool thumbnailName = false;
    // False when the image was not probed: the naming below rejects the file
    // as a thumbnail, or it starts as a project; the fields from here on are
    // then empty.
    bool probed = false;
    ImageInfo image;
    // The thumbnail naming and rejection rule the facts were read with; the
    // worker looks again when the gallery's changed meanwhile (a project
    // being opened).
    BuildVignetteOptions naming;
    ThumbnailOnDisk thumbnail;
};

// Reads everything the add worker uses; thread-safe. An unreadable file,
// a thumbnail name that `naming` rejects and a project each stop the reading
// early.
// `seenRegular`: a folder scan just saw a regular file at `path`; a file
// rejected by its name alone is then not looked at beyond its first bytes.
AddFacts GatherAddFacts(const QString &path, const BuildVignetteOptions &naming, bool seenRegular = false);

// The image reading that a rejected thumbnail name or a project header
// skipped, with `naming` as the thumbnail naming; for a readable file of which
// only the kind is known. `head`: the file's first bytes when already read.
void ProbeAddedFile(AddFacts &facts, const BuildVignetteOptions &naming, QByteArray head = {});
