#include "pagegen/pagebuilders.h"

#include "pagegen/buildgallerythread.h"
#include "pagegen/buildslideshowthread.h"

CGLRListDoc::Builders MakePageBuilders(const BuildEnvironment &env)
{
    CGLRListDoc::Builders b;
    b.Gallery = [env](CGLRListDoc &doc) { BuildGalleryThread(doc, env); };
    b.ImageSlideshow = [env](CGLRListDoc &doc) { BuildSlideshowThread(doc, env); };
    b.ThumbnailSlideshow = [env](CGLRListDoc &doc) { BuildThumbnailSlideshowThread(doc, env); };
    return b;
}

BuildEnvironment SystemBuildEnvironment(bool showWebPageAfterBuild, LinkErrorReporter reportLinkError)
{
    BuildEnvironment env;
    env.showWebPageAfterBuild = showWebPageAfterBuild;
    env.openLink = [](const QString &target, int show) { return OpenLink(target, show); };
    env.showLinkError = [report = std::move(reportLinkError)](int code) { ShowLinkError(code, report); };
    return env;
}
