#include "shell/options/commentassistantdialog.h"

#include "shell/common/dialogtooltips.h"
#include "shell/common/generaloptions.h"
#include "shell/options/dialogfields.h"
#include "shell/widgets/dialogbuttons.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <iterator>

namespace {
struct VariableButton {
    const char *caption;
    PageVariable variable;
};

const VariableButton kGeneral[] = {
    {"Titre de la page\n($$$)", VAR_TITLE},
    {"Nombre d'images\n($$$)", VAR_NUMBER_OF_IMAGES},
    {"Nombre de lignes\n($$$)", VAR_NUMBER_OF_LINES},
    {"Nombre de pages\n($$$)", VAR_NUMBER_OF_PAGES},
    {"Nombre d'images\npar ligne ($$$)", VAR_NB_IMAGE_PER_LINE},
    {"Nombre de lignes\npar page ($$$)", VAR_NB_LINE_PER_PAGE},
    {"Nombre d'images\npar page ($$$)", VAR_NB_IMAGE_PER_PAGE},
};
const VariableButton kImage[] = {
    {"Nom de l'image\n($$$)", VAR_IMAGE_NAME},
    {"Dimensions de l'image\n($$$)", VAR_IMAGE_DIMENSIONS},
    {"Taille de l'image\n($$$)", VAR_IMAGE_SIZE},
    {"Nom de la vignette\n($$$)", VAR_VIGNETTE_NAME},
    {"Dimensions de\nla vignette ($$$)", VAR_VIGNETTE_DIMENSIONS},
    {"Taille de la vignette\n($$$)", VAR_VIGNETTE_SIZE},
    {"Numéro de l'image\n($$$)", VAR_IMAGE_INDEX},
    {"Numéro de ligne\n($$$)", VAR_LINE_INDEX},
    {"Numéro de page\n($$$)", VAR_PAGE_INDEX},
    {"Position de l'image\ndans la ligne ($$$)", VAR_IMAGE_POS_IN_LINE},
    {"Nombre d'images\ndans la ligne ($$$)", VAR_NB_IMAGE_IN_THIS_LINE},
    {"Numéro de ligne\ndans la page ($$$)", VAR_LINE_POS_IN_PAGE},
    {"Position de l'image\ndans la page ($$$)", VAR_IMAGE_POS_IN_PAGE},
    {"Nombre de lignes\ndans la page ($$$)", VAR_NB_LINE_IN_THIS_PAGE},
    {"Nombre d'images\ndans la page ($$$)", VAR_NB_IMAGE_IN_THIS_PAGE},
};
const VariableButton kCamera[] = {
    {"Marque de l'appareil\n($$$)", VAR_APN_BRAND},
    {"Modèle de l'appareil\n($$$)", VAR_APN_TYPE},
    {"Date\n($$$)", VAR_APN_DATE},
    {"Heure\n($$$)", VAR_APN_TIME},
    {"Temps d'exposition\n($$$)", VAR_APN_EXP_TIME},
    {"Ouverture\n($$$)", VAR_APN_DIAPH},
    {"Focale\n($$$)", VAR_APN_FOCAL},
    {"Flash : On/Off\n($$$)", VAR_APN_FLASH},
    {"Sensibilité ISO\n($$$)", VAR_APN_ISO},
};
constexpr int kColumns = 4;
} // namespace

QString VariableButtonName(PageVariable variable)
{
    QString name = PageVariableName(variable);
    name.remove(QStringLiteral("?$VORLEX_VARIABLE_"));
    return QStringLiteral("variable_") + name;
}

CommentAssistantDialog::CommentAssistantDialog(const GeneralOptions &general, const GalleryOptions &options,
                                               const ImageEntry &entry, int position, int count, QWidget *parent)
    : QDialog(parent), m_options(options), m_entry(entry)
{
    setWindowTitle(QStringLiteral("Assistant d'édition des commentaires"));
    m_variables.SetPage(&m_options, count, QString(), 1);
    m_variables.SetImage(&m_entry, position);

    auto *layout = new QVBoxLayout(this);
    m_coded = new QPlainTextEdit(entry.Comment, this);
    m_coded->setObjectName(QStringLiteral("codedComment"));
    m_coded->setTabChangesFocus(true);
    layout->addWidget(CreateBuddyLabel(QStringLiteral("Commentaire \"codé\" : "), m_coded, this));
    layout->addWidget(m_coded);
    buildButtons();
    m_decoded = new QPlainTextEdit(this);
    m_decoded->setObjectName(QStringLiteral("decodedComment"));
    m_decoded->setReadOnly(true);
    m_decoded->setTabChangesFocus(true);
    layout->addWidget(CreateBuddyLabel(QStringLiteral("Commentaire \"décodé\" : "), m_decoded, this));
    layout->addWidget(m_decoded);
    auto *buttons = MakeOkCancelButtons(this);
    layout->addWidget(buttons);
    connect(m_coded, &QPlainTextEdit::textChanged, this, &CommentAssistantDialog::refreshDecoded);
    refreshDecoded();
    m_coded->setFocus();
    ApplyDialogTooltips(this, general.DisplayTooltipsInDialogs == 1);
}

void CommentAssistantDialog::buildButtons()
{
    struct Group {
        const char *title;
        const VariableButton *buttons;
        int count;
    };
    const Group groups[] = {{"Variables générales : ", kGeneral, int(std::size(kGeneral))},
                            {"Image, ligne et page de l'image : ", kImage, int(std::size(kImage))},
                            {"Données de l'appareil photo : ", kCamera, int(std::size(kCamera))}};
    for (const Group &group : groups) {
        auto *box = new QGroupBox(QString::fromUtf8(group.title), this);
        auto *grid = new QGridLayout(box);
        for (int i = 0; i < group.count; ++i) {
            const PageVariable variable = group.buttons[i].variable;
            const QString value = m_variables.Value(variable);
            const QString caption = QString::fromUtf8(group.buttons[i].caption);
            QString escaped = value;
            escaped.replace(QLatin1Char('&'), QStringLiteral("&&")); // not a shortcut mark
            auto *button = new QPushButton(QString(caption).replace(QStringLiteral("$$$"), escaped), box);
            button->setObjectName(VariableButtonName(variable));
            button->setAutoDefault(false);
            button->setAccessibleName(
                QString(caption).replace(QStringLiteral("$$$"), value).replace(QLatin1Char('\n'), QLatin1Char(' ')));
            connect(button, &QPushButton::clicked, this, [this, variable] { insertVariable(variable); });
            grid->addWidget(button, i / kColumns, i % kColumns);
        }
        layout()->addWidget(box);
    }
}

void CommentAssistantDialog::insertVariable(PageVariable variable)
{
    // The edit keeps its cursor and selection while a button has the focus.
    QTextCursor cursor = m_coded->textCursor();
    cursor.insertText(PageVariableName(variable));
    m_coded->setTextCursor(cursor);
    m_coded->setFocus(Qt::OtherFocusReason);
}

QString CommentAssistantDialog::comment() const { return m_coded->toPlainText(); }

void CommentAssistantDialog::refreshDecoded()
{
    m_decoded->setPlainText(m_variables.ExpandComment(m_coded->toPlainText()));
}
