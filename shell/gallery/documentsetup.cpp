#include "shell/gallery/documentsetup.h"

#include "document/gallerydocument.h"
#include "pagegen/buildenvironment.h"
#include "pagegen/buildgallerythread.h"
#include "pagegen/buildslideshowthread.h"
#include "pagegen/placementbuilder.h"
#include "shell/common/generaloptions.h"
#include "shell/common/viewregistry.h"

std::unique_ptr<GalleryDocument> CreateGalleryDocument(Profile &profile, const GeneralOptions &options,
                                                       std::function<BuildEnvironment()> environment)
{
    auto document = std::make_unique<GalleryDocument>(profile);
    document->SetRecursiveDir(options.RecursiveDir != 0);
    // Each build takes a fresh environment so an option changed since the
    // gallery was opened still applies.
    auto with = [&options, environment](int (*builder)(GalleryDocument &, const BuildEnvironment &)) {
        return [&options, environment, builder](GalleryDocument &doc) {
            BuildEnvironment env = environment ? environment() : BuildEnvironment{};
            env.showWebPageAfterBuild = options.ShowWebPageAfterBuild != 0;
            builder(doc, env);
        };
    };
    GalleryDocument::Builders builders;
    builders.Gallery = with(&BuildGalleryThread);
    builders.ImageSlideshow = with(&BuildSlideshowThread);
    builders.ThumbnailSlideshow = with(&BuildThumbnailSlideshowThread);
    // The pages name the gallery's view as it is when they are written.
    builders.Placement = [](GalleryDocument &doc) {
        BuildPlacementThread(doc, [&doc] { return ViewRegistry::Instance().NumberOf(&doc); });
    };
    document->SetBuilders(std::move(builders));
    return document;
}
