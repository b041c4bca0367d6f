#include "document/addfacts.h"

#include "document/thumbnailpath.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

namespace {
// The project header is a few dozen bytes; reading only those spares the
// buffered read of a whole block for every photo.
ProjectFormat ProjectFormatOfOpened(QFile &file)
{
    QBuffer head;
    head.setData(file.read(256));
    if (!head.open(QIODevice::ReadOnly))
        return ProjectFormat::NotAProject;
    return ReadProjectHeader(head);
}
} // namespace

AddFacts GatherAddFacts(const QString &path, const QString &thumbnailAffix, int thumbnailWithPrefixe)
{
    AddFacts facts;
    facts.thumbnailAffix = thumbnailAffix;
    facts.thumbnailWithPrefixe = thumbnailWithPrefixe;
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
    facts.sizeText = SizeTextForBytes(facts.bytes);
    facts.image = ReadImageInfo(facts.onDiskPath);
    if (!facts.image.IsImage()) {
        // Only what is no image can be a project: every image format starts
        // with bytes that a project never has, so photos are opened once less.
        QFile file(path);
        if (file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
            facts.project = ProjectFormatOfOpened(file);
        return facts;
    }
    ApplyFileTimeFallback(info.lastModified(), facts.image.Camera[CAMERA_DATE], facts.image.Camera[CAMERA_TIME]);
    BuildVignetteOptions naming;
    naming.PreSuffixe = thumbnailAffix;
    naming.WithPrefixe = thumbnailWithPrefixe;
    facts.thumbnail = ExamineThumbnail(facts.onDiskPath, naming);
    return facts;
}
