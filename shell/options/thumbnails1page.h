#pragma once
// Sheet page "Vignettes 1/2": thumbnail names (prefix or suffix, with a live
// example) and sizes (settings group LastOptions/BuildVignette, shared with
// "Vignettes 2/2"; each page stores only its own keys).

#include "document/galleryoptions.h"
#include "shell/options/optionspage.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class ThumbnailSizeBox;

class Thumbnails1Page : public OptionsPage {
    Q_OBJECT
public:
    Thumbnails1Page(const GalleryOptions &options, const GeneralOptions &general, QWidget *parent = nullptr);

    QString title() const override { return QStringLiteral("Vignettes 1/2"); }
    std::optional<FieldError> validate() override;
    void store(GalleryOptions &options) const override;
    void saveGroup(const GalleryOptions &options, Profile &profile) const override;

private:
    void updateExample();

    BuildVignetteOptions m_values;
    QButtonGroup *m_withPrefixe;
    QLineEdit *m_affix;
    QLabel *m_example;
    ThumbnailSizeBox *m_sizes;
};
