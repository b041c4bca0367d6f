// Registration into the per-user class registry, through the exports and
// through the register tool, always in a private store.
#include "placementhost.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kClassKey = QStringLiteral("Classes/CLSID/" GLR_CLSID_TEXT);
const QString kProgId = QStringLiteral("Classes/" GLR_PROGID);
const QString kIndependent = QStringLiteral("Classes/" GLR_VERSION_INDEPENDENT_PROGID);
const QString kTypeLib = QStringLiteral("Classes/TypeLib/" GLR_LIBID_TEXT "/1.0");

QString ModulePath()
{
    return QDir::toNativeSeparators(
        QDir::cleanPath(QFileInfo(QStringLiteral(GLRPLACE_MODULE)).absoluteFilePath()));
}

// Points the module at a store of this test's own.
class ClassStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        file = dir.filePath(QStringLiteral("classes.ini"));
        saved = qgetenv(GLR_CLASS_STORE_ENV);
        qputenv(GLR_CLASS_STORE_ENV, file.toLocal8Bit());
    }
    void TearDown() override { qputenv(GLR_CLASS_STORE_ENV, saved); }

    QString Value(const QString &key) const
    {
        return QSettings(file, QSettings::IniFormat).value(key + QStringLiteral("/Default")).toString();
    }
    QStringList Keys() const { return QSettings(file, QSettings::IniFormat).allKeys(); }

    QTemporaryDir dir;
    QString file;
    QByteArray saved;
};

} // namespace

TEST_F(ClassStore, registrationWritesTheClassItsProgIdsAndItsTypeLibrary)
{
    ASSERT_EQ(PlacementModule::Get().registerServer(), GLR_S_OK);
    const QString description = QStringLiteral("GLRVisualPlacementObject Class");
    const QString path = ModulePath();

    EXPECT_EQ(Value(kClassKey), description);
    EXPECT_EQ(Value(kClassKey + "/InprocServer32"), path);
    EXPECT_EQ(
        QSettings(file, QSettings::IniFormat).value(kClassKey + "/InprocServer32/ThreadingModel").toString(),
        QStringLiteral("Apartment"));
    EXPECT_EQ(
        Value(kClassKey + "/ProgID"), QStringLiteral("GLRVisualPlacementObject.GLRVisualPlacementObject.1"));
    EXPECT_EQ(Value(kClassKey + "/VersionIndependentProgID"),
        QStringLiteral("GLRVisualPlacementObject.GLRVisualPlacementObject"));
    EXPECT_EQ(Value(kClassKey + "/ToolboxBitmap32"), path + QStringLiteral(", 102"));
    EXPECT_EQ(Value(kClassKey + "/MiscStatus"), QStringLiteral("0"));
    EXPECT_EQ(Value(kClassKey + "/MiscStatus/1"), QStringLiteral("131473"));
    EXPECT_EQ(Value(kClassKey + "/TypeLib"), QStringLiteral(GLR_LIBID_TEXT));
    EXPECT_EQ(Value(kClassKey + "/Version"), QStringLiteral("1.0"));
    const QStringList keys = Keys();
    for (const char *empty : {"/Programmable", "/Control", "/Insertable"})
        EXPECT_TRUE(keys.contains(kClassKey + empty + QStringLiteral("/Default"))) << empty;

    EXPECT_EQ(Value(kProgId), description);
    EXPECT_EQ(Value(kProgId + "/CLSID"), QStringLiteral(GLR_CLSID_TEXT));
    EXPECT_EQ(Value(kIndependent), description);
    EXPECT_EQ(Value(kIndependent + "/CLSID"), QStringLiteral(GLR_CLSID_TEXT));
    EXPECT_EQ(Value(kIndependent + "/CurVer"), QStringLiteral(GLR_PROGID));

    EXPECT_EQ(Value(kTypeLib), QStringLiteral("GLR Visual Placement Control 1.0 Type Library"));
    // The library's locale is US English: its file is listed under 409.
    QSettings store(file, QSettings::IniFormat);
    store.beginGroup(kTypeLib + QStringLiteral("/409"));
    const QStringList platforms = store.childGroups();
    ASSERT_EQ(platforms.size(), 1) << platforms.join(u',').toStdString();
    EXPECT_EQ(store.value(platforms.first() + QStringLiteral("/Default")).toString(), path);
}

TEST_F(ClassStore, unregistrationRemovesExactlyWhatRegistrationWrote)
{
    {
        QSettings store(file, QSettings::IniFormat);
        store.setValue(
            QStringLiteral("Classes/CLSID/{00000000-1111-2222-3333-444444444444}/Default"), "other");
        store.setValue(
            QStringLiteral("Classes/TypeLib/{00000000-1111-2222-3333-444444444444}/1.0/Default"), "lib");
        store.setValue(QStringLiteral("LastOptions/General/ShowSplash"), 1);
    }
    const QStringList before = Keys();
    ASSERT_EQ(PlacementModule::Get().registerServer(), GLR_S_OK);
    EXPECT_GT(Keys().size(), before.size() + 20);
    ASSERT_EQ(PlacementModule::Get().unregisterServer(), GLR_S_OK);
    QStringList after = Keys();
    QStringList expected = before;
    after.sort();
    expected.sort();
    EXPECT_EQ(after, expected);
}

TEST_F(ClassStore, registeringAgainReplacesTheWholeClassKey)
{
    {
        QSettings store(file, QSettings::IniFormat);
        store.setValue(
            kClassKey + QStringLiteral("/InprocServer32/Default"), QStringLiteral("/old/libglrplace.so"));
        store.setValue(kClassKey + QStringLiteral("/Stale/Default"), QStringLiteral("left over"));
    }
    ASSERT_EQ(PlacementModule::Get().registerServer(), GLR_S_OK);
    EXPECT_EQ(Value(kClassKey + "/InprocServer32"), ModulePath());
    EXPECT_FALSE(Keys().contains(kClassKey + QStringLiteral("/Stale/Default")));
}

TEST_F(ClassStore, aStoreThatCannotBeWrittenIsAFailure)
{
    qputenv(GLR_CLASS_STORE_ENV, dir.path().toLocal8Bit()); // a folder, not a file
    EXPECT_TRUE(GLR_FAILED(PlacementModule::Get().registerServer()));
    EXPECT_TRUE(GLR_FAILED(PlacementModule::Get().unregisterServer()));
}

namespace {

int RunTool(const QStringList &arguments, const QString &store)
{
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral(GLR_CLASS_STORE_ENV), store);
    tool.setProcessEnvironment(env);
    tool.start(QStringLiteral(GLRPLACE_REGSVR), arguments);
    if (!tool.waitForFinished(30000))
        return -1;
    return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
}

} // namespace

TEST_F(ClassStore, registerToolRegistersAndUnregistersAModule)
{
    EXPECT_EQ(RunTool({QStringLiteral("-s"), QStringLiteral(GLRPLACE_MODULE)}, file), 0);
    EXPECT_EQ(Value(kClassKey + "/InprocServer32"), ModulePath());
    EXPECT_EQ(
        RunTool({QStringLiteral("-u"), QStringLiteral("-s"), QStringLiteral(GLRPLACE_MODULE)}, file), 0);
    EXPECT_FALSE(QSettings(file, QSettings::IniFormat).childGroups().contains(QStringLiteral("Classes")));
}

TEST_F(ClassStore, registerToolReportsBadArgumentsMissingModulesAndFailedCalls)
{
    EXPECT_EQ(RunTool({}, file), 1);
    EXPECT_EQ(RunTool({QStringLiteral("-x"), QStringLiteral(GLRPLACE_MODULE)}, file), 1);
    EXPECT_EQ(RunTool({dir.filePath(QStringLiteral("missing.so"))}, file), 3);
    EXPECT_EQ(RunTool({QStringLiteral(GLRPLACE_MODULE)}, dir.path()), 5);
    EXPECT_EQ(RunTool({QStringLiteral("--warn-only"), QStringLiteral(GLRPLACE_MODULE)}, dir.path()), 0);
}
