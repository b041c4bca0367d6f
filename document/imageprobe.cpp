#include "document/imageprobe.h"

#include "document/fullsizecopy.h"
#include "document/moderncopies.h"
#include "document/thumbnailpath.h"
#include "imaging/picture.h"
#include "imaging/thumbnailbox.h"

#include <QDir>
#include <QFileInfo>

namespace {
int BuildThumbnailAt(Picture &image, const QString &imagePath, const BuildVignetteOptions &options,
                     const ThumbnailBox &box);
}

bool ImageInfo::IsImage() const
{
    return SizeText != NotAnImageText();
}

namespace {
ImageInfo InfoOf(const Picture &image, bool withCamera)
{
    ImageInfo info;
    info.SizeText = image.GetSizeText();
    if (withCamera && info.IsImage())
        for (int field = 0; field < CAMERA_TEXT_COUNT; ++field)
            info.Camera[field] = image.GetExifText(field);
    return info;
}
} // namespace

ImageInfo ReadImageInfo(const QString &path, bool withCamera)
{
    Picture image;
    image.LoadFromFile(path);
    return InfoOf(image, withCamera);
}

ImageInfo ReadImageInfo(const QString &path, const QByteArray &head)
{
    Picture image;
    image.LoadFromHead(path, head);
    return InfoOf(image, true);
}

ImageInfo ReadImageInfo(const QByteArray &contents, bool withCamera)
{
    Picture image;
    if (withCamera)
        image.LoadFromMemory(contents);
    else
        image.LoadSizeFromMemory(contents);
    return InfoOf(image, withCamera);
}

int MakeThumbnail(const QString &imagePath, const BuildVignetteOptions &options, bool modernCopies)
{
    // A HEIC's full-size JPEG copy is made here first, on the thumbnail
    // threads; its thumbnail then comes from the copy. A page build remakes a
    // missing copy and reports its failure.
    const QString copy = MakeFullSizeCopyForThumbnail(imagePath, options);
    QByteArray largestCopy;
    if (modernCopies)
        MakeModernCopies(imagePath, copy, options, &largestCopy);
    Picture image;
    // Read into memory first so the source is not held open while we work.
    if (!image.LoadFromFileInMemory(copy.isEmpty() ? imagePath : copy))
        return kThumbnailNotLoaded;
    const ThumbnailBox box = ComputeThumbnailBox(options, image.GetWidth(), image.GetHeight());
    // A JPEG thumbnail no larger than the largest copy comes from that copy,
    // which is upright and a fraction of the photo's size.
    if (!largestCopy.isEmpty() && image.GetRawFormat() == "jpeg") {
        Picture smaller;
        if (smaller.LoadFromMemory(largestCopy) && int(smaller.GetWidth()) >= box.width
            && int(smaller.GetHeight()) >= box.height)
            return BuildThumbnailAt(smaller, imagePath, options, box);
    }
    return BuildThumbnailAt(image, imagePath, options, box);
}

namespace {
int BuildThumbnailAt(Picture &image, const QString &imagePath, const BuildVignetteOptions &options,
                     const ThumbnailBox &box)
{
    const QString target = ThumbnailPath(imagePath, options.PreSuffixe, options.WithPrefixe);
    if (target.isEmpty())
        return THUMB_FAILED;
    const QString folder = QFileInfo(target).absolutePath();
    if (target.contains(QDir::separator()) && !QFileInfo(folder).isDir())
        CreateFolders(QDir::toNativeSeparators(folder));

    ThumbnailRequest request;
    request.targetPath = target;
    request.width = box.width;
    request.height = box.height;
    request.stretch = box.stretch;
    request.background = options.BackgroundColor;
    request.jpegQuality = options.JpegQuality;
    return image.BuildThumbnail(request);
}
} // namespace

QString DimensionText(const QString &path)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return NotAnImageText();
    return ReadImageInfo(path, false).SizeText;
}
