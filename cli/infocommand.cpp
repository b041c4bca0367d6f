// gallorim-cli info: what a gallery entry would hold for each file.
#include "cli/commands.h"

#include "document/imageentry.h"
#include "document/thumbnailpath.h"
#include "imaging/picture.h"

#include <QTextStream>

namespace {

const char *const kCameraLabels[kExifFieldCount]
    = {"make", "model", "date", "time", "exposure", "aperture", "focal", "flash", "iso"};

bool PrintInfo(const QString &path, QTextStream &out)
{
    Picture image;
    const bool isImage = image.LoadFromFile(path);
    QString texts[kExifFieldCount];
    for (int f = 0; f < kExifFieldCount; ++f)
        texts[f] = image.GetExifText(f);
    if (isImage)
        ApplyFileTimeFallback(path, texts[EXIF_DATE], texts[EXIF_TIME]);
    out << path << "\n";
    out << "  dimensions: " << image.GetSizeText() << "\n";
    out << "  size: " << SizeText(path) << "\n";
    for (int f = 0; f < kExifFieldCount; ++f)
        out << "  " << kCameraLabels[f] << ": " << texts[f] << "\n";
    return isImage;
}

} // namespace

int RunInfo(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.isEmpty() || args.first() == QLatin1String("--help")) {
        err << "usage: gallorim-cli info FILE...\n";
        return 2;
    }
    bool allImages = true;
    for (const QString &path : args) {
        allImages = PrintInfo(path, out) && allImages;
        out.flush();
    }
    return allImages ? 0 : 1;
}
