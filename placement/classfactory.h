#pragma once
// The class factory of GLRVisualPlacementObject. Each factory handed out is
// its own small object and keeps the module loaded while referenced.

#include "glrplace_abi.h"

#include <atomic>

class CClassFactory {
public:
    // Makes a factory and hands out the interface asked for.
    static GlrResult Create(const GlrGuid *iid, void **out);

private:
    CClassFactory();
    ~CClassFactory();

    static CClassFactory *Self(GlrClassFactory *itf);
    static GlrResult GLR_CALL QueryInterface(GlrClassFactory *itf, const GlrGuid *iid, void **out);
    static uint32_t GLR_CALL AddRef(GlrClassFactory *itf);
    static uint32_t GLR_CALL Release(GlrClassFactory *itf);
    static GlrResult GLR_CALL CreateInstance(
        GlrClassFactory *itf, GlrUnknown *outer, const GlrGuid *iid, void **out);
    static GlrResult GLR_CALL LockServer(GlrClassFactory *itf, int32_t lock);

    static const GlrClassFactoryVtbl kVtbl;

    GlrClassFactory m_itf; // first member: the pointer hosts hold
    std::atomic<uint32_t> m_refs {0};
};
