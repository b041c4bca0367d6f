#pragma once
// Decoding a file's bytes for the preview: upright, shrunk on load to what
// the window shows, and ready to draw. Any thread; no widget is touched.

#include "shell/preview/gifanimation.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QMetaType>
#include <QSize>
#include <functional>

struct PreviewImage {
    quint64 serial = 0; // which load it belongs to
    QImage picture; // upright, possibly smaller than fullSize
    QSize fullSize; // the picture's upright size in the file
    QList<QImage> frames; // every frame of an animated GIF, full size
    GifTiming timing;
    bool isNull() const { return picture.isNull() && frames.isEmpty(); }
};
Q_DECLARE_METATYPE(PreviewImage)

// The upright size, read from the header only; empty when the bytes are not
// an image this program reads.
QSize PreviewImageSize(const QByteArray &bytes);

// `target` empty: just large enough to fit `window`; otherwise that size (at
// most the full size; less when the decoders' memory limit would refuse it).
// A null result when the bytes do not decode or `abandoned` turned true.
PreviewImage DecodePreview(
    const QByteArray &bytes, QSize window, QSize target, const std::function<bool()> &abandoned);
