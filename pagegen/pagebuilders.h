#pragma once
// The page builders a gallery document starts, bound to one environment, and
// the environment of the real program (links opened by the desktop, failures
// reported through the caller's message reporter).

#include "document/gallerydocument.h"
#include "pagegen/buildenvironment.h"
#include "pagegen/openlink.h"

// Gallery, image slideshow and thumbnail slideshow; the placement builder is left empty.
GalleryDocument::Builders MakePageBuilders(const BuildEnvironment &env);

BuildEnvironment SystemBuildEnvironment(bool showWebPageAfterBuild, LinkErrorReporter reportLinkError);
