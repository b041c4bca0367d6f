#include "cli/commandline.h"

#include "platform/programversion.h"

#include <QTextStream>
#include <gtest/gtest.h>

namespace {

struct Outcome {
    int status;
    QString out, err;
};

Outcome RunCli(const QStringList &args)
{
    Outcome o;
    {
        QTextStream out(&o.out), err(&o.err);
        o.status = RunCommandLine(args, out, err);
    }
    return o;
}

} // namespace

TEST(CommandLine, helpOfTheProgramAndOfEachSubcommandGoesToStandardOutput)
{
    const QStringList helps[] = {{"--help"}, {"-h"}, {"info", "--help"}, {"info", "-h"}, {"thumb", "--help"},
        {"thumb", "-h"}, {"build", "--help"}, {"build", "-h"}};
    for (const QStringList &args : helps) {
        const Outcome o = RunCli(args);
        const std::string label = args.join(' ').toStdString();
        EXPECT_EQ(o.status, 0) << label;
        EXPECT_TRUE(o.err.isEmpty()) << label;
        EXPECT_TRUE(o.out.startsWith("usage : gallorim-cli")) << label;
        EXPECT_TRUE(o.out.contains("--help")) << label;
    }
    const QString programHelp = RunCli({"--help"}).out;
    for (const char *name : {"info", "thumb", "build", "--version"})
        EXPECT_TRUE(programHelp.contains(name)) << name;
}

TEST(CommandLine, versionIsTheBuildsOwn)
{
    const Outcome o = RunCli({"--version"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, QString("gallorim-cli %1\n").arg(ProgramVersion()));
    EXPECT_FALSE(QString(ProgramVersion()).isEmpty());
}

TEST(CommandLine, anUnknownOptionIsNamedWithTheShortUsageOnStandardError)
{
    const struct {
        QStringList args;
        const char *named;
        const char *synopsis;
    } rows[] = {
        {{"--frobnicate"}, "--frobnicate", "usage : gallorim-cli ["},
        {{"-x", "info"}, "-x", "usage : gallorim-cli ["},
        {{"paint"}, "paint", "usage : gallorim-cli ["},
        {{"info", "-x", "a.jpg"}, "-x", "usage : gallorim-cli info "},
        {{"thumb", "--frobnicate", "a.jpg"}, "--frobnicate", "usage : gallorim-cli thumb "},
        {{"thumb", "-q", "a.jpg"}, "-q", "usage : gallorim-cli thumb "},
        {{"build", "--frobnicate", "a.jpg"}, "--frobnicate", "usage : gallorim-cli build "},
    };
    for (const auto &row : rows) {
        const Outcome o = RunCli(row.args);
        const std::string label = row.args.join(' ').toStdString();
        EXPECT_EQ(o.status, 2) << label;
        EXPECT_TRUE(o.out.isEmpty()) << label;
        const QStringList lines = o.err.split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 3) << label << "\n" << o.err.toStdString();
        EXPECT_TRUE(lines[0].endsWith(QString(" %1").arg(row.named))) << label;
        EXPECT_TRUE(lines[1].startsWith(row.synopsis)) << label;
    }
    EXPECT_EQ(RunCli({}).status, 2);
}

TEST(CommandLine, aDoubleDashEndsTheOptionsOfInfo)
{
    const Outcome o = RunCli({"info", "--", "-x"});
    EXPECT_EQ(o.status, 1) << "a missing file, not bad usage";
    EXPECT_TRUE(o.out.startsWith("-x\n"));
}
