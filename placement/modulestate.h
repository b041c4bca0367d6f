#pragma once
// Whether the module may be unloaded: live objects (controls and class
// factories) and class-factory locks keep it in memory.

#include "glrplace_abi.h"

void ModuleObjectCreated();
void ModuleObjectDestroyed();
// GLR_E_UNEXPECTED for an unlock without a matching lock.
GlrResult ModuleLock(bool lock);
bool ModuleInUse();
