// Renders the program's SVG icon at one of the PNG sizes icon themes expect,
// so the pictures in the package always match the SVG they come from.
// usage: gallorim-rendericon SOURCE.svg SIZE OUTPUT.png
#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <cstdio>

int main(int argc, char **argv)
{
    // The SVG reader is a plugin, found through the application object.
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool isNumber = false;
    const int side = args.size() == 4 ? args[2].toInt(&isNumber) : 0;
    if (!isNumber || side < 1 || side > 4096) {
        std::fprintf(stderr, "usage: gallorim-rendericon SOURCE.svg SIZE OUTPUT.png\n");
        return 2;
    }
    QImageReader reader(args[1]);
    const QSize natural = reader.size();
    if (!natural.isValid()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(args[1]), qPrintable(reader.errorString()));
        return 1;
    }
    // A non-square drawing keeps its proportions, centred on a clear square.
    const QSize fitted = natural.scaled(side, side, Qt::KeepAspectRatio);
    reader.setScaledSize(fitted);
    const QImage drawing = reader.read();
    QImage icon(side, side, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter(&icon).drawImage((side - fitted.width()) / 2, (side - fitted.height()) / 2, drawing);
    if (drawing.isNull() || !icon.save(args[3], "PNG")) {
        std::fprintf(stderr, "%s: cannot render %s\n", qPrintable(args[3]), qPrintable(args[1]));
        return 1;
    }
    return 0;
}
