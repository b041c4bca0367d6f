#include "cli/buildsession.h"

#include "cli/commands.h"
#include "document/gallerydocument.h"
#include "document/imageprobe.h"
#include "document/notifycodes.h"
#include "document/projectfile.h"
#include "document/thumbnailpath.h"
#include "document/warningmessages.h"
#include "document/workitems.h"
#include "pagegen/buildgallerythread.h"
#include "pagegen/buildslideshowthread.h"
#include "platform/profile.h"

#include <QFileInfo>
#include <QSet>
#include <QTextStream>
#include <chrono>
#include <memory>
#include <thread>

#ifdef Q_OS_WIN
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace {
const char kPagePathMessage[] =
    "Le chemin spécifié pour la page HTML n'est pas valide car, soit il n'est pas sur le même disque dur que "
    "les images, soit il n'est pas dans un sous-répertoire de votre site web (dont vous avez spécifié la racine "
    "dans les options du document)";

QString AbsoluteInput(const QString &path)
{
    return NativeSeparators(QFileInfo(path).absoluteFilePath());
}

// Posted by this session's own wrapper once a builder has returned; no
// document code uses negative numbers.
constexpr int kBuilderReturned = -1;
} // namespace

BuildSession::BuildSession(const BuildArguments &args, QTextStream &out, QTextStream &err)
    : m_args(args), m_out(out), m_err(err), m_showProgress(!args.quiet && isatty(fileno(stderr)))
{
}

namespace {
// The notices a wait of this session can end on (see the ProcessUntil calls).
bool MayEndWait(int code, std::intptr_t value)
{
    return code == kBuilderReturned
        || (value == 0 && (code == NOTIFY_ADDING || code == NOTIFY_THUMBNAILS || code == NOTIFY_SAVING));
}

// Often enough for a progress bar to move smoothly.
constexpr std::chrono::milliseconds kProgressWakeInterval(40);
} // namespace

void BuildSession::Post(int code, std::intptr_t value)
{
    std::lock_guard lock(m_mutex);
    m_events.push_back({code, value});
    // An album posts thousands of notices; waking this thread for each would
    // cost a thread switch apiece. The others wait in the queue, in order.
    const auto now = std::chrono::steady_clock::now();
    if (MayEndWait(code, value) || now - m_lastWake >= kProgressWakeInterval) {
        m_lastWake = now;
        m_posted.notify_one();
    }
}

void BuildSession::InsertRow(int, const QString &path, const QString &, const QString &thumbnailState)
{
    std::lock_guard lock(m_mutex);
    m_thumbnailStates.insert(path, thumbnailState);
}

void BuildSession::SetThumbnailCell(int, const QString &path, const QString &text)
{
    std::lock_guard lock(m_mutex);
    m_thumbnailStates.insert(path, text);
}

void BuildSession::ReportSaveError(const QString &message)
{
    std::lock_guard lock(m_mutex);
    m_saveError = message;
}

void BuildSession::ProcessUntil(const std::function<bool(const Event &)> &done)
{
    // Events are taken in batches: waking once per event would cost a
    // thread switch for each of the thousands that an album posts.
    std::deque<Event> batch;
    for (;;) {
        {
            std::unique_lock lock(m_mutex);
            m_posted.wait(lock, [this] { return !m_events.empty(); });
            batch.swap(m_events);
        }
        while (!batch.empty()) {
            const Event event = batch.front();
            batch.pop_front();
            Handle(event);
            if (done(event)) {
                // What came after is for the next wait.
                std::lock_guard lock(m_mutex);
                m_events.insert(m_events.begin(), batch.begin(), batch.end());
                return;
            }
        }
    }
}

void BuildSession::Handle(const Event &event)
{
    switch (event.code) {
    case NOTIFY_ERROR:
        m_warnings |= static_cast<std::uint32_t>(event.value);
        break;
    case NOTIFY_COUNT:
        m_entryCount = event.value;
        if (m_stepsTotal == 0)
            ShowProgress(m_phase, m_entryCount, 0);
        break;
    case NOTIFY_THUMBNAIL_DONE:
        ShowProgress(m_phase, ++m_stepsDone, m_stepsTotal);
        break;
    case NOTIFY_PROGRESS:
        ShowProgress(m_phase, event.value + 1, m_stepsTotal);
        break;
    default:
        break;
    }
}

void BuildSession::ShowProgress(const QString &label, qint64 done, qint64 total)
{
    if (!m_showProgress)
        return;
    constexpr int kWidth = 30;
    QString line = QStringLiteral("\r%1 ").arg(label, -18);
    if (total > 0) {
        done = std::min(done, total);
        const int filled = int(done * kWidth / total);
        line += QLatin1Char('[') + QString(filled, QLatin1Char('#')) + QString(kWidth - filled, QLatin1Char('.'))
            + QStringLiteral("] %1/%2").arg(done).arg(total);
    } else {
        line += QString::number(done);
    }
    m_err << line << QStringLiteral("   ") << Qt::flush;
    m_progressShown = true;
}

void BuildSession::EndProgress()
{
    if (m_progressShown)
        m_err << "\n" << Qt::flush;
    m_progressShown = false;
}

int BuildSession::CheckInputs(bool *isProject)
{
    *isProject = false;
    for (const QString &input : m_args.inputs) {
        const QFileInfo info(input);
        if (!info.exists()) {
            m_err << QStringLiteral("gallorim-cli build : ") << input << QStringLiteral(" : fichier ou dossier introuvable.\n");
            return 2;
        }
        if (!info.isFile())
            continue;
        const ProjectFormat format = ProjectFileFormat(input);
        if (format == ProjectFormat::V3)
            *isProject = true;
        else if (format == ProjectFormat::NotAProject && info.suffix().compare("glr", Qt::CaseInsensitive) == 0) {
            m_err << input << ": " << kInvalidProjectMessage << "\n";
            return 2;
        }
    }
    if (*isProject && m_args.inputs.size() > 1) {
        m_err << QStringLiteral("gallorim-cli build : un projet doit être la seule entrée.\n");
        return 2;
    }
    return 0;
}

void BuildSession::AddInputs(GalleryDocument &doc, bool isProject)
{
    m_phase = QStringLiteral("Ajout des images");
    for (const QString &input : m_args.inputs) {
        if (isProject) {
            doc.OnOpenDocument(AbsoluteInput(input));
            continue;
        }
        AddRequest request;
        request.Entry.Path = AbsoluteInput(input);
        request.ScanFolder = QFileInfo(input).isDir();
        doc.QueueAddRequest(request);
    }
    // The worker posts 1 before each request and 0 once its queue is empty;
    // a 0 seen before any 1 is the idle notice from before these requests.
    bool working = false;
    ProcessUntil([&](const Event &e) {
        if (e.code != NOTIFY_ADDING)
            return false;
        working = working || e.value == 1;
        return working && e.value == 0 && doc.GetPendingAddCount() == 0;
    });
    EndProgress();
    if (!isProject)
        ReportFilesLeftOut(doc);
}

// The document drops a file that is missing or no image without a warning
// (a gallery window just does not show it); a file named on the command line
// deserves a word and a non-zero status.
void BuildSession::ReportFilesLeftOut(const GalleryDocument &doc)
{
    QSet<QString> added;
    bool anyFile = false;
    for (const QString &input : m_args.inputs)
        anyFile = anyFile || !QFileInfo(input).isDir();
    if (!anyFile)
        return;
    for (int i = 0; i < doc.GetEntryCount(); ++i)
        added.insert(QFileInfo(doc.GetPath(i)).canonicalFilePath());
    for (const QString &input : m_args.inputs) {
        const QFileInfo info(input);
        if (info.isDir() || (info.exists() && added.contains(info.canonicalFilePath())))
            continue;
        if (!info.exists())
            m_err << input << QStringLiteral(" : fichier introuvable, laissé de côté.\n");
        else if (DimensionText(AbsoluteInput(input)) == QLatin1String("Not an Image"))
            m_err << input << QStringLiteral(" : ce n'est pas une image lisible, laissé de côté.\n");
        else
            continue; // refused for a reason the warnings below give
        m_inputsLeftOut = true;
    }
}

bool BuildSession::PreparePagePath(GalleryDocument &doc, bool slideshow)
{
    GalleryOptions options = doc.GetOptions();
    QString &page = slideshow ? options.SlideshowPagePath : options.PagePath;
    ImageEntry first;
    doc.GetEntry(0, first);
    if (page.isEmpty()) {
        const QString name = slideshow ? QStringLiteral("diaporama.html") : QStringLiteral("index.html");
        page = NativeSeparators(QFileInfo(first.Path).absolutePath() + QLatin1Char('/') + name);
    }
    const bool rooted = options.WebPage2.RootRelativePath != 0;
    const QString link = rooted ? RelativeFolder(options.WebPage2.RootPath, page, 1)
                                : RelativeFolder(page, first.Path, 0);
    if (link == UnreachablePathMarker()) {
        m_err << page << ": " << QString::fromUtf8(kPagePathMessage) << "\n";
        return false;
    }
    doc.SetOptions(options);
    return true;
}

bool BuildSession::BuildPage(GalleryDocument &doc, bool slideshow)
{
    const GalleryOptions options = doc.GetOptions();
    const bool needsThumbnails = !slideshow || options.Diaporama.AutoOrUser == 2;
    if (needsThumbnails) {
        std::vector<int> indexes;
        const ImageList entries = doc.CopyEntries();
        {
            // Not held while queuing: the document calls back into this sink.
            std::lock_guard lock(m_mutex);
            for (size_t i = 0; i < entries.size(); ++i) {
                if (ThumbnailStateText::StillToMake(m_thumbnailStates.value(entries[i].Path)))
                    indexes.push_back(int(i));
            }
        }
        doc.RecreateThumbnails(indexes, options.BuildVignette);
    }
    const int steps = doc.StartBuild(false, slideshow);
    if (steps < 0) {
        m_err << QStringLiteral("gallorim-cli build : la création n'a pas pu démarrer.\n");
        return false;
    }
    bool waiting = needsThumbnails;
    m_phase = waiting ? QStringLiteral("Vignettes") : QStringLiteral("Diaporama");
    m_stepsDone = 0;
    m_stepsTotal = waiting ? steps : doc.GetEntryCount();
    ProcessUntil([&](const Event &e) {
        // A 0 may be older than the jobs just queued: start only when none is left.
        if (e.code == NOTIFY_THUMBNAILS && e.value == 0 && waiting && doc.GetPendingThumbnailCount() == 0) {
            waiting = false;
            EndProgress();
            m_phase = slideshow ? QStringLiteral("Diaporama") : QStringLiteral("Pages");
            m_stepsDone = 0;
            m_stepsTotal = doc.GetEntryCount();
            doc.SignalStartBuild();
        }
        return e.code == kBuilderReturned;
    });
    EndProgress();
    const int result = int(m_buildResult.load());
    return slideshow ? result == kSlideshowBuilt : (result != kBuildStoppedWhileWaiting && result != kBuildTemplateRejected);
}

bool BuildSession::SaveProject(GalleryDocument &doc)
{
    doc.OnSaveDocument(m_args.saveProject);
    bool writing = false;
    ProcessUntil([&](const Event &e) {
        if (e.code != NOTIFY_SAVING)
            return false;
        writing = writing || e.value == 1;
        return writing && e.value == 0;
    });
    std::lock_guard lock(m_mutex);
    if (m_saveError.isEmpty())
        return true;
    m_err << m_args.saveProject << ": " << m_saveError << "\n";
    return false;
}

int BuildSession::Finish(bool built, const QString &page)
{
    EndProgress();
    for (std::uint32_t bit : WarningBits(m_warnings))
        m_err << "\n" << WarningMessage(bit) << "\n";
    if (built)
        m_out << page << "\n";
    return built && m_warnings == 0 && !m_inputsLeftOut ? 0 : 1;
}

int BuildSession::Drive(GalleryDocument &doc, bool isProject)
{
    auto applyArguments = [this](GalleryOptions &options) {
        ApplyOptionFlags(m_args, options);
        if (!m_args.page.isEmpty())
            options.PagePath = m_args.page;
        if (!m_args.slideshow.isEmpty())
            options.SlideshowPagePath = m_args.slideshow;
    };
    GalleryOptions options = doc.GetOptions();
    applyArguments(options);
    doc.SetOptions(options);
    AddInputs(doc, isProject);
    if (isProject) {
        // The project brought its own options; the flags still win.
        const GalleryOptions loaded = doc.GetOptions();
        options = loaded;
        applyArguments(options);
        doc.SetOptions(options);
        doc.DocumentOptionsChanged(loaded);
    }
    if (doc.GetEntryCount() == 0) {
        m_err << QStringLiteral("gallorim-cli build : aucune image à mettre dans la galerie.\n");
        return Finish(false, {});
    }
    if (!PreparePagePath(doc, false))
        return 2;
    bool built = BuildPage(doc, false);
    if (built && !m_args.slideshow.isEmpty())
        built = PreparePagePath(doc, true) && BuildPage(doc, true);
    if (!m_args.saveProject.isEmpty() && !SaveProject(doc))
        built = false;
    return Finish(built, doc.GetOptions().PagePath);
}

int BuildSession::Run()
{
    if (m_args.help) {
        m_out << BuildUsage();
        return 0;
    }
    if (!m_args.error.isEmpty())
        return ReportBadUsage(m_err, QStringLiteral("gallorim-cli build"), m_args.error, BuildSynopsis());
    bool isProject = false;
    if (const int status = CheckInputs(&isProject))
        return status;
    if (!m_args.settings.isEmpty() && !QFileInfo(m_args.settings).isFile()) {
        m_err << QStringLiteral("gallorim-cli build : ") << m_args.settings << QStringLiteral(" : fichier de réglages introuvable.\n");
        return 2;
    }
    const auto profile = m_args.settings.isEmpty() ? std::make_unique<SettingsProfile>()
                                                   : std::make_unique<SettingsProfile>(m_args.settings);
    GalleryDocument doc(*profile, m_args.jobs);
    GalleryDocument::Builders builders;
    // The builder's answer arrives after its last notification, as one more event.
    auto reporting = [this](int (*builder)(GalleryDocument &, const BuildEnvironment &)) {
        return [this, builder](GalleryDocument &d) {
            m_buildResult = builder(d, BuildEnvironment());
            Post(kBuilderReturned, 0);
        };
    };
    builders.Gallery = reporting(&BuildGalleryThread);
    builders.ImageSlideshow = reporting(&BuildSlideshowThread);
    builders.ThumbnailSlideshow = reporting(&BuildThumbnailSlideshowThread);
    doc.SetBuilders(std::move(builders));
    doc.SetRecursiveDir(m_args.recursive);
    doc.SetSink(this);
    const int status = Drive(doc, isProject);
    // Workers may still post while they stop; this sink outlives them anyway.
    doc.OnCloseDocument();
    return status;
}
