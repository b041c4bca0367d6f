#include "classfactory.h"

#include "glrvisualplacementobject.h"
#include "modulestate.h"

#include <cstddef>
#include <new>

const GlrClassFactoryVtbl CClassFactory::kVtbl = {
    &CClassFactory::QueryInterface,
    &CClassFactory::AddRef,
    &CClassFactory::Release,
    &CClassFactory::CreateInstance,
    &CClassFactory::LockServer,
};

CClassFactory::CClassFactory()
    : m_itf {&kVtbl}
{
    ModuleObjectCreated();
}

CClassFactory::~CClassFactory()
{
    ModuleObjectDestroyed();
}

CClassFactory *CClassFactory::Self(GlrClassFactory *itf)
{
    static_assert(offsetof(CClassFactory, m_itf) == 0);
    return reinterpret_cast<CClassFactory *>(itf);
}

GlrResult CClassFactory::Create(const GlrGuid *iid, void **out)
{
    if (!out)
        return GLR_E_POINTER;
    *out = nullptr;
    auto *factory = new (std::nothrow) CClassFactory;
    if (!factory)
        return GLR_E_OUTOFMEMORY;
    AddRef(&factory->m_itf);
    const GlrResult hr = QueryInterface(&factory->m_itf, iid, out);
    Release(&factory->m_itf);
    return hr;
}

GlrResult CClassFactory::QueryInterface(GlrClassFactory *itf, const GlrGuid *iid, void **out)
{
    if (!out)
        return GLR_E_POINTER;
    *out = nullptr;
    if (!itf || !iid)
        return GLR_E_POINTER;
    if (!GlrIsEqualGuid(iid, &GLR_IID_IUnknown) && !GlrIsEqualGuid(iid, &GLR_IID_IClassFactory))
        return GLR_E_NOINTERFACE;
    AddRef(itf);
    *out = itf;
    return GLR_S_OK;
}

uint32_t CClassFactory::AddRef(GlrClassFactory *itf)
{
    return itf ? ++Self(itf)->m_refs : 0;
}

uint32_t CClassFactory::Release(GlrClassFactory *itf)
{
    if (!itf)
        return 0;
    CClassFactory *self = Self(itf);
    const uint32_t left = --self->m_refs;
    if (left == 0)
        delete self;
    return left;
}

GlrResult CClassFactory::CreateInstance(
    GlrClassFactory *itf, GlrUnknown *outer, const GlrGuid *iid, void **out)
{
    if (!out)
        return GLR_E_POINTER;
    *out = nullptr;
    if (!itf || !iid)
        return GLR_E_POINTER;
    if (outer)
        return GLR_CLASS_E_NOAGGREGATION;
    return CGLRVisualPlacementObject::Create(iid, out);
}

GlrResult CClassFactory::LockServer(GlrClassFactory *itf, int32_t lock)
{
    if (!itf)
        return GLR_E_POINTER;
    return ModuleLock(lock != 0);
}
