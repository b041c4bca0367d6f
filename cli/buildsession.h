#pragma once
// One run of "gallorim-cli build": a real gallery document with its workers,
// driven the way the list view drives it around a build. The session is the
// document's notification sink; workers post to it from their threads and
// the calling thread handles the posts in order, as a view's message loop would.

#include "cli/buildarguments.h"
#include "platform/notificationsink.h"

#include <QHash>
#include <QString>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>

class GalleryDocument;
class QTextStream;

class BuildSession : public NotificationSink {
public:
    BuildSession(const BuildArguments &args, QTextStream &out, QTextStream &err);

    // The exit status: 0 built without warnings, 1 warnings or nothing built,
    // 2 when the inputs or paths cannot be used.
    int Run();

    bool IsAlive() const override { return true; }
    void Post(int code, std::intptr_t value) override;
    void InsertRow(int index, const QString &path, const QString &info, const QString &thumbnailState) override;
    void SetThumbnailCell(int index, const QString &path, const QString &text) override;
    void ReportSaveError(const QString &message) override;

private:
    struct Event {
        int code;
        std::intptr_t value;
    };

    int CheckInputs(bool *isProject);
    void AddInputs(GalleryDocument &doc, bool isProject);
    void ReportFilesLeftOut(const GalleryDocument &doc);
    bool PreparePagePath(GalleryDocument &doc, bool slideshow);
    bool BuildPage(GalleryDocument &doc, bool slideshow);
    int Drive(GalleryDocument &doc, bool isProject);
    bool SaveProject(GalleryDocument &doc);
    int Finish(bool built, const QString &page);

    // Handles posts on this thread until `done` answers true for one of them.
    void ProcessUntil(const std::function<bool(const Event &)> &done);
    void Handle(const Event &event);
    void ShowProgress(const QString &label, qint64 done, qint64 total);
    void EndProgress();

    const BuildArguments &m_args;
    QTextStream &m_out;
    QTextStream &m_err;
    const bool m_showProgress;

    std::mutex m_mutex;
    std::condition_variable m_posted;
    std::deque<Event> m_events;
    std::chrono::steady_clock::time_point m_lastWake;
    QHash<QString, QString> m_thumbnailStates; // path -> latest thumbnail cell text
    QString m_saveError;
    std::atomic<int> m_buildResult{0};

    // Handled on the calling thread only.
    std::uint32_t m_warnings = 0;
    bool m_inputsLeftOut = false; // a named file that is missing or no image
    qint64 m_entryCount = 0;
    qint64 m_stepsDone = 0;
    qint64 m_stepsTotal = 0;
    QString m_phase;
    bool m_progressShown = false;
};
