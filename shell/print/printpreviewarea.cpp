#include "shell/print/printpreviewarea.h"

#include "shell/print/listprintlayout.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QPixmap>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

using namespace PrintGeometry;

QCursor MagnifierCursor()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(18, 18), QPointF(28, 28));
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(QPointF(12, 12), 8, 8);
    p.end();
    return QCursor(pixmap, 12, 12);
}

PrintPreviewArea::PrintPreviewArea(QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_magnifier(MagnifierCursor())
{
    viewport()->setMouseTracking(true);
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Pages de l'aperçu"));
}

void PrintPreviewArea::setPages(const ListPrintLayout *layout, QSize paper, QRect printable, double deviceDpi)
{
    m_layout = layout;
    m_paper = paper;
    m_printable = printable;
    m_deviceDpi = deviceDpi > 0 ? deviceDpi : 600;
    setFirstPage(m_firstPage);
    UpdateScrollBars();
    viewport()->update();
    Q_EMIT stateChanged();
}

int PrintPreviewArea::pageCount() const
{
    return m_layout ? m_layout->pageCount() : 0;
}

void PrintPreviewArea::setPagesShown(int pages)
{
    m_pagesShown = IsGridChoice(pages) ? pages : 1;
    setFirstPage(m_firstPage);
    UpdateScrollBars();
    viewport()->update();
    Q_EMIT stateChanged();
}

void PrintPreviewArea::setZoomLevel(int level, QPointF anchor)
{
    m_zoomLevel = std::clamp(level, 0, MaxZoomLevel);
    setFirstPage(m_firstPage);
    UpdateScrollBars();
    if (m_zoomLevel > 0 && anchor.x() >= 0 && anchor.y() >= 0) {
        const QSize page = ZoomedPageSize();
        const QSize view = viewport()->size();
        horizontalScrollBar()->setValue(int(anchor.x() * page.width()) + 8 - view.width() / 2);
        verticalScrollBar()->setValue(int(anchor.y() * page.height()) + 8 - view.height() / 2);
    }
    viewport()->update();
    Q_EMIT stateChanged();
}

void PrintPreviewArea::setFirstPage(int page)
{
    const int shown = m_zoomLevel == 0 ? GridForPages(m_pagesShown).cells() : 1;
    const int last = std::max(0, pageCount() - shown);
    const int clamped = std::clamp(page, 0, last);
    if (clamped == m_firstPage)
        return;
    m_firstPage = clamped;
    if (m_zoomLevel == 0) {
        m_updatingBars = true;
        verticalScrollBar()->setValue(m_firstPage);
        m_updatingBars = false;
    }
    viewport()->update();
    Q_EMIT stateChanged();
}

bool PrintPreviewArea::canGoNext() const
{
    const int shown = m_zoomLevel == 0 ? GridForPages(m_pagesShown).cells() : 1;
    return m_firstPage + shown < pageCount();
}

QList<int> PrintPreviewArea::visiblePages() const
{
    QList<int> pages;
    const int cells = m_zoomLevel == 0 ? GridForPages(m_pagesShown).cells() : 1;
    for (int i = 0; i < cells; ++i)
        pages.append(m_firstPage + i < pageCount() ? m_firstPage + i : -1);
    return pages;
}

QSize PrintPreviewArea::PaperOnScreen() const
{
    const double x = viewport()->logicalDpiX() / m_deviceDpi;
    const double y = viewport()->logicalDpiY() / m_deviceDpi;
    return {std::max(1, int(std::lround(m_paper.width() * x))),
        std::max(1, int(std::lround(m_paper.height() * y)))};
}

Ratio PrintPreviewArea::fitRatio() const
{
    return FitRatio(viewport()->size() - QSize(16, 16), PaperOnScreen());
}

QSize PrintPreviewArea::ZoomedPageSize() const
{
    const double ratio = ZoomRatio(m_zoomLevel, fitRatio()).value();
    const QSize paper = PaperOnScreen();
    return {std::max(1, int(paper.width() * ratio)), std::max(1, int(paper.height() * ratio))};
}

QRect PrintPreviewArea::pageRect(int slot) const
{
    const QList<int> pages = visiblePages();
    if (slot < 0 || slot >= pages.size() || pages[slot] < 0)
        return {};
    const QSize view = viewport()->size();
    if (m_zoomLevel > 0) {
        const QSize size = ZoomedPageSize();
        const int x = size.width() + 16 <= view.width() ? (view.width() - size.width()) / 2
                                                        : 8 - horizontalScrollBar()->value();
        const int y = size.height() + 16 <= view.height() ? (view.height() - size.height()) / 2
                                                          : 8 - verticalScrollBar()->value();
        return {QPoint(x, y), size};
    }
    const Grid grid = GridForPages(m_pagesShown);
    QRect cell = GridCellRect(view, grid, slot);
    // A single row spans the whole height; the page keeps the 8-pixel border.
    if (grid.rows == 1)
        cell.setHeight(std::max(view.height() - 16, 1));
    const Ratio fit = FitRatio(cell.size(), PaperOnScreen());
    const QSize paper = PaperOnScreen();
    const QSize size(
        std::max(1, int(paper.width() * fit.value())), std::max(1, int(paper.height() * fit.value())));
    return {cell.x() + (cell.width() - size.width()) / 2, cell.y() + (cell.height() - size.height()) / 2,
        size.width(), size.height()};
}

int PrintPreviewArea::SlotAt(const QPoint &pos) const
{
    const int slots = int(visiblePages().size());
    for (int slot = 0; slot < slots; ++slot) {
        if (pageRect(slot).contains(pos))
            return slot;
    }
    return -1;
}

void PrintPreviewArea::UpdateScrollBars()
{
    m_updatingBars = true;
    QScrollBar *h = horizontalScrollBar();
    QScrollBar *v = verticalScrollBar();
    if (m_zoomLevel == 0) {
        const int count = pageCount();
        h->setRange(0, 0);
        v->setRange(0, std::max(0, count - GridForPages(m_pagesShown).cells()));
        v->setSingleStep(1);
        v->setPageStep(PageScrollStep(1, std::max(count, 1)));
        v->setValue(m_firstPage);
    } else {
        const QSize page = ZoomedPageSize() + QSize(16, 16);
        const QSize view = viewport()->size();
        h->setRange(0, std::max(0, page.width() - view.width()));
        h->setPageStep(view.width());
        h->setSingleStep(20);
        v->setRange(0, std::max(0, page.height() - view.height()));
        v->setPageStep(view.height());
        v->setSingleStep(20);
    }
    m_updatingBars = false;
}

void PrintPreviewArea::scrollContentsBy(int, int)
{
    if (!m_updatingBars && m_zoomLevel == 0) {
        m_firstPage = verticalScrollBar()->value();
        Q_EMIT stateChanged();
    }
    viewport()->update();
}

void PrintPreviewArea::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void PrintPreviewArea::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QList<int> pages = visiblePages();
    for (int slot = 0; slot < pages.size(); ++slot) {
        if (pages[slot] < 0)
            continue;
        const QRect target = pageRect(slot);
        painter.fillRect(target.translated(3, 3), palette().color(QPalette::Shadow));
        painter.fillRect(target, Qt::white);
        PaintPage(painter, target, pages[slot]);
        painter.setPen(Qt::black);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(target.adjusted(0, 0, -1, -1));
    }
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(viewport());
        option.rect = viewport()->rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void PrintPreviewArea::PaintPage(QPainter &painter, const QRect &target, int page) const
{
    if (!m_layout || m_paper.isEmpty())
        return;
    painter.save();
    painter.setClipRect(target);
    painter.translate(target.topLeft());
    painter.scale(double(target.width()) / m_paper.width(), double(target.height()) / m_paper.height());
    painter.translate(m_printable.topLeft());
    m_layout->PaintPage(painter, page + 1);
    painter.restore();
}

void PrintPreviewArea::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mousePressEvent(event);
    const QPoint pos = event->position().toPoint();
    const int slot = SlotAt(pos);
    if (slot < 0)
        return;
    const QRect rect = pageRect(slot);
    const QPointF anchor(
        double(pos.x() - rect.x()) / rect.width(), double(pos.y() - rect.y()) / rect.height());
    const int page = visiblePages().at(slot);
    const int next = m_zoomLevel >= MaxZoomLevel ? 0 : m_zoomLevel + 1;
    // The clicked page becomes the one shown; the grid puts it first if it can.
    m_zoomLevel = next;
    m_firstPage = page;
    setZoomLevel(next, anchor);
    mouseMoveEvent(event);
}

void PrintPreviewArea::mouseMoveEvent(QMouseEvent *event)
{
    const bool zoomable = m_zoomLevel < MaxZoomLevel && SlotAt(event->position().toPoint()) >= 0;
    viewport()->setCursor(zoomable ? m_magnifier : QCursor(Qt::ArrowCursor));
}

void PrintPreviewArea::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Plus:
        return setZoomLevel(m_zoomLevel + 1);
    case Qt::Key_Minus:
        return setZoomLevel(m_zoomLevel - 1);
    case Qt::Key_Home:
        if (m_zoomLevel == 0)
            return setFirstPage(0);
        break;
    case Qt::Key_End:
        if (m_zoomLevel == 0)
            return setFirstPage(pageCount());
        break;
    default:
        break;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void PrintPreviewArea::wheelEvent(QWheelEvent *event)
{
    if (m_zoomLevel > 0)
        return QAbstractScrollArea::wheelEvent(event);
    // One page per wheel notch, not the bar's three lines.
    m_wheelDelta += event->angleDelta().y();
    const int steps = m_wheelDelta / 120;
    m_wheelDelta -= steps * 120;
    if (steps != 0)
        setFirstPage(m_firstPage - steps);
    event->accept();
}
