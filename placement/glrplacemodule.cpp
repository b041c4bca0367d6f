// The four entry points of the module; nothing else is exported.
#include "classfactory.h"
#include "classregistration.h"
#include "glrplace_abi.h"
#include "modulestate.h"

#include <QSettings>

#if defined(_WIN32)
#define GLR_EXPORT extern "C" __declspec(dllexport)
#else
#define GLR_EXPORT extern "C" __attribute__((visibility("default")))
#endif

GLR_EXPORT GlrResult GLR_CALL DllGetClassObject(const GlrGuid *clsid, const GlrGuid *iid, void **out)
{
    if (!out)
        return GLR_E_POINTER;
    *out = nullptr;
    if (!clsid || !iid)
        return GLR_E_POINTER;
    if (!GlrIsEqualGuid(clsid, &GLR_CLSID_GLRVisualPlacementObject))
        return GLR_CLASS_E_CLASSNOTAVAILABLE;
    return CClassFactory::Create(iid, out);
}

GLR_EXPORT GlrResult GLR_CALL DllCanUnloadNow()
{
    return ModuleInUse() ? GLR_S_FALSE : GLR_S_OK;
}

GLR_EXPORT GlrResult GLR_CALL DllRegisterServer()
{
    const std::unique_ptr<QSettings> store = OpenClassStore();
    return RegisterPlacementClass(*store, LoadedModulePath());
}

GLR_EXPORT GlrResult GLR_CALL DllUnregisterServer()
{
    const std::unique_ptr<QSettings> store = OpenClassStore();
    return UnregisterPlacementClass(*store);
}
