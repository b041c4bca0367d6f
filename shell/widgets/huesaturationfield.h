#pragma once
// The colour picker's hue/saturation plane: hue runs left to right, saturation
// from the bottom (grey) to the top (full), both over 0..252, drawn at middle
// luminance. Mouse clicks, drags and the arrow keys (Shift: ten steps) pick.

#include <QImage>
#include <QWidget>

class HueSaturationField : public QWidget {
    Q_OBJECT
public:
    explicit HueSaturationField(QWidget *parent = nullptr);

    int hue() const { return m_hue; }
    int saturation() const { return m_saturation; }
    // Moves the marker without emitting hueSaturationPicked.
    void setHueSaturation(int hue, int saturation);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

Q_SIGNALS:
    void hueSaturationPicked(int hue, int saturation);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void PickAt(const QPoint &pos);
    void Pick(int hue, int saturation);
    void UpdateDescription();

    QImage m_picture;
    int m_hue = 0;
    int m_saturation = 0;
};
