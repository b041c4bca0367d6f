#include "cli/buildsession.h"
#include "cli/commands.h"
#include "pagegen/pageresources.h"

int RunBuild(const QStringList &args, QTextStream &out, QTextStream &err)
{
    EnsurePageResources();
    const BuildArguments parsed = ParseBuildArguments(args);
    BuildSession session(parsed, out, err);
    return session.Run();
}
