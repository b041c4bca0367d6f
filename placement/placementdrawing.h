#pragma once
// How the control paints itself into any painter and rectangle.

#include "glrplace_abi.h"

#include <QColor>
#include <QString>

class QPainter;

// Pages hand colours over as they write them: 0xRRGGBB. The top byte is ignored.
QColor ColorFromPageValue(int32_t value);

// Fills the rectangle with the background and draws the message centred on
// its base line at the centre point; in two-line mode the text is split at
// its first line break, 10 pixels above and below that point. Any other flag
// value draws only the background. The painter's state is left as found.
void DrawPlacement(QPainter &painter, const GlrRect &bounds, const QString &message, int32_t twoLines,
    QColor background, QColor text);
