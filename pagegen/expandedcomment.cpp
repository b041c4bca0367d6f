#include "pagegen/expandedcomment.h"

#include "document/cglrlistdoc.h"
#include "pagegen/cpagevariables.h"

#include <mutex>

QString GetExpandedComment(const CGLRListDoc &doc, int index)
{
    ImageEntry entry;
    int count = 0;
    {
        // Count and entry from the same state of the list.
        std::lock_guard lock(doc.ListLock());
        if (!doc.GetEntry(index, entry))
            return {};
        count = doc.GetEntryCount();
    }
    if (!entry.Comment.contains(QLatin1String("?$VORLEX_VARIABLE_")))
        return entry.Comment;
    const GalleryOptions options = doc.GetOptions();
    CPageVariables vars;
    vars.SetPage(&options, count, QString(), 1);
    vars.SetImage(&entry, index + 1);
    return vars.ExpandComment(entry.Comment);
}
