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

QString InfoUsage()
{
    return QStringLiteral("usage : gallorim-cli info FICHIER...\n"
                          "Affiche ce qu'une galerie retient de chaque fichier : dimensions, taille et\n"
                          "textes de l'appareil photo.\n"
                          "  -h, --help   affiche cette aide\n"
                          "Code de sortie : 0 toutes des images, 1 un fichier n'est pas une image,\n"
                          "2 mauvais usage.\n");
}

} // namespace

int RunInfo(const QStringList &args, QTextStream &out, QTextStream &err)
{
    const QString synopsis = QStringLiteral("usage : gallorim-cli info FICHIER...");
    QStringList files;
    bool optionsDone = false;
    for (const QString &arg : args) {
        if (optionsDone || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
            files << arg;
        } else if (arg == QLatin1String("--")) {
            optionsDone = true;
        } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            out << InfoUsage();
            return 0;
        } else {
            return ReportBadUsage(err, QStringLiteral("gallorim-cli info"),
                QStringLiteral("option inconnue %1").arg(arg), synopsis);
        }
    }
    if (files.isEmpty())
        return ReportBadUsage(
            err, QStringLiteral("gallorim-cli info"), QStringLiteral("aucun fichier donné"), synopsis);
    bool allImages = true;
    for (const QString &path : files) {
        allImages = PrintInfo(path, out) && allImages;
        out.flush();
    }
    return allImages ? 0 : 1;
}
