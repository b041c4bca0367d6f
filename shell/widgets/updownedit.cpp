#include "shell/widgets/updownedit.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

UpDownEdit::UpDownEdit(Stepper stepper, QWidget *parent)
    : QWidget(parent), m_stepper(std::move(stepper)), m_edit(new QLineEdit(this)), m_up(new QToolButton(this)),
      m_down(new QToolButton(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    m_edit->setMaximumWidth(60);
    layout->addWidget(m_edit);
    auto *arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    for (QToolButton *button : {m_up, m_down}) {
        button->setAutoRepeat(true);
        button->setFixedSize(18, 11);
        // The edit's Up/Down keys do the same; the arrows stay out of the tab chain.
        button->setFocusPolicy(Qt::NoFocus);
        arrows->addWidget(button);
    }
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    m_up->setAccessibleName(QStringLiteral("Augmenter"));
    m_down->setAccessibleName(QStringLiteral("Diminuer"));
    layout->addLayout(arrows);
    layout->addStretch();
    setFocusProxy(m_edit);
    m_edit->installEventFilter(this);
    connect(m_up, &QToolButton::clicked, this, [this] { step(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { step(-1); });
    connect(m_edit, &QLineEdit::textChanged, this, &UpDownEdit::textChanged);
}

void UpDownEdit::setValue(int value) { m_edit->setText(QString::number(value)); }

void UpDownEdit::step(int direction)
{
    bool ok = false;
    const int value = m_edit->text().trimmed().toInt(&ok);
    if (ok)
        setValue(m_stepper(value, direction));
}

bool UpDownEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

int BorderSizeStep(int value, int direction) { return std::clamp(value + direction, 0, 10); }

int PercentStep(int value, int direction)
{
    if (direction > 0)
        return std::clamp(value < 10 ? value + 1 : value + 5, 1, 100);
    return std::clamp(value <= 10 ? value - 1 : value - 5, 1, 100);
}
