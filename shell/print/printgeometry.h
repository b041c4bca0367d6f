#pragma once
// The arithmetic of the printed list and of its preview: rows per page,
// page count, column spans, the preview grid and its zoom ratios. No I/O,
// no widgets; every size is in pixels of the device it is used on.

#include <QRect>
#include <QSize>
#include <span>
#include <vector>

namespace PrintGeometry {

// Page margins in printer pixels.
constexpr int LeftMargin = 200;
constexpr int TopMargin = 150;
constexpr int RightMargin = 200;
constexpr int BottomMargin = 150;

// Rows that fit under one column-header line; at least one, so a body
// smaller than a line still makes progress instead of dividing by zero.
int RowsPerPage(int bodyHeight, int columnHeaderLine, int bodyLine);
// Pages for `rows`; 0 for an empty list.
int PageCount(int rows, int rowsPerPage);

// Where the text of one printed column goes. `right <= left` means the
// column lies beyond the body's right edge and prints nothing.
struct ColumnSpan {
    int left = 0;
    int right = 0;
    bool isEmpty() const { return right <= left; }
};
// Column i starts after the scaled widths of the columns before it plus
// 5 × scale, is as wide as its own scaled on-screen width, and stops at
// `bodyRight`.
std::vector<ColumnSpan> ColumnSpans(
    int bodyLeft, int bodyRight, std::span<const int> screenWidths, double scale);

// Columns × rows of the preview for 1, 2, 3, 4, 6 or 9 pages at once.
struct Grid {
    int columns = 1;
    int rows = 1;
    int cells() const { return columns * rows; }
};
// Anything else shows one page.
Grid GridForPages(int pagesShown);
bool IsGridChoice(int pagesShown);
// Size of one page cell in a client area of `client`.
QSize GridCellSize(QSize client, Grid grid);
// Cell `index` (left to right, top to bottom), 8 pixels apart.
QRect GridCellRect(QSize client, Grid grid, int index);

// A zoom ratio kept as a fraction, as the levels are defined.
struct Ratio {
    int num = 1;
    int den = 1;
    double value() const { return den ? double(num) / den : 0.0; }
    bool operator==(const Ratio &) const = default;
};
constexpr int MaxZoomLevel = 5;
// The fraction that fits `page` inside `available`.
Ratio FitRatio(QSize available, QSize page);
// The six zoom levels from the fitting ratio n/d.
Ratio ZoomRatio(int level, Ratio fit);

// Page-up / page-down step of the preview's page scroll bar.
int PageScrollStep(int firstPage, int lastPage);

} // namespace PrintGeometry
