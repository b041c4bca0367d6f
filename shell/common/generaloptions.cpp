#include "shell/common/generaloptions.h"

#include "platform/profile.h"

#include <QString>

namespace {
const QString kSection = QStringLiteral("LastOptions/General");

// The settings names, written once for both directions.
template <typename G, typename F> void Fields(G &o, const F &f)
{
    f(QStringLiteral("RecursiveDir"), o.RecursiveDir);
    f(QStringLiteral("DirectoryOpen"), o.DirectoryOpen);
    f(QStringLiteral("DisplayTooltipsInDialogs"), o.DisplayTooltipsInDialogs);
    f(QStringLiteral("PreviewWithSelection"), o.PreviewWithSelection);
    f(QStringLiteral("CommentIconLaunchAssistant"), o.CommentIconLaunchAssistant);
    f(QStringLiteral("DisabledWarningMessage"), o.DisabledWarningMessage);
    f(QStringLiteral("ShowWebPageAfterBuild"), o.ShowWebPageAfterBuild);
}
} // namespace

void GeneralOptions::LoadFromRegistry(const Profile &profile)
{
    *this = GeneralOptions{};
    Fields(*this, [&](const QString &name, int &v) { v = profile.GetInt(kSection, name, v); });
}

void GeneralOptions::SaveToRegistry(Profile &profile) const
{
    Fields(*this, [&](const QString &name, int v) { profile.WriteInt(kSection, name, v); });
    profile.Sync();
}

int DirectoryChoice(const GeneralOptions &o)
{
    if (o.DirectoryOpen == 0)
        return 2;
    return o.RecursiveDir ? 0 : 1;
}

void ApplyDirectoryChoice(GeneralOptions &o, int choice)
{
    o.RecursiveDir = choice == 0 ? 1 : 0;
    o.DirectoryOpen = choice == 2 ? 0 : 1;
}

int WarningBoxState(int disabledMask)
{
    if (disabledMask == 0)
        return 2;
    return disabledMask == kAllWarningsDisabled ? 0 : 1;
}

int DisabledMaskFromBox(int boxState) { return boxState == 0 ? kAllWarningsDisabled : 0; }

int WarningBoxStateAfterClick(int boxState) { return boxState == 0 ? 2 : 0; }
