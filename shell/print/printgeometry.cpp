#include "shell/print/printgeometry.h"

#include <algorithm>
#include <cmath>

namespace PrintGeometry {

int RowsPerPage(int bodyHeight, int columnHeaderLine, int bodyLine)
{
    if (bodyLine <= 0)
        return 1;
    return std::max(1, (bodyHeight - columnHeaderLine) / bodyLine);
}

int PageCount(int rows, int rowsPerPage)
{
    if (rows <= 0)
        return 0;
    rowsPerPage = std::max(1, rowsPerPage);
    return (rows + rowsPerPage - 1) / rowsPerPage;
}

std::vector<ColumnSpan> ColumnSpans(
    int bodyLeft, int bodyRight, std::span<const int> screenWidths, double scale)
{
    std::vector<ColumnSpan> spans;
    spans.reserve(screenWidths.size());
    double before = 0;
    for (int width : screenWidths) {
        const double left = bodyLeft + before * scale + 5 * scale;
        const double right = left + std::max(width, 0) * scale;
        ColumnSpan span;
        span.left = int(std::lround(left));
        span.right = std::min(int(std::lround(right)), bodyRight);
        spans.push_back(span);
        before += std::max(width, 0);
    }
    return spans;
}

Grid GridForPages(int pagesShown)
{
    switch (pagesShown) {
    case 2:
        return {2, 1};
    case 3:
        return {3, 1};
    case 4:
        return {2, 2};
    case 6:
        return {3, 2};
    case 9:
        return {3, 3};
    default:
        return {1, 1};
    }
}

bool IsGridChoice(int pagesShown)
{
    return pagesShown == 1 || GridForPages(pagesShown).cells() == pagesShown;
}

QSize GridCellSize(QSize client, Grid grid)
{
    const int width = (client.width() - 8 * grid.columns - 8) / grid.columns;
    const int height
        = grid.rows > 1 ? (client.height() - 8 * grid.rows + 8) / grid.rows - 16 : client.height();
    return {std::max(width, 0), std::max(height, 0)};
}

QRect GridCellRect(QSize client, Grid grid, int index)
{
    const QSize cell = GridCellSize(client, grid);
    const int column = index % grid.columns;
    const int row = index / grid.columns;
    return {8 + column * (cell.width() + 8), 8 + row * (cell.height() + 8), cell.width(), cell.height()};
}

Ratio FitRatio(QSize available, QSize page)
{
    if (page.width() <= 0 || page.height() <= 0)
        return {1, 1};
    const int width = std::max(available.width(), 1);
    const int height = std::max(available.height(), 1);
    // Compare width/page.width with height/page.height without rounding.
    if (qint64(width) * page.height() < qint64(height) * page.width())
        return {width, page.width()};
    return {height, page.height()};
}

Ratio ZoomRatio(int level, Ratio fit)
{
    const int n = fit.num;
    const int d = fit.den;
    switch (level) {
    case 0:
        return fit;
    case 1:
        return n < d ? Ratio {(n + d) / 2, d} : Ratio {(3 * n - d) / 2, d};
    case 2:
        return n < d ? Ratio {1, 1} : Ratio {2 * n - d, d};
    case 3:
        return {15, 10};
    case 4:
        return {25, 10};
    default:
        return {4, 1};
    }
}

int PageScrollStep(int firstPage, int lastPage)
{
    return std::max(1, (lastPage - firstPage + 9) / 10);
}

} // namespace PrintGeometry
