#pragma once
// Where the help pages are: $GALLORIM_HELP_DIR, then share/gallorim/aide
// beside the installed program, then the source tree during development.

#include <QString>

// The full path of help page `name` ("index.html"), or "" when not found.
QString HelpPagePath(const QString &name);
