#pragma once
// What one edit did to a gallery, kept so that it can be undone and redone:
// the entries it removed or added with their places, how the others were
// reordered, the comments and option blocks it changed, and the gallery's
// options before and after. Entries are matched by serial, so a delta is
// exact whatever the paths; it costs a copy of the entries it removed or
// added and an index per entry when the order changed, never a copy of the
// whole list.

#include "document/galleryoptions.h"
#include "document/gallerydocument.h"
#include "document/imageentry.h"

#include <QString>
#include <optional>
#include <vector>

class GalleryDocument;

// The state an edit is measured against. `thumbnailTexts` (index-aligned,
// may be shorter) are the texts the list showed, kept for removed entries.
struct ListSnapshot {
    ImageList entries;
    std::vector<QString> thumbnailTexts;
    GalleryOptions options;
};

struct ListDelta {
    struct FieldChange {
        int index = 0; // in the list after the edit
        QString oldComment, newComment;
        ImageOptionBlock oldOptions, newOptions;
    };
    std::vector<GalleryDocument::PlacedEntry> removed;  // indexes before the edit, ascending
    std::vector<GalleryDocument::PlacedEntry> inserted; // indexes after the edit, ascending
    std::vector<int> order; // entries kept: after[i] = before[order[i]]; empty when unchanged
    std::vector<FieldChange> changed;
    std::optional<GalleryOptions> oldOptions, newOptions;

    bool IsEmpty() const;
};

// `keepInserted`: entries that joined the list during the edit are the
// edit's own (an add). Otherwise they are a worker's and left out: they
// belong to the add that brought them.
ListDelta DiffLists(const ListSnapshot &before, const ListSnapshot &after, bool keepInserted);

// The serials of `after` that the delta of `before` to `after` leaves out
// removed from it: what the list will be once undo reaches this step.
ImageList WithoutNewcomers(const ImageList &before, const ImageList &after);

// From the state after the edit to the one before it, and back. GUI thread.
void UndoDelta(GalleryDocument &doc, const ListDelta &delta);
void RedoDelta(GalleryDocument &doc, const ListDelta &delta);
