#include "shell/gallery/rowmoves.h"

#include <gtest/gtest.h>
#include <numeric>

namespace {
// The list after the moves, as the document would apply them.
std::vector<int> Apply(int count, const std::vector<RowMove> &moves)
{
    std::vector<int> rows(count);
    std::iota(rows.begin(), rows.end(), 0);
    for (const RowMove &m : moves) {
        rows.insert(rows.begin() + m.to, rows[m.from]);
        rows.erase(rows.begin() + m.removeAt);
    }
    return rows;
}
} // namespace

TEST(RowDrop, rowsOneAndThreeBeforeRowSixEndAsABlockAndStaySelected)
{
    const RowDropPlan plan = PlanRowDrop({1, 3}, 6, 10);
    EXPECT_EQ(Apply(10, plan.moves), (std::vector<int> {0, 2, 4, 5, 1, 3, 6, 7, 8, 9}));
    EXPECT_EQ(plan.selection, (std::vector<int> {4, 5}));
}

TEST(RowDrop, singleRowOnTheGapBelowItselfChangesNothing)
{
    const RowDropPlan plan = PlanRowDrop({4}, 5, 10);
    EXPECT_TRUE(plan.moves.empty());
    EXPECT_EQ(plan.selection, (std::vector<int> {4}));
}

TEST(RowDrop, blocksFormInDraggedOrderWhereverTheRowsCameFrom)
{
    struct Case {
        std::vector<int> dragged;
        int drop;
        std::vector<int> expected;
        std::vector<int> selection;
    };
    const Case cases[] = {
        {{7, 8}, 3, {0, 1, 2, 7, 8, 3, 4, 5, 6, 9}, {3, 4}},
        {{2, 6}, 6, {0, 1, 3, 4, 5, 2, 6, 7, 8, 9}, {5, 6}},
        {{0, 9}, 5, {1, 2, 3, 4, 0, 9, 5, 6, 7, 8}, {4, 5}},
        {{3}, 0, {3, 0, 1, 2, 4, 5, 6, 7, 8, 9}, {0}},
        {{3}, 10, {0, 1, 2, 4, 5, 6, 7, 8, 9, 3}, {9}},
        {{3}, 99, {0, 1, 2, 4, 5, 6, 7, 8, 9, 3}, {9}}, // beyond the end: clamped
        {{4, 5}, 5, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, {4, 5}},
    };
    for (const Case &c : cases) {
        const RowDropPlan plan = PlanRowDrop(c.dragged, c.drop, 10);
        EXPECT_EQ(Apply(10, plan.moves), c.expected) << "drop at " << c.drop;
        EXPECT_EQ(plan.selection, c.selection) << "drop at " << c.drop;
    }
}

TEST(PlacementMessage, exchangeSwapsTwoRowsWhicheverComesFirst)
{
    EXPECT_EQ(
        Apply(5, PlanPlacementMessage(kPlacementExchange, 2, 4, 5)), (std::vector<int> {0, 3, 2, 1, 4}));
    EXPECT_EQ(
        Apply(5, PlanPlacementMessage(kPlacementExchange, 4, 2, 5)), (std::vector<int> {0, 3, 2, 1, 4}));
    EXPECT_EQ(
        PlanPlacementMessage(kPlacementExchange, 2, 4, 5), (std::vector<RowMove> {{1, 3, 1}, {3, 1, 4}}));
}

TEST(PlacementMessage, insertPutsTheFirstRowBeforeTheSecond)
{
    EXPECT_EQ(Apply(5, PlanPlacementMessage(kPlacementInsert, 5, 2, 5)), (std::vector<int> {0, 4, 1, 2, 3}));
    EXPECT_EQ(Apply(5, PlanPlacementMessage(kPlacementInsert, 1, 4, 5)), (std::vector<int> {1, 2, 0, 3, 4}));
}

TEST(PlacementMessage, rowsOutsideTheListAndOtherMessagesMoveNothing)
{
    EXPECT_TRUE(PlanPlacementMessage(kPlacementExchange, -1, -1, 5).empty());
    EXPECT_TRUE(PlanPlacementMessage(kPlacementInsert, 0, 3, 5).empty());
    EXPECT_TRUE(PlanPlacementMessage(kPlacementInsert, 2, 6, 5).empty());
    EXPECT_TRUE(PlanPlacementMessage(1141, 1, 2, 5).empty());
}

TEST(MoveOnePlace, upAndDownStopAtTheEnds)
{
    EXPECT_EQ(Apply(4, {*PlanMoveUp(2)}), (std::vector<int> {0, 2, 1, 3}));
    EXPECT_EQ(Apply(4, {*PlanMoveDown(1, 4)}), (std::vector<int> {0, 2, 1, 3}));
    EXPECT_FALSE(PlanMoveUp(0));
    EXPECT_FALSE(PlanMoveDown(3, 4));
}

TEST(SizeText, widthAndHeightComeBeforeAndAfterTheFirstX)
{
    int w = 0;
    int h = 0;
    ASSERT_TRUE(ParseDimensions(QStringLiteral("1024x768  245 ko"), &w, &h));
    EXPECT_EQ(w, 1024);
    EXPECT_EQ(h, 768);
    ASSERT_TRUE(ParseDimensions(QStringLiteral("30x40"), &w, &h));
    EXPECT_EQ(h, 40);
    EXPECT_FALSE(ParseDimensions(QStringLiteral("Not an Image"), &w, &h));
}

TEST(DropPoint, isTakenHalfARowHigherAndClampedToTheList)
{
    // Rows of 20 pixels, rows 10..19 in sight from y = 0.
    EXPECT_EQ(DropIndexAt(5, 20, 10, 0, 19, 100), 10); // above the first row in sight
    EXPECT_EQ(DropIndexAt(25, 20, 10, 0, 19, 100), 11); // lower half of row 10
    EXPECT_EQ(DropIndexAt(35, 20, 10, 0, 19, 100), 12); // upper half of row 11
    EXPECT_EQ(DropIndexAt(500, 20, 10, 0, 19, 100), 20); // below every row
    EXPECT_EQ(DropIndexAt(500, 20, 0, 0, 2, 3), 3);
}

TEST(DragAutoScroll, scrollsNearTheEdgesOnly)
{
    EXPECT_EQ(DragAutoScrollDelta(0, 20, 400), -20);
    EXPECT_EQ(DragAutoScrollDelta(30, 20, 400), -5);
    EXPECT_EQ(DragAutoScrollDelta(200, 20, 400), 0);
    EXPECT_EQ(DragAutoScrollDelta(390, 20, 400), 5);
    EXPECT_EQ(DragAutoScrollDelta(500, 20, 400), 0);
}
