#include "imaging/orientation.h"

#include <QTransform>

int NormalOrientation(long value)
{
    return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
}

bool SwapsSides(int orientation)
{
    return orientation >= 5 && orientation <= 8;
}

QSize UprightSize(QSize stored, int orientation)
{
    return SwapsSides(orientation) ? stored.transposed() : stored;
}

QImage ToUpright(const QImage &stored, int orientation)
{
    // Quarter turns through QTransform are exact pixel moves, no resampling.
    const QTransform clockwise = QTransform().rotate(90);
    switch (orientation) {
    case 2:
        return stored.mirrored(true, false);
    case 3:
        return stored.mirrored(true, true);
    case 4:
        return stored.mirrored(false, true);
    case 5: // transpose
        return stored.transformed(clockwise).mirrored(true, false);
    case 6:
        return stored.transformed(clockwise);
    case 7: // transverse
        return stored.transformed(clockwise).mirrored(false, true);
    case 8:
        return stored.transformed(QTransform().rotate(270));
    default:
        return stored;
    }
}
