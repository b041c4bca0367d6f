// The module's exports, its class factory, the object's interfaces and the
// late-bound calls, including what a careless host may hand them.
#include "placementhost.h"

#include <QUuid>
#include <gtest/gtest.h>

namespace {

const PlacementModule &Module()
{
    return PlacementModule::Get();
}

Ref<GlrClassFactory> Factory()
{
    Ref<GlrClassFactory> factory;
    Module().getClassObject(&GLR_CLSID_GLRVisualPlacementObject, &GLR_IID_IClassFactory, factory.out());
    return factory;
}

} // namespace

TEST(PlacementModule, handsOutItsFactoryOnlyForItsOwnClass)
{
    void *out = reinterpret_cast<void *>(1);
    EXPECT_EQ(Module().getClassObject(&GLR_LIBID_GLRVISUALPLACEMENTCONTROLLib, &GLR_IID_IClassFactory, &out),
        GLR_CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(Module().getClassObject(&GLR_CLSID_GLRVisualPlacementObject, &GLR_IID_IDispatch, &out),
        GLR_E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_TRUE(Factory());
    EXPECT_EQ(Module().canUnloadNow(), GLR_S_OK);
}

TEST(PlacementModule, nullArgumentsToGetClassObjectAreRefused)
{
    void *out = nullptr;
    EXPECT_EQ(Module().getClassObject(&GLR_CLSID_GLRVisualPlacementObject, &GLR_IID_IClassFactory, nullptr),
        GLR_E_POINTER);
    EXPECT_EQ(Module().getClassObject(nullptr, &GLR_IID_IClassFactory, &out), GLR_E_POINTER);
    EXPECT_EQ(Module().getClassObject(&GLR_CLSID_GLRVisualPlacementObject, nullptr, &out), GLR_E_POINTER);
    EXPECT_EQ(out, nullptr);
}

TEST(PlacementModule, staysLoadedWhileAFactoryAControlOrALockLives)
{
    EXPECT_EQ(Module().canUnloadNow(), GLR_S_OK);
    Ref<GlrClassFactory> factory = Factory();
    EXPECT_EQ(Module().canUnloadNow(), GLR_S_FALSE);
    Ref<IGLRVisualPlacementObject> control;
    ASSERT_EQ(factory->lpVtbl->CreateInstance(
                  factory.get(), nullptr, &GLR_IID_IGLRVisualPlacementObject, control.out()),
        GLR_S_OK);
    ASSERT_EQ(factory->lpVtbl->LockServer(factory.get(), 1), GLR_S_OK);
    factory.reset();
    EXPECT_EQ(Module().canUnloadNow(), GLR_S_FALSE);
    control.reset();
    EXPECT_EQ(Module().canUnloadNow(), GLR_S_FALSE); // still locked

    factory = Factory();
    EXPECT_EQ(factory->lpVtbl->LockServer(factory.get(), 0), GLR_S_OK);
    EXPECT_EQ(factory->lpVtbl->LockServer(factory.get(), 0), GLR_E_UNEXPECTED);
    factory.reset();
    EXPECT_EQ(Module().canUnloadNow(), GLR_S_OK);
}

TEST(PlacementModule, factoryRefusesAggregationAndUnknownInterfacesWithoutLeaking)
{
    Ref<GlrClassFactory> factory = Factory();
    Ref<GlrUnknown> object;
    auto *fakeOuter = reinterpret_cast<GlrUnknown *>(factory.get());
    EXPECT_EQ(factory->lpVtbl->CreateInstance(factory.get(), fakeOuter, &GLR_IID_IUnknown, object.out()),
        GLR_CLASS_E_NOAGGREGATION);
    EXPECT_EQ(factory->lpVtbl->CreateInstance(factory.get(), nullptr, &GLR_IID_IClassFactory, object.out()),
        GLR_E_NOINTERFACE);
    EXPECT_EQ(
        factory->lpVtbl->CreateInstance(factory.get(), nullptr, &GLR_IID_IUnknown, nullptr), GLR_E_POINTER);
    EXPECT_FALSE(object);
    factory.reset();
    EXPECT_EQ(Module().canUnloadNow(), GLR_S_OK);
}

TEST(PlacementControl, everyInterfaceLeadsBackToTheSameObject)
{
    Ref<IGLRVisualPlacementObject> control = CreateControl();
    const Ref<GlrUnknown> identity = Query<GlrUnknown>(control.get(), GLR_IID_IUnknown);
    const Ref<GlrDispatch> dispatch = Query<GlrDispatch>(control.get(), GLR_IID_IDispatch);
    EXPECT_EQ(static_cast<void *>(dispatch.get()), static_cast<void *>(control.get()));
    const GlrGuid faces[] = {GLR_IID_IObjectSafety, GLR_IID_IGlrViewObject, GLR_IID_IGlrInPlaceObject,
        GLR_IID_IGlrObjectWithSite, GLR_IID_IGlrPlacementStatus};
    for (const GlrGuid &iid : faces) {
        const Ref<GlrUnknown> face = Query<GlrUnknown>(control.get(), iid);
        ASSERT_TRUE(face);
        EXPECT_EQ(Query<GlrUnknown>(face.get(), GLR_IID_IUnknown).get(), identity.get());
    }
    void *out = reinterpret_cast<void *>(1);
    EXPECT_EQ(
        control->lpVtbl->QueryInterface(control.get(), &GLR_IID_IClassFactory, &out), GLR_E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(control->lpVtbl->QueryInterface(control.get(), nullptr, &out), GLR_E_POINTER);
    EXPECT_EQ(control->lpVtbl->QueryInterface(control.get(), &GLR_IID_IUnknown, nullptr), GLR_E_POINTER);
}

TEST(PlacementControl, callsThroughANullInterfacePointerAreRefused)
{
    Ref<GlrClassFactory> factory = Factory();
    Ref<IGLRVisualPlacementObject> control = CreateControl();
    const auto *call = control->lpVtbl;
    void *out = reinterpret_cast<void *>(1);
    int32_t dispid = 0;
    const int32_t args[] = {1};
    EXPECT_EQ(call->QueryInterface(nullptr, &GLR_IID_IUnknown, &out), GLR_E_POINTER);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(call->AddRef(nullptr), 0u);
    EXPECT_EQ(call->Release(nullptr), 0u);
    EXPECT_EQ(call->GetIDsOfNames(nullptr, "InitMode", &dispid), GLR_E_POINTER);
    EXPECT_EQ(call->Invoke(nullptr, GLR_DISPID_INIT_MODE, args, 1), GLR_E_POINTER);
    EXPECT_EQ(call->ClickSecondImage(nullptr, 1, 3), GLR_E_POINTER);
    EXPECT_EQ(factory->lpVtbl->CreateInstance(nullptr, nullptr, &GLR_IID_IUnknown, &out), GLR_E_POINTER);
    EXPECT_EQ(factory->lpVtbl->LockServer(nullptr, 1), GLR_E_POINTER);
    factory.reset();
    control.reset();
    EXPECT_EQ(Module().canUnloadNow(), GLR_S_OK); // nothing was created or locked
}

TEST(PlacementControl, isSafeForUntrustedCallersOnly)
{
    Ref<IGLRVisualPlacementObject> control = CreateControl();
    Ref<GlrObjectSafety> safety = Query<GlrObjectSafety>(control.get(), GLR_IID_IObjectSafety);
    const auto *call = safety->lpVtbl;
    uint32_t supported = 7, enabled = 7;

    EXPECT_EQ(
        call->GetInterfaceSafetyOptions(safety.get(), &GLR_IID_IDispatch, &supported, &enabled), GLR_S_OK);
    EXPECT_EQ(supported, GLR_INTERFACESAFE_FOR_UNTRUSTED_CALLER);
    EXPECT_EQ(enabled, 0u);

    EXPECT_EQ(call->SetInterfaceSafetyOptions(safety.get(), &GLR_IID_IDispatch,
                  GLR_INTERFACESAFE_FOR_UNTRUSTED_DATA, GLR_INTERFACESAFE_FOR_UNTRUSTED_DATA),
        GLR_E_FAIL);
    EXPECT_EQ(call->SetInterfaceSafetyOptions(safety.get(), &GLR_IID_IGLRVisualPlacementObject,
                  GLR_INTERFACESAFE_FOR_UNTRUSTED_CALLER, GLR_INTERFACESAFE_FOR_UNTRUSTED_CALLER),
        GLR_S_OK);
    call->GetInterfaceSafetyOptions(safety.get(), &GLR_IID_IDispatch, &supported, &enabled);
    EXPECT_EQ(enabled, GLR_INTERFACESAFE_FOR_UNTRUSTED_CALLER);

    EXPECT_EQ(call->GetInterfaceSafetyOptions(safety.get(), &GLR_IID_IClassFactory, &supported, &enabled),
        GLR_E_NOINTERFACE);
    EXPECT_EQ(supported, 0u);
    EXPECT_EQ(enabled, 0u);
    EXPECT_EQ(call->SetInterfaceSafetyOptions(safety.get(), &GLR_IID_IClassFactory, 1, 1), GLR_E_NOINTERFACE);
    EXPECT_EQ(
        call->GetInterfaceSafetyOptions(safety.get(), &GLR_IID_IDispatch, nullptr, &enabled), GLR_E_POINTER);
    EXPECT_EQ(call->GetInterfaceSafetyOptions(safety.get(), &GLR_IID_IDispatch, &supported, nullptr),
        GLR_E_POINTER);
}

namespace {

struct NamedMethod {
    const char *name;
    int32_t dispid;
};

class DispatchNames : public ::testing::TestWithParam<NamedMethod> { };

} // namespace

TEST_P(DispatchNames, resolveToTheirFixedIdsWhateverTheCase)
{
    Ref<IGLRVisualPlacementObject> control = CreateControl();
    int32_t dispid = 0;
    EXPECT_EQ(control->lpVtbl->GetIDsOfNames(control.get(), GetParam().name, &dispid), GLR_S_OK);
    EXPECT_EQ(dispid, GetParam().dispid);
    const QByteArray lower = QByteArray(GetParam().name).toLower();
    EXPECT_EQ(control->lpVtbl->GetIDsOfNames(control.get(), lower.constData(), &dispid), GLR_S_OK);
    EXPECT_EQ(dispid, GetParam().dispid);
}

INSTANTIATE_TEST_SUITE_P(FiveMethods, DispatchNames,
    ::testing::Values(NamedMethod {"Init_Visual_Placement", 1}, NamedMethod {"ClickFirstImage", 2},
        NamedMethod {"ClickSecondImage", 3}, NamedMethod {"InitColors", 4}, NamedMethod {"InitMode", 5}));

TEST(PlacementDispatch, unknownNamesAndMissingPointersAreRefused)
{
    Ref<IGLRVisualPlacementObject> control = CreateControl();
    int32_t dispid = 0;
    EXPECT_EQ(
        control->lpVtbl->GetIDsOfNames(control.get(), "ClickThirdImage", &dispid), GLR_DISP_E_UNKNOWNNAME);
    EXPECT_EQ(dispid, GLR_DISPID_UNKNOWN);
    EXPECT_EQ(control->lpVtbl->GetIDsOfNames(control.get(), "", &dispid), GLR_DISP_E_UNKNOWNNAME);
    EXPECT_EQ(control->lpVtbl->GetIDsOfNames(control.get(), nullptr, &dispid), GLR_E_POINTER);
    EXPECT_EQ(control->lpVtbl->GetIDsOfNames(control.get(), "InitMode", nullptr), GLR_E_POINTER);
}

TEST(PlacementDispatch, invokeChecksTheMemberAndItsArgumentCount)
{
    Ref<IGLRVisualPlacementObject> control = CreateControl();
    const int32_t args[4] = {1, 2, 3, 4};
    const auto *call = control->lpVtbl;
    EXPECT_EQ(call->Invoke(control.get(), 0, args, 0), GLR_DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(call->Invoke(control.get(), 6, args, 1), GLR_DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(call->Invoke(control.get(), GLR_DISPID_CLICK_SECOND_IMAGE, args, 1), GLR_DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(call->Invoke(control.get(), GLR_DISPID_INIT_MODE, args, 2), GLR_DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(
        call->Invoke(control.get(), GLR_DISPID_INIT_VISUAL_PLACEMENT, args, 3), GLR_DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(call->Invoke(control.get(), GLR_DISPID_INIT_COLORS, nullptr, 2), GLR_E_POINTER);
    // A refused call leaves the control as it was.
    EXPECT_EQ(TwoLinesOf(control.get()), 0);
}

TEST(PlacementDispatch, invokeDrivesTheSameProtocolAsTheDirectMethods)
{
    RecordingSite site;
    Ref<IGLRVisualPlacementObject> control = CreateControl();
    AttachSite(control.get(), site);
    const auto *call = control->lpVtbl;
    const int32_t init[] = {0, 0xFFFFFF, int32_t(RecordingSite::kWindow), 1139};
    const int32_t exchange[] = {0};
    const int32_t first[] = {6};
    const int32_t second[] = {6, 2};
    EXPECT_EQ(call->Invoke(control.get(), GLR_DISPID_INIT_VISUAL_PLACEMENT, init, 4), GLR_S_OK);
    EXPECT_EQ(call->Invoke(control.get(), GLR_DISPID_INIT_MODE, exchange, 1), GLR_S_OK);
    EXPECT_EQ(call->Invoke(control.get(), GLR_DISPID_CLICK_FIRST_IMAGE, first, 1), GLR_S_OK);
    EXPECT_TRUE(MessageOf(control.get()).startsWith(QStringLiteral("L'image 6 ")));
    EXPECT_EQ(call->Invoke(control.get(), GLR_DISPID_CLICK_SECOND_IMAGE, second, 2), GLR_S_OK);
    control.reset();
    const std::vector<PostedMessage> expected {
        {RecordingSite::kWindow, 1139, 6, 2}, {RecordingSite::kWindow, 1139, -1, -1}};
    EXPECT_EQ(site.posts, expected);
}

TEST(PlacementDispatch, unsignedArgumentsKeepTheirFullRange)
{
    RecordingSite site;
    Ref<IGLRVisualPlacementObject> control = CreateControl();
    AttachSite(control.get(), site);
    const int32_t init[] = {0, 0, int32_t(RecordingSite::kWindow), int32_t(0xFFFFFFF0u)};
    control->lpVtbl->Invoke(control.get(), GLR_DISPID_INIT_VISUAL_PLACEMENT, init, 4);
    control->lpVtbl->ClickSecondImage(control.get(), 1, 3);
    ASSERT_EQ(site.posts.size(), 1u);
    EXPECT_EQ(site.posts[0].message, 0xFFFFFFF1u);
}

TEST(PlacementStatus, reportsTheSizeItNeedsWhenTheBufferIsShort)
{
    Ref<IGLRVisualPlacementObject> control = CreateControl();
    Ref<GlrPlacementStatus> status = Query<GlrPlacementStatus>(control.get(), GLR_IID_IGlrPlacementStatus);
    const QByteArray expected = QStringLiteral("Placement Visuel des Images... Initialisation...").toUtf8();
    char buffer[8] = "xxxxxxx";
    uint32_t required = 0;
    EXPECT_EQ(status->lpVtbl->GetMessageText(status.get(), buffer, sizeof buffer, &required, nullptr),
        GLR_E_NOT_SUFFICIENT_BUFFER);
    EXPECT_EQ(required, uint32_t(expected.size() + 1));
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(
        status->lpVtbl->GetMessageText(status.get(), buffer, sizeof buffer, nullptr, nullptr), GLR_E_POINTER);
}

TEST(PlacementIdentity, textAndBinaryFormsOfEachIdentifierAgree)
{
    const std::pair<const char *, GlrGuid> ids[] = {
        {GLR_CLSID_TEXT, GLR_CLSID_GLRVisualPlacementObject},
        {GLR_IID_PLACEMENT_TEXT, GLR_IID_IGLRVisualPlacementObject},
        {GLR_IID_PLACEMENT_EVENTS_TEXT, GLR_IID__IGLRVisualPlacementObjectEvents},
        {GLR_LIBID_TEXT, GLR_LIBID_GLRVISUALPLACEMENTCONTROLLib},
    };
    for (const auto &[text, guid] : ids) {
        const QUuid parsed = QUuid::fromString(QLatin1String(text));
        ASSERT_FALSE(parsed.isNull()) << text;
        EXPECT_EQ(parsed,
            QUuid(guid.data1, guid.data2, guid.data3, guid.data4[0], guid.data4[1], guid.data4[2],
                guid.data4[3], guid.data4[4], guid.data4[5], guid.data4[6], guid.data4[7]))
            << text;
    }
    EXPECT_EQ(QStringLiteral("{" GLR_CLSID_BARE_TEXT "}"), QStringLiteral(GLR_CLSID_TEXT));
}
