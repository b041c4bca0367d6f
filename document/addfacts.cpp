#include "document/addfacts.h"

#include "document/thumbnailpath.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

namespace {
// The project header is a few dozen bytes; reading only those spares the
// buffered read of a whole block for every photo.
ProjectFormat ProjectFormatOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return ProjectFormat::NotAProject;
    QBuffer head;
    head.setData(file.read(256));
    if (!head.open(QIODevice::ReadOnly))
        return ProjectFormat::NotAProject;
    return ReadProjectHeader(head);
}
} // namespace

AddFacts GatherAddFacts(const QString &path, const BuildVignetteOptions &naming)
{
    AddFacts facts;
    facts.naming = naming;
    if (path.isEmpty())
        return facts;
    // One QFileInfo answers kind, readability, size and time from one stat.
    const QFileInfo info(path);
    if (info.isDir()) {
        facts.kind = AddFacts::Kind::Folder;
        return facts;
    }
    if (!info.exists())
        return facts;
    if (!info.isFile()) {
        facts.kind = AddFacts::Kind::NotRegular;
        return facts;
    }
    facts.kind = AddFacts::Kind::File;
    facts.readable = info.isReadable();
    if (!facts.readable)
        return facts;
    facts.onDiskPath = OnDiskPath(info);
    facts.bytes = info.size();
    facts.file = info;
    // A gallery rebuilt in place meets all its thumbnails: they are not
    // decoded, only looked at for a project's header.
    facts.thumbnailName = naming.RejectFileWithVignetteName
        && IsThumbnailName(facts.onDiskPath, naming.PreSuffixe, naming.WithPrefixe);
    if (facts.thumbnailName) {
        facts.project = ProjectFormatOf(facts.onDiskPath);
        return facts;
    }
    ProbeAddedFile(facts, naming);
    return facts;
}

void ProbeAddedFile(AddFacts &facts, const BuildVignetteOptions &naming)
{
    facts.naming = naming;
    facts.probed = true;
    facts.image = ReadImageInfo(facts.onDiskPath);
    if (!facts.image.IsImage()) {
        // Only what is no image can be a project: every image format starts
        // with bytes that a project never has, so photos are opened once less.
        facts.project = ProjectFormatOf(facts.onDiskPath);
        return;
    }
    facts.thumbnail = ExamineThumbnail(facts.onDiskPath, naming);
}
