#pragma once
// Which thumbnails of a page built from the built-in design a browser shows
// before the reader scrolls. Those load at once; the others are marked for
// lazy loading so that a page of thousands of photos starts to show at once.

#include <QString>

class FirstScreen {
public:
    // `perLine`: images per line of the page, where the design breaks the line.
    explicit FirstScreen(int perLine);

    // Places the next thumbnail of the page ("WxH", or anything else when its
    // size is unknown) with its border, and answers whether it starts on the
    // first screen.
    bool Place(const QString &dimensions, int border);

private:
    int m_perLine;
    int m_placed = 0;
    int m_x = 0;         // right end of the current row
    int m_rowTop = 0;    // top of the current row
    int m_rowHeight = 0; // tallest box of the current row
};
