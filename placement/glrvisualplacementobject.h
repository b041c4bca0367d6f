#pragma once
// The placement control: one reference-counted object answering the
// placement, dispatch, safety, site, drawing, activation and status
// interfaces of glrplace_abi.h. Apartment-threaded: call it on one thread.

#include "glrplace_abi.h"
#include "placementstate.h"

#include <QPointer>
#include <atomic>
#include <optional>

class PlacementWidget;
class QPainter;
class CGLRVisualPlacementObject;

// One interface of the object: the C struct the host sees, then the way back.
template <class Interface> struct GlrFace {
    Interface itf;
    CGLRVisualPlacementObject *owner;
};

class CGLRVisualPlacementObject {
public:
    // Makes an object and hands out the interface asked for; a refused
    // interface destroys the new object again.
    static GlrResult Create(const GlrGuid *iid, void **out);

    GlrResult QueryInterface(const GlrGuid *iid, void **out);
    uint32_t AddRef();
    uint32_t Release();

    GlrResult GetIDsOfNames(const char *name, int32_t *dispid);
    GlrResult Invoke(int32_t dispid, const int32_t *args, uint32_t argCount);
    GlrResult Init_Visual_Placement(int32_t background, int32_t text, uint32_t hwnd, uint32_t message);
    GlrResult ClickFirstImage(int32_t image);
    GlrResult ClickSecondImage(int32_t first, int32_t second);
    GlrResult InitColors(int32_t background, int32_t text);
    GlrResult InitMode(int32_t mode);

    GlrResult GetInterfaceSafetyOptions(const GlrGuid *iid, uint32_t *supported, uint32_t *enabled);
    GlrResult SetInterfaceSafetyOptions(const GlrGuid *iid, uint32_t mask, uint32_t enabled);

    GlrResult SetSite(GlrHostSite *site);
    GlrResult GetSite(const GlrGuid *iid, void **out);

    GlrResult Draw(void *qpainter, const GlrRect *bounds);

    GlrResult InPlaceActivate(void *parentWidget, const GlrRect *rect);
    GlrResult SetObjectRects(const GlrRect *rect);
    GlrResult InPlaceDeactivate();
    GlrResult GetWindow(void **widget);

    GlrResult GetMessageText(char *utf8, uint32_t capacity, uint32_t *required, int32_t *twoLines);

private:
    CGLRVisualPlacementObject();
    ~CGLRVisualPlacementObject();
    CGLRVisualPlacementObject(const CGLRVisualPlacementObject &) = delete;
    CGLRVisualPlacementObject &operator=(const CGLRVisualPlacementObject &) = delete;

    void *FaceFor(const GlrGuid *iid);
    void Paint(QPainter &painter, const GlrRect &bounds) const;
    void Redraw(bool shownChanged);
    void Post(const std::optional<PlacementPost> &post);

    std::atomic<uint32_t> m_refs {0};
    PlacementState m_state;
    uint32_t m_safetyEnabled = 0;
    GlrHostSite *m_site = nullptr;
    QPointer<PlacementWidget> m_widget;

    GlrFace<IGLRVisualPlacementObject> m_placement;
    GlrFace<GlrObjectSafety> m_safety;
    GlrFace<GlrObjectWithSite> m_withSite;
    GlrFace<GlrViewObject> m_view;
    GlrFace<GlrInPlaceObject> m_inPlace;
    GlrFace<GlrPlacementStatus> m_status;
};

// The function tables behind each interface (placementinterfaces.cpp).
const IGLRVisualPlacementObjectVtbl *PlacementVtbl();
const GlrObjectSafetyVtbl *ObjectSafetyVtbl();
const GlrObjectWithSiteVtbl *ObjectWithSiteVtbl();
const GlrViewObjectVtbl *ViewObjectVtbl();
const GlrInPlaceObjectVtbl *InPlaceObjectVtbl();
const GlrPlacementStatusVtbl *PlacementStatusVtbl();
