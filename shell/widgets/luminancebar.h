#pragma once
// The colour picker's luminance scale for the current hue and saturation:
// black at the bottom, white at the top, a marker at the current luminance.
// Mouse clicks, drags and Up/Down (Shift: ten steps) pick.

#include <QImage>
#include <QWidget>

class LuminanceBar : public QWidget {
    Q_OBJECT
public:
    explicit LuminanceBar(QWidget *parent = nullptr);

    int luminance() const { return m_luminance; }
    // Redraws the scale; no signal.
    void setHueSaturation(int hue, int saturation);
    // Moves the marker; no signal.
    void setLuminance(int luminance);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

Q_SIGNALS:
    void luminancePicked(int luminance);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void PickAt(int y);
    void Pick(int luminance);

    QImage m_picture;
    int m_hue = -1;
    int m_saturation = -1;
    int m_luminance = 0;
};
