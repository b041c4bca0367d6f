#include "shell/options/linkspage.h"

#include "shell/options/optionsvalidation.h"
#include "shell/widgets/colorswatch.h"
#include "shell/widgets/hyperlinklabel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

namespace {
constexpr int kMaxSide = 65535;
}

LinksPage::LinksPage(const GalleryOptions &options, const GeneralOptions &general, QWidget *parent)
    : OptionsPage(general, parent), m_values(options.Links)
{
    auto *layout = new QVBoxLayout(this);
    m_isLink = new QCheckBox(QStringLiteral("Mettre un lien vers l'image haute résolution"), this);
    m_isLink->setObjectName(QStringLiteral("isLink"));
    m_isLink->setChecked(m_values.IsLink != 0);
    layout->addWidget(m_isLink);
    buildWindow();
    buildPopup();
    buildZip();
    layout->addWidget(CreateExampleLink(QStringLiteral("exemple_liens.html"), QStringLiteral("linksExample"), this), 0,
                      Qt::AlignRight);
    layout->addStretch();
    connect(m_isLink, &QCheckBox::toggled, this, [this] { updateEnabled(); });
    updateEnabled();
}

void LinksPage::buildWindow()
{
    auto *box = new QGroupBox(QStringLiteral("Ouverture de l'image"), this);
    auto *grid = new QGridLayout(box);
    m_newWindow = new QButtonGroup(this);
    grid->addWidget(AddRadio(m_newWindow, 0,
                             QStringLiteral("Ouvrir l'image dans la fenêtre actuelle\nL'utilisateur devra appuyer sur "
                                            "la touche \"Back\" pour revenir en arrière"),
                             QStringLiteral("linkCurrentWindow"), box),
                    0, 0, 1, 2);
    grid->addWidget(AddRadio(m_newWindow, 1, QStringLiteral("Ouvrir l'image dans une nouvelle fenêtre"),
                             QStringLiteral("linkNewWindow"), box),
                    1, 0, 1, 2);
    m_kind = new QButtonGroup(this);
    grid->addWidget(AddRadio(m_kind, LINK_WINDOW_NORMAL, QStringLiteral("Fenêtre normale"),
                             QStringLiteral("windowNormal"), box),
                    2, 1);
    grid->addWidget(AddRadio(m_kind, LINK_WINDOW_FULLSCREEN, QStringLiteral("Popup plein écran"),
                             QStringLiteral("windowFullScreen"), box),
                    3, 1);
    grid->addWidget(AddRadio(m_kind, LINK_WINDOW_SIZED_POPUP, QStringLiteral("Popup :"), QStringLiteral("windowPopup"),
                             box),
                    4, 1);
    grid->setColumnMinimumWidth(0, 20);
    m_newWindow->button(LinkNewWindow(m_values.LinkType) ? 1 : 0)->setChecked(true);
    m_kind->button(std::clamp(LinkKind(m_values.LinkType), 0, 2))->setChecked(true);
    layout()->addWidget(box);
    connect(m_newWindow, &QButtonGroup::idToggled, this, [this] { updateEnabled(); });
    connect(m_kind, &QButtonGroup::idToggled, this, [this] { updateEnabled(); });
}

void LinksPage::buildPopup()
{
    auto *box = new QWidget(this);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(20, 0, 0, 0);
    m_adapt = new QCheckBox(QStringLiteral("Réduire l'image si la fenêtre est trop petite"), box);
    m_adapt->setObjectName(QStringLiteral("adaptImageSize"));
    m_adapt->setChecked(m_values.AdapImageSize != 0);
    m_allowFullSize = new QCheckBox(QStringLiteral("Permettre d'afficher l'image à sa taille réelle"), box);
    m_allowFullSize->setObjectName(QStringLiteral("allowFullSize"));
    m_allowFullSize->setChecked(m_values.AllowFullSize != 0);
    m_sizeGroup = new QGroupBox(QStringLiteral("Taille :"), box);
    NameControl(m_sizeGroup, QStringLiteral("popupSizeGroup"), m_sizeGroup->title());
    auto *sizes = new QGridLayout(m_sizeGroup);
    m_autoSize = new QButtonGroup(this);
    sizes->addWidget(AddRadio(m_autoSize, 1, QStringLiteral("Automatique (taille de l'image)"),
                              QStringLiteral("popupAutoSize"), m_sizeGroup),
                     0, 0, 1, 4);
    sizes->addWidget(AddRadio(m_autoSize, 0, QStringLiteral("Fixée : "), QStringLiteral("popupFixedSize"), m_sizeGroup),
                     1, 0);
    m_width = CreateNumberEdit(QStringLiteral("popupWidth"), m_values.WindowFixedSize.cx, m_sizeGroup);
    m_width->setAccessibleName(QStringLiteral("Largeur du popup"));
    m_height = CreateNumberEdit(QStringLiteral("popupHeight"), m_values.WindowFixedSize.cy, m_sizeGroup);
    m_height->setAccessibleName(QStringLiteral("Hauteur du popup"));
    sizes->addWidget(m_width, 1, 1);
    sizes->addWidget(new QLabel(QStringLiteral("x"), m_sizeGroup), 1, 2);
    sizes->addWidget(m_height, 1, 3);
    sizes->setColumnStretch(4, 1);
    m_autoSize->button(m_values.WindowAutoSize ? 1 : 0)->setChecked(true);
    m_background = new ColorSwatch(box);
    m_background->setObjectName(QStringLiteral("popupBackgroundColor"));
    m_background->setColor(m_values.PopupBgColor);
    m_background->setOpensPicker(true, tooltipsOn());
    m_colorLabel = CreateBuddyLabel(QStringLiteral("Couleur de fond :"), m_background, box);
    m_specialPopupLink = new QCheckBox(
        QStringLiteral("Continue le chargement des vignettes même si un popup est ouvert (IE5 minimum)"), box);
    m_specialPopupLink->setObjectName(QStringLiteral("specialPopupLink"));
    m_specialPopupLink->setChecked(m_values.SpecialPopupLink != 0);
    grid->addWidget(m_adapt, 0, 0, 1, 3);
    grid->addWidget(m_allowFullSize, 1, 0, 1, 3);
    grid->addWidget(m_sizeGroup, 2, 0, 2, 1);
    grid->addWidget(m_colorLabel, 2, 1);
    grid->addWidget(m_background, 2, 2, Qt::AlignLeft);
    grid->addWidget(m_specialPopupLink, 4, 0, 1, 3);
    layout()->addWidget(box);
    connect(m_adapt, &QCheckBox::toggled, this, [this] { updateEnabled(); });
    connect(m_autoSize, &QButtonGroup::idToggled, this, [this] { updateEnabled(); });
}

void LinksPage::buildZip()
{
    auto *box = new QGroupBox(QStringLiteral("Archive"), this);
    auto *grid = new QGridLayout(box);
    m_zip = new QCheckBox(QStringLiteral("Créer un fichier zip contenant toutes les images haute résolution"), box);
    m_zip->setObjectName(QStringLiteral("zipLink"));
    m_zip->setChecked(m_values.ZipLink != 0);
    m_zipName = new QLineEdit(m_values.ZipName, box);
    m_zipName->setObjectName(QStringLiteral("zipName"));
    grid->addWidget(m_zip, 0, 0, 1, 2);
    grid->addWidget(CreateBuddyLabel(QStringLiteral("Nom du fichier : "), m_zipName, box), 1, 0);
    grid->addWidget(m_zipName, 1, 1);
    layout()->addWidget(box);
    connect(m_zip, &QCheckBox::toggled, this, [this] { updateEnabled(); });
}

void LinksPage::updateEnabled()
{
    const bool link = m_isLink->isChecked();
    const bool windowed = UpdateLinkWindowControls(
        {m_newWindow, m_kind, m_autoSize, m_sizeGroup, m_width, m_height, m_adapt, m_allowFullSize, m_colorLabel, m_background},
        link);
    m_specialPopupLink->setEnabled(windowed);
    m_zipName->setEnabled(m_zip->isChecked());
}

std::optional<FieldError> LinksPage::validate()
{
    LinksOptions read = m_values;
    if (auto error = ReadNumber(m_width, 0, kMaxSide, read.WindowFixedSize.cx))
        return error;
    if (auto error = ReadNumber(m_height, 0, kMaxSide, read.WindowFixedSize.cy))
        return error;
    read.ZipLink = m_zip->isChecked() ? 1 : 0;
    read.ZipName = m_zipName->text();
    if (read.ZipLink) {
        const QString message = FixZipName(read.ZipName);
        if (!message.isEmpty())
            return FieldError{QStringLiteral("Erreur"), message, m_zipName};
        m_zipName->setText(read.ZipName);
    }
    read.IsLink = m_isLink->isChecked() ? 1 : 0;
    read.LinkType = MakeLinkType(m_newWindow->checkedId() == 1, m_kind->checkedId());
    read.WindowAutoSize = m_autoSize->checkedId();
    read.AdapImageSize = m_adapt->isChecked() ? 1 : 0;
    read.AllowFullSize = m_allowFullSize->isChecked() ? 1 : 0;
    read.PopupBgColor = m_background->color();
    read.SpecialPopupLink = m_specialPopupLink->isChecked() ? 1 : 0;
    m_values = read;
    return std::nullopt;
}

void LinksPage::store(GalleryOptions &options) const { options.Links = m_values; }

void LinksPage::saveGroup(const GalleryOptions &options, Profile &profile) const
{
    options.Links.SaveToRegistry(profile);
}
