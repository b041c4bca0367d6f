#pragma once
// A status pane or label that shows one value under a fixed caption
// ("Taille du fichier", "1.1 Mo"). Assistive tools read the caption and the
// value as its name, the value alone as its value and its text, and hear
// every change. What the label draws (a shortened text, an icon) stays the
// caller's choice: setValue() does not touch it.

#include <QLabel>

class ValueLabel : public QLabel {
    Q_OBJECT
public:
    explicit ValueLabel(const QString &caption, QWidget *parent = nullptr);

    QString caption() const { return m_caption; }
    QString value() const { return m_value; }
    // "caption : value", or the caption alone while the value is blank.
    QString spokenText() const;
    // Records the value and announces it when it changed.
    void setValue(const QString &value);

protected:
    // A pane the keyboard can reach shows that it has the focus.
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_caption;
    QString m_value;
};
