#include "shell/widgets/hyperlinklabel.h"


#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyleOptionFocusRect>

HyperlinkLabel::HyperlinkLabel(const QString &text, const QString &target, QWidget *parent)
    : QLabel(parent)
    , m_target(target.isEmpty() ? text : target)
{
    // Plain text: an address is never read as markup.
    setTextFormat(Qt::PlainText);
    setText(text.isEmpty() ? m_target : text);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setContentsMargins(1, 1, 1, 1); // room for the focus frame
    UpdateColor();
    setTarget(m_target);
}

void HyperlinkLabel::setTarget(const QString &target)
{
    m_target = target.isEmpty() ? text() : target;
    setToolTip(m_target);
    Fit();
}

void HyperlinkLabel::setFitToText(bool fit)
{
    m_fitToText = fit;
    if (fit) {
        Fit();
    } else {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
}

void HyperlinkLabel::setLinkColors(const QColor &normal, const QColor &visited, const QColor &hover)
{
    m_normal = normal;
    m_visitedColor = visited;
    m_hover = hover;
    UpdateColor();
}

QColor HyperlinkLabel::currentColor() const
{
    if (m_hovered)
        return m_hover;
    return m_visited ? m_visitedColor : m_normal;
}

void HyperlinkLabel::activate()
{
    if (m_target.isEmpty() || !m_opener)
        return;
    QPointer<HyperlinkLabel> self(this);
    // The opener may show a modal box, during which we could be closed.
    const bool opened = m_opener(m_target);
    if (!self || !opened)
        return;
    m_visited = true;
    UpdateColor();
}

void HyperlinkLabel::enterEvent(QEnterEvent *event)
{
    m_hovered = true;
    UpdateColor();
    QLabel::enterEvent(event);
}

void HyperlinkLabel::leaveEvent(QEvent *event)
{
    m_hovered = false;
    UpdateColor();
    QLabel::leaveEvent(event);
}

void HyperlinkLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    if (!m_pressed)
        QLabel::mousePressEvent(event);
}

void HyperlinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (!wasPressed || event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint()))
        return QLabel::mouseReleaseEvent(event);
    // The browser takes the pointer away; do not stay red behind it.
    m_hovered = false;
    UpdateColor();
    repaint();
    activate();
}

void HyperlinkLabel::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return activate();
    default:
        QLabel::keyPressEvent(event);
    }
}

void HyperlinkLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

// Shrinks to the text while keeping the anchor its alignment implies (left,
// centre or right edge; always the vertical centre). A layout that manages
// the label places it again from the fixed size.
void HyperlinkLabel::Fit()
{
    if (!m_fitToText)
        return;
    const QRect old = geometry();
    const QSize size = sizeHint();
    QRect fitted(QPoint(), size);
    const Qt::Alignment horizontal = alignment() & Qt::AlignHorizontal_Mask;
    if (horizontal & Qt::AlignHCenter)
        fitted.moveCenter(old.center());
    else if (horizontal & Qt::AlignRight)
        fitted.moveRight(old.right());
    else
        fitted.moveLeft(old.left());
    fitted.moveCenter(QPoint(fitted.center().x(), old.center().y()));
    setFixedSize(size);
    setGeometry(fitted);
}

void HyperlinkLabel::UpdateColor()
{
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, currentColor());
    setPalette(colours);
    update();
}
