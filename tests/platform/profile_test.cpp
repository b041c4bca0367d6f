#include "platform/profile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(SettingsProfile, absentValuesGiveTheDefault)
{
    QTemporaryDir dir;
    SettingsProfile p(dir.filePath("s.ini"));
    EXPECT_EQ(p.GetInt("LastOptions\\WebPage1", "NbImageOnOneLine", 4), 4);
    EXPECT_EQ(p.GetString("LastOptions/Links", "Root", "x"), "x");
}

TEST(SettingsProfile, valuesSurviveAReopenAndSectionsAcceptBothSeparators)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("s.ini");
    {
        SettingsProfile p(file);
        p.WriteInt("LastOptions\\WebPage2", "NbLineOnOnePage", int(0x80000005u));
        p.WriteString("LastOptions/Links", "Root", QString::fromUtf8("C:\\Mes sites\\été"));
        p.Sync();
    }
    SettingsProfile p(file);
    EXPECT_EQ(static_cast<unsigned>(p.GetInt("LastOptions/WebPage2", "NbLineOnOnePage", 0)), 0x80000005u);
    EXPECT_EQ(p.GetString("LastOptions\\Links", "Root", ""), QString::fromUtf8("C:\\Mes sites\\été"));
}

TEST(SettingsProfile, textsWithListAndEscapeCharactersComeBackAsWritten)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("s.ini");
    const QStringList texts = {QString::fromUtf8("Mes photos, été; \"2004\" = bon"), "@home", "  spaced  ",
                               "a\\b/c", "", "1,2,3", "#hash", "[x]"};
    {
        SettingsProfile p(file);
        for (int i = 0; i < texts.size(); ++i)
            p.WriteString("LastOptions/WebPage1", QStringLiteral("T%1").arg(i), texts[i]);
        p.Sync();
    }
    SettingsProfile p(file);
    for (int i = 0; i < texts.size(); ++i)
        EXPECT_EQ(p.GetString("LastOptions/WebPage1", QStringLiteral("T%1").arg(i), "default"), texts[i]) << i;
}
