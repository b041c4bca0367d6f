#pragma once
// Command line of "gallorim-cli build": inputs, output paths and the gallery
// options users change most. Values given here override the saved defaults and
// the options of a project given as input.

#include "document/galleryoptions.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

struct BuildArguments {
    QStringList inputs;     // images, folders, or one project file
    QString page;           // -o: gallery page
    QString slideshow;      // --slideshow: also build a slideshow page there
    QString saveProject;    // --save: write the gallery as a project
    QString settings;       // --settings: defaults from this file instead of the user's
    int jobs = 0;           // thumbnails built at once; 0: one per core
    bool quiet = false;     // no progress bar
    bool recursive = true;  // folders are scanned with their sub-folders
    bool help = false;
    // One change per option flag, applied in the order given.
    std::vector<std::function<void(GalleryOptions &)>> changes;
    QString error;          // non-empty: the arguments were not understood
};

BuildArguments ParseBuildArguments(const QStringList &args);
QString BuildUsage();
QString BuildSynopsis();
// Applies every option flag of `args` to `options` (not the page paths).
void ApplyOptionFlags(const BuildArguments &args, GalleryOptions &options);
