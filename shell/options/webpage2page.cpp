#include "shell/options/webpage2page.h"

#include "shell/options/optionsvalidation.h"
#include "shell/widgets/hyperlinklabel.h"
#include "shell/widgets/updownedit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kMaxCount = 0x7FFFFFFF;
}

WebPage2Page::WebPage2Page(const GalleryOptions &options, const GeneralOptions &general, QWidget *parent)
    : OptionsPage(general, parent), m_values(options.WebPage2)
{
    new QVBoxLayout(this);
    buildCounts();
    buildTooltips();
    buildRoot();
    static_cast<QVBoxLayout *>(layout())->addStretch();
    updateEnabled();
}

void WebPage2Page::buildCounts()
{
    auto *box = new QGroupBox(QStringLiteral("Disposition des images"), this);
    auto *grid = new QGridLayout(box);
    const bool perLineOn = CountLimitOn(m_values.NbImageOnOneLine);
    m_perLineOn = new QCheckBox(QStringLiteral("Nombre d'images sur une ligne :"), box);
    m_perLineOn->setObjectName(QStringLiteral("imagesPerLineOn"));
    m_perLineOn->setChecked(perLineOn);
    m_perLine = CreateNumberEdit(QStringLiteral("imagesPerLine"), CountValue(m_values.NbImageOnOneLine), box);
    m_perLine->setAccessibleName(QStringLiteral("Nombre d'images sur une ligne"));
    m_linesOn = new QCheckBox(QStringLiteral("Nombre de lignes sur une page :"), box);
    m_linesOn->setObjectName(QStringLiteral("linesPerPageOn"));
    // Without a line limit there is no page limit either.
    m_linesOn->setChecked(perLineOn && CountLimitOn(m_values.NbLineOnOnePage));
    m_lines = CreateNumberEdit(QStringLiteral("linesPerPage"), CountValue(m_values.NbLineOnOnePage), box);
    m_lines->setAccessibleName(QStringLiteral("Nombre de lignes sur une page"));
    m_endLastLine = new QCheckBox(QStringLiteral("Terminer la dernière ligne"), box);
    m_endLastLine->setObjectName(QStringLiteral("endLastLine"));
    m_endLastLine->setChecked(m_values.EndLastLine != 0);
    m_border = new UpDownEdit(BorderSizeStep, box);
    m_border->edit()->setObjectName(QStringLiteral("borderSize"));
    m_border->setValue(m_values.BorderSize);
    grid->addWidget(m_perLineOn, 0, 0);
    grid->addWidget(m_perLine, 0, 1);
    grid->addWidget(m_endLastLine, 0, 2);
    grid->addWidget(m_linesOn, 1, 0);
    grid->addWidget(m_lines, 1, 1);
    grid->addWidget(CreateBuddyLabel(QStringLiteral("Taille de la bordure autour des images :"), m_border->edit(), box),
                    2, 0);
    grid->addWidget(m_border, 2, 1);
    layout()->addWidget(box);
    connect(m_perLineOn, &QCheckBox::toggled, this, [this] { updateEnabled(); });
    connect(m_linesOn, &QCheckBox::toggled, this, [this] { updateEnabled(); });
}

void WebPage2Page::buildTooltips()
{
    const TooltipControls tooltip = CreateTooltipControls(
        {QStringLiteral("Bulles d'information"), QStringLiteral("Utilise le champ \"ALT\" (classique) des images"),
         QStringLiteral("Ne pas mettre d'info-bulle sur les images haute résolution"),
         QStringLiteral("Afficher le commentaire sous l'image haute résolution dans les popups")},
        m_values.ToolTipType, m_values.NoTooltipInPopups != 0, m_values.CommentUnderImage != 0, this);
    m_tooltipType = tooltip.type;
    m_noTooltipInPopups = tooltip.noTooltipInPopups;
    m_commentUnderImage = tooltip.commentUnderImage;
    QGroupBox *box = tooltip.box;
    auto *column = static_cast<QVBoxLayout *>(box->layout());
    column->addWidget(CreateExampleLink(QStringLiteral("exemple_tooltips.html"), QStringLiteral("tooltipsExample"), box),
                      0, Qt::AlignRight);
    layout()->addWidget(box);
    connect(m_tooltipType, &QButtonGroup::idToggled, this, [this] { updateEnabled(); });
    connect(m_noTooltipInPopups, &QCheckBox::toggled, this, [this] { updateEnabled(); });
}

void WebPage2Page::buildRoot()
{
    auto *box = new QGroupBox(QStringLiteral("Liens"), this);
    auto *grid = new QGridLayout(box);
    m_rootRelative = new QCheckBox(QStringLiteral("Tous les chemins sont relatifs à la racine du site web :"), box);
    m_rootRelative->setObjectName(QStringLiteral("rootRelativePath"));
    m_rootRelative->setChecked(m_values.RootRelativePath != 0);
    m_root = new QLineEdit(m_values.RootPath, box);
    m_root->setObjectName(QStringLiteral("rootPath"));
    m_rootBrowse = new QPushButton(QStringLiteral("Parcourir..."), box);
    NameControl(m_rootBrowse, QStringLiteral("rootPathBrowse"), QStringLiteral("Parcourir pour le répertoire racine"));
    grid->addWidget(m_rootRelative, 0, 0, 1, 3);
    grid->addWidget(CreateBuddyLabel(QStringLiteral("Répertoire racine du site Web :"), m_root, box), 1, 0);
    grid->addWidget(m_root, 1, 1);
    grid->addWidget(m_rootBrowse, 1, 2);
    layout()->addWidget(box);
    connect(m_rootRelative, &QCheckBox::toggled, this, [this] { updateEnabled(); });
    connect(m_rootBrowse, &QPushButton::clicked, this, &WebPage2Page::browseRoot);
}

void WebPage2Page::updateEnabled()
{
    const bool perLine = m_perLineOn->isChecked();
    m_perLine->setEnabled(perLine);
    m_endLastLine->setEnabled(perLine);
    m_linesOn->setEnabled(perLine);
    m_lines->setEnabled(perLine && m_linesOn->isChecked());
    const bool tooltips = m_tooltipType->checkedId() != 2;
    m_noTooltipInPopups->setEnabled(tooltips);
    m_commentUnderImage->setEnabled(tooltips && !m_noTooltipInPopups->isChecked());
    m_root->setEnabled(m_rootRelative->isChecked());
    m_rootBrowse->setEnabled(m_rootRelative->isChecked());
}

void WebPage2Page::browseRoot()
{
    const QString folder = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Sélectionnez le répertoire racine de votre site web"), m_root->text());
    if (!folder.isEmpty())
        m_root->setText(QDir::toNativeSeparators(folder));
}

std::optional<FieldError> WebPage2Page::validate()
{
    WebPage2Options read = m_values;
    // A count that is switched off may hold any number, since its edit
    // cannot be reached to correct it.
    const bool perLineOn = m_perLineOn->isChecked();
    const bool linesOn = perLineOn && m_linesOn->isChecked();
    int perLine = 0, lines = 0;
    if (auto error = ReadNumber(m_perLine, perLineOn ? 1 : 0, kMaxCount, perLine))
        return error;
    if (auto error = ReadNumber(m_lines, linesOn ? 1 : 0, kMaxCount, lines))
        return error;
    if (auto error = ReadNumber(m_border->edit(), 0, 10, read.BorderSize))
        return error;
    read.NbImageOnOneLine = CountWithSwitch(perLine, perLineOn);
    read.NbLineOnOnePage = CountWithSwitch(lines, linesOn);
    read.EndLastLine = m_endLastLine->isChecked() ? 1 : 0;
    read.ToolTipType = m_tooltipType->checkedId();
    read.NoTooltipInPopups = m_noTooltipInPopups->isChecked() ? 1 : 0;
    read.CommentUnderImage = m_commentUnderImage->isChecked() ? 1 : 0;
    read.RootRelativePath = m_rootRelative->isChecked() ? 1 : 0;
    read.RootPath = m_root->text();
    if (read.RootRelativePath) {
        const RootFolderCheck check = CheckRootFolder(read.RootPath);
        m_root->setText(check.path);
        if (!check.accepted())
            return FieldError{check.caption, check.message, m_root};
        read.RootPath = check.path;
    }
    m_values = read;
    return std::nullopt;
}

void WebPage2Page::store(GalleryOptions &options) const { options.WebPage2 = m_values; }

void WebPage2Page::saveGroup(const GalleryOptions &options, Profile &profile) const
{
    options.WebPage2.SaveToRegistry(profile);
}
