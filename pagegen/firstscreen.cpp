#include "pagegen/firstscreen.h"

#include <algorithm>

namespace {

// The first screen is taken as a full-HD window with no room counted for the
// title and the browser's bars: a little more than most readers see, since a
// thumbnail loaded early costs less than a visible one that arrives late.
constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;
// Spacing of the built-in design: the blank and &nbsp; after each image, the
// descent under a row of images, and the empty line of <BR><BR> after each line.
constexpr int kImageGap = 8;
constexpr int kRowGap = 4;
constexpr int kLineGap = 22;
// An unknown size is counted as the default thumbnail box.
constexpr int kDefaultWidth = 128;
constexpr int kDefaultHeight = 96;

bool ParseSize(const QString &dimensions, int &width, int &height)
{
    const qsizetype x = dimensions.indexOf(QLatin1Char('x'));
    if (x <= 0)
        return false;
    bool okW = false, okH = false;
    width = dimensions.left(x).toInt(&okW);
    height = dimensions.mid(x + 1).toInt(&okH);
    return okW && okH && width > 0 && height > 0;
}

} // namespace

FirstScreen::FirstScreen(int perLine) : m_perLine(std::max(perLine, 1)) {}

bool FirstScreen::Place(const QString &dimensions, int border)
{
    if (m_rowTop >= kScreenHeight)
        return false; // rows only go down from here
    int width = 0, height = 0;
    if (!ParseSize(dimensions, width, height)) {
        width = kDefaultWidth;
        height = kDefaultHeight;
    }
    border = std::clamp(border, 0, kScreenHeight);
    width = std::min(width, kScreenWidth) + 2 * border + kImageGap;
    height = std::min(height, kScreenHeight) + 2 * border;
    if (m_placed > 0 && m_placed % m_perLine == 0) {
        m_rowTop += m_rowHeight + kRowGap + kLineGap;
        m_x = m_rowHeight = 0;
    } else if (m_x > 0 && m_x + width > kScreenWidth) {
        m_rowTop += m_rowHeight + kRowGap; // a line wider than the window wraps
        m_x = m_rowHeight = 0;
    }
    ++m_placed;
    m_x += width;
    m_rowHeight = std::max(m_rowHeight, height);
    return m_rowTop < kScreenHeight;
}
