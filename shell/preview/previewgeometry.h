#pragma once
// Where the preview draws its picture: the fit rule, the visible part of a
// zoomed picture, the clicked image point, zoom steps and panning. Pure
// arithmetic in whole image pixels (the picture's upright full size), so the
// canvas may hold a shrunk copy and scale the source rectangle itself.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

struct PreviewPlacement {
    double zoom = 1.0; // window pixels per image pixel
    QRect source; // visible part of the picture, in image pixels
    QRect destination; // where it lands in the window
};

// Fitting: zoom = the smaller of window / image on each axis, at most 1.
// An axis whose drawn length is shorter than the window is centred and shows
// the whole picture; otherwise it fills the window from `sourceOffset` (or
// from `recentre` minus half the visible length), kept inside the picture.
PreviewPlacement PlacePreview(QSize image, QSize window, bool fit, double zoom, QPoint sourceOffset,
    std::optional<QPoint> recentre = std::nullopt);

// The image pixel under a window point: 0 before the drawn picture, at most
// the image size after it.
QPoint ImagePointAt(QPoint windowPoint, const PreviewPlacement &placement, QSize image);

// One zoom step is a tenth of a decade (x 1.2589...). No bound.
double ZoomedIn(double zoom);
double ZoomedOut(double zoom);

// The source offset after dragging by `movement` since the press, when the
// offset was `anchor` there. Measuring from the press keeps slow drags at
// high zoom from being truncated away move by move.
QPoint PannedOffset(QPoint anchor, QPoint movement, double zoom);

// The size the fit rule draws a picture at (at least 1 x 1): the size worth
// decoding when fitting.
QSize FittedSize(QSize image, QSize window);
