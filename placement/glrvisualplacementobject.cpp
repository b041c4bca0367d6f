#include "glrvisualplacementobject.h"

#include "modulestate.h"
#include "placementdrawing.h"
#include "placementwidget.h"

#include <QApplication>
#include <QByteArray>
#include <QPainter>
#include <QThread>
#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

namespace {

struct MethodName {
    const char *name;
    int32_t dispid;
    uint32_t argCount;
};

constexpr MethodName kMethods[] = {
    {"Init_Visual_Placement", GLR_DISPID_INIT_VISUAL_PLACEMENT, 4},
    {"ClickFirstImage", GLR_DISPID_CLICK_FIRST_IMAGE, 1},
    {"ClickSecondImage", GLR_DISPID_CLICK_SECOND_IMAGE, 2},
    {"InitColors", GLR_DISPID_INIT_COLORS, 2},
    {"InitMode", GLR_DISPID_INIT_MODE, 1},
};

const MethodName *MethodById(int32_t dispid)
{
    for (const MethodName &method : kMethods) {
        if (method.dispid == dispid)
            return &method;
    }
    return nullptr;
}

QRect WidgetGeometry(const GlrRect &rect)
{
    const int64_t width = std::clamp<int64_t>(int64_t(rect.right) - rect.left, 0, INT_MAX);
    const int64_t height = std::clamp<int64_t>(int64_t(rect.bottom) - rect.top, 0, INT_MAX);
    return QRect(rect.left, rect.top, int(width), int(height));
}

// Widgets need a QApplication and its thread; anything else would abort.
GlrResult CheckWidgetThread()
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!qobject_cast<QApplication *>(app))
        return GLR_E_FAIL;
    if (QThread::currentThread() != app->thread())
        return GLR_RPC_E_WRONG_THREAD;
    return GLR_S_OK;
}

} // namespace

CGLRVisualPlacementObject::CGLRVisualPlacementObject()
    : m_placement {{PlacementVtbl()}, this}
    , m_safety {{ObjectSafetyVtbl()}, this}
    , m_withSite {{ObjectWithSiteVtbl()}, this}
    , m_view {{ViewObjectVtbl()}, this}
    , m_inPlace {{InPlaceObjectVtbl()}, this}
    , m_status {{PlacementStatusVtbl()}, this}
{
    ModuleObjectCreated();
}

CGLRVisualPlacementObject::~CGLRVisualPlacementObject()
{
    delete m_widget.data();
    if (m_site)
        m_site->lpVtbl->Release(m_site);
    ModuleObjectDestroyed();
}

GlrResult CGLRVisualPlacementObject::Create(const GlrGuid *iid, void **out)
{
    if (!out)
        return GLR_E_POINTER;
    *out = nullptr;
    auto *object = new (std::nothrow) CGLRVisualPlacementObject;
    if (!object)
        return GLR_E_OUTOFMEMORY;
    object->AddRef();
    const GlrResult hr = object->QueryInterface(iid, out);
    object->Release();
    return hr;
}

void *CGLRVisualPlacementObject::FaceFor(const GlrGuid *iid)
{
    // The placement interface is also the object's identity and its dispatch.
    if (GlrIsEqualGuid(iid, &GLR_IID_IGLRVisualPlacementObject) || GlrIsEqualGuid(iid, &GLR_IID_IDispatch)
        || GlrIsEqualGuid(iid, &GLR_IID_IUnknown))
        return &m_placement;
    if (GlrIsEqualGuid(iid, &GLR_IID_IGlrViewObject))
        return &m_view;
    if (GlrIsEqualGuid(iid, &GLR_IID_IGlrInPlaceObject))
        return &m_inPlace;
    if (GlrIsEqualGuid(iid, &GLR_IID_IGlrObjectWithSite))
        return &m_withSite;
    if (GlrIsEqualGuid(iid, &GLR_IID_IGlrPlacementStatus))
        return &m_status;
    if (GlrIsEqualGuid(iid, &GLR_IID_IObjectSafety))
        return &m_safety;
    return nullptr;
}

GlrResult CGLRVisualPlacementObject::QueryInterface(const GlrGuid *iid, void **out)
{
    if (!out)
        return GLR_E_POINTER;
    *out = nullptr;
    if (!iid)
        return GLR_E_POINTER;
    void *face = FaceFor(iid);
    if (!face)
        return GLR_E_NOINTERFACE;
    AddRef();
    *out = face;
    return GLR_S_OK;
}

uint32_t CGLRVisualPlacementObject::AddRef()
{
    return ++m_refs;
}

uint32_t CGLRVisualPlacementObject::Release()
{
    const uint32_t left = --m_refs;
    if (left == 0) {
        // Held while the host handles the closing message, so a host that
        // calls back into the control cannot destroy it twice.
        m_refs = 1;
        Post(m_state.ClosingPost());
        delete this;
    }
    return left;
}

GlrResult CGLRVisualPlacementObject::GetIDsOfNames(const char *name, int32_t *dispid)
{
    if (!dispid)
        return GLR_E_POINTER;
    *dispid = GLR_DISPID_UNKNOWN;
    if (!name)
        return GLR_E_POINTER;
    for (const MethodName &method : kMethods) {
        if (qstricmp(name, method.name) == 0) {
            *dispid = method.dispid;
            return GLR_S_OK;
        }
    }
    return GLR_DISP_E_UNKNOWNNAME;
}

GlrResult CGLRVisualPlacementObject::Invoke(int32_t dispid, const int32_t *args, uint32_t argCount)
{
    const MethodName *method = MethodById(dispid);
    if (!method)
        return GLR_DISP_E_MEMBERNOTFOUND;
    if (argCount != method->argCount)
        return GLR_DISP_E_BADPARAMCOUNT;
    if (!args)
        return GLR_E_POINTER;
    switch (dispid) {
    case GLR_DISPID_INIT_VISUAL_PLACEMENT:
        return Init_Visual_Placement(args[0], args[1], uint32_t(args[2]), uint32_t(args[3]));
    case GLR_DISPID_CLICK_FIRST_IMAGE:
        return ClickFirstImage(args[0]);
    case GLR_DISPID_CLICK_SECOND_IMAGE:
        return ClickSecondImage(args[0], args[1]);
    case GLR_DISPID_INIT_COLORS:
        return InitColors(args[0], args[1]);
    default:
        return InitMode(args[0]);
    }
}

GlrResult CGLRVisualPlacementObject::Init_Visual_Placement(
    int32_t background, int32_t text, uint32_t hwnd, uint32_t message)
{
    Redraw(m_state.InitVisualPlacement(background, text, hwnd, message));
    return GLR_S_OK;
}

GlrResult CGLRVisualPlacementObject::ClickFirstImage(int32_t image)
{
    Redraw(m_state.ClickFirstImage(image));
    return GLR_S_OK;
}

GlrResult CGLRVisualPlacementObject::ClickSecondImage(int32_t first, int32_t second)
{
    const std::optional<PlacementPost> post = m_state.ClickSecondImage(first, second);
    Post(post);
    Redraw(true);
    return GLR_S_OK;
}

GlrResult CGLRVisualPlacementObject::InitColors(int32_t background, int32_t text)
{
    Redraw(m_state.InitColors(background, text));
    return GLR_S_OK;
}

GlrResult CGLRVisualPlacementObject::InitMode(int32_t mode)
{
    Redraw(m_state.InitMode(mode));
    return GLR_S_OK;
}

GlrResult CGLRVisualPlacementObject::GetInterfaceSafetyOptions(
    const GlrGuid *iid, uint32_t *supported, uint32_t *enabled)
{
    if (!supported || !enabled)
        return GLR_E_POINTER;
    if (!iid || !FaceFor(iid)) {
        *supported = 0;
        *enabled = 0;
        return iid ? GLR_E_NOINTERFACE : GLR_E_POINTER;
    }
    *supported = GLR_INTERFACESAFE_FOR_UNTRUSTED_CALLER;
    *enabled = m_safetyEnabled;
    return GLR_S_OK;
}

GlrResult CGLRVisualPlacementObject::SetInterfaceSafetyOptions(
    const GlrGuid *iid, uint32_t mask, uint32_t enabled)
{
    if (!iid)
        return GLR_E_POINTER;
    if (!FaceFor(iid))
        return GLR_E_NOINTERFACE;
    if (mask & ~GLR_INTERFACESAFE_FOR_UNTRUSTED_CALLER)
        return GLR_E_FAIL;
    m_safetyEnabled = (m_safetyEnabled & ~mask) | (enabled & mask);
    return GLR_S_OK;
}

GlrResult CGLRVisualPlacementObject::SetSite(GlrHostSite *site)
{
    if (site)
        site->lpVtbl->AddRef(site);
    GlrHostSite *old = m_site;
    m_site = site;
    if (old)
        old->lpVtbl->Release(old);
    return GLR_S_OK;
}

GlrResult CGLRVisualPlacementObject::GetSite(const GlrGuid *iid, void **out)
{
    if (!out)
        return GLR_E_POINTER;
    *out = nullptr;
    if (!iid)
        return GLR_E_POINTER;
    if (!m_site)
        return GLR_E_FAIL;
    return m_site->lpVtbl->QueryInterface(m_site, iid, out);
}

void CGLRVisualPlacementObject::Paint(QPainter &painter, const GlrRect &bounds) const
{
    DrawPlacement(painter, bounds, m_state.Message(), m_state.TwoLines(),
        ColorFromPageValue(m_state.BackgroundColor()), ColorFromPageValue(m_state.TextColor()));
}

GlrResult CGLRVisualPlacementObject::Draw(void *qpainter, const GlrRect *bounds)
{
    if (!qpainter || !bounds)
        return GLR_E_POINTER;
    auto *painter = static_cast<QPainter *>(qpainter);
    if (!painter->isActive())
        return GLR_E_INVALIDARG;
    Paint(*painter, *bounds);
    return GLR_S_OK;
}

GlrResult CGLRVisualPlacementObject::InPlaceActivate(void *parentWidget, const GlrRect *rect)
{
    if (!parentWidget || !rect)
        return GLR_E_POINTER;
    if (const GlrResult hr = CheckWidgetThread(); GLR_FAILED(hr))
        return hr;
    auto *parent = static_cast<QWidget *>(parentWidget);
    if (m_widget && m_widget->parentWidget() != parent)
        delete m_widget.data();
    if (!m_widget) {
        m_widget = new PlacementWidget(parent, [this](QPainter &painter, const QRect &area) {
            Paint(painter, GlrRect {area.left(), area.top(), area.right() + 1, area.bottom() + 1});
        });
    }
    m_widget->setGeometry(WidgetGeometry(*rect));
    m_widget->raise();
    m_widget->show();
    return GLR_S_OK;
}

GlrResult CGLRVisualPlacementObject::SetObjectRects(const GlrRect *rect)
{
    if (!rect)
        return GLR_E_POINTER;
    if (!m_widget)
        return GLR_E_UNEXPECTED;
    if (const GlrResult hr = CheckWidgetThread(); GLR_FAILED(hr))
        return hr;
    m_widget->setGeometry(WidgetGeometry(*rect));
    return GLR_S_OK;
}

GlrResult CGLRVisualPlacementObject::InPlaceDeactivate()
{
    if (!m_widget)
        return GLR_S_OK;
    if (const GlrResult hr = CheckWidgetThread(); GLR_FAILED(hr))
        return hr;
    delete m_widget.data();
    return GLR_S_OK;
}

GlrResult CGLRVisualPlacementObject::GetWindow(void **widget)
{
    if (!widget)
        return GLR_E_POINTER;
    *widget = m_widget.data();
    return m_widget ? GLR_S_OK : GLR_E_FAIL;
}

GlrResult CGLRVisualPlacementObject::GetMessageText(
    char *utf8, uint32_t capacity, uint32_t *required, int32_t *twoLines)
{
    if (!required)
        return GLR_E_POINTER;
    if (twoLines)
        *twoLines = m_state.TwoLines();
    const QByteArray text = m_state.Message().toUtf8();
    *required = uint32_t(text.size()) + 1;
    if (!utf8 || capacity < *required) {
        if (utf8 && capacity > 0)
            utf8[0] = '\0';
        return GLR_E_NOT_SUFFICIENT_BUFFER;
    }
    std::memcpy(utf8, text.constData(), size_t(text.size()) + 1);
    return GLR_S_OK;
}

void CGLRVisualPlacementObject::Redraw(bool shownChanged)
{
    if (shownChanged && m_widget)
        m_widget->update();
}

void CGLRVisualPlacementObject::Post(const std::optional<PlacementPost> &post)
{
    if (!post || post->window == 0 || !m_site)
        return;
    // Kept alive across the calls in case the host drops it meanwhile.
    GlrHostSite *site = m_site;
    site->lpVtbl->AddRef(site);
    if (site->lpVtbl->IsWindow(site, post->window))
        site->lpVtbl->PostMessage(site, post->window, post->message, post->wParam, post->lParam);
    site->lpVtbl->Release(site);
}
