#pragma once
// The built-in page designs and scripts live in the Qt resource system at
// ":/pagegen/resources/<id>.html". The core is a static library, so nothing
// would pull its resource initialiser into a program: call this before the
// first lookup. Cheap and safe to call again, from any thread.
void EnsurePageResources();
