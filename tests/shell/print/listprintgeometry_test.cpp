// The arithmetic of the printed list and its preview, row by row.
#include "shell/print/printgeometry.h"

#include <gtest/gtest.h>

using namespace PrintGeometry;

TEST(ListPrintGeometry, rowsPerPageLeaveRoomForTheColumnHeaders)
{
    struct Row {
        int body, header, line, expected;
    } rows[] = {
        {1000, 50, 50, 19},
        {1050, 50, 100, 10},
        {1049, 50, 100, 9},
        {30, 50, 50, 1},
        {500, 50, 0, 1},
    };
    for (const Row &r : rows)
        EXPECT_EQ(RowsPerPage(r.body, r.header, r.line), r.expected) << r.body << " " << r.line;
}

TEST(ListPrintGeometry, pageCountRoundsUpWithoutAnEmptyLastPage)
{
    struct Row {
        int rows, perPage, expected;
    } rows[] = {{0, 10, 0}, {1, 10, 1}, {10, 10, 1}, {11, 10, 2}, {20, 10, 2}, {21, 10, 3}, {5, 0, 5}};
    for (const Row &r : rows)
        EXPECT_EQ(PageCount(r.rows, r.perPage), r.expected) << r.rows << " / " << r.perPage;
}

TEST(ListPrintGeometry, columnsFollowTheScaledScreenWidthsAndStopAtTheBodyEdge)
{
    const int widths[] = {100, 100, 200, 100, 150};
    const auto wide = ColumnSpans(200, 10000, widths, 2.0);
    const int lefts[] = {210, 410, 610, 1010, 1210};
    const int rights[] = {410, 610, 1010, 1210, 1510};
    ASSERT_EQ(wide.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(wide[i].left, lefts[i]) << i;
        EXPECT_EQ(wide[i].right, rights[i]) << i;
    }
    const auto narrow = ColumnSpans(200, 1100, widths, 2.0);
    EXPECT_EQ(narrow[3].right, 1100);
    EXPECT_TRUE(narrow[4].isEmpty());
    const auto fractional = ColumnSpans(200, 10000, widths, 1.5);
    EXPECT_EQ(fractional[0].left, 208);
    EXPECT_EQ(fractional[1].left, 358);
    EXPECT_EQ(fractional[2].right, 808);
}

TEST(ListPrintGeometry, pagesMenuChoicesGiveTheirGrids)
{
    struct Row {
        int pages, columns, rows;
    } rows[] = {{1, 1, 1}, {2, 2, 1}, {3, 3, 1}, {4, 2, 2}, {6, 3, 2}, {9, 3, 3}, {5, 1, 1}, {0, 1, 1}};
    for (const Row &r : rows) {
        const Grid grid = GridForPages(r.pages);
        EXPECT_EQ(grid.columns, r.columns) << r.pages;
        EXPECT_EQ(grid.rows, r.rows) << r.pages;
        EXPECT_EQ(IsGridChoice(r.pages), r.pages == grid.cells()) << r.pages;
    }
}

TEST(ListPrintGeometry, gridCellsShareTheClientAreaEightPixelsApart)
{
    struct Row {
        int pages, width, height;
    } rows[] = {{1, 784, 600}, {2, 388, 600}, {3, 256, 600}, {4, 388, 280}, {6, 256, 280}, {9, 256, 178}};
    for (const Row &r : rows)
        EXPECT_EQ(GridCellSize(QSize(800, 600), GridForPages(r.pages)), QSize(r.width, r.height)) << r.pages;
    EXPECT_EQ(GridCellRect(QSize(800, 600), GridForPages(9), 4), QRect(272, 194, 256, 178));
    EXPECT_EQ(GridCellRect(QSize(800, 600), GridForPages(2), 1), QRect(404, 8, 388, 600));
}

TEST(ListPrintGeometry, zoomLevelsWhenThePageIsLargerThanTheWindow)
{
    const Ratio fit {300, 1000};
    const Ratio expected[] = {{300, 1000}, {650, 1000}, {1, 1}, {15, 10}, {25, 10}, {4, 1}};
    for (int level = 0; level <= MaxZoomLevel; ++level)
        EXPECT_EQ(ZoomRatio(level, fit), expected[level]) << level;
}

TEST(ListPrintGeometry, zoomLevelsWhenThePageFitsAtActualSize)
{
    const Ratio larger[] = {{1200, 1000}, {1300, 1000}, {1400, 1000}, {15, 10}, {25, 10}, {4, 1}};
    for (int level = 0; level <= MaxZoomLevel; ++level)
        EXPECT_EQ(ZoomRatio(level, {1200, 1000}), larger[level]) << level;
    EXPECT_EQ(ZoomRatio(1, {1000, 1000}), (Ratio {1000, 1000}));
    EXPECT_EQ(ZoomRatio(2, {1000, 1000}), (Ratio {1000, 1000}));
}

TEST(ListPrintGeometry, fitRatioFollowsTheTighterSide)
{
    EXPECT_EQ(FitRatio(QSize(400, 800), QSize(800, 1000)), (Ratio {400, 800}));
    EXPECT_EQ(FitRatio(QSize(1000, 500), QSize(800, 1000)), (Ratio {500, 1000}));
    EXPECT_EQ(FitRatio(QSize(1000, 500), QSize(0, 1000)), (Ratio {1, 1}));
}

TEST(ListPrintGeometry, pageScrollStepIsATenthOfTheDocument)
{
    EXPECT_EQ(PageScrollStep(1, 1), 1);
    EXPECT_EQ(PageScrollStep(1, 11), 1);
    EXPECT_EQ(PageScrollStep(1, 12), 2);
    EXPECT_EQ(PageScrollStep(1, 22), 3);
}
