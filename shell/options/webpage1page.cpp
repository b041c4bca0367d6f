#include "shell/options/webpage1page.h"

#include "document/imageprobe.h"
#include "document/thumbnailpath.h"
#include "shell/options/optionsvalidation.h"
#include "shell/widgets/colorswatch.h"
#include "shell/widgets/imagefiledialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

WebPage1Page::WebPage1Page(const GalleryOptions &options, const GeneralOptions &general, Profile &profile,
                           QWidget *parent)
    : OptionsPage(general, parent), m_values(options.WebPage1), m_profile(profile)
{
    auto *layout = new QVBoxLayout(this);
    auto *titleRow = new QFormLayout;
    m_title = new QLineEdit(m_values.PageTitle, this);
    m_title->setObjectName(QStringLiteral("pageTitle"));
    titleRow->addRow(CreateBuddyLabel(QStringLiteral("Titre de la page Web :"), m_title, this), m_title);
    layout->addLayout(titleRow);
    buildDesign();
    buildColors();
    buildBackground();
    m_protect = new QCheckBox(QStringLiteral("\"Proteger\" les images (anti clic droit)"), this);
    m_protect->setObjectName(QStringLiteral("protectImages"));
    m_protect->setChecked(m_values.ProtectImage != 0);
    layout->addWidget(m_protect);
    layout->addStretch();
    updateEnabled();
}

void WebPage1Page::buildDesign()
{
    auto *box = new QGroupBox(QStringLiteral("Modèle de page"), this);
    auto *grid = new QGridLayout(box);
    auto *group = new QButtonGroup(this);
    m_defaultPage = static_cast<QRadioButton *>(AddRadio(group, 1, QStringLiteral("Page par défaut"),
                                                         QStringLiteral("defaultPage"), box));
    m_customPage = static_cast<QRadioButton *>(AddRadio(group, 0, QStringLiteral("Page personnalisée : "),
                                                        QStringLiteral("customPage"), box));
    m_customPath = new QLineEdit(m_values.PersonnalizedPagePath, box);
    NameControl(m_customPath, QStringLiteral("customPagePath"), QStringLiteral("Chemin de la page personnalisée"));
    m_modernPage = static_cast<QRadioButton *>(
        AddRadio(group, 2, QStringLiteral("Page moderne (mobiles et écrans haute définition)"),
                 QStringLiteral("modernPage"), box));
    m_customBrowse = new QPushButton(QStringLiteral("Parcourir..."), box);
    NameControl(m_customBrowse, QStringLiteral("customPageBrowse"),
                QStringLiteral("Parcourir pour la page personnalisée"));
    grid->addWidget(m_defaultPage, 0, 0, 1, 3);
    grid->addWidget(m_customPage, 1, 0);
    grid->addWidget(m_customPath, 1, 1);
    grid->addWidget(m_customBrowse, 1, 2);
    grid->addWidget(m_modernPage, 2, 0, 1, 3);
    (m_values.UsesModernPage() ? m_modernPage : m_values.DefaultPage ? m_defaultPage : m_customPage)
        ->setChecked(true);
    layout()->addWidget(box);
    connect(group, &QButtonGroup::idToggled, this, [this] { updateEnabled(); });
    connect(m_customBrowse, &QPushButton::clicked, this, &WebPage1Page::browseCustomPage);
}

void WebPage1Page::buildColors()
{
    auto *box = new QGroupBox(QStringLiteral("Couleurs"), this);
    auto *grid = new QGridLayout(box);
    const QString texts[4] = {QStringLiteral("Couleur du fond :"), QStringLiteral("Couleur du texte :"),
                              QStringLiteral("Couleur des liens :"), QStringLiteral("Couleur des bordures :")};
    const QString names[4] = {QStringLiteral("pageBackgroundColor"), QStringLiteral("pageTextColor"),
                              QStringLiteral("pageLinkColor"), QStringLiteral("pageBorderColor")};
    const COLORREF values[4] = {m_values.BackgroundColor, m_values.TextColor, m_values.Link, m_values.BorderColor};
    for (int i = 0; i < 4; ++i) {
        m_colors[i] = new ColorSwatch(box);
        m_colors[i]->setObjectName(names[i]);
        m_colors[i]->setColor(values[i]);
        m_colors[i]->setOpensPicker(true, tooltipsOn());
        grid->addWidget(CreateBuddyLabel(texts[i], m_colors[i], box), i / 2, (i % 2) * 2);
        grid->addWidget(m_colors[i], i / 2, (i % 2) * 2 + 1);
    }
    layout()->addWidget(box);
}

void WebPage1Page::buildBackground()
{
    auto *row = new QHBoxLayout;
    m_background = new QLineEdit(m_values.BackgroundImagePath, this);
    m_background->setObjectName(QStringLiteral("backgroundImage"));
    auto *browse = new QPushButton(QStringLiteral("Parcourir..."), this);
    NameControl(browse, QStringLiteral("backgroundImageBrowse"), QStringLiteral("Parcourir pour l'image de fond"));
    row->addWidget(CreateBuddyLabel(QStringLiteral("Image de fond :"), m_background, this));
    row->addWidget(m_background, 1);
    row->addWidget(browse);
    static_cast<QVBoxLayout *>(layout())->addLayout(row);
    connect(browse, &QPushButton::clicked, this, &WebPage1Page::browseBackground);
}

void WebPage1Page::updateEnabled()
{
    const bool custom = m_customPage->isChecked();
    m_customPath->setEnabled(custom);
    m_customBrowse->setEnabled(custom);
}

void WebPage1Page::browseCustomPage()
{
    const QString path = QFileDialog::getOpenFileName(
        this, QString(), QFileInfo(m_customPath->text()).path(),
        QStringLiteral("fichiers html (*.html *.htm);;Tous les fichiers (*)"));
    if (!path.isEmpty())
        m_customPath->setText(QDir::toNativeSeparators(path));
}

void WebPage1Page::browseBackground()
{
    ImageFileDialog dialog(m_profile, false, this);
    if (!m_background->text().isEmpty())
        dialog.selectFile(m_background->text());
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        m_background->setText(QDir::toNativeSeparators(dialog.selectedFiles().constFirst()));
}

std::optional<FieldError> WebPage1Page::validate()
{
    WebPage1Options read = m_values;
    read.PageTitle = m_title->text();
    // The modern design keeps DefaultPage set: copies that do not know it use the default one.
    read.DefaultPage = m_customPage->isChecked() ? 0 : 1;
    read.ModernPage = m_modernPage->isChecked() ? 1 : 0;
    read.PersonnalizedPagePath = m_customPath->text();
    if (!read.DefaultPage) {
        const QString message = CustomPageError(read.PersonnalizedPagePath);
        if (!message.isEmpty())
            return FieldError{QStringLiteral("Erreur"), message, m_customPath};
    }
    read.BackgroundColor = m_colors[0]->color();
    read.TextColor = m_colors[1]->color();
    read.Link = m_colors[2]->color();
    read.BorderColor = m_colors[3]->color();
    read.BackgroundImagePath = m_background->text();
    if (!read.BackgroundImagePath.isEmpty()) {
        if (DimensionText(read.BackgroundImagePath) == NotAnImageText())
            return FieldError{QStringLiteral("Erreur"),
                              QStringLiteral("Le chemin spécifié pour l'image de fond ne correspond pas à une image..."),
                              m_background};
        read.BackgroundImagePath = OnDiskPath(read.BackgroundImagePath);
        m_background->setText(read.BackgroundImagePath);
    }
    read.ProtectImage = m_protect->isChecked() ? 1 : 0;
    m_values = read;
    return std::nullopt;
}

void WebPage1Page::store(GalleryOptions &options) const { options.WebPage1 = m_values; }

void WebPage1Page::saveGroup(const GalleryOptions &options, Profile &profile) const
{
    options.WebPage1.SaveToRegistry(profile);
}
