#include "shell/placementhost/placementhost.h"

#include "placement/glrplace_ids.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QRegularExpression>
#include <QSettings>
#include <QWidget>

// The site is a plain COM-style object: the control may hold it past the
// host's life, so it counts its own references and forgets the host first.
struct PlacementHost::Site {
    GlrHostSite itf; // first member: the pointer the control holds
    uint32_t refs = 1;
    PlacementHost *host = nullptr;

    static Site *Of(GlrHostSite *s) { return reinterpret_cast<Site *>(s); }
    static GlrResult GLR_CALL QueryInterface(GlrHostSite *s, const GlrGuid *iid, void **out)
    {
        if (!out)
            return GLR_E_POINTER;
        *out = nullptr;
        if (!GlrIsEqualGuid(iid, &GLR_IID_IUnknown) && !GlrIsEqualGuid(iid, &GLR_IID_IGlrHostSite))
            return GLR_E_NOINTERFACE;
        ++Of(s)->refs;
        *out = s;
        return GLR_S_OK;
    }
    static uint32_t GLR_CALL AddRef(GlrHostSite *s) { return ++Of(s)->refs; }
    static uint32_t GLR_CALL Release(GlrHostSite *s)
    {
        const uint32_t left = --Of(s)->refs;
        if (left == 0)
            delete Of(s);
        return left;
    }
    static int32_t GLR_CALL PostMessage(GlrHostSite *s, GlrWindow w, uint32_t m, intptr_t wp, intptr_t lp)
    {
        PlacementHost *host = Of(s)->host;
        return host && host->OnPost(w, m, wp, lp) ? 1 : 0;
    }
    static int32_t GLR_CALL IsWindow(GlrHostSite *s, GlrWindow w)
    {
        PlacementHost *host = Of(s)->host;
        return host && host->m_services.isWindow && host->m_services.isWindow(w) ? 1 : 0;
    }
    static const GlrHostSiteVtbl kVtbl;
};

const GlrHostSiteVtbl PlacementHost::Site::kVtbl
    = {&Site::QueryInterface, &Site::AddRef, &Site::Release, &Site::PostMessage, &Site::IsWindow};

namespace {

template <class T> void ReleaseInterface(T *&p)
{
    if (p)
        p->lpVtbl->Release(p);
    p = nullptr;
}

GlrRect ToGlrRect(const QRect &r)
{
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

// Loaded once per path and never unloaded: widgets of the module may
// outlive any one window, and unloading Qt code is not safe.
GlrDllGetClassObjectFn ClassObjectEntry(const QString &path, QString *error)
{
    static std::map<QString, GlrDllGetClassObjectFn> loaded;
    if (const auto it = loaded.find(path); it != loaded.end())
        return it->second;
    auto *library = new QLibrary(path);
    if (!library->load()) {
        if (error)
            *error = library->errorString();
        delete library;
        return nullptr;
    }
    auto entry = reinterpret_cast<GlrDllGetClassObjectFn>(library->resolve("DllGetClassObject"));
    if (!entry && error)
        *error = QStringLiteral("%1 has no DllGetClassObject").arg(path);
    if (entry)
        loaded[path] = entry;
    return entry;
}

GlrClassFactory *FactoryFor(const GlrGuid &clsid, QString *error)
{
    const QString module = ModuleServingClass(clsid, QCoreApplication::applicationDirPath());
    if (module.isEmpty()) {
        if (error)
            *error = QStringLiteral("class %1 is neither registered nor installed").arg(BracedClassId(clsid));
        return nullptr;
    }
    GlrDllGetClassObjectFn entry = ClassObjectEntry(module, error);
    if (!entry)
        return nullptr;
    void *factory = nullptr;
    if (GLR_FAILED(entry(&clsid, &GLR_IID_IClassFactory, &factory)) || !factory) {
        if (error)
            *error = QStringLiteral("%1 does not serve class %2").arg(module, BracedClassId(clsid));
        return nullptr;
    }
    return static_cast<GlrClassFactory *>(factory);
}

} // namespace

bool ParseClassId(const QString &text, GlrGuid *guid)
{
    static const QRegularExpression form(QStringLiteral(
        "^\\s*(?:clsid:|\\{)?([0-9a-f]{8})-([0-9a-f]{4})-([0-9a-f]{4})-([0-9a-f]{4})-([0-9a-f]{12})\\}?\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch() || (text.contains(QLatin1Char('{')) != text.contains(QLatin1Char('}'))))
        return false;
    GlrGuid g {};
    g.data1 = m.captured(1).toUInt(nullptr, 16);
    g.data2 = uint16_t(m.captured(2).toUInt(nullptr, 16));
    g.data3 = uint16_t(m.captured(3).toUInt(nullptr, 16));
    const QString tail = m.captured(4) + m.captured(5);
    for (int i = 0; i < 8; ++i)
        g.data4[i] = uint8_t(tail.mid(i * 2, 2).toUInt(nullptr, 16));
    *guid = g;
    return true;
}

QString BracedClassId(const GlrGuid &g)
{
    QString tail;
    for (int i = 0; i < 8; ++i)
        tail += QStringLiteral("%1").arg(uint(g.data4[i]), 2, 16, QLatin1Char('0')) + (i == 1 ? QStringLiteral("-") : QString());
    return QStringLiteral("{%1-%2-%3-%4}")
        .arg(g.data1, 8, 16, QLatin1Char('0'))
        .arg(uint(g.data2), 4, 16, QLatin1Char('0'))
        .arg(uint(g.data3), 4, 16, QLatin1Char('0'))
        .arg(tail)
        .toUpper();
}

QString RegisteredModulePath(const GlrGuid &clsid)
{
    const QString file = qEnvironmentVariable(GLR_CLASS_STORE_ENV);
    std::unique_ptr<QSettings> store = file.isEmpty()
        ? std::make_unique<QSettings>(QStringLiteral("Vorlex Software"), QStringLiteral("Gallorim"))
        : std::make_unique<QSettings>(file, QSettings::IniFormat);
    store->beginGroup(QStringLiteral(GLR_CLASSES_GROUP));
    return store->value(QStringLiteral("CLSID/%1/InprocServer32/Default").arg(BracedClassId(clsid))).toString();
}

QString ModuleServingClass(const GlrGuid &clsid, const QString &programDir)
{
    const QString registered = RegisteredModulePath(clsid);
    // A registration outlives the file it names (a removed build or package).
    if (!registered.isEmpty() && QFileInfo(registered).isFile())
        return registered;
    if (!GlrIsEqualGuid(&clsid, &GLR_CLSID_GLRVisualPlacementObject))
        return QString();
#if defined(_WIN32)
    const QString name = QStringLiteral("glrplace.dll");
#else
    const QString name = QStringLiteral("libglrplace.so");
#endif
    // Installed packages carry the control; it needs no per-user registration.
    const QFileInfo installed(QDir(programDir).filePath(QStringLiteral("../lib/gallorim/") + name));
    return installed.isFile() ? QDir::cleanPath(installed.absoluteFilePath()) : QString();
}

bool PlacementClassAvailable(const GlrGuid &clsid, QString *error)
{
    GlrClassFactory *factory = FactoryFor(clsid, error);
    const bool available = factory != nullptr;
    ReleaseInterface(factory);
    return available;
}

PlacementHost::PlacementHost(QWidget *surface, HostServices services, QObject *parent)
    : QObject(parent), m_surface(surface), m_services(std::move(services)), m_site(new Site{{&Site::kVtbl}})
{
    m_site->host = this;
}

PlacementHost::~PlacementHost()
{
    ReleaseAll();
    m_site->host = nullptr;
    Site::Release(&m_site->itf);
}

bool PlacementHost::AddObject(const QString &key, const QString &classId)
{
    if (HasObject(key))
        return true;
    GlrGuid clsid;
    if (!ParseClassId(classId, &clsid))
        return false;
    GlrClassFactory *factory = FactoryFor(clsid, nullptr);
    if (!factory)
        return false;
    Object object;
    void *created = nullptr;
    factory->lpVtbl->CreateInstance(factory, nullptr, &GLR_IID_IGLRVisualPlacementObject, &created);
    ReleaseInterface(factory);
    object.control = static_cast<IGLRVisualPlacementObject *>(created);
    if (!object.control)
        return false;
    void *withSite = nullptr;
    if (GLR_SUCCEEDED(object.control->lpVtbl->QueryInterface(object.control, &GLR_IID_IGlrObjectWithSite, &withSite))) {
        auto *itf = static_cast<GlrObjectWithSite *>(withSite);
        itf->lpVtbl->SetSite(itf, &m_site->itf);
        ReleaseInterface(itf);
    }
    void *inPlace = nullptr;
    object.control->lpVtbl->QueryInterface(object.control, &GLR_IID_IGlrInPlaceObject, &inPlace);
    object.inPlace = static_cast<GlrInPlaceObject *>(inPlace);
    m_objects.emplace(key, object);
    return true;
}

bool PlacementHost::Call(const QString &key, const QString &method, const std::vector<int32_t> &args)
{
    const auto it = m_objects.find(key);
    if (it == m_objects.end())
        return false;
    IGLRVisualPlacementObject *control = it->second.control;
    int32_t dispid = GLR_DISPID_UNKNOWN;
    if (GLR_FAILED(control->lpVtbl->GetIDsOfNames(control, method.toUtf8().constData(), &dispid)))
        return false;
    return GLR_SUCCEEDED(control->lpVtbl->Invoke(control, dispid, args.data(), uint32_t(args.size())));
}

void PlacementHost::PlaceObject(const QString &key, const QRect &rect, bool visible)
{
    const auto it = m_objects.find(key);
    if (it == m_objects.end() || !it->second.inPlace || !m_surface)
        return;
    Object &object = it->second;
    const GlrRect r = ToGlrRect(rect);
    if (!object.active && visible)
        object.active = GLR_SUCCEEDED(object.inPlace->lpVtbl->InPlaceActivate(object.inPlace, m_surface.data(), &r));
    else if (object.active)
        object.inPlace->lpVtbl->SetObjectRects(object.inPlace, &r);
    if (QWidget *window = ObjectWindow(key)) {
        window->setVisible(visible && !rect.isEmpty());
        // The web view repaints its own children; the control stays on top.
        window->raise();
    }
}

QWidget *PlacementHost::ObjectWindow(const QString &key) const
{
    const auto it = m_objects.find(key);
    if (it == m_objects.end() || !it->second.inPlace || !it->second.active)
        return nullptr;
    void *widget = nullptr;
    it->second.inPlace->lpVtbl->GetWindow(it->second.inPlace, &widget);
    return static_cast<QWidget *>(widget);
}

QString PlacementHost::ObjectMessage(const QString &key) const
{
    const auto it = m_objects.find(key);
    if (it == m_objects.end())
        return QString();
    void *status = nullptr;
    it->second.control->lpVtbl->QueryInterface(it->second.control, &GLR_IID_IGlrPlacementStatus, &status);
    auto *itf = static_cast<GlrPlacementStatus *>(status);
    if (!itf)
        return QString();
    uint32_t required = 0;
    itf->lpVtbl->GetMessageText(itf, nullptr, 0, &required, nullptr);
    QByteArray text(qsizetype(required), '\0');
    if (required == 0 || GLR_FAILED(itf->lpVtbl->GetMessageText(itf, text.data(), required, &required, nullptr)))
        text.clear();
    ReleaseInterface(itf);
    return QString::fromUtf8(text.constData());
}

std::vector<QString> PlacementHost::ObjectKeys() const
{
    std::vector<QString> keys;
    for (const auto &entry : m_objects)
        keys.push_back(entry.first);
    return keys;
}

void PlacementHost::Release(Object &object)
{
    if (object.inPlace && object.active)
        object.inPlace->lpVtbl->InPlaceDeactivate(object.inPlace);
    object.active = false;
    ReleaseInterface(object.inPlace);
    // The last release: the control posts its closing message through the site now.
    ReleaseInterface(object.control);
}

void PlacementHost::ReleaseAll()
{
    std::map<QString, Object> objects;
    objects.swap(m_objects);
    for (auto &[key, object] : objects)
        Release(object);
}

bool PlacementHost::OnPost(GlrWindow window, uint32_t message, intptr_t wParam, intptr_t lParam)
{
    if (!m_services.post || !m_services.post(window, message, wParam, lParam))
        return false;
    if (wParam == -1 && lParam == -1)
        m_closingPosted = true;
    return true;
}
