#pragma once
// The preview window's options and placement (settings section
// WindowState/Preview), and where the window opens. The placement rule is a
// pure function so that a first start and a vanished monitor are checked
// without a screen.

#include "imaging/thumbnailoptions.h"

#include <QList>
#include <QRect>
#include <Qt>

class Profile;

// Tool bar sides as stored: the docking alignments of the original program.
constexpr int kToolBarLeft = 5120;
constexpr int kToolBarTop = 10240;
constexpr int kToolBarRight = 16640;
constexpr int kToolBarBottom = 33280;

struct PreviewOptions {
    int ScreenX = 0; // screen width when last saved; 0: nothing saved
    int Visible = 1;
    QRect rect; // the window's inside, in screen coordinates
    int AutoBgColor = 0;
    COLORREF BgColor = 0;
    int StatusBarVisible = 1;
    int ToolBarVisible = 1;
    int ToolBarPos = kToolBarLeft;
    int Animation = 1;

    void Load(const Profile &profile);
    void Save(Profile &profile) const;
    bool operator==(const PreviewOptions &) const = default;
};

// An unknown stored side reads as the default, the left.
Qt::ToolBarArea ToolBarArea(int toolBarPos);

// Decorations of a window, in pixels, for the first-start rectangle.
struct FrameMetrics {
    int border = 1;
    int caption = 0;
    int menu = 0;
};

// The saved rectangle when something was saved and it meets one of the work
// areas; otherwise the right third of the first (primary) work area.
QRect PreviewStartRect(
    const PreviewOptions &options, const QList<QRect> &workAreas, const FrameMetrics &metrics);
