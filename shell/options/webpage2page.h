#pragma once
// Sheet page "Page Web 2/2": pagination, borders, tooltips and the web-site
// root (settings group LastOptions/WebPage2). The two count boxes live in the
// sign bit of their counts.

#include "document/galleryoptions.h"
#include "shell/options/optionspage.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;
class UpDownEdit;

class WebPage2Page : public OptionsPage {
    Q_OBJECT
public:
    WebPage2Page(const GalleryOptions &options, const GeneralOptions &general, QWidget *parent = nullptr);

    QString title() const override { return QStringLiteral("Page Web 2/2"); }
    std::optional<FieldError> validate() override;
    void store(GalleryOptions &options) const override;
    void saveGroup(const GalleryOptions &options, Profile &profile) const override;

private:
    void buildCounts();
    void buildTooltips();
    void buildRoot();
    void updateEnabled();
    void browseRoot();

    WebPage2Options m_values;
    QCheckBox *m_perLineOn;
    QLineEdit *m_perLine;
    QCheckBox *m_linesOn;
    QLineEdit *m_lines;
    QCheckBox *m_endLastLine;
    UpDownEdit *m_border;
    QButtonGroup *m_tooltipType;
    QCheckBox *m_noTooltipInPopups;
    QCheckBox *m_commentUnderImage;
    QCheckBox *m_rootRelative;
    QLineEdit *m_root;
    QPushButton *m_rootBrowse;
};
