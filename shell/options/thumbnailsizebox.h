#pragma once
// The six thumbnail size modes with their values and the JPEG quality, as
// "Vignettes 1/2" and "Création d'une vignette spécifique" both show them.

#include "imaging/thumbnailoptions.h"
#include "shell/options/dialogfields.h"

#include <QWidget>
#include <optional>

class ColorSwatch;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QSlider;
class UpDownEdit;

class ThumbnailSizeBox : public QWidget {
    Q_OBJECT
public:
    ThumbnailSizeBox(const BuildVignetteOptions &options, bool tooltips, QWidget *parent = nullptr);

    // Reads the mode, sizes, colour and quality into `options`. Every size is
    // checked whatever the mode, so a zero in a hidden field still refuses.
    std::optional<FieldError> validate(BuildVignetteOptions &options) const;

private:
    void buildModes(const BuildVignetteOptions &options, bool tooltips);
    void buildQuality(const BuildVignetteOptions &options);
    void updateEnabled();
    void updatePercentLabel();

    QButtonGroup *m_modes;
    UpDownEdit *m_percent;
    QLabel *m_percentLabel;
    QLineEdit *m_width;
    QLineEdit *m_height;
    QLabel *m_times;
    QLabel *m_colorLabel;
    ColorSwatch *m_background;
    QLineEdit *m_side;
    QSlider *m_quality;
};
