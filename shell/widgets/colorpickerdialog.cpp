#include "shell/widgets/colorpickerdialog.h"

#include "shell/widgets/colorswatch.h"
#include "shell/widgets/dialogbuttons.h"
#include "shell/widgets/huesaturationfield.h"
#include "shell/widgets/luminancebar.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <algorithm>

namespace {

struct ComponentText {
    const char *objectName;
    const char *label;
    const char *toolTip;
    int maximum;
};

// Order matches ColorPickerDialog::Component.
const ComponentText kComponents[] = {
    {"red", "&Rouge :", "Composante rouge", kRgbMax},
    {"green", "&Vert :", "Composante verte", kRgbMax},
    {"blue", "&Bleu :", "Composante bleu", kRgbMax},
    {"hue", "&Teinte :", "Teinte", kHlsMax},
    {"saturation", "&Saturation :", "Saturation", kHlsMax},
    {"luminance", "&Luminance :", "Luminance", kHlsMax},
};

QString HtmlCodeText(const RgbColor &rgb)
{
    return QStringLiteral("Code HTML : ") + HtmlColorCode(rgb);
}

} // namespace

ColorPickerDialog::ColorPickerDialog(COLORREF initial, bool tooltips, QWidget *parent)
    : QDialog(parent)
    , m_initial(initial & 0xFFFFFF)
{
    setWindowTitle(QStringLiteral("Choix de la couleur"));

    // Created in the order Tab should visit them.
    m_field = new HueSaturationField(this);
    m_bar = new LuminanceBar(this);
    auto *right = new QVBoxLayout;
    right->addLayout(CreateNumberFields());
    m_htmlCode = new QLabel(this);
    m_htmlCode->setObjectName(QStringLiteral("htmlCode"));
    m_htmlCode->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    right->addWidget(m_htmlCode);
    right->addLayout(CreateSwatches());
    right->addStretch();

    auto *buttons = MakeOkCancelButtons(this);

    auto *top = new QHBoxLayout;
    top->addWidget(m_field, 0, Qt::AlignTop);
    top->addWidget(m_bar, 0, Qt::AlignTop);
    top->addLayout(right);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    ConnectControls();
    if (tooltips)
        SetToolTips();
    SetRgb(RgbFromColorRef(m_initial));
}

std::optional<COLORREF> ColorPickerDialog::pick(COLORREF initial, bool tooltips, QWidget *parent)
{
    ColorPickerDialog dialog(initial, tooltips, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.color();
}

QLayout *ColorPickerDialog::CreateNumberFields()
{
    auto *grid = new QGridLayout;
    for (int i = 0; i < ComponentCount; ++i) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(kComponents[i].objectName));
        // Three digits, so a value above the maximum can be typed and clamped.
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), edit));
        edit->setMaxLength(3);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
        auto *label = new QLabel(QString::fromUtf8(kComponents[i].label), this);
        label->setBuddy(edit);
        // Red, green, blue in the first pair of columns; hue, saturation, luminance in the second.
        const int row = i % 3;
        const int column = i / 3 * 2;
        grid->addWidget(label, row, column);
        grid->addWidget(edit, row, column + 1);
        m_numbers[i] = edit;
    }
    return grid;
}

QLayout *ColorPickerDialog::CreateSwatches()
{
    m_newSwatch = new ColorSwatch(this);
    m_newSwatch->setObjectName(QStringLiteral("newColor"));
    m_newSwatch->setAccessibleName(QStringLiteral("Nouvelle couleur"));
    m_newSwatch->setFocusPolicy(Qt::NoFocus); // shows the colour; nothing to activate
    m_oldSwatch = new ColorSwatch(this);
    m_oldSwatch->setObjectName(QStringLiteral("oldColor"));
    m_oldSwatch->setAccessibleName(QStringLiteral("Ancienne couleur"));
    m_oldSwatch->setColor(m_initial);

    auto *grid = new QGridLayout;
    auto *newLabel = new QLabel(QStringLiteral("Nouvelle couleur"), this);
    auto *oldLabel = new QLabel(QStringLiteral("Ancienne couleur"), this);
    newLabel->setBuddy(m_newSwatch);
    oldLabel->setBuddy(m_oldSwatch);
    grid->addWidget(newLabel, 0, 0);
    grid->addWidget(oldLabel, 0, 1);
    grid->addWidget(m_newSwatch, 1, 0);
    grid->addWidget(m_oldSwatch, 1, 1);
    return grid;
}

void ColorPickerDialog::ConnectControls()
{
    connect(m_field, &HueSaturationField::hueSaturationPicked, this, [this](int hue, int saturation) {
        SetHls({hue, m_hls.luminance, saturation});
    });
    connect(m_bar, &LuminanceBar::luminancePicked, this, [this](int luminance) {
        SetHls({m_hls.hue, luminance, m_hls.saturation});
    });
    connect(m_oldSwatch, &ColorSwatch::clicked, this, [this] { SetRgb(RgbFromColorRef(m_initial)); });
    for (int i = 0; i < ComponentCount; ++i) {
        connect(m_numbers[i], &QLineEdit::textEdited, this, [this, i] { OnNumberEdited(i); });
        connect(m_numbers[i], &QLineEdit::editingFinished, this, [this, i] { OnNumberFinished(i); });
    }
}

void ColorPickerDialog::SetToolTips()
{
    m_htmlCode->setToolTip(QStringLiteral("Code HTML de la nouvelle couleur"));
    m_field->setToolTip(QStringLiteral("Réglage de la teinte et de la saturation"));
    m_newSwatch->setToolTip(QStringLiteral("Nouvelle couleur"));
    m_oldSwatch->setToolTip(QStringLiteral("Cliquez ici pour retrouver la couleur de départ"));
    m_bar->setToolTip(QStringLiteral("Réglage de la luminance"));
    for (int i = 0; i < ComponentCount; ++i)
        m_numbers[i]->setToolTip(QString::fromUtf8(kComponents[i].toolTip));
}

void ColorPickerDialog::SetRgb(const RgbColor &rgb, int editing)
{
    m_rgb = rgb;
    m_hls = RgbToHls(rgb);
    Refresh(editing);
}

// The hue and saturation are kept as given even where the colour cannot show
// them (a grey), so the user's choice survives a detour through grey.
void ColorPickerDialog::SetHls(const HlsColor &hls, int editing)
{
    m_hls = hls;
    m_rgb = HlsToRgb(hls);
    Refresh(editing);
}

// `editing` is the field the user is typing in: rewriting it would move the
// caret and turn an emptied field into "0" under their fingers.
void ColorPickerDialog::Refresh(int editing)
{
    for (int i = 0; i < ComponentCount; ++i) {
        if (i != editing)
            m_numbers[i]->setText(QString::number(ComponentValue(i)));
    }
    m_htmlCode->setText(HtmlCodeText(m_rgb));
    m_newSwatch->setColor(ColorRefFromRgb(m_rgb));
    m_field->setHueSaturation(m_hls.hue, m_hls.saturation);
    m_bar->setHueSaturation(m_hls.hue, m_hls.saturation);
    m_bar->setLuminance(m_hls.luminance);
}

void ColorPickerDialog::OnNumberEdited(int component)
{
    QLineEdit *edit = m_numbers[component];
    const int maximum = kComponents[component].maximum;
    const int typed = edit->text().toInt(); // empty reads as 0
    const int value = std::min(typed, maximum);
    if (value != typed)
        edit->setText(QString::number(value));

    if (component <= Blue) {
        RgbColor rgb = m_rgb;
        (component == Red ? rgb.red : component == Green ? rgb.green : rgb.blue) = value;
        SetRgb(rgb, component);
    } else {
        HlsColor hls = m_hls;
        (component == Hue ? hls.hue : component == Saturation ? hls.saturation : hls.luminance) = value;
        SetHls(hls, component);
    }
}

void ColorPickerDialog::OnNumberFinished(int component)
{
    const QString text = QString::number(ComponentValue(component));
    if (m_numbers[component]->text() != text)
        m_numbers[component]->setText(text);
}

int ColorPickerDialog::ComponentValue(int component) const
{
    switch (component) {
    case Red:
        return m_rgb.red;
    case Green:
        return m_rgb.green;
    case Blue:
        return m_rgb.blue;
    case Hue:
        return m_hls.hue;
    case Saturation:
        return m_hls.saturation;
    default:
        return m_hls.luminance;
    }
}
