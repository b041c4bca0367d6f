#ifndef GLRPLACE_ABI_H
#define GLRPLACE_ABI_H
/*
 * The binary interface of the placement control module (libglrplace.so,
 * glrplace.dll). A host loads the module, resolves the four exported entry
 * points by name and talks to the objects only through the tables below.
 *
 * Every interface is a pointer to a struct whose first member points at a
 * table of functions; the first three entries are query/add-ref/release as in
 * COM. Results are 32-bit HRESULT-style codes: negative means failure.
 * Out pointers are cleared on failure. All objects are apartment-threaded:
 * call them on the thread that created them (for widgets, the GUI thread).
 */

#include "glrplace_ids.h"

#include <stdint.h>
#include <string.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32)
#define GLR_CALL __stdcall
#else
#define GLR_CALL
#endif

typedef int32_t GlrResult;

typedef struct GlrGuid {
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
} GlrGuid;

/* A host window as the page hands it to the control: the decimal number the
   host wrote into the page. Only the host knows what it names. */
typedef uint32_t GlrWindow;

/* Left/top inclusive, right/bottom exclusive, as a Windows RECT. */
typedef struct GlrRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
} GlrRect;

#define GLR_S_OK ((GlrResult)0)
#define GLR_S_FALSE ((GlrResult)1)
#define GLR_E_UNEXPECTED ((GlrResult)0x8000FFFFu)
#define GLR_E_NOINTERFACE ((GlrResult)0x80004002u)
#define GLR_E_POINTER ((GlrResult)0x80004003u)
#define GLR_E_FAIL ((GlrResult)0x80004005u)
#define GLR_E_OUTOFMEMORY ((GlrResult)0x8007000Eu)
#define GLR_E_INVALIDARG ((GlrResult)0x80070057u)
#define GLR_E_NOT_SUFFICIENT_BUFFER ((GlrResult)0x8007007Au)
#define GLR_CLASS_E_NOAGGREGATION ((GlrResult)0x80040110u)
#define GLR_CLASS_E_CLASSNOTAVAILABLE ((GlrResult)0x80040111u)
#define GLR_SELFREG_E_TYPELIB ((GlrResult)0x80040200u)
#define GLR_SELFREG_E_CLASS ((GlrResult)0x80040201u)
#define GLR_DISP_E_MEMBERNOTFOUND ((GlrResult)0x80020003u)
#define GLR_DISP_E_UNKNOWNNAME ((GlrResult)0x80020006u)
#define GLR_DISP_E_BADPARAMCOUNT ((GlrResult)0x8002000Eu)
#define GLR_RPC_E_WRONG_THREAD ((GlrResult)0x8001010Eu)

#define GLR_SUCCEEDED(hr) (((GlrResult)(hr)) >= 0)
#define GLR_FAILED(hr) (((GlrResult)(hr)) < 0)

/* Dispatch identifiers of IGLRVisualPlacementObject's methods. */
#define GLR_DISPID_UNKNOWN (-1)
#define GLR_DISPID_INIT_VISUAL_PLACEMENT 1
#define GLR_DISPID_CLICK_FIRST_IMAGE 2
#define GLR_DISPID_CLICK_SECOND_IMAGE 3
#define GLR_DISPID_INIT_COLORS 4
#define GLR_DISPID_INIT_MODE 5

#define GLR_INTERFACESAFE_FOR_UNTRUSTED_CALLER 0x00000001u
#define GLR_INTERFACESAFE_FOR_UNTRUSTED_DATA 0x00000002u

/* Interface identifiers. The first two are COM's own values. */
static const GlrGuid GLR_IID_IUnknown = {0x00000000u, 0x0000u, 0x0000u, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
static const GlrGuid GLR_IID_IClassFactory = {0x00000001u, 0x0000u, 0x0000u, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
static const GlrGuid GLR_IID_IDispatch = {0x00020400u, 0x0000u, 0x0000u, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
static const GlrGuid GLR_IID_IObjectSafety
    = {0xCB5BDC81u, 0x93C1u, 0x11CFu, {0x8F, 0x20, 0x00, 0x80, 0x5F, 0x2C, 0xD0, 0x64}};
static const GlrGuid GLR_CLSID_GLRVisualPlacementObject = GLR_CLSID_INIT;
static const GlrGuid GLR_IID_IGLRVisualPlacementObject = GLR_IID_PLACEMENT_INIT;
static const GlrGuid GLR_IID__IGLRVisualPlacementObjectEvents = GLR_IID_PLACEMENT_EVENTS_INIT;
static const GlrGuid GLR_LIBID_GLRVISUALPLACEMENTCONTROLLib = GLR_LIBID_INIT;
/* Our own interfaces for site, drawing, activation and status (Qt stands in
   for window handles and device contexts). */
static const GlrGuid GLR_IID_IGlrHostSite
    = {0x3E0B7C41u, 0x5D2Au, 0x4F6Bu, {0x9C, 0x11, 0x0A, 0x5E, 0x72, 0x48, 0xB1, 0x01}};
static const GlrGuid GLR_IID_IGlrObjectWithSite
    = {0x3E0B7C41u, 0x5D2Au, 0x4F6Bu, {0x9C, 0x11, 0x0A, 0x5E, 0x72, 0x48, 0xB1, 0x02}};
static const GlrGuid GLR_IID_IGlrViewObject
    = {0x3E0B7C41u, 0x5D2Au, 0x4F6Bu, {0x9C, 0x11, 0x0A, 0x5E, 0x72, 0x48, 0xB1, 0x03}};
static const GlrGuid GLR_IID_IGlrInPlaceObject
    = {0x3E0B7C41u, 0x5D2Au, 0x4F6Bu, {0x9C, 0x11, 0x0A, 0x5E, 0x72, 0x48, 0xB1, 0x04}};
static const GlrGuid GLR_IID_IGlrPlacementStatus
    = {0x3E0B7C41u, 0x5D2Au, 0x4F6Bu, {0x9C, 0x11, 0x0A, 0x5E, 0x72, 0x48, 0xB1, 0x05}};

static inline int GlrIsEqualGuid(const GlrGuid *a, const GlrGuid *b)
{
    return a && b && memcmp(a, b, sizeof(GlrGuid)) == 0;
}

#define GLR_UNKNOWN_METHODS(Self)                                                                            \
    GlrResult(GLR_CALL *QueryInterface)(Self * self, const GlrGuid *iid, void **out);                        \
    uint32_t(GLR_CALL *AddRef)(Self * self);                                                                 \
    uint32_t(GLR_CALL *Release)(Self * self);

typedef struct GlrUnknown GlrUnknown;
typedef struct GlrUnknownVtbl {
    GLR_UNKNOWN_METHODS(GlrUnknown)
} GlrUnknownVtbl;
struct GlrUnknown {
    const GlrUnknownVtbl *lpVtbl;
};

/* Class factory, handed out by DllGetClassObject. Aggregation is refused. */
typedef struct GlrClassFactory GlrClassFactory;
typedef struct GlrClassFactoryVtbl {
    GLR_UNKNOWN_METHODS(GlrClassFactory)
    GlrResult(GLR_CALL *CreateInstance)(
        GlrClassFactory *self, GlrUnknown *outer, const GlrGuid *iid, void **out);
    /* Non-zero locks the module in memory; zero undoes one earlier lock. */
    GlrResult(GLR_CALL *LockServer)(GlrClassFactory *self, int32_t lock);
} GlrClassFactoryVtbl;
struct GlrClassFactory {
    const GlrClassFactoryVtbl *lpVtbl;
};

/*
 * Late-bound calls, the part a script bridge uses. GetIDsOfNames takes a
 * UTF-8 method name, matched without regard to ASCII case as automation
 * does. Invoke takes the arguments in declaration order, each as the 32-bit
 * pattern of the parameter (unsigned parameters read it as unsigned).
 */
#define GLR_DISPATCH_METHODS(Self)                                                                           \
    GLR_UNKNOWN_METHODS(Self)                                                                                \
    GlrResult(GLR_CALL *GetIDsOfNames)(Self * self, const char *name, int32_t *dispid);                      \
    GlrResult(GLR_CALL *Invoke)(Self * self, int32_t dispid, const int32_t *args, uint32_t argCount);

typedef struct GlrDispatch GlrDispatch;
typedef struct GlrDispatchVtbl {
    GLR_DISPATCH_METHODS(GlrDispatch)
} GlrDispatchVtbl;
struct GlrDispatch {
    const GlrDispatchVtbl *lpVtbl;
};

/* IGLRVisualPlacementObject: dual, so the dispatch slots come first and the
   same pointer answers IDispatch. Every method returns GLR_S_OK. Colours are
   given as pages write them, 0xRRGGBB. */
typedef struct IGLRVisualPlacementObject IGLRVisualPlacementObject;
typedef struct IGLRVisualPlacementObjectVtbl {
    GLR_DISPATCH_METHODS(IGLRVisualPlacementObject)
    GlrResult(GLR_CALL *Init_Visual_Placement)(
        IGLRVisualPlacementObject *self, int32_t BgColor, int32_t TextColor, uint32_t hwnd, uint32_t message);
    GlrResult(GLR_CALL *ClickFirstImage)(IGLRVisualPlacementObject *self, int32_t image);
    GlrResult(GLR_CALL *ClickSecondImage)(
        IGLRVisualPlacementObject *self, int32_t first_image, int32_t second_image);
    GlrResult(GLR_CALL *InitColors)(IGLRVisualPlacementObject *self, int32_t BgColor, int32_t TextColor);
    GlrResult(GLR_CALL *InitMode)(IGLRVisualPlacementObject *self, int32_t Mode);
} IGLRVisualPlacementObjectVtbl;
struct IGLRVisualPlacementObject {
    const IGLRVisualPlacementObjectVtbl *lpVtbl;
};

/* Safe-for-scripting answers: only INTERFACESAFE_FOR_UNTRUSTED_CALLER is supported. */
typedef struct GlrObjectSafety GlrObjectSafety;
typedef struct GlrObjectSafetyVtbl {
    GLR_UNKNOWN_METHODS(GlrObjectSafety)
    GlrResult(GLR_CALL *GetInterfaceSafetyOptions)(
        GlrObjectSafety *self, const GlrGuid *iid, uint32_t *supported, uint32_t *enabled);
    GlrResult(GLR_CALL *SetInterfaceSafetyOptions)(
        GlrObjectSafety *self, const GlrGuid *iid, uint32_t optionMask, uint32_t enabledOptions);
} GlrObjectSafetyVtbl;
struct GlrObjectSafety {
    const GlrObjectSafetyVtbl *lpVtbl;
};

/*
 * Implemented by the host: its two window services. PostMessage queues the
 * message and returns at once (non-zero when queued); IsWindow answers
 * non-zero while the handle names a live window.
 */
typedef struct GlrHostSite GlrHostSite;
typedef struct GlrHostSiteVtbl {
    GLR_UNKNOWN_METHODS(GlrHostSite)
    int32_t(GLR_CALL *PostMessage)(
        GlrHostSite *self, GlrWindow hwnd, uint32_t message, intptr_t wParam, intptr_t lParam);
    int32_t(GLR_CALL *IsWindow)(GlrHostSite *self, GlrWindow hwnd);
} GlrHostSiteVtbl;
struct GlrHostSite {
    const GlrHostSiteVtbl *lpVtbl;
};

/*
 * How the host hands its site to the control. The control holds a reference
 * until SetSite(NULL) or until it goes away, so the closing message of its
 * last release still reaches the host: detach the site only to silence it.
 */
typedef struct GlrObjectWithSite GlrObjectWithSite;
typedef struct GlrObjectWithSiteVtbl {
    GLR_UNKNOWN_METHODS(GlrObjectWithSite)
    GlrResult(GLR_CALL *SetSite)(GlrObjectWithSite *self, GlrHostSite *site);
    /* GLR_E_FAIL with *out cleared when no site is set. */
    GlrResult(GLR_CALL *GetSite)(GlrObjectWithSite *self, const GlrGuid *iid, void **out);
} GlrObjectWithSiteVtbl;
struct GlrObjectWithSite {
    const GlrObjectWithSiteVtbl *lpVtbl;
};

/* Draws the control into a host's active QPainter (passed as QPainter*). */
typedef struct GlrViewObject GlrViewObject;
typedef struct GlrViewObjectVtbl {
    GLR_UNKNOWN_METHODS(GlrViewObject)
    GlrResult(GLR_CALL *Draw)(GlrViewObject *self, void *qpainter, const GlrRect *bounds);
} GlrViewObjectVtbl;
struct GlrViewObject {
    const GlrViewObjectVtbl *lpVtbl;
};

/*
 * In-place activation: the control makes its own child widget of the given
 * parent (a QWidget*, GUI thread, QApplication required) at the rectangle in
 * parent coordinates. Deactivation destroys that widget; so does the parent.
 */
typedef struct GlrInPlaceObject GlrInPlaceObject;
typedef struct GlrInPlaceObjectVtbl {
    GLR_UNKNOWN_METHODS(GlrInPlaceObject)
    GlrResult(GLR_CALL *InPlaceActivate)(GlrInPlaceObject *self, void *parentWidget, const GlrRect *rect);
    GlrResult(GLR_CALL *SetObjectRects)(GlrInPlaceObject *self, const GlrRect *rect);
    GlrResult(GLR_CALL *InPlaceDeactivate)(GlrInPlaceObject *self);
    /* The control's QWidget*, or GLR_E_FAIL and NULL while not active. */
    GlrResult(GLR_CALL *GetWindow)(GlrInPlaceObject *self, void **widget);
} GlrInPlaceObjectVtbl;
struct GlrInPlaceObject {
    const GlrInPlaceObjectVtbl *lpVtbl;
};

/*
 * What the control shows, for hosts that need it as text (accessibility,
 * tests). The message is UTF-8; *required receives its size with the final
 * NUL. A buffer smaller than that gets GLR_E_NOT_SUFFICIENT_BUFFER and an
 * empty string. *twoLines receives the two-line flag when not NULL.
 */
typedef struct GlrPlacementStatus GlrPlacementStatus;
typedef struct GlrPlacementStatusVtbl {
    GLR_UNKNOWN_METHODS(GlrPlacementStatus)
    GlrResult(GLR_CALL *GetMessageText)(
        GlrPlacementStatus *self, char *utf8, uint32_t capacity, uint32_t *required, int32_t *twoLines);
} GlrPlacementStatusVtbl;
struct GlrPlacementStatus {
    const GlrPlacementStatusVtbl *lpVtbl;
};

/* The module's exports, as a host resolves them. */
typedef GlrResult(GLR_CALL *GlrDllGetClassObjectFn)(const GlrGuid *clsid, const GlrGuid *iid, void **out);
typedef GlrResult(GLR_CALL *GlrDllCanUnloadNowFn)(void);
typedef GlrResult(GLR_CALL *GlrDllRegisterServerFn)(void);
typedef GlrResult(GLR_CALL *GlrDllUnregisterServerFn)(void);

#ifdef __cplusplus
}
#endif

#endif
