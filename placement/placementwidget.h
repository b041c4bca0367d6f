#pragma once
// The control's own child window while it is active in a host.

#include <QWidget>
#include <functional>

class PlacementWidget : public QWidget {
public:
    using PaintRoutine = std::function<void(QPainter &, const QRect &)>;
    PlacementWidget(QWidget *parent, PaintRoutine paint);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    PaintRoutine m_paint;
};
