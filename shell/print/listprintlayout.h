#pragma once
// The printed form of a gallery's list: a header with the page title and
// the document title, the list's columns with their on-screen texts and
// icons, and a footer with the program name and the page number. Printing
// and the preview draw the same pages from one layout.
//
// All geometry is in pixels of the device the layout was made for (a
// QPrinter); a painter on another device draws the same page after scaling
// its coordinates. GUI thread only. The model is read while painting, so it
// must outlive the layout or the layout must not paint after it is gone.

#include "shell/print/printgeometry.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>

class QAbstractItemModel;
class QIcon;
class QPaintDevice;
class QPainter;
class QTreeView;

// What to print: the list's model, its visible columns in on-screen order
// with their on-screen widths, its screen font and the two titles.
struct ListPrintSource {
    struct Column {
        int logicalIndex = 0;
        int width = 100;
    };
    const QAbstractItemModel *model = nullptr;
    QList<Column> columns;
    QFont screenFont;
    QString pageTitle;
    QString documentTitle;

    // The columns, widths and font as `view` shows them now.
    static ListPrintSource FromView(
        const QTreeView &view, const QString &pageTitle, const QString &documentTitle);
};

class ListPrintLayout {
public:
    // Fonts and geometry for `device`, usually the QPrinter of the job.
    ListPrintLayout(const ListPrintSource &source, const QPaintDevice &device);

    int rowCount() const { return m_rowCount; }
    int rowsPerPage() const { return m_rowsPerPage; }
    int pageCount() const { return m_pageCount; }
    double scale() const { return m_scale; }
    QSize pageSize() const { return m_page.size(); }
    const std::vector<PrintGeometry::ColumnSpan> &columnSpans() const { return m_spans; }
    const QFont &titleFont() const { return m_titleFont; }
    const QFont &footerFont() const { return m_footerFont; }
    const QFont &columnHeaderFont() const { return m_headerFont; }
    const QFont &bodyFont() const { return m_bodyFont; }
    int bodyLineHeight() const { return m_bodyLine; }

    // Draws page `page` (1-based) in device pixels; out-of-range pages draw nothing.
    void PaintPage(QPainter &painter, int page) const;

    // The 52 letters' width ÷ 52.
    static double AverageCharWidth(const QFontMetricsF &metrics);

private:
    struct Band {
        int top = 0;
        int height = 0;
    };
    void PaintHeader(QPainter &painter) const;
    void PaintColumnHeaders(QPainter &painter) const;
    void PaintRow(QPainter &painter, int row, int top) const;
    void PaintFooter(QPainter &painter, int page) const;
    void PaintRule(QPainter &painter, int y) const;
    int PaintCellIcon(QPainter &painter, const QIcon &icon, int left, int right, int top) const;
    QImage IconOnWhite(const QIcon &icon, int side) const;

    const QAbstractItemModel *m_model;
    QList<ListPrintSource::Column> m_columns;
    QString m_pageTitle;
    QString m_documentTitle;

    QFont m_titleFont;
    QFont m_footerFont;
    QFont m_headerFont;
    QFont m_bodyFont;
    QFontMetricsF m_titleMetrics;
    QFontMetricsF m_footerMetrics;
    QFontMetricsF m_headerMetrics;
    QFontMetricsF m_bodyMetrics;
    int m_titleLine = 0;
    int m_footerLine = 0;
    int m_headerLine = 0;
    int m_bodyLine = 0;

    double m_scale = 1.0;
    QRect m_page;
    QRect m_body; // between the header and footer bands, inside the margins
    Band m_headerBand;
    Band m_footerBand;
    std::vector<PrintGeometry::ColumnSpan> m_spans;
    int m_rowCount = 0;
    int m_rowsPerPage = 1;
    int m_pageCount = 0;
    mutable QHash<QString, QImage> m_iconCache;
};
