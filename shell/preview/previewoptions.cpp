#include "shell/preview/previewoptions.h"

#include "platform/profile.h"

#include <QString>

namespace {
const QString kSection = QStringLiteral("WindowState/Preview");

int Read(const Profile &p, const char *name, int def)
{
    return p.GetInt(kSection, QString::fromLatin1(name), def);
}

void Write(Profile &p, const char *name, int value)
{
    p.WriteInt(kSection, QString::fromLatin1(name), value);
}
} // namespace

void PreviewOptions::Load(const Profile &p)
{
    ScreenX = Read(p, "ScreenX", 0);
    Visible = Read(p, "Visible", 1);
    const int left = Read(p, "left", 0);
    const int top = Read(p, "top", 0);
    // Stored as edges, right and bottom exclusive.
    rect = QRect(QPoint(left, top), QPoint(Read(p, "right", 0) - 1, Read(p, "bottom", 0) - 1));
    AutoBgColor = Read(p, "AutoBgColor", 0);
    BgColor = static_cast<COLORREF>(Read(p, "BgColor", 0)) & 0xFFFFFF;
    StatusBarVisible = Read(p, "StatusBarVisible", 1);
    ToolBarVisible = Read(p, "ToolBarVisible", 1);
    ToolBarPos = Read(p, "ToolBarPos", kToolBarLeft);
    Animation = Read(p, "Animation", 1);
}

void PreviewOptions::Save(Profile &p) const
{
    Write(p, "ScreenX", ScreenX);
    Write(p, "Visible", Visible);
    Write(p, "left", rect.left());
    Write(p, "top", rect.top());
    Write(p, "right", rect.left() + rect.width());
    Write(p, "bottom", rect.top() + rect.height());
    Write(p, "AutoBgColor", AutoBgColor);
    Write(p, "BgColor", static_cast<int>(BgColor));
    Write(p, "StatusBarVisible", StatusBarVisible);
    Write(p, "ToolBarVisible", ToolBarVisible);
    Write(p, "ToolBarPos", ToolBarPos);
    Write(p, "Animation", Animation);
    p.Sync();
}

Qt::ToolBarArea ToolBarArea(int toolBarPos)
{
    switch (toolBarPos) {
    case kToolBarTop:
        return Qt::TopToolBarArea;
    case kToolBarRight:
        return Qt::RightToolBarArea;
    case kToolBarBottom:
        return Qt::BottomToolBarArea;
    default:
        return Qt::LeftToolBarArea;
    }
}

QRect PreviewStartRect(const PreviewOptions &options, const QList<QRect> &workAreas, const FrameMetrics &m)
{
    if (workAreas.isEmpty())
        return options.rect;
    if (options.ScreenX != 0) {
        for (const QRect &area : workAreas) {
            if (area.intersects(options.rect))
                return options.rect;
        }
    }
    const QRect &work = workAreas.first();
    const int workRight = work.left() + work.width();
    const int left = workRight - work.width() / 3;
    const int right = workRight - m.border;
    const int top = work.top() + m.caption + m.menu + m.border + 25;
    const int bottom = top + work.height() / 3;
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}
