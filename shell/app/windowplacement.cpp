#include "shell/app/windowplacement.h"

#include "platform/profile.h"

#include <QString>

namespace {
const QString kSection = QStringLiteral("WindowState/MainFrame");
}

void StoredPlacement::Load(const Profile &p)
{
    screenX = p.GetInt(kSection, QStringLiteral("ScreenX"), 0);
    const int left = p.GetInt(kSection, QStringLiteral("left"), 0);
    const int top = p.GetInt(kSection, QStringLiteral("top"), 0);
    const int right = p.GetInt(kSection, QStringLiteral("right"), 0);
    const int bottom = p.GetInt(kSection, QStringLiteral("bottom"), 0);
    // Stored as edges, right and bottom exclusive.
    rect = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    showState = p.GetInt(kSection, QStringLiteral("ShowState"), kShowMaximized);
}

void StoredPlacement::Save(Profile &p) const
{
    p.WriteInt(kSection, QStringLiteral("ScreenX"), screenX);
    p.WriteInt(kSection, QStringLiteral("top"), rect.top());
    p.WriteInt(kSection, QStringLiteral("left"), rect.left());
    p.WriteInt(kSection, QStringLiteral("right"), rect.left() + rect.width());
    p.WriteInt(kSection, QStringLiteral("bottom"), rect.top() + rect.height());
    p.WriteInt(kSection, QStringLiteral("ShowState"), showState);
    p.Sync();
}

StartPlacement PlacementAtStart(const StoredPlacement &stored, const QRect &workArea)
{
    StartPlacement start;
    if (stored.screenX == 0 || !stored.rect.isValid() || !stored.rect.intersects(workArea))
        return start;
    start.normalRect = stored.rect;
    start.maximized = stored.showState == kShowMaximized;
    return start;
}

StoredPlacement PlacementAtClose(const QRect &normalRect, bool normalState, int screenWidth)
{
    StoredPlacement stored;
    stored.screenX = screenWidth;
    stored.rect = normalRect;
    stored.showState = normalState ? kShowRestore : kShowMaximized;
    return stored;
}
