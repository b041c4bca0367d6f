#include "shell/widgets/luminancebar.h"

#include "shell/widgets/hlscolor.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace {

constexpr int kFrame = 2;
constexpr int kBarWidth = 50;
constexpr int kBarHeight = kHlsMax;
constexpr int kArrow = 6; // room for the pointer beside the bar

QImage LuminancePicture(int hue, int saturation)
{
    QImage image(kBarWidth, kBarHeight, QImage::Format_RGB32);
    for (int row = 0; row < kBarHeight; ++row) {
        const QRgb rgb = QColorFromHls({hue, row, saturation}).rgb();
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(kBarHeight - 1 - row));
        std::fill(line, line + kBarWidth, rgb);
    }
    return image;
}

} // namespace

LuminanceBar::LuminanceBar(QWidget *parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleName(QStringLiteral("Luminance"));
    setHueSaturation(0, 0);
    setLuminance(0);
}

void LuminanceBar::setHueSaturation(int hue, int saturation)
{
    hue = std::clamp(hue, 0, kHlsMax);
    saturation = std::clamp(saturation, 0, kHlsMax);
    if (hue == m_hue && saturation == m_saturation)
        return;
    m_hue = hue;
    m_saturation = saturation;
    m_picture = LuminancePicture(hue, saturation);
    update();
}

void LuminanceBar::setLuminance(int luminance)
{
    m_luminance = std::clamp(luminance, 0, kHlsMax);
    setAccessibleDescription(QString::number(m_luminance));
    update();
}

QSize LuminanceBar::sizeHint() const
{
    // The bottom frame line doubles as the marker's row for luminance 0.
    return QSize(kBarWidth + 2 * kFrame + kArrow, kBarHeight + 2 * kFrame);
}

void LuminanceBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect frame(0, 0, kBarWidth + 2 * kFrame, kBarHeight + 2 * kFrame);
    painter.fillRect(frame, hasFocus() ? palette().highlight() : palette().mid());
    painter.drawImage(kFrame, kFrame, m_picture);

    const int y = kFrame + kHlsMax - m_luminance;
    const int opposite = (m_hue + kHlsMax / 2) % kHlsMax;
    painter.setPen(QColorFromHls({opposite, kHlsMax / 2, kHlsMax}));
    painter.drawLine(kFrame, y, kFrame + kBarWidth - 1, y);

    const int left = frame.right() + 1;
    const QPoint arrow[] = {{left, y}, {left + kArrow, y - kArrow}, {left + kArrow, y + kArrow}};
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette().windowText());
    painter.drawPolygon(arrow, 3);
}

void LuminanceBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    PickAt(event->position().toPoint().y());
}

void LuminanceBar::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        PickAt(event->position().toPoint().y());
}

void LuminanceBar::keyPressEvent(QKeyEvent *event)
{
    const int step = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
    switch (event->key()) {
    case Qt::Key_Up:
        return Pick(m_luminance + step);
    case Qt::Key_Down:
        return Pick(m_luminance - step);
    default:
        QWidget::keyPressEvent(event);
    }
}

void LuminanceBar::PickAt(int y)
{
    const int barY = std::clamp(y - kFrame, 0, kBarHeight);
    Pick((kBarHeight - barY) * kHlsMax / kBarHeight);
}

void LuminanceBar::Pick(int luminance)
{
    setLuminance(luminance);
    Q_EMIT luminancePicked(m_luminance);
}
