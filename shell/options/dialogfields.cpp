#include "shell/options/dialogfields.h"

#include "document/galleryoptions.h"
#include "shell/common/helppages.h"
#include "shell/common/linkopening.h"
#include "shell/widgets/hyperlinklabel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {
// "Image de fond :" is announced as "Image de fond".
QString SpokenName(QString text)
{
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.remove(QLatin1Char('&'));
    text = text.trimmed();
    while (text.endsWith(QLatin1Char(':')))
        text = text.chopped(1).trimmed();
    return text;
}
} // namespace

void NameControl(QWidget *control, const QString &objectName, const QString &accessibleName)
{
    control->setObjectName(objectName);
    if (!accessibleName.isEmpty())
        control->setAccessibleName(SpokenName(accessibleName));
}

QLabel *CreateBuddyLabel(const QString &text, QWidget *field, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(field);
    if (field->accessibleName().isEmpty())
        field->setAccessibleName(SpokenName(text));
    return label;
}

QLineEdit *CreateNumberEdit(const QString &objectName, int value, QWidget *parent)
{
    auto *edit = new QLineEdit(QString::number(value), parent);
    edit->setObjectName(objectName);
    edit->setMaximumWidth(80);
    return edit;
}

std::optional<FieldError> ReadNumber(QLineEdit *edit, int min, int max, int &value)
{
    bool ok = false;
    const int typed = edit->text().trimmed().toInt(&ok);
    if (!ok)
        return FieldError{QStringLiteral("Erreur"), QStringLiteral("Tapez un nombre entier."), edit};
    if (typed < min || typed > max)
        return FieldError{QStringLiteral("Erreur"),
                          QStringLiteral("Tapez un nombre entier compris entre %1 et %2.").arg(min).arg(max), edit};
    value = typed;
    return std::nullopt;
}

void ReportFieldError(QWidget *parent, const FieldError &error)
{
    QMessageBox::critical(parent, error.caption, error.message);
    if (!error.field)
        return;
    error.field->setFocus(Qt::OtherFocusReason);
    if (auto *edit = qobject_cast<QLineEdit *>(error.field))
        edit->selectAll();
}

QAbstractButton *AddRadio(QButtonGroup *group, int id, const QString &text, const QString &objectName,
                          QWidget *parent)
{
    auto *radio = new QRadioButton(text, parent);
    radio->setObjectName(objectName);
    group->addButton(radio, id);
    return radio;
}

HyperlinkLabel *CreateExampleLink(const QString &helpPage, const QString &objectName, QWidget *parent)
{
    const QString path = HelpPagePath(helpPage);
    const QString target = path.isEmpty() ? helpPage : QUrl::fromLocalFile(path).toString();
    auto *link = new HyperlinkLabel(QStringLiteral("Exemple"), target, parent);
    NameControl(link, objectName, QStringLiteral("Exemple"));
    UseProgramOpener(link);
    return link;
}

bool UpdateLinkWindowControls(const LinkWindowControls &c, bool link)
{
    const bool newWindow = link && c.newWindow->checkedId() == 1;
    const bool popup = newWindow && c.kind->checkedId() == LINK_WINDOW_SIZED_POPUP;
    const bool fullScreen = newWindow && c.kind->checkedId() == LINK_WINDOW_FULLSCREEN;
    const auto newWindowRadios = c.newWindow->buttons();
    for (QAbstractButton *radio : newWindowRadios)
        radio->setEnabled(link);
    const auto kindRadios = c.kind->buttons();
    for (QAbstractButton *radio : kindRadios)
        radio->setEnabled(newWindow);
    c.sizeBox->setEnabled(popup);
    c.width->setEnabled(popup && c.autoSize->checkedId() == 0);
    c.height->setEnabled(popup && c.autoSize->checkedId() == 0);
    c.adapt->setEnabled(popup || fullScreen);
    c.allowFullSize->setEnabled((popup || fullScreen) && c.adapt->isChecked());
    c.colorLabel->setEnabled(popup || fullScreen);
    c.background->setEnabled(popup || fullScreen);
    return popup || fullScreen;
}

TooltipControls CreateTooltipControls(const TooltipTexts &texts, int type, bool noTooltipInPopups,
                                      bool commentUnderImage, QWidget *parent)
{
    TooltipControls c{};
    c.box = new QGroupBox(texts.title, parent);
    auto *column = new QVBoxLayout(c.box);
    c.type = new QButtonGroup(parent);
    column->addWidget(AddRadio(c.type, 0, texts.altRadio, QStringLiteral("tooltipAlt"), c.box));
    column->addWidget(
        AddRadio(c.type, 1, QStringLiteral("Utilise du javascript (apparition immédiate mais nécessite IE 5 au minimum)"),
                 QStringLiteral("tooltipScript"), c.box));
    column->addWidget(
        AddRadio(c.type, 2, QStringLiteral("Aucune bulle d'information"), QStringLiteral("tooltipNone"), c.box));
    QAbstractButton *checked = c.type->button(type);
    (checked ? checked : c.type->button(0))->setChecked(true);
    c.noTooltipInPopups = new QCheckBox(texts.noTooltipInPopups, c.box);
    c.noTooltipInPopups->setObjectName(QStringLiteral("noTooltipInPopups"));
    c.noTooltipInPopups->setChecked(noTooltipInPopups);
    c.commentUnderImage = new QCheckBox(texts.commentUnderImage, c.box);
    c.commentUnderImage->setObjectName(QStringLiteral("commentUnderImage"));
    c.commentUnderImage->setChecked(commentUnderImage);
    column->addWidget(c.noTooltipInPopups);
    column->addWidget(c.commentUnderImage);
    return c;
}
