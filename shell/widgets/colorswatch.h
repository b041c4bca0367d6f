#pragma once
// shell/widgets: the custom controls (colour swatch and picker, HLS colour,
// hue/saturation field, luminance bar, hyperlink label, up/down edit, lock
// indicators, value labels, the OK/Annuler row, the image file dialog with its
// preview).
// They depend on Qt and the core only, never on another folder of shell/;
// they build as a library of their own.
//
// A framed patch of one colour. Clicks, Space and Enter emit clicked(); when
// set to open the picker, an accepted new colour is taken and announced with
// colorChanged().

#include "imaging/thumbnailoptions.h"

#include <QFrame>

class ColorSwatch : public QFrame {
    Q_OBJECT
public:
    explicit ColorSwatch(QWidget *parent = nullptr);

    COLORREF color() const { return m_color; }
    // Repaints; no signal.
    void setColor(COLORREF color);
    // `tooltips` is passed to the picker (the user's choice of dialog tooltips).
    void setOpensPicker(bool opens, bool tooltips = false);

    QSize sizeHint() const override { return QSize(48, 24); }

Q_SIGNALS:
    void clicked();
    void colorChanged(COLORREF color);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Activate();

    COLORREF m_color = 0;
    bool m_opensPicker = false;
    bool m_pickerTooltips = false;
    bool m_pressed = false;
};
