#include "shell/options/thumbnails2page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

Thumbnails2Page::Thumbnails2Page(const GalleryOptions &options, const GeneralOptions &general, QWidget *parent)
    : OptionsPage(general, parent), m_values(options.BuildVignette)
{
    auto *layout = new QVBoxLayout(this);
    m_reject = new QCheckBox(QStringLiteral("Rejeter l'image si elle porte un nom de vignette"), this);
    m_reject->setObjectName(QStringLiteral("rejectThumbnailNames"));
    m_reject->setChecked(m_values.RejectFileWithVignetteName != 0);
    layout->addWidget(m_reject);
    auto *box = new QGroupBox(QStringLiteral("Si la vignette correspondante n'existe pas : "), this);
    NameControl(box, QStringLiteral("missingThumbnailGroup"), box->title());
    auto *column = new QVBoxLayout(box);
    m_action = new QButtonGroup(this);
    const QStringList texts = {
        QStringLiteral("La créer"), QStringLiteral("La créer lors de la fabriquation de la page web"),
        QStringLiteral("Ne pas la créer (inclus directement l'image haute résolution dans la page web)"),
        QStringLiteral("Ne pas ajouter l'image à la liste")};
    const QStringList names = {QStringLiteral("createThumbnailNow"), QStringLiteral("createThumbnailWithPage"),
                               QStringLiteral("useImageAsThumbnail"), QStringLiteral("dontAddImage")};
    for (int i = 0; i < texts.size(); ++i)
        column->addWidget(AddRadio(m_action, i, texts[i], names[i], box));
    if (QAbstractButton *radio = m_action->button(m_values.IfDoNotExistAction))
        radio->setChecked(true);
    else
        m_action->button(1)->setChecked(true);
    layout->addWidget(box);
    layout->addStretch();
}

std::optional<FieldError> Thumbnails2Page::validate()
{
    m_values.RejectFileWithVignetteName = m_reject->isChecked() ? 1 : 0;
    m_values.IfDoNotExistAction = m_action->checkedId();
    return std::nullopt;
}

void Thumbnails2Page::store(GalleryOptions &options) const
{
    options.BuildVignette.RejectFileWithVignetteName = m_values.RejectFileWithVignetteName;
    options.BuildVignette.IfDoNotExistAction = m_values.IfDoNotExistAction;
}

void Thumbnails2Page::saveGroup(const GalleryOptions &options, Profile &profile) const
{
    options.BuildVignette.SaveToRegistry(profile);
}
