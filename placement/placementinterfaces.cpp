// C entry tables of the control's interfaces. Each function finds its
// object through the face it was called on and forwards to it.
#include "glrvisualplacementobject.h"

namespace {

template <class Interface> CGLRVisualPlacementObject *Owner(Interface *self)
{
    // The interface struct is the first member of its face.
    return reinterpret_cast<GlrFace<Interface> *>(self)->owner;
}

template <class Interface> GlrResult GLR_CALL Query(Interface *self, const GlrGuid *iid, void **out)
{
    if (!self) {
        if (out)
            *out = nullptr;
        return GLR_E_POINTER;
    }
    return Owner(self)->QueryInterface(iid, out);
}

template <class Interface> uint32_t GLR_CALL AddRef(Interface *self)
{
    return self ? Owner(self)->AddRef() : 0;
}

template <class Interface> uint32_t GLR_CALL Release(Interface *self)
{
    return self ? Owner(self)->Release() : 0;
}

// Forwards a call to a member, answering E_POINTER for a null interface.
template <auto Member, class Interface, class... Args>
GlrResult GLR_CALL Forward(Interface *self, Args... args)
{
    return self ? (Owner(self)->*Member)(args...) : GLR_E_POINTER;
}

using Object = CGLRVisualPlacementObject;
using Placement = IGLRVisualPlacementObject;

constexpr IGLRVisualPlacementObjectVtbl kPlacement = {
    &Query<Placement>,
    &AddRef<Placement>,
    &Release<Placement>,
    &Forward<&Object::GetIDsOfNames, Placement, const char *, int32_t *>,
    &Forward<&Object::Invoke, Placement, int32_t, const int32_t *, uint32_t>,
    &Forward<&Object::Init_Visual_Placement, Placement, int32_t, int32_t, uint32_t, uint32_t>,
    &Forward<&Object::ClickFirstImage, Placement, int32_t>,
    &Forward<&Object::ClickSecondImage, Placement, int32_t, int32_t>,
    &Forward<&Object::InitColors, Placement, int32_t, int32_t>,
    &Forward<&Object::InitMode, Placement, int32_t>,
};

constexpr GlrObjectSafetyVtbl kSafety = {
    &Query<GlrObjectSafety>,
    &AddRef<GlrObjectSafety>,
    &Release<GlrObjectSafety>,
    &Forward<&Object::GetInterfaceSafetyOptions, GlrObjectSafety, const GlrGuid *, uint32_t *, uint32_t *>,
    &Forward<&Object::SetInterfaceSafetyOptions, GlrObjectSafety, const GlrGuid *, uint32_t, uint32_t>,
};

constexpr GlrObjectWithSiteVtbl kWithSite = {
    &Query<GlrObjectWithSite>,
    &AddRef<GlrObjectWithSite>,
    &Release<GlrObjectWithSite>,
    &Forward<&Object::SetSite, GlrObjectWithSite, GlrHostSite *>,
    &Forward<&Object::GetSite, GlrObjectWithSite, const GlrGuid *, void **>,
};

constexpr GlrViewObjectVtbl kView = {
    &Query<GlrViewObject>,
    &AddRef<GlrViewObject>,
    &Release<GlrViewObject>,
    &Forward<&Object::Draw, GlrViewObject, void *, const GlrRect *>,
};

constexpr GlrInPlaceObjectVtbl kInPlace = {
    &Query<GlrInPlaceObject>,
    &AddRef<GlrInPlaceObject>,
    &Release<GlrInPlaceObject>,
    &Forward<&Object::InPlaceActivate, GlrInPlaceObject, void *, const GlrRect *>,
    &Forward<&Object::SetObjectRects, GlrInPlaceObject, const GlrRect *>,
    &Forward<&Object::InPlaceDeactivate, GlrInPlaceObject>,
    &Forward<&Object::GetWindow, GlrInPlaceObject, void **>,
};

constexpr GlrPlacementStatusVtbl kStatus = {
    &Query<GlrPlacementStatus>,
    &AddRef<GlrPlacementStatus>,
    &Release<GlrPlacementStatus>,
    &Forward<&Object::GetMessageText, GlrPlacementStatus, char *, uint32_t, uint32_t *, int32_t *>,
};

} // namespace

const IGLRVisualPlacementObjectVtbl *PlacementVtbl()
{
    return &kPlacement;
}

const GlrObjectSafetyVtbl *ObjectSafetyVtbl()
{
    return &kSafety;
}

const GlrObjectWithSiteVtbl *ObjectWithSiteVtbl()
{
    return &kWithSite;
}

const GlrViewObjectVtbl *ViewObjectVtbl()
{
    return &kView;
}

const GlrInPlaceObjectVtbl *InPlaceObjectVtbl()
{
    return &kInPlace;
}

const GlrPlacementStatusVtbl *PlacementStatusVtbl()
{
    return &kStatus;
}
