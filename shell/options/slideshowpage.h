#pragma once
// Sheet page "Diaporama" (settings group LastOptions/Diaporama). The box
// "Diaporama en boucle" is stored inverted, as NoLoop.

#include "document/galleryoptions.h"
#include "shell/options/optionspage.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QSlider;
class QWidget;

class SlideshowPage : public OptionsPage {
    Q_OBJECT
public:
    SlideshowPage(const GalleryOptions &options, const GeneralOptions &general, QWidget *parent = nullptr);

    QString title() const override { return QStringLiteral("Diaporama"); }
    std::optional<FieldError> validate() override;
    void store(GalleryOptions &options) const override;
    void saveGroup(const GalleryOptions &options, Profile &profile) const override;
    // True once the speed slider left the stored value.
    bool isModified() const { return m_modified; }

private:
    void buildKind();
    void buildButtonsAndOrder();
    void buildSize();
    void updateEnabled();

    DiaporamaOptions m_values;
    QButtonGroup *m_kind;
    QSlider *m_speed;
    QLabel *m_speedLabel;
    QLabel *m_speedText;
    QWidget *m_closeOrBackBox;
    QButtonGroup *m_closeOrBack;
    QCheckBox *m_loop;
    QCheckBox *m_random;
    QWidget *m_sizeBox;
    QButtonGroup *m_sizeMode;
    QLineEdit *m_width;
    QLineEdit *m_height;
    bool m_modified = false;
};
