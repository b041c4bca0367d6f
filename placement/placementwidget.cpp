#include "placementwidget.h"

#include <QPainter>

PlacementWidget::PlacementWidget(QWidget *parent, PaintRoutine paint)
    : QWidget(parent)
    , m_paint(std::move(paint))
{
    // The routine fills every pixel, so Qt need not erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlacementWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_paint(painter, rect());
}
