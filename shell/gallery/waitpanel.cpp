#include "shell/gallery/waitpanel.h"

#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>

WaitPanel::WaitPanel(QWidget *parent)
    : QWidget(parent)
    , m_text(new QLabel(TextFor(m_phase), this))
    , m_progress(new QProgressBar(this))
    , m_cancel(new QPushButton(QStringLiteral("Annuler"), this))
{
    setObjectName(QStringLiteral("waitPanel"));
    setAccessibleName(QStringLiteral("Création en cours"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    m_text->setObjectName(QStringLiteral("waitText"));
    m_text->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_text->setWordWrap(true);
    m_text->setForegroundRole(QPalette::ButtonText);
    m_text->setTextInteractionFlags(Qt::NoTextInteraction);
    m_progress->setAccessibleName(QStringLiteral("Progression"));
    m_progress->setTextVisible(false);
    m_cancel->setAccessibleName(QStringLiteral("Annuler"));
    connect(m_cancel, &QPushButton::clicked, this, &WaitPanel::cancelRequested);
    setAccessibleDescription(text());
    resetProgress(0);
}

QString WaitPanel::TextFor(Phase phase)
{
    QString text = QStringLiteral("Veuillez patienter pendant la création de la page HTML...\n");
    switch (phase) {
    case Phase::Thumbnails:
        return text + QStringLiteral("Création des vignettes en cours...");
    case Phase::Placement:
        return text + QStringLiteral("Placement visuel : Utilisez la page web pour ordonner vos images");
    case Phase::Pages:
        break;
    }
    return text + QStringLiteral("Création de la page HTML en cours...");
}

QString WaitPanel::text() const
{
    return TextFor(m_phase);
}

void WaitPanel::setPhase(Phase phase)
{
    const bool changed = phase != m_phase;
    m_phase = phase;
    m_text->setText(text()); // a label announces its new text itself
    setAccessibleDescription(text());
    update();
    if (changed)
        Q_EMIT phaseChanged(phase);
}

void WaitPanel::resetProgress(int steps)
{
    m_progress->setRange(0, std::max(steps, 0));
    m_progress->setValue(0);
}

void WaitPanel::stepProgress()
{
    if (m_progress->value() < m_progress->maximum())
        m_progress->setValue(m_progress->value() + 1);
}

QRect WaitPanel::TextBand() const
{
    const int h = height();
    const int top = h * 30 / 100;
    const int bottom = h - h * 50 / 100;
    return QRect(0, top, width(), std::max(bottom - top, fontMetrics().height() * 2));
}

void WaitPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
}

void WaitPanel::resizeEvent(QResizeEvent *)
{
    const int w = width();
    const int h = height();
    const int barTop = h - h * 45 / 100;
    m_text->setGeometry(TextBand());
    m_progress->setGeometry(w * 10 / 100, barTop, w * 80 / 100, 20);
    m_cancel->setGeometry((w - 70) / 2, barTop + 40, 70, 30);
}
