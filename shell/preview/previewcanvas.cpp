#include "shell/preview/previewcanvas.h"

#include "shell/preview/previewicons.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

PreviewCanvas::PreviewCanvas(QWidget *parent)
    : QWidget(parent)
    , m_clock(MakeTimerClock([this] { NextFrame(); }))
    , m_animation(*m_clock)
    , m_zoomCursor(PreviewZoomCursor())
{
    // Every pixel is painted from the display copy: no erase, no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Image"));
    setMinimumSize(16, 16);
}

PreviewCanvas::~PreviewCanvas() = default;

void PreviewCanvas::ShowImage(const PreviewImage &image)
{
    m_image = image;
    m_fit = true;
    m_zoom = 1.0;
    m_sourceOffset = QPoint();
    m_recentre.reset();
    m_askedTarget = QSize();
    m_dragging = false;
    if (m_image.frames.size() > 1)
        m_animation.Start(m_image.timing);
    else
        m_animation.Stop();
    m_needsRender = true;
    UpdateCursor();
    update();
    Q_EMIT toolStateChanged();
}

void PreviewCanvas::ReplacePixels(const PreviewImage &image)
{
    if (!HasImage() || image.serial != m_image.serial || image.picture.isNull())
        return;
    m_image.picture = image.picture;
    m_needsRender = true;
    update();
}

void PreviewCanvas::Clear()
{
    m_image = PreviewImage();
    m_animation.Stop();
    m_zoom = 1.0;
    m_fit = true;
    m_sourceOffset = QPoint();
    m_recentre.reset();
    m_placement = PreviewPlacement();
    m_display = QImage();
    m_dragging = false;
    m_needsRender = true;
    UpdateCursor();
    update();
    Q_EMIT toolStateChanged();
}

void PreviewCanvas::SetBackground(const QColor &color)
{
    if (color == m_background)
        return;
    m_background = color;
    m_needsRender = true;
    update();
}

void PreviewCanvas::SetAnimationEnabled(bool enabled)
{
    m_animation.SetEnabled(enabled);
    m_needsRender = true;
    update();
}

void PreviewCanvas::SetFitting(bool fit)
{
    if (fit == m_fit)
        return;
    m_fit = fit;
    if (HasImage()) {
        m_needsRender = true;
        update();
    }
    Q_EMIT toolStateChanged();
}

void PreviewCanvas::SetPanTool(bool pan)
{
    if (pan == m_panTool)
        return;
    m_panTool = pan;
    UpdateCursor();
    Q_EMIT toolStateChanged();
}

void PreviewCanvas::UpdateCursor()
{
    if (!HasImage())
        unsetCursor();
    else if (m_panTool)
        setCursor(m_dragging ? Qt::ClosedHandCursor : Qt::OpenHandCursor);
    else
        setCursor(m_zoomCursor);
}

void PreviewCanvas::NextFrame()
{
    m_animation.Tick();
    m_needsRender = true;
    repaint();
}

void PreviewCanvas::Render()
{
    m_needsRender = false;
    // Drawn at the screen's own pixel density; the geometry stays logical.
    const qreal ratio = devicePixelRatioF();
    m_display = QImage(size() * ratio, QImage::Format_RGB32);
    m_display.setDevicePixelRatio(ratio);
    m_display.fill(m_background);
    if (!HasImage())
        return;
    const bool animated = !m_image.frames.isEmpty();
    const QImage &source
        = animated ? m_image.frames.value(std::max(0, m_animation.Frame())) : m_image.picture;
    m_placement = PlacePreview(m_image.fullSize, size(), m_fit, m_zoom, m_sourceOffset, m_recentre);
    m_zoom = m_placement.zoom;
    m_sourceOffset = m_placement.source.topLeft();
    m_recentre.reset();
    if (m_placement.destination.isEmpty() || source.isNull())
        return;
    // The held copy may be smaller than the picture: scale the visible part.
    const double sx = double(source.width()) / m_image.fullSize.width();
    const double sy = double(source.height()) / m_image.fullSize.height();
    const QRect &s = m_placement.source;
    QPainter painter(&m_display);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, m_placement.zoom < 1.0 || sx < 1.0);
    painter.drawImage(QRectF(m_placement.destination), source,
        QRectF(s.x() * sx, s.y() * sy, s.width() * sx, s.height() * sy));
    if (!animated)
        AskForPixels();
}

void PreviewCanvas::AskForPixels()
{
    const double have = double(m_image.picture.width()) / m_image.fullSize.width();
    if (have >= 1.0 || m_placement.zoom * devicePixelRatioF() <= have * 1.01)
        return;
    // Fitting needs only the window's worth; a zoom needs every pixel there is.
    const QSize target
        = m_fit ? FittedSize(m_image.fullSize, size() * devicePixelRatioF()) : m_image.fullSize;
    if (target == m_askedTarget)
        return;
    m_askedTarget = target;
    Q_EMIT pixelsNeeded(m_image.serial, target);
}

void PreviewCanvas::EnsureRendered()
{
    if (m_needsRender || m_display.size() != size() * devicePixelRatioF())
        Render();
}

void PreviewCanvas::paintEvent(QPaintEvent *)
{
    EnsureRendered();
    QPainter painter(this);
    painter.drawImage(0, 0, m_display);
    if (hasFocus()) {
        // The picture fills the whole widget: the frame goes over it.
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void PreviewCanvas::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_needsRender = true;
    update();
}

void PreviewCanvas::ZoomAt(QPoint windowPoint, bool in)
{
    if (!HasImage())
        return;
    EnsureRendered();
    m_recentre = ImagePointAt(windowPoint, m_placement, m_image.fullSize);
    m_zoom = in ? ZoomedIn(m_zoom) : ZoomedOut(m_zoom);
    m_needsRender = true;
    repaint();
}

void PreviewCanvas::PanBy(QPoint movement)
{
    m_sourceOffset = PannedOffset(m_dragAnchor, movement, m_zoom);
    m_needsRender = true;
    repaint();
}

bool PreviewCanvas::ZoomsOnRightClick() const
{
    return HasImage() && !m_fit && !m_panTool;
}

void PreviewCanvas::mousePressEvent(QMouseEvent *event)
{
    if (!HasImage())
        return QWidget::mousePressEvent(event);
    const QPoint at = event->position().toPoint();
    if (m_panTool && event->button() == Qt::LeftButton) {
        EnsureRendered();
        m_dragging = true;
        m_dragStart = at;
        m_dragAnchor = m_sourceOffset;
        UpdateCursor();
    } else if (!m_panTool && event->button() == Qt::LeftButton) {
        ZoomAt(at, true);
    } else if (ZoomsOnRightClick() && event->button() == Qt::RightButton) {
        ZoomAt(at, false);
    } else {
        QWidget::mousePressEvent(event);
    }
}

void PreviewCanvas::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging)
        PanBy(event->position().toPoint() - m_dragStart);
}

void PreviewCanvas::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_dragging && event->button() == Qt::LeftButton) {
        m_dragging = false;
        UpdateCursor();
    }
}

void PreviewCanvas::contextMenuEvent(QContextMenuEvent *event)
{
    // There the right button zooms out; the window's menu shows elsewhere.
    if (event->reason() == QContextMenuEvent::Mouse && ZoomsOnRightClick())
        event->accept();
    else
        event->ignore();
}

void PreviewCanvas::keyPressEvent(QKeyEvent *event)
{
    const QPoint centre = rect().center();
    const bool zoomable = HasImage() && !m_fit;
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        if (zoomable)
            ZoomAt(centre, true);
        return;
    case Qt::Key_Minus:
        if (zoomable)
            ZoomAt(centre, false);
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
        if (!zoomable)
            return QWidget::keyPressEvent(event);
        const int dx = width() / 10, dy = height() / 10;
        const int k = event->key();
        const QPoint step(k == Qt::Key_Left ? dx
                : k == Qt::Key_Right        ? -dx
                                            : 0,
            k == Qt::Key_Up         ? dy
                : k == Qt::Key_Down ? -dy
                                    : 0);
        EnsureRendered();
        m_dragAnchor = m_sourceOffset;
        PanBy(step);
        return;
    }
    case Qt::Key_F10:
        if (event->modifiers() & Qt::ShiftModifier) {
            QContextMenuEvent menu(QContextMenuEvent::Keyboard, centre, mapToGlobal(centre));
            QCoreApplication::sendEvent(this, &menu);
            return;
        }
        break;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}
