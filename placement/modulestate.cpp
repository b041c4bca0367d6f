#include "modulestate.h"

#include <atomic>

namespace {

// Per loaded module, as COM keeps it; everything else in the module is per object.
struct ModuleCounts {
    std::atomic<long> objects {0};
    std::atomic<long> locks {0};
};

ModuleCounts &Counts()
{
    static ModuleCounts counts;
    return counts;
}

} // namespace

void ModuleObjectCreated()
{
    ++Counts().objects;
}

void ModuleObjectDestroyed()
{
    --Counts().objects;
}

GlrResult ModuleLock(bool lock)
{
    std::atomic<long> &locks = Counts().locks;
    if (lock) {
        ++locks;
        return GLR_S_OK;
    }
    long current = locks.load();
    do {
        if (current <= 0)
            return GLR_E_UNEXPECTED;
    } while (!locks.compare_exchange_weak(current, current - 1));
    return GLR_S_OK;
}

bool ModuleInUse()
{
    return Counts().objects.load() > 0 || Counts().locks.load() > 0;
}
