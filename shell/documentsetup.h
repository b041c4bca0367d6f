#pragma once
// A gallery document as the desktop program uses it: its three builders
// wired to the page and slideshow threads, which open the built page when
// the program's options ask for it.

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
