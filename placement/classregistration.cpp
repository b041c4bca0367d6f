#include "classregistration.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#if defined(_WIN32)
#include <iterator>
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

const QString kDefault = QStringLiteral("Default");
const QString kClassKey = QStringLiteral("CLSID/" GLR_CLSID_TEXT);
const QString kTypeLibKey = QStringLiteral("TypeLib/" GLR_LIBID_TEXT);
const QString kInterfaceKey = QStringLiteral("Interface/" GLR_IID_PLACEMENT_TEXT);
const QString kEventsKey = QStringLiteral("Interface/" GLR_IID_PLACEMENT_EVENTS_TEXT);
const QString kTypeLibHelp = QStringLiteral("GLR Visual Placement Control 1.0 Type Library");
// The library's locale, 0x0409, in hexadecimal as type-library keys name it.
const QString kTypeLibLocale = QStringLiteral("409");
// OLEMISC_SETCLIENTSITEFIRST | ACTIVATEWHENVISIBLE | INSIDEOUT | CANTLINKINSIDE | RECOMPOSEONRESIZE
const QString kMiscStatus = QStringLiteral("131473");

#if defined(_WIN64)
const QString kTypeLibPlatform = QStringLiteral("win64");
#elif defined(_WIN32)
const QString kTypeLibPlatform = QStringLiteral("win32");
#else
const QString kTypeLibPlatform = QStringLiteral("linux");
#endif

void SetKey(QSettings &store, const QString &key, const QString &value)
{
    store.setValue(key + QLatin1Char('/') + kDefault, value);
}

void WriteProgIds(QSettings &store)
{
    const QString progId = QStringLiteral(GLR_PROGID);
    const QString independent = QStringLiteral(GLR_VERSION_INDEPENDENT_PROGID);
    const QString description = QStringLiteral(GLR_CLASS_DESCRIPTION);
    SetKey(store, progId, description);
    SetKey(store, progId + QStringLiteral("/CLSID"), QStringLiteral(GLR_CLSID_TEXT));
    SetKey(store, independent, description);
    SetKey(store, independent + QStringLiteral("/CLSID"), QStringLiteral(GLR_CLSID_TEXT));
    SetKey(store, independent + QStringLiteral("/CurVer"), progId);
}

void WriteClassKey(QSettings &store, const QString &modulePath)
{
    // The class key is replaced whole, so no stale subkey survives.
    store.remove(kClassKey);
    const QString key = kClassKey + QLatin1Char('/');
    SetKey(store, kClassKey, QStringLiteral(GLR_CLASS_DESCRIPTION));
    SetKey(store, key + QStringLiteral("ProgID"), QStringLiteral(GLR_PROGID));
    SetKey(store, key + QStringLiteral("VersionIndependentProgID"),
        QStringLiteral(GLR_VERSION_INDEPENDENT_PROGID));
    SetKey(store, key + QStringLiteral("Programmable"), QString());
    SetKey(store, key + QStringLiteral("InprocServer32"), modulePath);
    store.setValue(key + QStringLiteral("InprocServer32/ThreadingModel"), QStringLiteral("Apartment"));
    SetKey(store, key + QStringLiteral("Control"), QString());
    SetKey(store, key + QStringLiteral("Insertable"), QString());
    SetKey(store, key + QStringLiteral("ToolboxBitmap32"), modulePath + QStringLiteral(", 102"));
    SetKey(store, key + QStringLiteral("MiscStatus"), QStringLiteral("0"));
    SetKey(store, key + QStringLiteral("MiscStatus/1"), kMiscStatus);
    SetKey(store, key + QStringLiteral("TypeLib"), QStringLiteral(GLR_LIBID_TEXT));
    SetKey(store, key + QStringLiteral("Version"), QStringLiteral("1.0"));
}

void WriteInterface(QSettings &store, const QString &key, const QString &name)
{
    store.remove(key);
    SetKey(store, key, name);
    SetKey(store, key + QStringLiteral("/TypeLib"), QStringLiteral(GLR_LIBID_TEXT));
    store.setValue(key + QStringLiteral("/TypeLib/Version"), QStringLiteral("1.0"));
}

void WriteTypeLibrary(QSettings &store, const QString &modulePath)
{
    store.remove(kTypeLibKey);
    const QString version = kTypeLibKey + QStringLiteral("/1.0");
    SetKey(store, version, kTypeLibHelp);
    SetKey(
        store, version + QLatin1Char('/') + kTypeLibLocale + QLatin1Char('/') + kTypeLibPlatform, modulePath);
    SetKey(store, version + QStringLiteral("/FLAGS"), QStringLiteral("0"));
    SetKey(
        store, version + QStringLiteral("/HELPDIR"), QDir::toNativeSeparators(QFileInfo(modulePath).path()));
    WriteInterface(store, kInterfaceKey, QStringLiteral("IGLRVisualPlacementObject"));
    WriteInterface(store, kEventsKey, QStringLiteral("_IGLRVisualPlacementObjectEvents"));
}

bool Flush(QSettings &store)
{
    store.sync();
    return store.status() == QSettings::NoError;
}

} // namespace

std::unique_ptr<QSettings> OpenClassStore()
{
    const QString file = qEnvironmentVariable(GLR_CLASS_STORE_ENV);
    if (!file.isEmpty())
        return std::make_unique<QSettings>(file, QSettings::IniFormat);
    return std::make_unique<QSettings>(QStringLiteral("Vorlex Software"), QStringLiteral("Gallorim"));
}

QString LoadedModulePath()
{
    QString path;
#if defined(_WIN32)
    HMODULE module = nullptr;
    wchar_t buffer[32768];
    if (GetModuleHandleExW(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            reinterpret_cast<LPCWSTR>(&LoadedModulePath), &module)) {
        const DWORD length = GetModuleFileNameW(module, buffer, DWORD(std::size(buffer)));
        if (length > 0 && length < std::size(buffer))
            path = QString::fromWCharArray(buffer, int(length));
    }
#else
    Dl_info info {};
    if (dladdr(reinterpret_cast<void *>(&LoadedModulePath), &info) && info.dli_fname)
        path = QFile::decodeName(info.dli_fname);
#endif
    if (path.isEmpty())
        return path;
    return QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
}

GlrResult RegisterPlacementClass(QSettings &store, const QString &modulePath)
{
    if (modulePath.isEmpty())
        return GLR_E_FAIL;
    store.beginGroup(QStringLiteral(GLR_CLASSES_GROUP));
    WriteTypeLibrary(store, modulePath);
    WriteProgIds(store);
    WriteClassKey(store, modulePath);
    store.endGroup();
    return Flush(store) ? GLR_S_OK : GLR_SELFREG_E_CLASS;
}

GlrResult UnregisterPlacementClass(QSettings &store)
{
    store.beginGroup(QStringLiteral(GLR_CLASSES_GROUP));
    store.remove(QStringLiteral(GLR_PROGID));
    store.remove(QStringLiteral(GLR_VERSION_INDEPENDENT_PROGID));
    store.remove(kClassKey);
    store.remove(kTypeLibKey);
    store.remove(kInterfaceKey);
    store.remove(kEventsKey);
    store.endGroup();
    return Flush(store) ? GLR_S_OK : GLR_SELFREG_E_CLASS;
}
