#include "placementhost.h"

#include <QLibrary>
#include <stdexcept>

const PlacementModule &PlacementModule::Get()
{
    static const PlacementModule module = [] {
        static QLibrary library(QStringLiteral(GLRPLACE_MODULE));
        if (!library.load())
            throw std::runtime_error(library.errorString().toStdString());
        PlacementModule m;
        m.getClassObject = reinterpret_cast<GlrDllGetClassObjectFn>(library.resolve("DllGetClassObject"));
        m.canUnloadNow = reinterpret_cast<GlrDllCanUnloadNowFn>(library.resolve("DllCanUnloadNow"));
        m.registerServer = reinterpret_cast<GlrDllRegisterServerFn>(library.resolve("DllRegisterServer"));
        m.unregisterServer
            = reinterpret_cast<GlrDllUnregisterServerFn>(library.resolve("DllUnregisterServer"));
        if (!m.getClassObject || !m.canUnloadNow || !m.registerServer || !m.unregisterServer)
            throw std::runtime_error("an entry point of glrplace is missing");
        return m;
    }();
    return module;
}

Ref<IGLRVisualPlacementObject> CreateControl()
{
    Ref<GlrClassFactory> factory;
    PlacementModule::Get().getClassObject(
        &GLR_CLSID_GLRVisualPlacementObject, &GLR_IID_IClassFactory, factory.out());
    Ref<IGLRVisualPlacementObject> control;
    if (factory)
        factory->lpVtbl->CreateInstance(
            factory.get(), nullptr, &GLR_IID_IGLRVisualPlacementObject, control.out());
    if (!control)
        throw std::runtime_error("the placement control could not be created");
    return control;
}

namespace {

QString StatusText(IGLRVisualPlacementObject *control, int32_t *twoLines)
{
    Ref<GlrPlacementStatus> status = Query<GlrPlacementStatus>(control, GLR_IID_IGlrPlacementStatus);
    if (!status)
        throw std::runtime_error("no status interface");
    uint32_t required = 0;
    status->lpVtbl->GetMessageText(status.get(), nullptr, 0, &required, twoLines);
    QByteArray buffer(qsizetype(required), '\0');
    if (status->lpVtbl->GetMessageText(status.get(), buffer.data(), required, &required, twoLines)
        != GLR_S_OK)
        throw std::runtime_error("GetMessageText failed");
    return QString::fromUtf8(buffer.constData());
}

} // namespace

QString MessageOf(IGLRVisualPlacementObject *control)
{
    return StatusText(control, nullptr);
}

int TwoLinesOf(IGLRVisualPlacementObject *control)
{
    int32_t twoLines = -1;
    StatusText(control, &twoLines);
    return twoLines;
}

namespace {

RecordingSite *Self(GlrHostSite *itf)
{
    return reinterpret_cast<RecordingSite *>(itf);
}

GlrResult GLR_CALL SiteQueryInterface(GlrHostSite *itf, const GlrGuid *iid, void **out)
{
    *out = nullptr;
    if (!GlrIsEqualGuid(iid, &GLR_IID_IUnknown) && !GlrIsEqualGuid(iid, &GLR_IID_IGlrHostSite))
        return GLR_E_NOINTERFACE;
    ++Self(itf)->references;
    *out = itf;
    return GLR_S_OK;
}

uint32_t GLR_CALL SiteAddRef(GlrHostSite *itf)
{
    return ++Self(itf)->references;
}

uint32_t GLR_CALL SiteRelease(GlrHostSite *itf)
{
    return --Self(itf)->references;
}

int32_t GLR_CALL SitePostMessage(
    GlrHostSite *itf, GlrWindow hwnd, uint32_t message, intptr_t wParam, intptr_t lParam)
{
    RecordingSite *self = Self(itf);
    self->posts.push_back({hwnd, message, wParam, lParam});
    return self->alive && hwnd == RecordingSite::kWindow;
}

int32_t GLR_CALL SiteIsWindow(GlrHostSite *itf, GlrWindow hwnd)
{
    return Self(itf)->alive && hwnd == RecordingSite::kWindow;
}

const GlrHostSiteVtbl kSiteVtbl
    = {&SiteQueryInterface, &SiteAddRef, &SiteRelease, &SitePostMessage, &SiteIsWindow};

} // namespace

RecordingSite::RecordingSite()
    : itf {&kSiteVtbl}
{
}

void PrintTo(const PostedMessage &m, std::ostream *os)
{
    *os << "(window " << m.window << ", message " << m.message << ", " << m.wParam << ", " << m.lParam << ")";
}

void AttachSite(IGLRVisualPlacementObject *control, RecordingSite &site)
{
    Ref<GlrObjectWithSite> withSite = Query<GlrObjectWithSite>(control, GLR_IID_IGlrObjectWithSite);
    if (!withSite || withSite->lpVtbl->SetSite(withSite.get(), site.site()) != GLR_S_OK)
        throw std::runtime_error("the control refused the site");
}
