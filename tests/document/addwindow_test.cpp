// The add worker reads files ahead on several threads but decides in request
// order: many files of every kind, with a stop in the middle. Suites are named
// Concurrency* so the ThreadSanitizer build runs them.
#include "docfixture.h"

#include <numeric>

namespace {
constexpr int kFiles = 240;

// Blocks the worker inside the row insertion that makes the list `holdAt`
// long, until the test lets it go.
class HoldingSink : public RecordingSink {
public:
    explicit HoldingSink(int holdAt) : m_holdAt(holdAt) {}
    void Post(int code, std::intptr_t value) override
    {
        RecordingSink::Post(code, value);
        if (code != NOTIFY_COUNT || value != m_holdAt)
            return;
        std::unique_lock lock(m_mutex);
        m_held = true;
        m_changed.notify_all();
        m_changed.wait_for(lock, std::chrono::seconds(20), [&] { return m_released; });
    }
    bool WaitHeld()
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::seconds(20), [&] { return m_held; });
    }
    void Release()
    {
        std::lock_guard lock(m_mutex);
        m_released = true;
        m_changed.notify_all();
    }

private:
    const int m_holdAt;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_held = false;
    bool m_released = false;
};

class ConcurrencyAddWindow : public DocFixture {
protected:
    // Every fifth file is an image whose name makes it a thumbnail, every
    // seventh is no image, every ninth is asked for twice (once spelt with
    // "./"); the rest are plain images. Answers the names expected in the
    // list, in order, and the warnings expected, in order.
    std::vector<AddRequest> MixedRequests(QStringList *expected, std::vector<std::intptr_t> *warnings)
    {
        std::vector<AddRequest> requests;
        for (int i = 0; i < kFiles; ++i) {
            const QString name = QStringLiteral("p%1.png").arg(i, 3, 10, QLatin1Char('0'));
            if (i % 5 == 0) {
                requests.push_back(Request(SaveImage("mini/small_" + name, 8, 6)));
                warnings->push_back(WARN_THUMBNAIL_NAME);
            } else if (i % 7 == 0) {
                // From a project, so that the rejection is reported.
                requests.push_back(Request(SaveText(name), false, true));
                warnings->push_back(WARN_PROJECT_IMAGE_MISSING);
            } else {
                const QString path = SaveImage(name, 8 + i % 3, 6);
                requests.push_back(Request(path));
                if (i % 9 == 0)
                    requests.push_back(Request(m_dir.path() + "/./" + name));
                *expected << name;
            }
        }
        return requests;
    }
};
} // namespace

TEST_F(ConcurrencyAddWindow, manyFilesKeepRequestOrderDuplicatesAndRejections)
{
    QStringList expected;
    std::vector<std::intptr_t> warnings;
    const std::vector<AddRequest> requests = MixedRequests(&expected, &warnings);
    m_sink.Clear();
    m_doc->QueueAddRequests(requests);
    ASSERT_TRUE(m_sink.WaitFor([](const auto &p) { return EndsIdle(p, NOTIFY_ADDING); }, 60000));

    EXPECT_EQ(EntryNames(), expected);
    EXPECT_EQ(Warnings(), warnings);
    std::vector<std::intptr_t> counts(expected.size());
    std::iota(counts.begin(), counts.end(), 1);
    EXPECT_EQ(m_sink.ValuesOf(NOTIFY_COUNT), counts);
    // Rows appear in list order with their own dimensions.
    QStringList rows;
    for (const QString &call : m_sink.Calls())
        if (call.startsWith("insert "))
            rows << call;
    ASSERT_EQ(rows.size(), expected.size());
    const ImageList entries = m_doc->CopyEntries();
    for (int i = 0; i < rows.size(); ++i) {
        EXPECT_TRUE(rows[i].startsWith(QStringLiteral("insert %1 %2 | %3").arg(i).arg(entries[i].Path,
                                                                                   entries[i].ImageDimensions)));
        EXPECT_EQ(entries[i].ImageDimensions,
                  QStringLiteral("%1x6").arg(8 + expected[i].mid(1, 3).toInt() % 3));
    }
    EXPECT_EQ(m_doc->GetPendingAddCount(), 0);
}

TEST_F(ConcurrencyAddWindow, stopAddingInTheMiddleAddsNothingThatWasReadAhead)
{
    QStringList expected;
    std::vector<std::intptr_t> warnings;
    const std::vector<AddRequest> requests = MixedRequests(&expected, &warnings);
    HoldingSink sink(40);
    m_doc->SetSink(&sink);
    m_doc->QueueAddRequests(requests);
    ASSERT_TRUE(sink.WaitHeld());
    EXPECT_GT(m_doc->GetPendingAddCount(), 0);
    m_doc->StopAdding();
    EXPECT_EQ(m_doc->GetPendingAddCount(), 0);
    // Asked for after the stop, while what was read before it is still about.
    m_doc->QueueAddRequest(Request(Path(expected.last())));
    sink.Release();
    ASSERT_TRUE(sink.WaitFor([](const auto &p) { return EndsIdle(p, NOTIFY_ADDING); }));
    m_doc->SetSink(&m_sink);
    EXPECT_EQ(EntryNames(), expected.mid(0, 40) << expected.last());
    EXPECT_EQ(m_doc->GetPendingAddCount(), 0);
}

TEST_F(ConcurrencyAddWindow, closingInTheMiddleInsertsNothingAfterwards)
{
    QStringList expected;
    std::vector<std::intptr_t> warnings;
    const std::vector<AddRequest> requests = MixedRequests(&expected, &warnings);
    HoldingSink sink(25);
    m_doc->SetSink(&sink);
    m_doc->QueueAddRequests(requests);
    ASSERT_TRUE(sink.WaitHeld());
    m_doc->OnCloseDocument();
    sink.Release();
    ASSERT_TRUE(sink.WaitFor([](const auto &p) { return EndsIdle(p, NOTIFY_ADDING); }));
    m_doc->SetSink(&m_sink);
    EXPECT_EQ(EntryNames(), expected.mid(0, 25));
}
