#include "shell/gallery/rowmoves.h"

#include <algorithm>
#include <numeric>

namespace {
// Applies a move to a list of row identities, as the document would.
void Apply(std::vector<int> &rows, const RowMove &m)
{
    rows.insert(rows.begin() + m.to, rows[m.from]);
    rows.erase(rows.begin() + m.removeAt);
}
} // namespace

RowDropPlan PlanRowDrop(std::vector<int> dragged, int dropIndex, int rowCount)
{
    std::sort(dragged.begin(), dragged.end());
    dragged.erase(std::unique(dragged.begin(), dragged.end()), dragged.end());
    RowDropPlan plan;
    int i = std::clamp(dropIndex, 0, rowCount);
    int j = i - 1;
    int movedFromAbove = 0;
    for (int index : dragged) {
        if (index < 0 || index >= rowCount)
            continue;
        if (index < i) {
            // Each row taken from above the drop point shifts the later ones up.
            const int e = index - movedFromAbove;
            if (e != i && e != j) {
                plan.moves.push_back({e, i, e});
                ++movedFromAbove;
            }
        } else {
            ++j;
            if (index != i)
                plan.moves.push_back({index, i, index + 1});
            ++i;
        }
    }
    // The selection follows the rows themselves, wherever the moves put them.
    std::vector<int> rows(rowCount);
    std::iota(rows.begin(), rows.end(), 0);
    for (const RowMove &m : plan.moves)
        Apply(rows, m);
    for (int r = 0; r < rowCount; ++r) {
        if (std::binary_search(dragged.begin(), dragged.end(), rows[r]))
            plan.selection.push_back(r);
    }
    return plan;
}

std::vector<RowMove> PlanPlacementMessage(int message, int a, int b, int rowCount)
{
    --a;
    --b;
    if (a < 0 || b < 0 || a >= rowCount || b >= rowCount || a == b)
        return {};
    if (message == kPlacementExchange) {
        if (a > b)
            std::swap(a, b);
        return {{a, b, a}, {b, a, b + 1}};
    }
    if (message == kPlacementInsert)
        return {{a, b, a > b ? a + 1 : a}};
    return {};
}

std::optional<RowMove> PlanMoveUp(int row)
{
    if (row <= 0)
        return std::nullopt;
    return RowMove {row, row - 1, row + 1};
}

std::optional<RowMove> PlanMoveDown(int row, int rowCount)
{
    if (row < 0 || row >= rowCount - 1)
        return std::nullopt;
    return RowMove {row, row + 2, row};
}

bool ParseDimensions(const QString &sizeText, int *width, int *height)
{
    const int x = sizeText.indexOf(QLatin1Char('x'));
    if (x < 0)
        return false;
    int blank = sizeText.indexOf(QLatin1Char(' '), x + 1);
    if (blank < 0)
        blank = sizeText.size();
    bool okWidth = false;
    bool okHeight = false;
    *width = sizeText.left(x).trimmed().toInt(&okWidth);
    *height = sizeText.mid(x + 1, blank - x - 1).toInt(&okHeight);
    return okWidth && okHeight;
}

int DropIndexAt(
    int y, int rowHeight, int firstVisibleRow, int firstVisibleTop, int lastVisibleRow, int rowCount)
{
    if (rowCount <= 0 || rowHeight <= 0)
        return 0;
    const int raised = y - rowHeight / 2;
    int index;
    if (raised < firstVisibleTop) {
        index = firstVisibleRow;
    } else {
        const int hit = firstVisibleRow + (raised - firstVisibleTop) / rowHeight;
        index = hit > lastVisibleRow || hit >= rowCount ? lastVisibleRow + 1 : hit + 1;
    }
    return std::clamp(index, 0, rowCount);
}

int DragAutoScrollDelta(int y, int rowHeight, int height)
{
    const int r = rowHeight;
    if (y > -r && y < 2 * r)
        return -(2 * r - y) / 2;
    if (y > height - r && y < height + 2 * r)
        return (y + r - height) / 2;
    return 0;
}
