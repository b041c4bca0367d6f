#include "shell/preview/previewgeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Truncation that stays defined however large or small the zoom became.
int Truncated(double value)
{
    constexpr double kLimit = std::numeric_limits<int>::max() / 2;
    if (std::isnan(value))
        return 0;
    return static_cast<int>(std::clamp(value, -kLimit, kLimit));
}

struct Axis {
    int sourceStart = 0;
    int sourceLength = 0;
    int destStart = 0;
    int destLength = 0;
};

Axis PlaceAxis(int image, int window, double zoom, int offset, std::optional<int> recentre)
{
    Axis a;
    const int drawn = Truncated(image * zoom);
    if (drawn < window) {
        a.destStart = (window - drawn) >> 1;
        a.destLength = drawn;
        a.sourceLength = image;
        return a;
    }
    a.destLength = window;
    a.sourceLength = std::clamp(Truncated(window / zoom), 1, image);
    a.sourceStart = recentre ? *recentre - a.sourceLength / 2 : offset;
    a.sourceStart = std::clamp(a.sourceStart, 0, image - a.sourceLength);
    return a;
}

double FitZoom(QSize image, QSize window)
{
    if (image.isEmpty() || window.isEmpty())
        return 1.0;
    const double z
        = std::min(double(window.height()) / image.height(), double(window.width()) / image.width());
    return std::min(z, 1.0);
}

} // namespace

PreviewPlacement PlacePreview(
    QSize image, QSize window, bool fit, double zoom, QPoint sourceOffset, std::optional<QPoint> recentre)
{
    PreviewPlacement p;
    p.zoom = fit ? FitZoom(image, window) : zoom;
    if (image.isEmpty() || window.isEmpty())
        return p;
    const Axis h = PlaceAxis(image.width(), window.width(), p.zoom, sourceOffset.x(),
        recentre ? std::optional<int>(recentre->x()) : std::nullopt);
    const Axis v = PlaceAxis(image.height(), window.height(), p.zoom, sourceOffset.y(),
        recentre ? std::optional<int>(recentre->y()) : std::nullopt);
    p.source = QRect(h.sourceStart, v.sourceStart, h.sourceLength, v.sourceLength);
    p.destination = QRect(h.destStart, v.destStart, h.destLength, v.destLength);
    return p;
}

QPoint ImagePointAt(QPoint point, const PreviewPlacement &p, QSize image)
{
    auto axis = [&](int at, int destStart, int sourceStart, int length) {
        if (at < destStart)
            return 0;
        return std::min(sourceStart + Truncated((at - destStart) / p.zoom), length);
    };
    return QPoint(axis(point.x(), p.destination.x(), p.source.x(), image.width()),
        axis(point.y(), p.destination.y(), p.source.y(), image.height()));
}

double ZoomedIn(double zoom)
{
    return std::pow(10.0, std::log10(zoom) + 0.1);
}

double ZoomedOut(double zoom)
{
    return std::pow(10.0, std::log10(zoom) - 0.1);
}

QPoint PannedOffset(QPoint anchor, QPoint movement, double zoom)
{
    return QPoint(anchor.x() - Truncated(movement.x() / zoom), anchor.y() - Truncated(movement.y() / zoom));
}

QSize FittedSize(QSize image, QSize window)
{
    const double zoom = FitZoom(image, window);
    return QSize(std::max(1, Truncated(image.width() * zoom)), std::max(1, Truncated(image.height() * zoom)));
}
