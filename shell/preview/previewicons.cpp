#include "shell/preview/previewicons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace {

QPixmap Drawn(int size, const std::function<void(QPainter &)> &draw)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    draw(painter);
    return pixmap;
}

QIcon ThemedOrDrawn(const char *themeName, const std::function<void(QPainter &)> &draw)
{
    const QIcon themed = QIcon::fromTheme(QString::fromLatin1(themeName));
    if (!themed.isNull())
        return themed;
    QIcon icon;
    for (int size : {16, 24, 32})
        icon.addPixmap(Drawn(size, draw));
    return icon;
}

void Magnifier(QPainter &p, const QColor &ink)
{
    p.setPen(QPen(ink, 3));
    p.setBrush(QColor(255, 255, 255, 160));
    p.drawEllipse(QPointF(13, 13), 9, 9);
    p.setPen(QPen(ink, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(20, 20), QPointF(28, 28));
}

const QColor kInk(40, 40, 40);

} // namespace

QIcon PreviewFitIcon()
{
    return ThemedOrDrawn("zoom-fit-best", [](QPainter &p) {
        p.setPen(QPen(kInk, 2));
        p.drawRect(QRectF(4, 6, 24, 20));
        p.setPen(QPen(kInk, 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(9, 11), QPointF(14, 14));
        p.drawLine(QPointF(23, 21), QPointF(18, 18));
        p.drawLine(QPointF(23, 11), QPointF(18, 14));
        p.drawLine(QPointF(9, 21), QPointF(14, 18));
    });
}

QIcon PreviewPanIcon()
{
    return ThemedOrDrawn("transform-move", [](QPainter &p) {
        p.setPen(QPen(kInk, 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(16, 4), QPointF(16, 28));
        p.drawLine(QPointF(4, 16), QPointF(28, 16));
        QPainterPath heads;
        for (int turn = 0; turn < 4; ++turn) {
            QTransform t;
            t.translate(16, 16).rotate(90 * turn);
            heads.addPolygon(t.map(QPolygonF({QPointF(-5, -7), QPointF(0, -13), QPointF(5, -7)})));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawPath(heads);
    });
}

QIcon PreviewZoomIcon()
{
    return ThemedOrDrawn("zoom-in", [](QPainter &p) { Magnifier(p, kInk); });
}

QIcon PreviewOptionsIcon()
{
    const QIcon themed = QIcon::fromTheme(QStringLiteral("configure"));
    return themed.isNull() ? QIcon(QStringLiteral(":/icons/options.svg")) : themed;
}

QCursor PreviewZoomCursor()
{
    const QPixmap pixmap = Drawn(32, [](QPainter &p) {
        Magnifier(p, Qt::white);
        p.translate(-0.5, -0.5);
        Magnifier(p, Qt::black);
    });
    return QCursor(pixmap, 13, 13);
}

QPixmap PreviewAnimationSample()
{
    return Drawn(32, [](QPainter &p) {
        p.setPen(QPen(kInk, 1.5));
        p.setBrush(QColor(0xF4, 0xC2, 0x7A));
        p.drawRoundedRect(QRectF(3, 5, 26, 22), 3, 3);
        p.setBrush(QColor(0x4A, 0x7B, 0xD0));
        p.drawEllipse(QPointF(11, 13), 4, 4);
        p.setBrush(QColor(0x3D, 0x4F, 0x63));
        p.drawPolygon(
            QPolygonF({QPointF(5, 25), QPointF(14, 16), QPointF(20, 22), QPointF(27, 14), QPointF(27, 25)}));
    });
}
