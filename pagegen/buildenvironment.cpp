#include "pagegen/buildenvironment.h"

void OpenBuiltPage(const BuildEnvironment &env, const QString &path)
{
    if (!env.showWebPageAfterBuild || !env.openLink)
        return;
    const int result = env.openLink(path, kShowMaximized);
    if (result <= 32 && env.showLinkError)
        env.showLinkError(result);
}
