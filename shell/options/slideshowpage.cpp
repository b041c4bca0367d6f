#include "shell/options/slideshowpage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QVBoxLayout>

namespace {
constexpr int kMaxSide = 65535;
QString SpeedText(int seconds) { return QStringLiteral("%1 s").arg(seconds); }
} // namespace

SlideshowPage::SlideshowPage(const GalleryOptions &options, const GeneralOptions &general, QWidget *parent)
    : OptionsPage(general, parent), m_values(options.Diaporama)
{
    new QVBoxLayout(this);
    buildKind();
    buildButtonsAndOrder();
    buildSize();
    static_cast<QVBoxLayout *>(layout())->addStretch();
    updateEnabled();
}

void SlideshowPage::buildKind()
{
    auto *box = new QGroupBox(QStringLiteral("Type de diaporama"), this);
    auto *grid = new QGridLayout(box);
    m_kind = new QButtonGroup(this);
    grid->addWidget(AddRadio(m_kind, 0, QStringLiteral("Défilement automatique"),
                             QStringLiteral("slideshowAutomatic"), box), 0, 0, 1, 3);
    grid->addWidget(AddRadio(m_kind, 1, QStringLiteral("Défilement manuel"), QStringLiteral("slideshowManual"), box),
                    1, 0, 1, 3);
    grid->addWidget(AddRadio(m_kind, 2, QStringLiteral("Diaporama des vignettes"),
                             QStringLiteral("slideshowThumbnails"), box), 2, 0, 1, 3);
    if (QAbstractButton *radio = m_kind->button(m_values.AutoOrUser))
        radio->setChecked(true);
    else
        m_kind->button(0)->setChecked(true);
    m_speed = new QSlider(Qt::Horizontal, box);
    m_speed->setObjectName(QStringLiteral("slideshowSpeed"));
    m_speed->setRange(2, 30);
    m_speed->setValue(m_values.Speed);
    m_speedLabel = CreateBuddyLabel(
        QStringLiteral("Temps minimum d'affichage de chaque image en mode automatique : "), m_speed, box);
    m_speedText = new QLabel(SpeedText(m_speed->value()), box);
    m_speedText->setObjectName(QStringLiteral("slideshowSpeedText"));
    grid->addWidget(m_speedLabel, 3, 0, 1, 3);
    grid->addWidget(m_speed, 4, 0, 1, 2);
    grid->addWidget(m_speedText, 4, 2);
    layout()->addWidget(box);
    connect(m_kind, &QButtonGroup::idToggled, this, [this] { updateEnabled(); });
    connect(m_speed, &QSlider::valueChanged, this, [this](int seconds) {
        m_speedText->setText(SpeedText(seconds));
        if (seconds != m_values.Speed)
            m_modified = true;
    });
}

void SlideshowPage::buildButtonsAndOrder()
{
    m_closeOrBackBox = new QGroupBox(QStringLiteral("Bouton"), this);
    auto *column = new QVBoxLayout(m_closeOrBackBox);
    m_closeOrBack = new QButtonGroup(this);
    column->addWidget(AddRadio(m_closeOrBack, 0, QStringLiteral("Le diaporama a un bouton \"Fermer\""),
                               QStringLiteral("slideshowCloseButton"), m_closeOrBackBox));
    column->addWidget(AddRadio(m_closeOrBack, 1, QStringLiteral("Le diaporama a un bouton \"Retour\""),
                               QStringLiteral("slideshowBackButton"), m_closeOrBackBox));
    m_closeOrBack->button(m_values.CloseOrBack ? 1 : 0)->setChecked(true);
    layout()->addWidget(m_closeOrBackBox);
    m_loop = new QCheckBox(QStringLiteral("Diaporama en boucle"), this);
    m_loop->setObjectName(QStringLiteral("slideshowLoop"));
    m_loop->setChecked(m_values.NoLoop == 0);
    m_random = new QCheckBox(QStringLiteral("Ordre aléatoire"), this);
    m_random->setObjectName(QStringLiteral("slideshowRandom"));
    m_random->setChecked(m_values.Random != 0);
    layout()->addWidget(m_loop);
    layout()->addWidget(m_random);
    connect(m_random, &QCheckBox::toggled, this, [this] { updateEnabled(); });
}

void SlideshowPage::buildSize()
{
    m_sizeBox = new QGroupBox(QStringLiteral("Taille des vignettes"), this);
    auto *grid = new QGridLayout(m_sizeBox);
    m_sizeMode = new QButtonGroup(this);
    grid->addWidget(AddRadio(m_sizeMode, 0, QStringLiteral("Taille automatique"), QStringLiteral("slideshowSizeAuto"),
                             m_sizeBox), 0, 0, 1, 4);
    grid->addWidget(AddRadio(m_sizeMode, 1, QStringLiteral("Taille fixée manuellement : "),
                             QStringLiteral("slideshowSizeFixed"), m_sizeBox), 1, 0);
    m_sizeMode->button(m_values.VignetteDiapoSizeMode ? 1 : 0)->setChecked(true);
    m_width = CreateNumberEdit(QStringLiteral("slideshowWidth"), m_values.VignetteDiapoSizeWidth, m_sizeBox);
    m_width->setAccessibleName(QStringLiteral("Largeur des vignettes du diaporama"));
    m_height = CreateNumberEdit(QStringLiteral("slideshowHeight"), m_values.VignetteDiapoSizeHeight, m_sizeBox);
    m_height->setAccessibleName(QStringLiteral("Hauteur des vignettes du diaporama"));
    grid->addWidget(m_width, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("x"), m_sizeBox), 1, 2);
    grid->addWidget(m_height, 1, 3);
    layout()->addWidget(m_sizeBox);
    connect(m_sizeMode, &QButtonGroup::idToggled, this, [this] { updateEnabled(); });
}

void SlideshowPage::updateEnabled()
{
    const int kind = m_kind->checkedId();
    m_speed->setEnabled(kind != 1);
    m_speedLabel->setEnabled(kind != 1);
    m_speedText->setEnabled(kind != 1);
    m_closeOrBackBox->setVisible(kind != 2);
    m_sizeBox->setVisible(kind == 2);
    m_random->setEnabled(kind == 0);
    m_loop->setEnabled(kind != 0 || !m_random->isChecked());
    const bool fixed = m_sizeMode->checkedId() == 1;
    m_width->setEnabled(fixed);
    m_height->setEnabled(fixed);
}

std::optional<FieldError> SlideshowPage::validate()
{
    DiaporamaOptions read = m_values;
    if (auto error = ReadNumber(m_width, 1, kMaxSide, read.VignetteDiapoSizeWidth))
        return error;
    if (auto error = ReadNumber(m_height, 1, kMaxSide, read.VignetteDiapoSizeHeight))
        return error;
    read.AutoOrUser = m_kind->checkedId();
    read.Speed = m_speed->value();
    read.CloseOrBack = m_closeOrBack->checkedId();
    read.NoLoop = m_loop->isChecked() ? 0 : 1;
    read.Random = m_random->isChecked() ? 1 : 0;
    read.VignetteDiapoSizeMode = m_sizeMode->checkedId();
    m_values = read;
    return std::nullopt;
}

void SlideshowPage::store(GalleryOptions &options) const { options.Diaporama = m_values; }

void SlideshowPage::saveGroup(const GalleryOptions &options, Profile &profile) const
{
    options.Diaporama.SaveToRegistry(profile);
}
