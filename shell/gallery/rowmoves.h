#pragma once
// The list's reordering rules as pure arithmetic: which document moves a row
// drop, a placement message or a one-place move makes. Each move is applied
// with GalleryDocument::MoveEntry in the order given.

#include <QString>
#include <optional>
#include <vector>

// MoveEntry(from, to, removeAt): a copy of `from` goes to `to`, then the
// entry at `removeAt` goes away.
struct RowMove {
    int from = 0;
    int to = 0;
    int removeAt = 0;
    bool operator==(const RowMove &) const = default;
};

struct RowDropPlan {
    std::vector<RowMove> moves;
    std::vector<int> selection; // where the dragged rows end up, ascending
};

// Rows `dragged` dropped before row `dropIndex` of a list of
// `rowCount` rows; the dragged rows end as one block in their old order.
RowDropPlan PlanRowDrop(std::vector<int> dragged, int dropIndex, int rowCount);

constexpr int kPlacementExchange = 1139;
constexpr int kPlacementInsert = 1140;

// A placement message with 1-based rows `a` and `b`. Rows outside the list
// and unknown messages give no move.
std::vector<RowMove> PlanPlacementMessage(int message, int a, int b, int rowCount);

// One place up or down for the single selected row `row`; none at the ends.
std::optional<RowMove> PlanMoveUp(int row);
std::optional<RowMove> PlanMoveDown(int row, int rowCount);

// Width and height from a size text "WxH  size"; false when it does not parse.
bool ParseDimensions(const QString &sizeText, int *width, int *height);

// Row before which rows dropped at viewport height `y` go: the point is
// taken half a row higher; above the first visible row it is that row;
// past the last row (or below every row) it is one after the last visible row.
// `hitRow` is the row under the raised point, -1 when none.
int DropIndexAt(
    int y, int rowHeight, int firstVisibleRow, int firstVisibleTop, int lastVisibleRow, int rowCount);

// Pixels to scroll while dragging at viewport height `y` in a viewport of
// `height`: negative scrolls up, 0 none.
int DragAutoScrollDelta(int y, int rowHeight, int height);
