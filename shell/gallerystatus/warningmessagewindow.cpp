#include "shell/gallerystatus/warningmessagewindow.h"

#include "document/warningmessages.h"
#include "shell/common/generaloptions.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const int kMessageWidth = 360;
const int kIconSize = 32;

quint32 KnownBits(quint32 mask)
{
    quint32 known = 0;
    for (const std::uint32_t bit : WarningBits(mask))
        known |= bit;
    return known;
}

QPalette TooltipPalette(QPalette palette)
{
    const QColor background = palette.color(QPalette::ToolTipBase);
    const QColor text = palette.color(QPalette::ToolTipText);
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::Button, background);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::ButtonText, text);
    return palette;
}
} // namespace

WarningMessageWindow::WarningMessageWindow(
    const QIcon &icon, GeneralOptions &options, Profile &profile, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::FramelessWindowHint)
    , m_options(options)
    , m_profile(profile)
    , m_message(new QLabel(this))
    , m_silence(new QCheckBox(QStringLiteral("Ne plus afficher ce message"), this))
    , m_button(new QPushButton(this))
{
    setAccessibleName(QStringLiteral("Messages d'alerte"));
    setPalette(TooltipPalette(palette()));
    setAutoFillBackground(true);

    auto *iconLabel = new QLabel(this);
    iconLabel->setPixmap(icon.pixmap(kIconSize, kIconSize));
    iconLabel->setAccessibleName(QStringLiteral("Avertissement"));
    iconLabel->setAlignment(Qt::AlignTop);

    m_message->setObjectName(QStringLiteral("warningText"));
    m_message->setTextFormat(Qt::PlainText);
    m_message->setWordWrap(true);
    m_message->setFixedWidth(kMessageWidth);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);

    // A text the user clicks, yet a real button for the keyboard and Enter.
    m_button->setObjectName(QStringLiteral("warningButton"));
    m_button->setFlat(true);
    m_button->setDefault(true);
    m_button->setCursor(Qt::PointingHandCursor);
    QFont underlined = m_button->font();
    underlined.setUnderline(true);
    m_button->setFont(underlined);
    connect(m_button, &QPushButton::clicked, this, &WarningMessageWindow::onButtonClicked);

    auto *top = new QHBoxLayout;
    top->addWidget(iconLabel, 0, Qt::AlignTop);
    top->addWidget(m_message, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_silence);
    bottom->addStretch(1);
    bottom->addWidget(m_button);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 6);
    layout->addLayout(top);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool WarningMessageWindow::start(quint32 pending)
{
    m_pending = KnownBits(pending);
    showNext();
    return m_shown != 0;
}

void WarningMessageWindow::addWarnings(quint32 bits)
{
    m_pending |= KnownBits(bits);
    updateButton();
}

void WarningMessageWindow::showNext()
{
    const std::vector<std::uint32_t> bits = WarningBits(m_pending);
    m_shown = bits.empty() ? 0 : bits.front();
    m_pending &= ~m_shown;
    m_message->setText(WarningMessage(m_shown));
    updateButton();
    m_button->setFocus();
}

void WarningMessageWindow::updateButton()
{
    m_button->setText(m_pending ? QStringLiteral("Message suivant ->") : QStringLiteral("Fermer"));
}

void WarningMessageWindow::onButtonClicked()
{
    if (m_silence->isChecked() && m_shown) {
        m_options.DisabledWarningMessage |= static_cast<int>(m_shown);
        m_options.SaveToRegistry(m_profile);
        // The same warning may have come again while it was on screen.
        m_pending &= ~m_shown;
    }
    if (m_pending)
        showNext();
    else
        accept();
}

void WarningMessageWindow::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
