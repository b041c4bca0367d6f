#pragma once
// Sheet page "Page Web 1/2": title, page design, colours, background image
// and image protection (settings group LastOptions/WebPage1).

#include "document/galleryoptions.h"
#include "shell/options/optionspage.h"

class ColorSwatch;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class WebPage1Page : public OptionsPage {
    Q_OBJECT
public:
    WebPage1Page(const GalleryOptions &options, const GeneralOptions &general, Profile &profile,
                 QWidget *parent = nullptr);

    QString title() const override { return QStringLiteral("Page Web 1/2"); }
    std::optional<FieldError> validate() override;
    void store(GalleryOptions &options) const override;
    void saveGroup(const GalleryOptions &options, Profile &profile) const override;

private:
    void buildDesign();
    void buildColors();
    void buildBackground();
    void updateEnabled();
    void browseCustomPage();
    void browseBackground();

    WebPage1Options m_values;
    Profile &m_profile;
    QLineEdit *m_title;
    QRadioButton *m_defaultPage;
    QRadioButton *m_customPage;
    QRadioButton *m_modernPage;
    QLineEdit *m_customPath;
    QPushButton *m_customBrowse;
    ColorSwatch *m_colors[4];
    QLineEdit *m_background;
    QCheckBox *m_protect;
};
