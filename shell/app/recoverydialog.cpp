#include "shell/app/recoverydialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

QString RecoveryCopyTitle(const RecoveryCopy &copy)
{
    const QString name = copy.Name();
    return name.isEmpty() ? QStringLiteral("Sans titre") : name;
}

QString RecoveryCopyTimeText(const RecoveryCopy &copy)
{
    return QLocale(QLocale::French, QLocale::France)
        .toString(copy.Time.toLocalTime(), QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}

RecoveryDialog::RecoveryDialog(QList<RecoveryCopy> copies, OpenCopy open, QWidget *parent)
    : QDialog(parent), m_copies(std::move(copies)), m_open(std::move(open))
{
    setWindowTitle(QStringLiteral("Récupération de documents"));
    setAccessibleName(windowTitle());
    auto *layout = new QVBoxLayout(this);
    auto *text = new QLabel(QStringLiteral("Gallorim s'est arrêté sans que ces galeries soient enregistrées. "
                                           "Choisissez pour chacune de l'ouvrir ou de l'abandonner ; "
                                           "les autres vous seront proposées au prochain démarrage."),
                            this);
    text->setWordWrap(true);
    layout->addWidget(text);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("copies"));
    m_list->setAccessibleName(QStringLiteral("Copies de récupération"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({QStringLiteral("Galerie"), QStringLiteral("Copie du")});
    for (const RecoveryCopy &copy : std::as_const(m_copies)) {
        auto *item = new QTreeWidgetItem(m_list, {RecoveryCopyTitle(copy), RecoveryCopyTimeText(copy)});
        item->setToolTip(0, copy.ProjectPath);
    }
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_list->setCurrentItem(m_list->topLevelItem(0));
    text->setBuddy(m_list);
    layout->addWidget(m_list);

    auto *buttons = new QDialogButtonBox(this);
    m_openButton = buttons->addButton(QStringLiteral("&Ouvrir"), QDialogButtonBox::ActionRole);
    m_openButton->setObjectName(QStringLiteral("open"));
    m_openButton->setAccessibleName(QStringLiteral("Ouvrir la copie choisie"));
    m_discardButton = buttons->addButton(QStringLiteral("A&bandonner"), QDialogButtonBox::ActionRole);
    m_discardButton->setObjectName(QStringLiteral("discard"));
    m_discardButton->setAccessibleName(QStringLiteral("Abandonner la copie choisie"));
    QPushButton *later = buttons->addButton(QStringLiteral("&Plus tard"), QDialogButtonBox::RejectRole);
    later->setObjectName(QStringLiteral("later"));
    later->setAccessibleName(QStringLiteral("Fermer et garder les copies restantes"));
    layout->addWidget(buttons);

    connect(m_openButton, &QPushButton::clicked, this, &RecoveryDialog::openSelected);
    connect(m_discardButton, &QPushButton::clicked, this, &RecoveryDialog::discardSelected);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::currentItemChanged, this, &RecoveryDialog::updateButtons);
    connect(m_list, &QTreeWidget::itemActivated, this, &RecoveryDialog::openSelected);
    m_openButton->setDefault(true);
    updateButtons();
    resize(520, 280);
}

void RecoveryDialog::openSelected()
{
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    if (row < 0)
        return;
    if (m_open && m_open(m_copies[row]))
        removeRow(row);
}

void RecoveryDialog::discardSelected()
{
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    if (row < 0)
        return;
    RecoveryStore::Remove(m_copies[row].CopyPath);
    removeRow(row);
}

void RecoveryDialog::removeRow(int row)
{
    m_copies.removeAt(row);
    delete m_list->takeTopLevelItem(row);
    if (m_copies.isEmpty())
        accept();
    updateButtons();
}

void RecoveryDialog::updateButtons()
{
    const bool chosen = m_list->currentItem() != nullptr;
    m_openButton->setEnabled(chosen);
    m_discardButton->setEnabled(chosen);
}
