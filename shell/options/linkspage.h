#pragma once
// Sheet page "Liens": the link to the full-size image, its window and popup,
// and the zip of the originals (settings group LastOptions/Links).
// LinkType = new-window flag + 16 x window kind.

#include "document/galleryoptions.h"
#include "shell/options/optionspage.h"

class ColorSwatch;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;

class LinksPage : public OptionsPage {
    Q_OBJECT
public:
    LinksPage(const GalleryOptions &options, const GeneralOptions &general, QWidget *parent = nullptr);

    QString title() const override { return QStringLiteral("Liens"); }
    std::optional<FieldError> validate() override;
    void store(GalleryOptions &options) const override;
    void saveGroup(const GalleryOptions &options, Profile &profile) const override;

private:
    void buildWindow();
    void buildPopup();
    void buildZip();
    void updateEnabled();

    LinksOptions m_values;
    QCheckBox *m_isLink;
    QButtonGroup *m_newWindow;
    QButtonGroup *m_kind;
    QCheckBox *m_adapt;
    QCheckBox *m_allowFullSize;
    QGroupBox *m_sizeGroup;
    QButtonGroup *m_autoSize;
    QLineEdit *m_width;
    QLineEdit *m_height;
    QLabel *m_colorLabel;
    ColorSwatch *m_background;
    QCheckBox *m_specialPopupLink;
    QCheckBox *m_zip;
    QLineEdit *m_zipName;
};
