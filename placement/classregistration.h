#pragma once
// The control's entries in the per-user class registry: the settings group
// "Classes", where each registry key is a group and a key's own value is
// named "Default" (as QSettings reads a registry key's default value).

#include "glrplace_abi.h"

#include <QString>
#include <memory>

class QSettings;

// The store named by GALLORIM_CLASS_STORE (an INI file) when set, otherwise
// the user's QSettings("Vorlex Software", "Gallorim").
std::unique_ptr<QSettings> OpenClassStore();

// Full path of the file this module was loaded from; empty when unknown.
QString LoadedModulePath();

// Both write through to disk before answering; a store that cannot be
// written gives a SELFREG error, never success.
GlrResult RegisterPlacementClass(QSettings &store, const QString &modulePath);
GlrResult UnregisterPlacementClass(QSettings &store);
