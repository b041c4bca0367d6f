// Undo and redo of gallery edits: a seeded run of random edits, undone to
// the start and redone to the end, compared entry by entry at every step.
#include "docfixture.h"
#include "document/listdelta.h"

#include <QRandomGenerator>

namespace {
struct EntryState {
    QString path, comment;
    ImageOptionBlock options;
    quint64 serial;
    bool operator==(const EntryState &) const = default;
};

struct DocState {
    std::vector<EntryState> entries;
    GalleryOptions options;
};

class Undo : public DocFixture {
protected:
    void Put(const QString &name)
    {
        ImageEntry e;
        e.Path = Path(name);
        e.ImageBytes = m_random.bounded(1, 100000);
        e.ImageDimensions = QStringLiteral("%1x%2").arg(m_random.bounded(1, 4000)).arg(m_random.bounded(1, 4000));
        ASSERT_GE(m_doc->InsertEntry(e, QString(), QString(), false), 0);
    }
    ListSnapshot Snapshot() const { return {m_doc->CopyEntries(), {}, m_doc->GetOptions()}; }
    DocState State() const
    {
        DocState s;
        for (const ImageEntry &e : m_doc->CopyEntries())
            s.entries.push_back({e.Path, e.Comment, e.Options, e.Serial});
        s.options = m_doc->GetOptions();
        return s;
    }
    void ExpectState(const DocState &expected, const char *when, std::size_t step) const
    {
        const DocState now = State();
        ASSERT_EQ(now.entries.size(), expected.entries.size()) << when << " step " << step;
        for (std::size_t i = 0; i < now.entries.size(); ++i)
            ASSERT_TRUE(now.entries[i] == expected.entries[i])
                << when << " step " << step << " entry " << i << ": " << now.entries[i].path.toStdString()
                << " instead of " << expected.entries[i].path.toStdString();
        EXPECT_FALSE(OptionsDiffer(now.options, expected.options)) << when << " step " << step;
    }
    int Count() const { return m_doc->GetEntryCount(); }
    int Any() { return int(m_random.bounded(Count())); }

    QRandomGenerator m_random {20261209};
    int m_added = 0;
};
} // namespace

TEST_F(Undo, undoesAndRedoesEveryKindOfEditEntryByEntry)
{
    for (int i = 0; i < 30; ++i)
        Put(QStringLiteral("%1/start%2.jpg").arg(i % 3 ? "a" : "b").arg(i));

    // Each edit kind as the program makes it; `true` where the edit is an add.
    const std::vector<std::function<bool()>> edits = {
        [&] { // files arriving from the add worker
            for (int k = int(m_random.bounded(1, 4)); k > 0; --k)
                Put(QStringLiteral("a/added%1.jpg").arg(m_added++));
            return true;
        },
        [&] { // a selection deleted
            std::vector<int> rows;
            for (int k = int(m_random.bounded(1, 5)); k > 0 && Count() > 0; --k)
                rows.push_back(Any());
            std::sort(rows.begin(), rows.end());
            m_doc->RemoveEntries(rows);
            return false;
        },
        [&] { // one row moved up or down, or a dragged row, or a placement insertion
            if (Count() < 2)
                return false;
            const int from = Any();
            const int to = int(m_random.bounded(Count() + 1));
            m_doc->MoveEntry(from, to, to <= from ? from + 1 : from);
            return false;
        },
        [&] { // a placement exchange: two moves making one step
            if (Count() < 2)
                return false;
            int a = Any(), b = Any();
            if (a == b)
                return false;
            if (a > b)
                std::swap(a, b);
            m_doc->MoveEntry(b, a, b + 1);
            m_doc->MoveEntry(a + 1, b + 1, a + 1);
            return false;
        },
        [&] { // a sort of the "Tri" menu
            m_doc->SortList(int(m_random.bounded(1, 9)));
            return false;
        },
        [&] { // a comment edited in place
            if (Count() > 0)
                m_doc->SetComment(Any(), QStringLiteral("commentaire %1").arg(m_random.generate()));
            return false;
        },
        [&] { // the general assistant: every comment at once
            const QString text = QStringLiteral("général %1").arg(m_random.generate());
            for (int i = 0; i < Count(); ++i)
                m_doc->SetComment(i, text);
            return false;
        },
        [&] { // per-image options
            if (Count() == 0)
                return false;
            ImageOptionBlock block;
            block.Flags = m_random.bounded(1u, 0x3FFu);
            block.BorderSize = int(m_random.bounded(10));
            m_doc->SetOptionBlock(Any(), block);
            return false;
        },
        [&] { // the options sheet: a root folder that drops the entries outside it
            GalleryOptions o = m_doc->GetOptions();
            const bool root = !o.WebPage2.RootRelativePath;
            o.WebPage2.RootRelativePath = root;
            o.WebPage2.RootPath = root ? Path("a") : QString();
            o.WebPage1.PageTitle = QStringLiteral("titre %1").arg(m_random.generate());
            m_doc->ApplyDocumentOptions(o);
            return false;
        },
    };

    std::vector<DocState> states {State()};
    std::vector<ListDelta> deltas;
    std::vector<int> kindsSeen(edits.size());
    for (int step = 0; step < 120; ++step) {
        const std::size_t kind = m_random.bounded(quint32(edits.size()));
        const ListSnapshot before = Snapshot();
        const bool added = edits[kind]();
        ListDelta delta = DiffLists(before, Snapshot(), added);
        if (delta.IsEmpty())
            continue;
        ++kindsSeen[kind];
        deltas.push_back(std::move(delta));
        states.push_back(State());
    }
    for (std::size_t kind = 0; kind < edits.size(); ++kind)
        EXPECT_GT(kindsSeen[kind], 0) << "edit kind " << kind << " never changed anything";

    for (std::size_t step = deltas.size(); step-- > 0;) {
        UndoDelta(*m_doc, deltas[step]);
        ExpectState(states[step], "undo", step);
    }
    for (std::size_t step = 0; step < deltas.size(); ++step) {
        RedoDelta(*m_doc, deltas[step]);
        ExpectState(states[step + 1], "redo", step);
    }
}

TEST_F(Undo, leavesOutEntriesAWorkerAddedDuringAnEditAndKeepsOnlyWhatChanged)
{
    for (int i = 0; i < 5; ++i)
        Put(QStringLiteral("a/%1.jpg").arg(i));
    const ListSnapshot before = Snapshot();
    m_doc->RemoveEntries({1});
    Put(QStringLiteral("a/late.jpg")); // the add worker, while the edit ran
    const ListDelta delta = DiffLists(before, Snapshot(), false);
    ASSERT_EQ(delta.removed.size(), 1u);
    EXPECT_EQ(delta.removed[0].Index, 1);
    EXPECT_TRUE(delta.inserted.empty());
    EXPECT_TRUE(delta.order.empty());
    EXPECT_TRUE(delta.changed.empty());
    EXPECT_FALSE(delta.newOptions);
    // What undo reaches once the late file's own add is undone.
    EXPECT_EQ(WithoutNewcomers(before.entries, Snapshot().entries).size(), 4u);
}

namespace {
class ConcurrencyUndo : public Undo {};
} // namespace

TEST_F(ConcurrencyUndo, deletionsUndoneWhileThumbnailsAreMadeKeepTheListAndItsTotalExact)
{
    std::vector<QString> paths;
    for (int i = 0; i < 12; ++i) {
        paths.push_back(SaveImage(QStringLiteral("p%1.png").arg(i), 200 + i, 150));
        ImageEntry e;
        e.Path = paths.back();
        ASSERT_GE(m_doc->InsertEntry(e, QString(), QString(), true), 0);
    }
    const DocState start = State();
    m_sink.Clear();
    for (const QString &path : paths)
        m_doc->QueueThumbnailJob(path, m_doc->GetOptions().BuildVignette);
    // The thumbnail threads report to entries by path while they leave and come back.
    for (int round = 0; round < 40; ++round) {
        const ListSnapshot before = Snapshot();
        m_doc->RemoveEntries({int(m_random.bounded(4)), 5, int(m_random.bounded(6, 12))});
        UndoDelta(*m_doc, DiffLists(before, Snapshot(), false));
        ExpectState(start, "round", std::size_t(round));
    }
    WaitThumbnailsIdle();
    qint64 total = 0;
    for (const ImageEntry &e : m_doc->CopyEntries())
        total += e.ThumbnailBytes;
    EXPECT_EQ(m_doc->GetThumbnailBytes(), total);
}
