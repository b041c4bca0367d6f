#include "shell/widgets/colorswatch.h"

#include "shell/widgets/colorpickerdialog.h"
#include "shell/widgets/hlscolor.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyleOptionFocusRect>

ColorSwatch::ColorSwatch(QWidget *parent)
    : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setFocusPolicy(Qt::StrongFocus);
    setColor(0);
}

void ColorSwatch::setColor(COLORREF color)
{
    m_color = color & 0xFFFFFF;
    // Screen readers hear the colour as the code the pages use.
    setAccessibleDescription(HtmlColorCode(RgbFromColorRef(m_color)));
    update();
}

void ColorSwatch::setOpensPicker(bool opens, bool tooltips)
{
    m_opensPicker = opens;
    m_pickerTooltips = tooltips;
}

void ColorSwatch::paintEvent(QPaintEvent *event)
{
    {
        QPainter painter(this);
        painter.fillRect(contentsRect(), QColorFromColorRef(m_color));
        if (hasFocus()) {
            QStyleOptionFocusRect option;
            option.initFrom(this);
            option.rect = contentsRect().adjusted(2, 2, -2, -2);
            option.backgroundColor = QColorFromColorRef(m_color);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
        }
    }
    QFrame::paintEvent(event);
}

void ColorSwatch::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    if (!m_pressed)
        QFrame::mousePressEvent(event);
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent *event)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    // Releasing outside cancels, as with a button.
    if (wasPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Activate();
    else
        QFrame::mouseReleaseEvent(event);
}

void ColorSwatch::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier)
            return Activate();
        break;
    default:
        break;
    }
    QFrame::keyPressEvent(event);
}

void ColorSwatch::Activate()
{
    QPointer<ColorSwatch> self(this);
    Q_EMIT clicked();
    // A slot may have closed the page that owns us.
    if (!self || !m_opensPicker)
        return;
    const std::optional<COLORREF> picked = ColorPickerDialog::pick(m_color, m_pickerTooltips, this);
    if (!self || !picked || *picked == m_color)
        return;
    setColor(*picked);
    Q_EMIT colorChanged(m_color);
}
