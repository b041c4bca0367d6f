#include "placementtesting.h"

#include "placement/glrplace_abi.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

QString PlacementModulePath()
{
    const QString path = QCoreApplication::applicationDirPath() + QStringLiteral("/../../placement/libglrplace.so");
    return QFileInfo::exists(path) ? QFileInfo(path).canonicalFilePath() : QString();
}

PrivateClassStore::PrivateClassStore(bool registerModule)
    : m_previous(qgetenv(GLR_CLASS_STORE_ENV)), m_hadPrevious(qEnvironmentVariableIsSet(GLR_CLASS_STORE_ENV))
{
    qputenv(GLR_CLASS_STORE_ENV, QFile::encodeName(m_dir.filePath(QStringLiteral("classes.ini"))));
    if (!registerModule || PlacementModulePath().isEmpty())
        return;
    QLibrary module(PlacementModulePath());
    auto registerServer = reinterpret_cast<GlrDllRegisterServerFn>(module.resolve("DllRegisterServer"));
    m_registered = registerServer && registerServer() == GLR_S_OK;
}

PrivateClassStore::~PrivateClassStore()
{
    if (m_hadPrevious)
        qputenv(GLR_CLASS_STORE_ENV, m_previous);
    else
        qunsetenv(GLR_CLASS_STORE_ENV);
}
