#include "document/fullsizecopy.h"

#include "document/notifycodes.h"
#include "document/thumbnailpath.h"
#include "imaging/fullsizejpeg.h"

#include <QDir>
#include <QFileInfo>

bool NeedsFullSizeCopy(const QString &imagePath)
{
    return imagePath.endsWith(QLatin1String(".heic"), Qt::CaseInsensitive)
        || imagePath.endsWith(QLatin1String(".heif"), Qt::CaseInsensitive);
}

QString FullSizeCopyPath(const QString &imagePath, const QString &preSuffixe, int withPrefixe)
{
    if (!NeedsFullSizeCopy(imagePath))
        return {};
    QString path = ThumbnailPath(imagePath, preSuffixe, withPrefixe);
    const QLatin1String jpg(".jpg");
    if (!path.endsWith(jpg))
        return {};
    path.chop(jpg.size());
    return path + QLatin1String(".full.jpg");
}

namespace {
std::uint32_t WriteCopy(const QString &imagePath, const BuildVignetteOptions &options, bool *seeThrough)
{
    const QString target = FullSizeCopyPath(imagePath, options.PreSuffixe, options.WithPrefixe);
    if (target.isEmpty())
        return 0;
    const QString folder = QFileInfo(target).absolutePath();
    if (!QFileInfo(folder).isDir())
        CreateFolders(QDir::toNativeSeparators(folder));
    switch (WriteFullSizeJpeg(imagePath, target, options.JpegQuality, seeThrough)) {
    case FullSizeCopyResult::Written:
        return 0;
    case FullSizeCopyResult::OutOfMemory:
        return THUMB_ERROR_MEMORY;
    default:
        return THUMB_ERROR_OTHER;
    }
}
} // namespace

std::uint32_t MakeFullSizeCopy(const QString &imagePath, const BuildVignetteOptions &options)
{
    return WriteCopy(imagePath, options, nullptr);
}

QString MakeFullSizeCopyForThumbnail(const QString &imagePath, const BuildVignetteOptions &options)
{
    if (!NeedsFullSizeCopy(imagePath))
        return {};
    bool seeThrough = true;
    if (WriteCopy(imagePath, options, &seeThrough) != 0 || seeThrough)
        return {};
    return FullSizeCopyPath(imagePath, options.PreSuffixe, options.WithPrefixe);
}

QString FullSizeImage(const QString &imagePath, const BuildVignetteOptions &options, std::uint32_t *failure)
{
    *failure = 0;
    const QString copy = FullSizeCopyPath(imagePath, options.PreSuffixe, options.WithPrefixe);
    if (copy.isEmpty())
        return imagePath;
    if (QFileInfo(copy).isFile())
        return copy;
    *failure = MakeFullSizeCopy(imagePath, options);
    return *failure == 0 ? copy : imagePath;
}
