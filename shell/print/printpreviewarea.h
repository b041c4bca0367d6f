#pragma once
// The pages of the print preview: a grid of 1 to 9 whole pages at zoom
// level 0, one page at the five larger levels. At level 0 the vertical
// scroll bar moves by page; above it both bars move over the zoomed page.
// A click on a page zooms one level further (the last level goes back to
// the grid) around the clicked point. GUI thread only.

#include "shell/print/printgeometry.h"

#include <QAbstractScrollArea>
#include <QCursor>

class ListPrintLayout;

class PrintPreviewArea : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit PrintPreviewArea(QWidget *parent = nullptr);

    // The pages to show; `paper` is the whole sheet and `printable` the
    // layout's area on it, both in device pixels; `deviceDpi` converts them
    // to the screen. The layout must outlive its use here.
    void setPages(const ListPrintLayout *layout, QSize paper, QRect printable, double deviceDpi);

    int pagesShown() const { return m_pagesShown; }
    void setPagesShown(int pages);
    int zoomLevel() const { return m_zoomLevel; }
    // Zooms to `level`, keeping the page point `anchor` (fractions of the
    // page) in the middle of the window when one is given.
    void setZoomLevel(int level, QPointF anchor = {-1, -1});
    int firstPage() const { return m_firstPage; }
    void setFirstPage(int page);
    int pageCount() const;
    bool canGoNext() const;
    bool canGoPrevious() const { return m_firstPage > 0; }

    // Pages visible now (0-based), one per grid cell in order; -1 marks an empty cell.
    QList<int> visiblePages() const;
    // Where page slot `slot` is drawn in viewport coordinates (empty when none).
    QRect pageRect(int slot) const;
    // The fitting ratio n/d of one page in the window.
    PrintGeometry::Ratio fitRatio() const;

Q_SIGNALS:
    void stateChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QSize PaperOnScreen() const;
    QSize ZoomedPageSize() const;
    int SlotAt(const QPoint &pos) const;
    void UpdateScrollBars();
    void PaintPage(QPainter &painter, const QRect &target, int page) const;

    const ListPrintLayout *m_layout = nullptr;
    QSize m_paper;
    QRect m_printable;
    double m_deviceDpi = 600;
    int m_pagesShown = 1;
    int m_zoomLevel = 0;
    int m_firstPage = 0;
    bool m_updatingBars = false;
    int m_wheelDelta = 0;
    QCursor m_magnifier;
};

// The magnifier shown over a page that can still be zoomed.
QCursor MagnifierCursor();
