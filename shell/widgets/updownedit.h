#pragma once
// A number edit with up and down arrows whose steps a rule decides. The edit
// is a plain line edit: what the user types stays there until the dialog's
// OK checks it; the arrows (and the Up/Down keys) step only a valid number.

#include <QWidget>
#include <functional>

class QLineEdit;
class QToolButton;

class UpDownEdit : public QWidget {
    Q_OBJECT
public:
    // New value for a step of +1 (up) or -1 (down) from `value`.
    using Stepper = std::function<int(int value, int direction)>;

    UpDownEdit(Stepper stepper, QWidget *parent = nullptr);

    QLineEdit *edit() const { return m_edit; }
    void setValue(int value);
    // Steps from the typed number; text that is not a number is left alone.
    void step(int direction);

Q_SIGNALS:
    void textChanged(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Stepper m_stepper;
    QLineEdit *m_edit;
    QToolButton *m_up;
    QToolButton *m_down;
};

// Border sizes: 0 to 10 by one.
int BorderSizeStep(int value, int direction);
// Thumbnail percents: 1 to 10 by one, then by five up to 100.
int PercentStep(int value, int direction);
