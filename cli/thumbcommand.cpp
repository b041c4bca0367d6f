// gallorim-cli thumb: the thumbnails a gallery would make, several at once.
#include "cli/commands.h"

#include "cli/thumbarguments.h"
#include "document/thumbnailpath.h"
#include "imaging/picture.h"
#include "imaging/thumbnailbox.h"

#include <QFileInfo>
#include <QTextStream>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <future>
#include <numeric>
#include <thread>
#include <vector>

namespace {

QString Reason(int code)
{
    switch (code) {
    case THUMB_NO_IMAGE:
        return QStringLiteral("pas une image");
    case THUMB_OUT_OF_MEMORY:
        return QStringLiteral("mémoire insuffisante");
    case THUMB_NO_ENCODER:
        return QStringLiteral("format en lecture seule");
    case THUMB_BAD_SIZE:
        return QStringLiteral("taille de vignette nulle");
    default:
        return QStringLiteral("échec du décodage ou de l'écriture");
    }
}

// One line of the report; `failed` decides the exit status.
struct Outcome {
    QString line;
    bool failed = false;
};

Outcome MakeThumbnail(const QString &source, const BuildVignetteOptions &options)
{
    Picture image;
    image.LoadFromFileInMemory(source);
    const ThumbnailBox box = ComputeThumbnailBox(options, image.GetWidth(), image.GetHeight());
    const QString target = ThumbnailPath(source, options.PreSuffixe, options.WithPrefixe);
    int code = THUMB_FAILED;
    QString reason;
    if (target.isEmpty() && image.GetWidth() > 0) {
        reason = QStringLiteral("pas de nom de vignette (fichier sans extension)");
    } else if (!target.isEmpty() && QFileInfo(target) == QFileInfo(source)) {
        // An affix such as "./" names the source itself: never write over a photo.
        reason = QStringLiteral("la vignette remplacerait l'image");
    } else {
        // Only a picture gets a folder made for its thumbnail.
        if (!target.isEmpty() && image.GetWidth() > 0)
            CreateFolders(QFileInfo(target).absolutePath());
        code = image.BuildThumbnail(
            {target, box.width, box.height, box.stretch, options.BackgroundColor, options.JpegQuality});
        reason = Reason(code);
    }
    if (code == THUMB_WRITTEN)
        return {QStringLiteral("%1 -> %2 %3x%4").arg(source, target).arg(box.width).arg(box.height), false};
    return {QStringLiteral("%1: %2 %3").arg(source).arg(code).arg(reason), true};
}

// Largest files first, so that no worker is left alone with a big one at the end.
std::vector<size_t> LargestFirst(const QStringList &files)
{
    std::vector<qint64> sizes;
    for (const QString &f : files)
        sizes.push_back(QFileInfo(f).size());
    std::vector<size_t> order(static_cast<size_t>(files.size()));
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return sizes[a] > sizes[b]; });
    return order;
}

} // namespace

int RunThumb(const QStringList &args, QTextStream &out, QTextStream &err)
{
    const ThumbArguments a = ParseThumbArguments(args, QThread::idealThreadCount());
    if (!a.error.isEmpty())
        return ReportBadUsage(err, QStringLiteral("gallorim-cli thumb"), a.error, ThumbSynopsis());
    if (a.help) {
        out << ThumbUsage();
        return 0;
    }
    const size_t count = static_cast<size_t>(a.files.size());
    std::vector<std::promise<Outcome>> promises(count);
    std::vector<std::future<Outcome>> results;
    for (auto &p : promises)
        results.push_back(p.get_future());
    const std::vector<size_t> order = LargestFirst(a.files);
    std::atomic<size_t> next {0};
    auto worker = [&] {
        for (size_t k = next++; k < count; k = next++) {
            const size_t i = order[k];
            promises[i].set_value(MakeThumbnail(a.files[qsizetype(i)], a.options));
        }
    };
    std::vector<std::jthread> workers;
    for (int j = 0; j < std::min<int>(a.jobs, int(count)); ++j)
        workers.emplace_back(worker);

    // Lines come out in the order of the command line, each as soon as it can.
    bool anyFailed = false;
    for (auto &r : results) {
        const Outcome o = r.get();
        out << o.line << "\n";
        out.flush();
        anyFailed = anyFailed || o.failed;
    }
    return anyFailed ? 1 : 0;
}
