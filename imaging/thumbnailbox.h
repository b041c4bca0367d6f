#pragma once
// Size arithmetic of thumbnails and fitted drawing. Pure, so every mode and
// rounding corner is checked by table tests.

#include "imaging/thumbnailoptions.h"

struct ThumbnailBox {
    int width = 0;
    int height = 0;
    int stretch = 0; // 0 for the fixed box (fitted with margins), 1 otherwise
    bool operator==(const ThumbnailBox &) const = default;
};

// Box of the thumbnail of a w x h source under the size mode of the options.
// Modes 1 to 5 may enlarge a small source. Results that do not fit an int are
// clamped, so an absurd option gives a huge box (refused by the builder as out
// of memory) rather than a wrapped, meaningless one.
ThumbnailBox ComputeThumbnailBox(const BuildVignetteOptions &options, unsigned w, unsigned h);

// Where the picture goes inside the canvas.
struct ImagePlacement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const ImagePlacement &) const = default;
};

// Stretch covers the whole box; the fixed box scales the source to touch the
// box (enlarging a small one) and centres it, absorbing a one-pixel gap.
ImagePlacement PlaceInThumbnail(int boxWidth, int boxHeight, unsigned w, unsigned h, bool stretch);

// Fitted drawing into a rectangle of the given size: never enlarged, centred.
// Offsets are relative to the rectangle's top-left corner.
ImagePlacement PlaceFitted(int rectWidth, int rectHeight, unsigned w, unsigned h);
