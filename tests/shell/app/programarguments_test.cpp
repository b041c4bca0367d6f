#include "shell/app/programarguments.h"

#include "platform/programversion.h"

#include <gtest/gtest.h>

TEST(ProgramArguments, helpAndVersionAreAnsweredWhereverTheyStand)
{
    for (const QStringList &args : {QStringList {"--help"}, {"-h"}, {"a.glr", "--help"}}) {
        const EarlyAnswer a = AnswerBeforeWindow(args);
        EXPECT_TRUE(a.answered) << args.join(' ').toStdString();
        EXPECT_TRUE(a.text.startsWith("usage : gallorim [PROJET.glr...]\n"));
    }
    const EarlyAnswer version = AnswerBeforeWindow({"-platform", "offscreen", "--version"});
    EXPECT_TRUE(version.answered);
    EXPECT_EQ(version.text, QString("gallorim %1\n").arg(ProgramVersion()));
}

TEST(ProgramArguments, projectsQtOptionsAndNamesAfterADoubleDashStartTheProgram)
{
    for (const QStringList &args :
        {QStringList {}, {"a.glr", "b.glr"}, {"-platform", "offscreen"}, {"--", "--help"}, {"--helpful"}})
        EXPECT_FALSE(AnswerBeforeWindow(args).answered) << args.join(' ').toStdString();
}
