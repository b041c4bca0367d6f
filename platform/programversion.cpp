#include "platform/programversion.h"

// The build passes the project's version to this file alone, so that a new
// version recompiles one file.
const char *ProgramVersion()
{
    return GALLORIM_VERSION;
}
