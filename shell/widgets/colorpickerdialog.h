#pragma once
// "Choix de la couleur": picks a colour on a hue/saturation field and a
// luminance bar, or by typing its red, green, blue, hue, saturation and
// luminance. The two models stay in step: whichever the user edits is kept
// as typed and the other is recomputed from it.

#include "imaging/thumbnailoptions.h"
#include "shell/widgets/hlscolor.h"

#include <QDialog>
#include <array>
#include <optional>

class ColorSwatch;
class HueSaturationField;
class LuminanceBar;
class QLabel;
class QLineEdit;

class ColorPickerDialog : public QDialog {
    Q_OBJECT
public:
    // `tooltips`: the caller's DisplayTooltipsInDialogs.
    ColorPickerDialog(COLORREF initial, bool tooltips, QWidget *parent = nullptr);

    COLORREF color() const { return ColorRefFromRgb(m_rgb); }
    HlsColor hls() const { return m_hls; }

    // Runs the dialog; the chosen colour, or nothing when cancelled.
    static std::optional<COLORREF> pick(COLORREF initial, bool tooltips, QWidget *parent = nullptr);

private:
    enum Component { Red, Green, Blue, Hue, Saturation, Luminance, ComponentCount };

    QLayout *CreateNumberFields();
    QLayout *CreateSwatches();
    void ConnectControls();
    void SetToolTips();

    void SetRgb(const RgbColor &rgb, int editing = -1);
    void SetHls(const HlsColor &hls, int editing = -1);
    void Refresh(int editing);
    void OnNumberEdited(int component);
    void OnNumberFinished(int component);
    int ComponentValue(int component) const;

    COLORREF m_initial;
    RgbColor m_rgb;
    HlsColor m_hls;
    HueSaturationField *m_field = nullptr;
    LuminanceBar *m_bar = nullptr;
    std::array<QLineEdit *, ComponentCount> m_numbers {};
    QLabel *m_htmlCode = nullptr;
    ColorSwatch *m_newSwatch = nullptr;
    ColorSwatch *m_oldSwatch = nullptr;
};
