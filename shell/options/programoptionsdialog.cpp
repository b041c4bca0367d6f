#include "shell/options/programoptionsdialog.h"

#include "shell/common/dialogtooltips.h"
#include "shell/widgets/dialogbuttons.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

ProgramOptionsDialog::ProgramOptionsDialog(const GeneralOptions &options, QWidget *parent)
    : QDialog(parent), m_options(options)
{
    setWindowTitle(QStringLiteral("Options du programme..."));
    auto *layout = new QVBoxLayout(this);
    m_pages = new QTabWidget(this);
    m_pages->setAccessibleName(QStringLiteral("Pages des options"));
    m_pages->addTab(createGeneralPage(), QStringLiteral("Général"));
    layout->addWidget(m_pages);
    auto *buttons = MakeOkCancelButtons(this);
    layout->addWidget(buttons);
    ApplyDialogTooltips(this, m_options.DisplayTooltipsInDialogs == 1);
}

QButtonGroup *ProgramOptionsDialog::addRadioGroup(QWidget *page, const QString &title, const QStringList &texts,
                                                  const QStringList &names, int checked)
{
    auto *box = new QGroupBox(title, page);
    box->setAccessibleName(title.trimmed());
    auto *boxLayout = new QVBoxLayout(box);
    auto *group = new QButtonGroup(box);
    for (int i = 0; i < texts.size(); ++i) {
        auto *radio = new QRadioButton(texts[i], box);
        radio->setObjectName(names[i]);
        group->addButton(radio, i);
        boxLayout->addWidget(radio);
    }
    if (QAbstractButton *button = group->button(checked))
        button->setChecked(true);
    page->layout()->addWidget(box);
    return group;
}

QWidget *ProgramOptionsDialog::createGeneralPage()
{
    auto *page = new QWidget;
    new QVBoxLayout(page);
    m_directories = addRadioGroup(
        page, QStringLiteral("Ouverture des répertoires : "),
        {QStringLiteral("Ouverture récursive des répertoires (Ouvre tous les sous-repertoires)"),
         QStringLiteral("Ouvre les fichier du répertoire mais n'ouvre pas les sous-répertoires"),
         QStringLiteral("N'ouvre aucun répertoire")},
        {QStringLiteral("recursiveDirectories"), QStringLiteral("directoryOnly"), QStringLiteral("noDirectories")},
        DirectoryChoice(m_options));
    m_preview = addRadioGroup(
        page, QStringLiteral("Prévisualisation automatique (lorsque l'image sélectionnée change) : "),
        {QStringLiteral("Affiche la vignette sélectionnée"), QStringLiteral("Affiche l'image sélectionnée"),
         QStringLiteral("N'affiche aucune image automatiquement")},
        {QStringLiteral("previewThumbnail"), QStringLiteral("previewImage"), QStringLiteral("previewNothing")},
        m_options.PreviewWithSelection);
    m_comment = addRadioGroup(
        page,
        QStringLiteral("Edition des commentaires : Cliquer sur l'icone à gauche du commentaire permet : "),
        {QStringLiteral("D'éditer directement le commentaire"),
         QStringLiteral("D'éditer le commentaire à l'aide de l'assistant")},
        {QStringLiteral("commentInPlace"), QStringLiteral("commentAssistant")}, m_options.CommentIconLaunchAssistant);

    m_tooltips = new QCheckBox(QStringLiteral("Afficher les info-bulles dans les dialogues d'option"), page);
    m_tooltips->setObjectName(QStringLiteral("displayTooltips"));
    m_tooltips->setChecked(m_options.DisplayTooltipsInDialogs != 0);
    m_warnings = new QCheckBox(QStringLiteral("Afficher les messages d'erreur et d'information"), page);
    m_warnings->setObjectName(QStringLiteral("displayWarnings"));
    m_warnings->setTristate(true);
    m_warnings->setCheckState(Qt::CheckState(WarningBoxState(m_options.DisabledWarningMessage)));
    // Qt cycles through the partial state; the program never lands on it.
    connect(m_warnings, &QCheckBox::clicked, this, [this] {
        const int before = m_warnings->checkState() == Qt::Checked ? 1 : m_warnings->checkState() == Qt::Unchecked ? 2 : 0;
        // `before` undoes Qt's own step (unchecked -> partial -> checked -> unchecked).
        m_warnings->setCheckState(Qt::CheckState(WarningBoxStateAfterClick(before)));
    });
    m_showPage = new QCheckBox(QStringLiteral("Afficher la page web après sa fabrication"), page);
    m_showPage->setObjectName(QStringLiteral("showPageAfterBuild"));
    m_showPage->setChecked(m_options.ShowWebPageAfterBuild != 0);
    for (QWidget *box : {static_cast<QWidget *>(m_tooltips), static_cast<QWidget *>(m_warnings),
                         static_cast<QWidget *>(m_showPage)})
        page->layout()->addWidget(box);
    static_cast<QVBoxLayout *>(page->layout())->addStretch();
    return page;
}

GeneralOptions ProgramOptionsDialog::options() const
{
    GeneralOptions o = m_options;
    ApplyDirectoryChoice(o, m_directories->checkedId() < 0 ? DirectoryChoice(m_options) : m_directories->checkedId());
    if (m_preview->checkedId() >= 0)
        o.PreviewWithSelection = m_preview->checkedId();
    if (m_comment->checkedId() >= 0)
        o.CommentIconLaunchAssistant = m_comment->checkedId();
    o.DisplayTooltipsInDialogs = m_tooltips->isChecked() ? 1 : 0;
    // Left partial, the box keeps the messages the user silenced one by one.
    if (m_warnings->checkState() != Qt::PartiallyChecked)
        o.DisabledWarningMessage = DisabledMaskFromBox(m_warnings->checkState());
    o.ShowWebPageAfterBuild = m_showPage->isChecked() ? 1 : 0;
    return o;
}
