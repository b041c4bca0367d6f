#pragma once
// A line of underlined text that opens its target in the user's browser or
// mail program on a click, Enter or Space. Blue until hovered (red); marked
// visited only when the opening succeeded. It sizes itself to its text so
// that only the text is clickable.

#include <QColor>
#include <QLabel>
#include <functional>

class HyperlinkLabel : public QLabel {
    Q_OBJECT
public:
    // Opens a target; true on success. The owner supplies it (the program's
    // opener complains in its own words); without one a click does nothing.
    using Opener = std::function<bool(const QString &target)>;

    // An empty target takes the text; an empty text shows the target.
    explicit HyperlinkLabel(
        const QString &text, const QString &target = QString(), QWidget *parent = nullptr);

    QString target() const { return m_target; }
    // Re-fits the label and updates its tooltip. An empty target takes the text.
    void setTarget(const QString &target);

    void setOpener(Opener opener) { m_opener = std::move(opener); }
    void setFitToText(bool fit);
    void setLinkColors(const QColor &normal, const QColor &visited, const QColor &hover);

    bool isVisited() const { return m_visited; }
    bool isHovered() const { return m_hovered; }
    QColor currentColor() const;

    // Opens the target as a click does.
    void activate();

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void Fit();
    void UpdateColor();

    QString m_target;
    Opener m_opener;
    QColor m_normal {0, 0, 238};
    QColor m_visitedColor {0, 0, 238};
    QColor m_hover {255, 0, 0};
    bool m_fitToText = true;
    bool m_visited = false;
    bool m_hovered = false;
    bool m_pressed = false;
};
