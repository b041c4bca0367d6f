#include "pagegen/expandedcomment.h"

#include "document/gallerydocument.h"
#include "pagegen/pagevariables.h"

#include <mutex>

QString GetExpandedComment(const GalleryDocument &doc, int index)
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
    PageVariables vars;
    vars.SetPage(&options, count, QString(), 1);
    vars.SetImage(&entry, index + 1);
    return vars.ExpandComment(entry.Comment);
}
