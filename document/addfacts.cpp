#include "document/addfacts.h"

#include "document/thumbnailpath.h"
#include "imaging/picture.h"
#include "platform/filehead.h"

#include <QFileInfo>

namespace {
// The project header is a few dozen bytes.
constexpr qint64 kProjectHeadBytes = 256;
} // namespace

AddFacts GatherAddFacts(const QString &path, const BuildVignetteOptions &naming, bool seenRegular)
{
    AddFacts facts;
    facts.naming = naming;
    if (path.isEmpty())
        return facts;
    // One QFileInfo answers kind, size and time from one stat, taken only
    // when needed: a rebuilt gallery's thousands of copies need none.
    const QFileInfo info(path);
    if (!seenRegular) {
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
    }
    facts.kind = AddFacts::Kind::File;
    facts.file = info;
    // A gallery rebuilt in place meets all its thumbnails and copies: they are
    // not decoded, only looked at for a project's header.
    const QString onDisk = OnDiskPath(info, true);
    facts.thumbnailName = naming.RejectFileWithVignetteName
        && IsThumbnailName(onDisk, naming.PreSuffixe, naming.WithPrefixe);
    // One read answers readability, the project header and the image probe:
    // a folder of thousands of photos and pages is opened once per file.
    QByteArray head;
    facts.readable = ReadFileHead(path, facts.thumbnailName ? kProjectHeadBytes : Picture::HeadBytes(), &head);
    facts.onDiskPath = facts.readable ? onDisk : info.filePath();
    if (!facts.readable)
        return facts;
    facts.project = ReadProjectHeader(head);
    if (facts.thumbnailName || facts.project != ProjectFormat::NotAProject)
        return facts;
    ProbeAddedFile(facts, naming, head);
    return facts;
}

void ProbeAddedFile(AddFacts &facts, const BuildVignetteOptions &naming, QByteArray head)
{
    facts.naming = naming;
    facts.probed = true;
    if (head.isEmpty() && !ReadFileHead(facts.onDiskPath, Picture::HeadBytes(), &head))
        return;
    facts.image = ReadImageInfo(facts.onDiskPath, head);
    if (!facts.image.IsImage())
        return;
    facts.bytes = facts.file.size();
    facts.thumbnail = ExamineThumbnail(facts.onDiskPath, naming);
}
