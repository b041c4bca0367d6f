#include "placementdrawing.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <climits>

namespace {

constexpr int kLineOffset = 10;

int ClampToInt(int64_t value)
{
    return int(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}

// Horizontally centred on x, base line at y.
void DrawCentredOnBaseLine(QPainter &painter, int64_t x, int64_t y, const QString &line)
{
    if (line.isEmpty())
        return;
    const int advance = QFontMetrics(painter.font()).horizontalAdvance(line);
    painter.drawText(QPoint(ClampToInt(x - advance / 2), ClampToInt(y)), line);
}

} // namespace

QColor ColorFromPageValue(int32_t value)
{
    const uint32_t v = uint32_t(value);
    return QColor(int((v >> 16) & 0xFF), int((v >> 8) & 0xFF), int(v & 0xFF));
}

void DrawPlacement(QPainter &painter, const GlrRect &bounds, const QString &message, int32_t twoLines,
    QColor background, QColor text)
{
    painter.save();
    painter.setBackground(background);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setPen(text);

    // Coordinates may come from anywhere: widen before any sum or difference.
    const int64_t width = int64_t(bounds.right) - bounds.left;
    const int64_t height = int64_t(bounds.bottom) - bounds.top;
    if (width > 0 && height > 0)
        painter.fillRect(QRect(bounds.left, bounds.top, ClampToInt(width), ClampToInt(height)), background);

    const int64_t x = (int64_t(bounds.left) + bounds.right) / 2;
    const int64_t y = (int64_t(bounds.top) + bounds.bottom) / 2;
    if (twoLines == 0) {
        DrawCentredOnBaseLine(painter, x, y, message);
    } else if (twoLines == 1) {
        const qsizetype lineBreak = message.indexOf(QLatin1Char('\n'));
        const QString first = lineBreak < 0 ? QString() : message.left(lineBreak);
        const QString second = lineBreak < 0 ? message : message.mid(lineBreak + 1);
        DrawCentredOnBaseLine(painter, x, y - kLineOffset, first);
        DrawCentredOnBaseLine(painter, x, y + kLineOffset, second);
    }
    painter.restore();
}
