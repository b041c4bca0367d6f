#include "shell/preview/previewoptionspage.h"

#include "shell/common/dialogtooltips.h"
#include "shell/preview/previewicons.h"
#include "shell/preview/previewwindow.h"
#include "shell/widgets/colorswatch.h"
#include "shell/widgets/hlscolor.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
QCheckBox *Box(const char *text, const char *name, QWidget *parent)
{
    auto *box = new QCheckBox(QString::fromUtf8(text), parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}
} // namespace

PreviewOptionsPage::PreviewOptionsPage(PreviewWindow &window, bool tooltips, QWidget *parent)
    : QWidget(parent)
    , m_window(&window)
    , m_initial(window.options())
{
    setAccessibleName(QStringLiteral("Prévisualisation"));
    m_toolBar = Box("Afficher la barre d'outils", "previewToolBar", this);
    m_sides = new QButtonGroup(this);
    auto *sides = new QHBoxLayout;
    sides->setContentsMargins(20, 0, 0, 0);
    const struct {
        const char *text, *name;
        int pos;
    } radios[] = {{"en haut", "previewToolBarTop", kToolBarTop},
        {"à droite", "previewToolBarRight", kToolBarRight},
        {"en bas", "previewToolBarBottom", kToolBarBottom}, {"à gauche", "previewToolBarLeft", kToolBarLeft}};
    for (const auto &r : radios) {
        auto *radio = new QRadioButton(QString::fromUtf8(r.text), this);
        radio->setObjectName(QString::fromLatin1(r.name));
        m_sides->addButton(radio, r.pos);
        sides->addWidget(radio);
    }
    sides->addStretch();
    m_statusBar = Box("Afficher la barre d'état", "previewStatusBar", this);
    m_animation = Box("Animer les images GIF", "previewAnimation", this);
    m_sample = new QLabel(this);
    m_sample->setPixmap(PreviewAnimationSample());
    m_sample->setFixedSize(m_sample->sizeHint());
    m_sample->setAccessibleName(QStringLiteral("Exemple d'animation"));
    m_blink = new QTimer(this);
    m_blink->setInterval(750);
    connect(m_blink, &QTimer::timeout, this, &PreviewOptionsPage::Blink);
    m_autoBackground = Box("Couleur de fond automatique", "previewAutoBackground", this);
    m_color = new ColorSwatch(this);
    m_color->setObjectName(QStringLiteral("previewBackgroundColor"));
    m_color->setAccessibleName(QStringLiteral("Couleur"));
    m_color->setOpensPicker(true, tooltips);
    auto *colorLabel = new QLabel(QStringLiteral("Couleur de fond :"), this);
    colorLabel->setBuddy(m_color);

    auto *animationRow = new QHBoxLayout;
    animationRow->addWidget(m_animation);
    animationRow->addWidget(m_sample);
    animationRow->addStretch();
    auto *colorRow = new QHBoxLayout;
    colorRow->addWidget(colorLabel);
    colorRow->addWidget(m_color);
    colorRow->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_toolBar);
    layout->addLayout(sides);
    layout->addWidget(m_statusBar);
    layout->addLayout(animationRow);
    layout->addWidget(m_autoBackground);
    layout->addLayout(colorRow);
    layout->addStretch();

    Show(m_initial);
    auto push = [this](auto apply) {
        return [this, apply](auto... value) {
            if (m_window)
                apply(*m_window, value...);
            UpdateEnabled();
        };
    };
    connect(m_toolBar, &QCheckBox::toggled, this,
        push([](PreviewWindow &w, bool on) { w.SetToolBarVisible(on); }));
    connect(m_sides, &QButtonGroup::idClicked, this,
        push([](PreviewWindow &w, int pos) { w.SetToolBarSide(pos); }));
    connect(m_statusBar, &QCheckBox::toggled, this,
        push([](PreviewWindow &w, bool on) { w.SetStatusBarVisible(on); }));
    connect(
        m_animation, &QCheckBox::toggled, this, push([](PreviewWindow &w, bool on) { w.SetAnimation(on); }));
    connect(m_autoBackground, &QCheckBox::toggled, this,
        push([](PreviewWindow &w, bool on) { w.SetAutoBackground(on); }));
    connect(m_color, &ColorSwatch::colorChanged, this,
        push([](PreviewWindow &w, COLORREF c) { w.SetBackgroundColor(c); }));
    ApplyDialogTooltips(this, tooltips);
}

void PreviewOptionsPage::Show(const PreviewOptions &o)
{
    const QSignalBlocker b1(m_toolBar), b2(m_statusBar), b3(m_animation), b4(m_autoBackground);
    m_toolBar->setChecked(o.ToolBarVisible != 0);
    QAbstractButton *side = m_sides->button(o.ToolBarPos);
    (side ? side : m_sides->button(kToolBarLeft))->setChecked(true);
    m_statusBar->setChecked(o.StatusBarVisible != 0);
    m_animation->setChecked(o.Animation != 0);
    m_autoBackground->setChecked(o.AutoBgColor != 0);
    UpdateEnabled();
}

void PreviewOptionsPage::UpdateEnabled()
{
    for (QAbstractButton *radio : m_sides->buttons())
        radio->setEnabled(m_toolBar->isChecked());
    m_color->setEnabled(!m_autoBackground->isChecked());
    UpdateSwatch();
    if (m_animation->isChecked() && !m_blink->isActive()) {
        m_blink->start();
    } else if (!m_animation->isChecked()) {
        m_blink->stop();
        m_sample->setVisible(true);
    }
}

void PreviewOptionsPage::UpdateSwatch()
{
    // While automatic the swatch shows the colour in use, not the stored one.
    const COLORREF stored = m_window ? m_window->options().BgColor : m_initial.BgColor;
    m_color->setColor(
        m_autoBackground->isChecked() ? ColorRefFromQColor(palette().color(QPalette::Button)) : stored);
}

void PreviewOptionsPage::Blink()
{
    m_sample->setVisible(!m_sample->isVisible());
}

bool PreviewOptionsPage::sampleShown() const
{
    return !m_sample->isHidden();
}

void PreviewOptionsPage::Revert()
{
    if (!m_window)
        return;
    PreviewWindow &w = *m_window;
    w.SetToolBarVisible(m_initial.ToolBarVisible != 0);
    w.SetToolBarSide(m_initial.ToolBarPos);
    w.SetStatusBarVisible(m_initial.StatusBarVisible != 0);
    w.SetAnimation(m_initial.Animation != 0);
    w.SetBackgroundColor(m_initial.BgColor);
    w.SetAutoBackground(m_initial.AutoBgColor != 0);
    Show(m_initial);
}
