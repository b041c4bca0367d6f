#pragma once
// "Options spécifiques": the per-image overrides of one entry's option block.
// Every control starts from the gallery's value, or from the entry's where
// its override flag is set; OK recomputes the flags from scratch, so a value
// equal to the gallery's clears its override.

#include "document/galleryoptions.h"
#include "document/imageentry.h"
#include "shell/options/dialogfields.h"

#include <QDialog>

struct GeneralOptions;
class ColorSwatch;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class UpDownEdit;

// The values the dialog shows: the gallery's, replaced by the entry's
// overrides. The flags are the entry's.
ImageOptionBlock ShownImageOptions(const ImageOptionBlock &entry, const GalleryOptions &gallery);

// `values` with its flags recomputed against the gallery's options. The
// popup flags count only for the link types that open a popup (33 for its
// size, 17 or 33 for its colour and image size).
ImageOptionBlock RecomputeImageOptionFlags(ImageOptionBlock values, const GalleryOptions &gallery);

class ImageOptionsDialog : public QDialog {
    Q_OBJECT
public:
    ImageOptionsDialog(const ImageOptionBlock &block, const GalleryOptions &gallery, const GeneralOptions &general,
                       QWidget *parent = nullptr);

    // The edited block with its flags; meaningful after an accepted run.
    ImageOptionBlock block() const { return m_block; }

    void accept() override;

private:
    void buildTooltips(const ImageOptionBlock &shown);
    void buildBorder(const ImageOptionBlock &shown, bool tooltips);
    void buildLink(const ImageOptionBlock &shown, bool tooltips);
    void updateEnabled();

    GalleryOptions m_gallery;
    ImageOptionBlock m_block;
    QButtonGroup *m_tooltipType;
    QCheckBox *m_noTooltipInPopups;
    QCheckBox *m_commentUnderImage;
    UpDownEdit *m_border;
    ColorSwatch *m_borderColor;
    QGroupBox *m_linkBox;
    QButtonGroup *m_newWindow;
    QButtonGroup *m_kind;
    QButtonGroup *m_autoSize;
    QGroupBox *m_sizeBox;
    QLineEdit *m_width;
    QLineEdit *m_height;
    QCheckBox *m_adapt;
    QCheckBox *m_allowFullSize;
    QWidget *m_colorLabel;
    ColorSwatch *m_background;
};
