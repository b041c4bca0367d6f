#include "document/listdelta.h"

#include <QHash>

bool ListDelta::IsEmpty() const
{
    return removed.empty() && inserted.empty() && order.empty() && changed.empty() && !newOptions;
}

namespace {
QHash<quint64, int> IndexBySerial(const ImageList &list)
{
    QHash<quint64, int> index;
    index.reserve(static_cast<qsizetype>(list.size()));
    for (std::size_t i = 0; i < list.size(); ++i)
        index.insert(list[i].Serial, static_cast<int>(i));
    return index;
}

QString TextAt(const std::vector<QString> &texts, std::size_t i)
{
    return i < texts.size() ? texts[i] : QString();
}
} // namespace

ImageList WithoutNewcomers(const ImageList &before, const ImageList &after)
{
    const QHash<quint64, int> known = IndexBySerial(before);
    ImageList kept;
    kept.reserve(after.size());
    for (const ImageEntry &e : after)
        if (known.contains(e.Serial))
            kept.push_back(e);
    return kept;
}

ListDelta DiffLists(const ListSnapshot &before, const ListSnapshot &after, bool keepInserted)
{
    ListDelta delta;
    const QHash<quint64, int> inBefore = IndexBySerial(before.entries);

    // The list as undo will find it: the edit's result without a worker's newcomers.
    std::vector<std::size_t> afterRows; // rows of after.entries that count
    afterRows.reserve(after.entries.size());
    for (std::size_t i = 0; i < after.entries.size(); ++i)
        if (keepInserted || inBefore.contains(after.entries[i].Serial))
            afterRows.push_back(i);

    QHash<quint64, int> inAfter;
    inAfter.reserve(static_cast<qsizetype>(afterRows.size()));
    for (std::size_t k = 0; k < afterRows.size(); ++k)
        inAfter.insert(after.entries[afterRows[k]].Serial, static_cast<int>(k));

    // Kept entries, numbered in their order before the edit.
    QHash<quint64, int> keptRank;
    for (std::size_t i = 0; i < before.entries.size(); ++i) {
        const ImageEntry &e = before.entries[i];
        if (inAfter.contains(e.Serial))
            keptRank.insert(e.Serial, static_cast<int>(keptRank.size()));
        else
            delta.removed.push_back({static_cast<int>(i), e, TextAt(before.thumbnailTexts, i)});
    }

    bool reordered = false;
    for (std::size_t k = 0; k < afterRows.size(); ++k) {
        const ImageEntry &now = after.entries[afterRows[k]];
        const auto rank = keptRank.constFind(now.Serial);
        if (rank == keptRank.constEnd()) {
            delta.inserted.push_back({static_cast<int>(k), now, TextAt(after.thumbnailTexts, afterRows[k])});
            continue;
        }
        reordered = reordered || *rank != static_cast<int>(delta.order.size());
        delta.order.push_back(*rank);
        const ImageEntry &was = before.entries[std::size_t(inBefore.value(now.Serial))];
        if (was.Comment != now.Comment || !(was.Options == now.Options))
            delta.changed.push_back({static_cast<int>(k), was.Comment, now.Comment, was.Options, now.Options});
    }
    if (!reordered)
        delta.order.clear();
    if (OptionsDiffer(before.options, after.options)) {
        delta.oldOptions = before.options;
        delta.newOptions = after.options;
    }
    return delta;
}

namespace {
std::vector<int> Indexes(const std::vector<GalleryDocument::PlacedEntry> &entries)
{
    std::vector<int> indexes;
    indexes.reserve(entries.size());
    for (const auto &placed : entries)
        indexes.push_back(placed.Index);
    return indexes;
}

std::vector<int> Inverse(const std::vector<int> &order)
{
    std::vector<int> inverse(order.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        inverse[std::size_t(order[i])] = static_cast<int>(i);
    return inverse;
}
} // namespace

void UndoDelta(GalleryDocument &doc, const ListDelta &delta)
{
    for (const auto &c : delta.changed) {
        doc.SetComment(c.index, c.oldComment);
        doc.SetOptionBlock(c.index, c.oldOptions);
    }
    if (delta.oldOptions)
        doc.RestoreOptions(*delta.oldOptions);
    doc.RemoveEntries(Indexes(delta.inserted));
    if (!delta.order.empty())
        doc.ReorderEntries(Inverse(delta.order));
    doc.RestoreEntries(delta.removed);
}

void RedoDelta(GalleryDocument &doc, const ListDelta &delta)
{
    if (delta.newOptions)
        doc.RestoreOptions(*delta.newOptions);
    doc.RemoveEntries(Indexes(delta.removed));
    if (!delta.order.empty())
        doc.ReorderEntries(delta.order);
    doc.RestoreEntries(delta.inserted);
    for (const auto &c : delta.changed) {
        doc.SetComment(c.index, c.newComment);
        doc.SetOptionBlock(c.index, c.newOptions);
    }
}
