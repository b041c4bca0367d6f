#pragma once
// The list's column header: icons on "Commentaire" and "Options" that act as
// buttons, with their tooltips and a hand cursor over them.

#include <QHeaderView>

class GalleryHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit GalleryHeader(QWidget *parent = nullptr);

    // The icon's hot area of `section`: 16 pixels from 5 right of its left edge.
    bool IsOnIcon(int section, const QPoint &pos) const;
    // Section whose icon is under `pos`, -1 when none.
    int IconSectionAt(const QPoint &pos) const;

Q_SIGNALS:
    void iconClicked(int section);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    // The comment icon acts only when there are rows to comment.
    bool IconActive(int section) const;
};
