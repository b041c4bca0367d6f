#include "shell/options/thumbnails1page.h"

#include "shell/options/optionsvalidation.h"
#include "shell/options/thumbnailsizebox.h"
#include "shell/widgets/hyperlinklabel.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

Thumbnails1Page::Thumbnails1Page(const GalleryOptions &options, const GeneralOptions &general, QWidget *parent)
    : OptionsPage(general, parent), m_values(options.BuildVignette)
{
    auto *layout = new QVBoxLayout(this);
    auto *box = new QGroupBox(QStringLiteral("Nom des vignettes"), this);
    auto *grid = new QGridLayout(box);
    m_withPrefixe = new QButtonGroup(this);
    grid->addWidget(AddRadio(m_withPrefixe, 0, QStringLiteral("avec suffixe"), QStringLiteral("withSuffix"), box), 0, 0);
    grid->addWidget(AddRadio(m_withPrefixe, 1, QStringLiteral("avec préfixe"), QStringLiteral("withPrefix"), box), 1, 0);
    m_withPrefixe->button(m_values.WithPrefixe ? 1 : 0)->setChecked(true);
    m_affix = new QLineEdit(m_values.PreSuffixe, box);
    m_affix->setObjectName(QStringLiteral("preSuffix"));
    grid->addWidget(CreateBuddyLabel(QStringLiteral("Préfixe / Suffixe :"), m_affix, box), 0, 1);
    grid->addWidget(m_affix, 0, 2);
    m_example = new QLabel(box);
    m_example->setObjectName(QStringLiteral("thumbnailExample"));
    m_example->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(m_example, 1, 1, 1, 2);
    layout->addWidget(box);
    m_sizes = new ThumbnailSizeBox(m_values, tooltipsOn(), this);
    layout->addWidget(m_sizes);
    layout->addWidget(CreateExampleLink(QStringLiteral("exemple_vignettes.html"), QStringLiteral("thumbnailsExample"),
                                        this),
                      0, Qt::AlignRight);
    layout->addStretch();
    connect(m_withPrefixe, &QButtonGroup::idToggled, this, [this] { updateExample(); });
    connect(m_affix, &QLineEdit::textChanged, this, [this] { updateExample(); });
    updateExample();
}

void Thumbnails1Page::updateExample()
{
    m_example->setText(ThumbnailNameExample(m_withPrefixe->checkedId(), m_affix->text()));
}

std::optional<FieldError> Thumbnails1Page::validate()
{
    BuildVignetteOptions read = m_values;
    if (auto error = m_sizes->validate(read))
        return error;
    read.WithPrefixe = m_withPrefixe->checkedId();
    read.PreSuffixe = m_affix->text();
    const QString message = FixPreSuffixe(read.PreSuffixe);
    if (!message.isEmpty())
        return FieldError{QStringLiteral("Erreur"), message, m_affix};
    m_affix->setText(read.PreSuffixe);
    m_values = read;
    return std::nullopt;
}

void Thumbnails1Page::store(GalleryOptions &options) const
{
    BuildVignetteOptions &o = options.BuildVignette;
    o.WithPrefixe = m_values.WithPrefixe;
    o.PreSuffixe = m_values.PreSuffixe;
    o.IsPercentSize = m_values.IsPercentSize;
    o.PercentSize = m_values.PercentSize;
    o.FixedSize = m_values.FixedSize;
    o.BackgroundColor = m_values.BackgroundColor;
    o.JpegQuality = m_values.JpegQuality;
    o.SmallestBiggestSize = m_values.SmallestBiggestSize;
}

void Thumbnails1Page::saveGroup(const GalleryOptions &options, Profile &profile) const
{
    options.BuildVignette.SaveToRegistry(profile);
}
