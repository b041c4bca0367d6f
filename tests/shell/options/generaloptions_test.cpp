#include "platform/profile.h"
#include "shell/app/recentfiles.h"
#include "shell/common/generaloptions.h"
#include "shell/options/programoptionsdialog.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

TEST(GeneralOptions, directoryRadiosMapToTwoSettings)
{
    GeneralOptions o;
    for (int choice : {0, 1, 2}) {
        ApplyDirectoryChoice(o, choice);
        EXPECT_EQ(DirectoryChoice(o), choice);
    }
    ApplyDirectoryChoice(o, 2);
    EXPECT_EQ(o.DirectoryOpen, 0);
    EXPECT_EQ(o.RecursiveDir, 0);
    o.RecursiveDir = 1; // a folder-less setting wins over recursion
    EXPECT_EQ(DirectoryChoice(o), 2);
}

TEST(GeneralOptions, warningBoxHasThreeStatesButAClickNeverMakesThePartialOne)
{
    EXPECT_EQ(WarningBoxState(0), 2);
    EXPECT_EQ(WarningBoxState(kAllWarningsDisabled), 0);
    EXPECT_EQ(WarningBoxState(0x0080), 1);
    EXPECT_EQ(WarningBoxStateAfterClick(2), 0);
    EXPECT_EQ(WarningBoxStateAfterClick(1), 0);
    EXPECT_EQ(WarningBoxStateAfterClick(0), 2);
    EXPECT_EQ(DisabledMaskFromBox(0), kAllWarningsDisabled);
    EXPECT_EQ(DisabledMaskFromBox(2), 0);
}

TEST(GeneralOptions, dialogClicksCycleTheWarningBoxAndKeepAnUntouchedPartialMask)
{
    GeneralOptions o;
    o.DisabledWarningMessage = 0x0101;
    ProgramOptionsDialog dialog(o);
    auto *box = dialog.findChild<QCheckBox *>(QStringLiteral("displayWarnings"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(dialog.options().DisabledWarningMessage, 0x0101);
    box->click();
    EXPECT_EQ(box->checkState(), Qt::Unchecked);
    EXPECT_EQ(dialog.options().DisabledWarningMessage, kAllWarningsDisabled);
    box->click();
    EXPECT_EQ(box->checkState(), Qt::Checked);
    box->click();
    EXPECT_EQ(box->checkState(), Qt::Unchecked);
}

TEST(GeneralOptions, dialogEditsACopyAndShowsTooltipsOnlyWhenAsked)
{
    GeneralOptions o;
    o.DisplayTooltipsInDialogs = 0;
    ProgramOptionsDialog quiet(o);
    auto *none = quiet.findChild<QRadioButton *>(QStringLiteral("noDirectories"));
    ASSERT_NE(none, nullptr);
    EXPECT_TRUE(none->toolTip().isEmpty());
    none->click();
    EXPECT_EQ(quiet.options().DirectoryOpen, 0);
    EXPECT_EQ(o.DirectoryOpen, 1);

    o.DisplayTooltipsInDialogs = 1;
    ProgramOptionsDialog talkative(o);
    EXPECT_EQ(talkative.findChild<QRadioButton *>(QStringLiteral("recursiveDirectories"))->toolTip(),
              QStringLiteral("Ouvre tous les répertoires de façon récursive"));
}

TEST(GeneralOptions, settingsRoundTrip)
{
    QTemporaryDir dir;
    SettingsProfile profile(dir.filePath(QStringLiteral("s.ini")));
    GeneralOptions o;
    o.PreviewWithSelection = 0;
    o.DisabledWarningMessage = 0x4001;
    o.SaveToRegistry(profile);
    GeneralOptions back;
    back.LoadFromRegistry(profile);
    EXPECT_EQ(back, o);
    EXPECT_EQ(profile.GetInt(QStringLiteral("LastOptions/General"), QStringLiteral("DisabledWarningMessage"), 0), 0x4001);
}

TEST(RecentFiles, newestFirstWithoutRepeatsAndAtMostFive)
{
    RecentFileList list;
    for (int i = 1; i <= 6; ++i)
        list.Add(QStringLiteral("/p/%1.glr").arg(i));
    list.Add(QStringLiteral("/p/4.glr"));
    EXPECT_EQ(list.Files(), QStringList({"/p/4.glr", "/p/6.glr", "/p/5.glr", "/p/3.glr", "/p/2.glr"}));
    QTemporaryDir dir;
    SettingsProfile profile(dir.filePath(QStringLiteral("s.ini")));
    list.Remove(QStringLiteral("/p/5.glr"));
    list.Save(profile);
    RecentFileList back;
    back.Load(profile);
    EXPECT_EQ(back.Files(), list.Files());
}

TEST(RecentFiles, menuTextShowsTheNameUnlessTwoShareIt)
{
    RecentFileList list;
    list.Add(QStringLiteral("/a/galerie.glr"));
    list.Add(QStringLiteral("/b/vacances & amis.glr"));
    EXPECT_EQ(list.MenuText(0), QStringLiteral("&1 vacances && amis.glr"));
    list.Add(QStringLiteral("/b/galerie.glr"));
    EXPECT_EQ(list.MenuText(0), QStringLiteral("&1 /b/galerie.glr"));
}
