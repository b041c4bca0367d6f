#include "shell/widgets/huesaturationfield.h"

#include "shell/widgets/hlscolor.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace {

constexpr int kFrame = 2;
constexpr int kSide = kHlsMax + 1; // one pixel per value, both ends included
constexpr int kMarkerGap = 3;
constexpr int kMarkerArm = 5;

QImage HueSaturationPicture()
{
    QImage image(kSide, kSide, QImage::Format_RGB32);
    for (int y = 0; y < kSide; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < kSide; ++x) {
            const RgbColor rgb = HlsToRgb({x, kHlsMax / 2, kHlsMax - y});
            line[x] = qRgb(rgb.red, rgb.green, rgb.blue);
        }
    }
    return image;
}

} // namespace

HueSaturationField::HueSaturationField(QWidget *parent)
    : QWidget(parent)
    , m_picture(HueSaturationPicture())
{
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleName(QStringLiteral("Teinte et saturation"));
    UpdateDescription();
}

void HueSaturationField::setHueSaturation(int hue, int saturation)
{
    hue = std::clamp(hue, 0, kHlsMax);
    saturation = std::clamp(saturation, 0, kHlsMax);
    if (hue == m_hue && saturation == m_saturation)
        return;
    m_hue = hue;
    m_saturation = saturation;
    UpdateDescription();
    update();
}

QSize HueSaturationField::sizeHint() const
{
    return QSize(kSide + 2 * kFrame, kSide + 2 * kFrame);
}

void HueSaturationField::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), hasFocus() ? palette().highlight() : palette().mid());
    painter.drawImage(kFrame, kFrame, m_picture);

    // A cross with an open centre, so the picked colour itself stays visible.
    const int x = kFrame + m_hue;
    const int y = kFrame + kHlsMax - m_saturation;
    painter.setClipRect(kFrame, kFrame, kSide, kSide);
    painter.setPen(Qt::black);
    painter.drawLine(x - kMarkerGap - kMarkerArm, y, x - kMarkerGap, y);
    painter.drawLine(x + kMarkerGap, y, x + kMarkerGap + kMarkerArm, y);
    painter.drawLine(x, y - kMarkerGap - kMarkerArm, x, y - kMarkerGap);
    painter.drawLine(x, y + kMarkerGap, x, y + kMarkerGap + kMarkerArm);
}

void HueSaturationField::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    PickAt(event->position().toPoint());
}

void HueSaturationField::mouseMoveEvent(QMouseEvent *event)
{
    // Qt keeps sending moves while the button is down, even outside the widget.
    if (event->buttons() & Qt::LeftButton)
        PickAt(event->position().toPoint());
}

void HueSaturationField::keyPressEvent(QKeyEvent *event)
{
    const int step = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
    switch (event->key()) {
    case Qt::Key_Left:
        return Pick(m_hue - step, m_saturation);
    case Qt::Key_Right:
        return Pick(m_hue + step, m_saturation);
    case Qt::Key_Up:
        return Pick(m_hue, m_saturation + step);
    case Qt::Key_Down:
        return Pick(m_hue, m_saturation - step);
    default:
        QWidget::keyPressEvent(event);
    }
}

void HueSaturationField::PickAt(const QPoint &pos)
{
    Pick(pos.x() - kFrame, kHlsMax - (pos.y() - kFrame));
}

void HueSaturationField::Pick(int hue, int saturation)
{
    hue = std::clamp(hue, 0, kHlsMax);
    saturation = std::clamp(saturation, 0, kHlsMax);
    setHueSaturation(hue, saturation);
    Q_EMIT hueSaturationPicked(hue, saturation);
}

void HueSaturationField::UpdateDescription()
{
    setAccessibleDescription(QStringLiteral("Teinte %1, saturation %2").arg(m_hue).arg(m_saturation));
}
