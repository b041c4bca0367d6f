#pragma once
// Sheet page "Vignettes 2/2": what happens to images that carry a thumbnail
// name or have no thumbnail (group LastOptions/BuildVignette). Nothing to check.

#include "document/galleryoptions.h"
#include "shell/options/optionspage.h"

class QButtonGroup;
class QCheckBox;

class Thumbnails2Page : public OptionsPage {
    Q_OBJECT
public:
    Thumbnails2Page(const GalleryOptions &options, const GeneralOptions &general, QWidget *parent = nullptr);

    QString title() const override { return QStringLiteral("Vignettes 2/2"); }
    std::optional<FieldError> validate() override;
    void store(GalleryOptions &options) const override;
    void saveGroup(const GalleryOptions &options, Profile &profile) const override;

private:
    BuildVignetteOptions m_values;
    QCheckBox *m_reject;
    QButtonGroup *m_action;
};
