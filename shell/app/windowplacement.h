#pragma once
// Where the main window opens and what is stored when it closes (settings
// section WindowState/MainFrame). Pure rules, so the edge cases (first start,
// a removed monitor, closing while minimised) are checked without a screen.

#include <QRect>

class Profile;

// Show commands as stored.
constexpr int kShowNormal = 1;
constexpr int kShowMaximized = 3;
constexpr int kShowRestore = 9;

struct StoredPlacement {
    int screenX = 0; // only tested for being non-zero
    QRect rect;      // the normal-state rectangle
    int showState = kShowMaximized;

    void Load(const Profile &profile);
    void Save(Profile &profile) const;
};

struct StartPlacement {
    bool maximized = true;
    QRect normalRect; // null: left to the window system
};

// The saved rectangle is used when something was saved and it meets the
// primary screen's work area; otherwise the window opens maximised.
StartPlacement PlacementAtStart(const StoredPlacement &stored, const QRect &workArea);

// A minimised or maximised window is stored as maximised with its normal
// rectangle kept for restore.
StoredPlacement PlacementAtClose(const QRect &normalRect, bool normalState, int screenWidth);
