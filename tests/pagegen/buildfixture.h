#pragma once
// A gallery document in a temporary folder, with images on disk and a sink
// that records what the build threads report. Builds run on the test's own
// thread, already released by the start event, so results are deterministic.

#include "document/gallerydocument.h"
#include "document/notifycodes.h"
#include "pagegen/buildenvironment.h"
#include "platform/notificationsink.h"
#include "platform/profile.h"

#include <QTemporaryDir>
#include <string>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <vector>

// Names inside a zip archive, in archive order; empty when it does not open.
std::vector<std::string> ZipNames(const QString &path);

class RecordingSink : public NotificationSink {
public:
    bool IsAlive() const override { return true; }
    void Post(int code, std::intptr_t value) override;

    // Build reports only: busy, progress and error flags, in posting order.
    std::vector<std::pair<int, std::intptr_t>> BuildPosts() const;
    std::vector<std::intptr_t> Errors() const;
    std::vector<std::intptr_t> Progress() const;

    std::function<void(int, std::intptr_t)> onPost;

private:
    mutable std::mutex m_lock;
    std::vector<std::pair<int, std::intptr_t>> m_posts;
};

struct OpenRecord {
    std::vector<QString> opened;
    std::vector<int> errors;
    int result = 42;
    BuildEnvironment Environment();
};

class BuildFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // <tmp>/site/, with images in img/ and pages in gal/.
    QString Site() const { return m_dir.path() + QStringLiteral("/site/"); }
    QString Page(const QString &name) const { return Site() + QStringLiteral("gal/") + name; }
    // Options of a user-designed gallery in gal/index.html (design from tests/data/pagegen).
    GalleryOptions DesignOptions(const QString &design) const;
    // Writes img/<name> and inserts its entry; thumbnail dimensions "" mean "no thumbnail".
    void AddImage(const QString &name, const QString &dims, const QString &thumbDims, const QString &comment,
                  const ImageOptionBlock &block = {});
    int RunGallery(const GalleryOptions &options, const BuildEnvironment &env = {});

    // The expected page with its markers filled: @@RESOURCE n@@ and @@CREDIT@@ (text #FFFFFF, link #119BD5).
    static QByteArray Golden(const QString &file);
    static QByteArray ReadFile(const QString &path);

    QTemporaryDir m_dir;
    std::unique_ptr<SettingsProfile> m_profile;
    std::unique_ptr<GalleryDocument> m_doc;
    RecordingSink m_sink;
};
