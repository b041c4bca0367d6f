#pragma once
// A gallery document as the desktop program uses it: its builders wired to
// the page and slideshow threads, which open the built page when the
// program's options ask for it, and to the visual placement pages, which
// name the gallery's view as registered in ViewRegistry.

#include <functional>
#include <memory>

class GalleryDocument;
class Profile;
struct GeneralOptions;
struct BuildEnvironment;

// `options` must outlive the document: each build reads it when it starts.
// `environment` supplies the link opener and the error reporter (the GUI's
// message box); the show-after-build flag is taken from `options`.
std::unique_ptr<GalleryDocument> CreateGalleryDocument(Profile &profile, const GeneralOptions &options,
                                                       std::function<BuildEnvironment()> environment);
