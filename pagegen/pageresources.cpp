#include "pagegen/pageresources.h"

#include <QtGlobal>
#include <mutex>

// Q_INIT_RESOURCE must be used outside any namespace.
static void InitPageResources()
{
    Q_INIT_RESOURCE(resources);
}

void EnsurePageResources()
{
    static std::once_flag once;
    std::call_once(once, InitPageResources);
}
