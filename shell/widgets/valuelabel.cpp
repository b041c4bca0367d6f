#include "shell/widgets/valuelabel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace {

// A plain label's interface names it by its caption and hides its text
// behind it; this one speaks the value too.
class ValueLabelAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ValueLabelAccessible(ValueLabel *label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return label()->spokenText();
        if (t == QAccessible::Value)
            return label()->value();
        return QAccessibleWidget::text(t);
    }

    // The text interface reads the value alone.
    QString text(int start, int end) const override { return label()->value().mid(start, end - start); }
    int characterCount() const override { return int(label()->value().size()); }
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override { }
    void removeSelection(int) override { }
    void setSelection(int, int, int) override { }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override { }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override { }
    QString attributes(int, int *start, int *end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    ValueLabel *label() const { return static_cast<ValueLabel *>(widget()); }
};

QAccessibleInterface *ValueLabelInterface(const QString &key, QObject *object)
{
    if (key == QLatin1String("ValueLabel") && object && object->isWidgetType())
        return new ValueLabelAccessible(static_cast<ValueLabel *>(object));
    return nullptr;
}

} // namespace

ValueLabel::ValueLabel(const QString &caption, QWidget *parent)
    : QLabel(parent)
    , m_caption(caption)
{
    // Qt keeps the factories for the whole run; one registration serves every label.
    static const bool registered = (QAccessible::installFactory(&ValueLabelInterface), true);
    Q_UNUSED(registered);
}

QString ValueLabel::spokenText() const
{
    const QString value = m_value.trimmed();
    return value.isEmpty() ? m_caption : QStringLiteral("%1 : %2").arg(m_caption, value);
}

void ValueLabel::setValue(const QString &value)
{
    if (value == m_value)
        return;
    const QString old = m_value;
    m_value = value;
    QAccessibleEvent named(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    QAccessibleValueChangeEvent changed(this, value);
    QAccessible::updateAccessibility(&changed);
    QAccessibleTextUpdateEvent updated(this, 0, old, value);
    QAccessible::updateAccessibility(&updated);
}

void ValueLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.backgroundColor = palette().color(QPalette::Window);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}
