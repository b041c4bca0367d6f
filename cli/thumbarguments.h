#pragma once
// Command line of "gallorim-cli thumb", read into the thumbnail options.

#include "document/galleryoptions.h"

#include <QString>
#include <QStringList>

struct ThumbArguments {
    BuildVignetteOptions options; // the built-in defaults for anything not given
    int jobs = 0; // thumbnails built at once
    QStringList files;
    bool help = false; // -h or --help: the usage, nothing else
    QString error; // non-empty: the arguments were not understood
};

ThumbArguments ParseThumbArguments(const QStringList &args, int defaultJobs);
QString ThumbUsage();
QString ThumbSynopsis();
