#include "shell/options/thumbnailsizebox.h"

#include "shell/options/optionsvalidation.h"
#include "shell/widgets/colorswatch.h"
#include "shell/widgets/updownedit.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QVBoxLayout>

namespace {
constexpr int kMaxSide = 65535;
}

ThumbnailSizeBox::ThumbnailSizeBox(const BuildVignetteOptions &options, bool tooltips, QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    buildModes(options, tooltips);
    buildQuality(options);
    updateEnabled();
}

void ThumbnailSizeBox::buildModes(const BuildVignetteOptions &options, bool tooltips)
{
    auto *box = new QGroupBox(QStringLiteral("Taille des vignettes"), this);
    NameControl(box, QStringLiteral("thumbnailSizeGroup"), box->title());
    auto *grid = new QGridLayout(box);
    m_modes = new QButtonGroup(this);
    const QStringList texts = {QStringLiteral("Taille automatique : "),
                               QStringLiteral("Taille fixée :"),
                               QStringLiteral("La plus petite des deux dimensions est fixée  :"),
                               QStringLiteral("La plus grande des deux dimensions est fixée  :"),
                               QStringLiteral("La largeur est fixée à N pixels :"),
                               QStringLiteral("La hauteur est fixée à N pixels :")};
    const QStringList names = {QStringLiteral("sizeAutomatic"), QStringLiteral("sizeFixed"),
                               QStringLiteral("sizeSmallest"),  QStringLiteral("sizeBiggest"),
                               QStringLiteral("sizeWidth"),     QStringLiteral("sizeHeight")};
    for (int i = 0; i < texts.size(); ++i)
        grid->addWidget(AddRadio(m_modes, i, texts[i], names[i], box), i, 0);

    m_percent = new UpDownEdit(PercentStep, box);
    NameControl(m_percent->edit(), QStringLiteral("percentSize"),
                QStringLiteral("Pourcentage de la taille de l'image de départ"));
    m_percent->setValue(options.PercentSize);
    m_percentLabel = new QLabel(box);
    m_percentLabel->setObjectName(QStringLiteral("percentLabel"));
    auto *percentRow = new QHBoxLayout;
    percentRow->addWidget(m_percent);
    percentRow->addWidget(m_percentLabel, 1);
    grid->addLayout(percentRow, 0, 1);

    m_width = CreateNumberEdit(QStringLiteral("fixedWidth"), options.FixedSize.cx, box);
    m_width->setAccessibleName(QStringLiteral("Largeur fixée"));
    m_height = CreateNumberEdit(QStringLiteral("fixedHeight"), options.FixedSize.cy, box);
    m_height->setAccessibleName(QStringLiteral("Hauteur fixée"));
    m_times = new QLabel(QStringLiteral("x"), box);
    m_background = new ColorSwatch(box);
    m_background->setObjectName(QStringLiteral("thumbnailBackground"));
    m_background->setColor(options.BackgroundColor);
    m_background->setOpensPicker(true, tooltips);
    m_colorLabel = CreateBuddyLabel(QStringLiteral("Couleur du fond :"), m_background, box);
    auto *fixedRow = new QHBoxLayout;
    for (QWidget *w : {static_cast<QWidget *>(m_width), static_cast<QWidget *>(m_times),
                       static_cast<QWidget *>(m_height), static_cast<QWidget *>(m_colorLabel),
                       static_cast<QWidget *>(m_background)})
        fixedRow->addWidget(w);
    fixedRow->addStretch();
    grid->addLayout(fixedRow, 1, 1);

    m_side = CreateNumberEdit(QStringLiteral("sidePixels"), options.SmallestBiggestSize, box);
    m_side->setAccessibleName(QStringLiteral("Nombre de pixels N"));
    grid->addWidget(m_side, 2, 1, 4, 1, Qt::AlignLeft | Qt::AlignVCenter);
    layout()->addWidget(box);

    if (QAbstractButton *radio = m_modes->button(RadioOfSizeMode(options.IsPercentSize)))
        radio->setChecked(true);
    else
        m_modes->button(0)->setChecked(true);
    updatePercentLabel();
    connect(m_modes, &QButtonGroup::idToggled, this, [this] { updateEnabled(); });
    connect(m_percent, &UpDownEdit::textChanged, this, [this] { updatePercentLabel(); });
}

void ThumbnailSizeBox::buildQuality(const BuildVignetteOptions &options)
{
    auto *box = new QGroupBox(QStringLiteral("Compression JPEG :"), this);
    auto *row = new QHBoxLayout(box);
    m_quality = new QSlider(Qt::Horizontal, box);
    NameControl(m_quality, QStringLiteral("jpegQuality"), box->title());
    m_quality->setRange(25, 98);
    m_quality->setTickInterval(5);
    m_quality->setTickPosition(QSlider::TicksBelow);
    m_quality->setValue(options.JpegQuality);
    row->addWidget(new QLabel(QStringLiteral("Mauvaise qualité\nfichier plus petit"), box));
    row->addWidget(m_quality, 1);
    row->addWidget(new QLabel(QStringLiteral("Bonne qualité\nfichier plus gros"), box));
    layout()->addWidget(box);
}

void ThumbnailSizeBox::updateEnabled()
{
    const int radio = m_modes->checkedId();
    m_percent->setEnabled(radio == 0);
    m_percentLabel->setEnabled(radio == 0);
    for (QWidget *w : {static_cast<QWidget *>(m_width), static_cast<QWidget *>(m_height),
                       static_cast<QWidget *>(m_times), static_cast<QWidget *>(m_colorLabel),
                       static_cast<QWidget *>(m_background)})
        w->setEnabled(radio == 1);
    m_side->setEnabled(radio >= 2);
}

void ThumbnailSizeBox::updatePercentLabel()
{
    bool ok = false;
    const int percent = m_percent->edit()->text().trimmed().toInt(&ok);
    const QString shown = ok ? QString::number(percent) : m_percent->edit()->text();
    m_percentLabel->setText(QStringLiteral("%1 % de la taille de l'image de départ").arg(shown));
}

std::optional<FieldError> ThumbnailSizeBox::validate(BuildVignetteOptions &options) const
{
    BuildVignetteOptions read = options;
    if (auto error = ReadNumber(m_percent->edit(), 1, 100, read.PercentSize))
        return error;
    if (auto error = ReadNumber(m_width, 0, kMaxSide, read.FixedSize.cx))
        return error;
    if (auto error = ReadNumber(m_height, 0, kMaxSide, read.FixedSize.cy))
        return error;
    if (auto error = ReadNumber(m_side, 0, kMaxSide, read.SmallestBiggestSize))
        return error;
    const QString zero = QStringLiteral("Merci d'entrer une taille non nulle");
    if (read.SmallestBiggestSize == 0)
        return FieldError{QStringLiteral("Erreur"), zero, m_side};
    if (read.FixedSize.cx == 0)
        return FieldError{QStringLiteral("Erreur"), zero, m_width};
    if (read.FixedSize.cy == 0)
        return FieldError{QStringLiteral("Erreur"), zero, m_height};
    read.IsPercentSize = SizeModeOfRadio(m_modes->checkedId());
    read.BackgroundColor = m_background->color();
    read.JpegQuality = m_quality->value();
    options = read;
    return std::nullopt;
}
