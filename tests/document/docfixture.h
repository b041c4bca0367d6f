#pragma once
// A gallery document on a private settings store in a temporary folder, with
// a recording sink, and helpers that wait (bounded) for its workers.

#include "document/gallerydocument.h"
#include "document/notifycodes.h"
#include "platform/profile.h"
#include "recordingsink.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class DocFixture : public ::testing::Test {
protected:
    explicit DocFixture(int thumbnailJobs = 1)
        : m_profile(m_dir.filePath("settings.ini")),
          m_doc(std::make_unique<GalleryDocument>(m_profile, thumbnailJobs))
    {
        m_doc->SetSink(&m_sink);
    }
    ~DocFixture() override
    {
        if (m_doc)
            m_doc->SetSink(nullptr);
    }

    QString Path(const QString &relative) const { return QDir::toNativeSeparators(m_dir.filePath(relative)); }

    QString SaveImage(const QString &relative, int w = 64, int h = 48, const char *format = "PNG")
    {
        const QString path = Path(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(QColor(30, 120, 200));
        EXPECT_TRUE(image.save(path, format)) << path.toStdString();
        return path;
    }
    QString SaveText(const QString &relative, const QByteArray &bytes = "not a picture")
    {
        const QString path = Path(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }

    void Options(const std::function<void(GalleryOptions &)> &change)
    {
        GalleryOptions o = m_doc->GetOptions();
        change(o);
        m_doc->SetOptions(o);
    }

    static AddRequest Request(const QString &path, bool scan = false, bool fromProject = false)
    {
        AddRequest r;
        r.ScanFolder = scan;
        r.FromProject = fromProject;
        r.Entry.Path = path;
        return r;
    }

    // Queues the requests and waits until the add worker has drained them.
    void AddAndWait(std::initializer_list<AddRequest> requests)
    {
        m_sink.Clear();
        // All at once, so the worker cannot go idle between two of them.
        m_doc->QueueAddRequests(std::vector<AddRequest>(requests));
        ASSERT_TRUE(m_sink.WaitFor([](const auto &posts) { return EndsIdle(posts, NOTIFY_ADDING); }))
            << "the add worker did not go idle";
    }
    // Waits until the thumbnail jobs started since the last Clear have all ended.
    void WaitThumbnailsIdle()
    {
        ASSERT_TRUE(m_sink.WaitFor([](const auto &posts) { return EndsIdle(posts, NOTIFY_THUMBNAILS); }))
            << "the thumbnail worker did not go idle";
    }
    // A 1 was posted for `code`, and the last post for it is 0.
    static bool EndsIdle(const std::vector<std::pair<int, std::intptr_t>> &posts, int code)
    {
        bool busy = false;
        std::intptr_t last = -1;
        for (const auto &[c, v] : posts)
            if (c == code) {
                busy = busy || v == 1;
                last = v;
            }
        return busy && last == 0;
    }

    QStringList EntryNames() const
    {
        QStringList names;
        for (const ImageEntry &e : m_doc->CopyEntries())
            names << QDir(m_dir.path()).relativeFilePath(e.Path);
        return names;
    }
    std::vector<std::intptr_t> Warnings() const { return m_sink.ValuesOf(NOTIFY_ERROR); }

    QTemporaryDir m_dir;
    SettingsProfile m_profile;
    RecordingSink m_sink;
    std::unique_ptr<GalleryDocument> m_doc;
};
