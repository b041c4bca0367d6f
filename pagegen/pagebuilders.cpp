#include "pagegen/pagebuilders.h"

#include "pagegen/buildgallerythread.h"
#include "pagegen/buildslideshowthread.h"

GalleryDocument::Builders MakePageBuilders(const BuildEnvironment &env)
{
    GalleryDocument::Builders b;
    b.Gallery = [env](GalleryDocument &doc) { BuildGalleryThread(doc, env); };
    b.ImageSlideshow = [env](GalleryDocument &doc) { BuildSlideshowThread(doc, env); };
    b.ThumbnailSlideshow = [env](GalleryDocument &doc) { BuildThumbnailSlideshowThread(doc, env); };
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
