// The module's COM surface: class factory, object, GetInfo, EnableDriver and the helper.
#include <gtest/gtest.h>

#include <cstring>

#include "frame/module_counters.h"
#include "support/plugin_fixture.h"
#include "world.h"

namespace xlrender {
namespace {

using testing::CreatePluginObject;
using testing::PluginTest;

constexpr GUID kSomeOtherGuid = {
    0x12345678, 0x1234, 0x1234, {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0}};

TEST(ClassObject, RefusesOtherClassesAndInterfaces) {
    void* object = reinterpret_cast<void*>(0x1);
    const std::size_t blocksBefore = sim::LiveHeapBlocks();
    EXPECT_EQ(DllGetClassObject(kSomeOtherGuid, kIidClassFactory, &object),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    object = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(DllGetClassObject(kClsidRenderPlugin, kIidPrintOemUni, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    // The factory made for the refused query is gone again.
    EXPECT_EQ(sim::LiveHeapBlocks(), blocksBefore);
    EXPECT_EQ(DllGetClassObject(kClsidRenderPlugin, kIidClassFactory, nullptr), E_POINTER);
}

TEST(ClassObject, AllocationFailureIsOutOfMemory) {
    sim::TheWorld().heap.failAfter = 1;
    void* object = nullptr;
    EXPECT_EQ(DllGetClassObject(kClsidRenderPlugin, kIidClassFactory, &object), E_OUTOFMEMORY);
    EXPECT_EQ(object, nullptr);
}

TEST(ClassFactory, CreatesObjectsAndRefusesAggregation) {
    void* factoryPointer = nullptr;
    ASSERT_EQ(DllGetClassObject(kClsidRenderPlugin, kIidUnknown, &factoryPointer), S_OK);
    auto* factory = static_cast<IClassFactory*>(factoryPointer);

    void* object = reinterpret_cast<void*>(0x1);
    sim::unidrv::DriverHelper outer;
    EXPECT_EQ(factory->CreateInstance(&outer, kIidPrintOemUni, &object), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(factory->CreateInstance(nullptr, kIidPrintOemUni, nullptr), E_POINTER);

    const std::size_t blocksBefore = sim::LiveHeapBlocks();
    EXPECT_EQ(factory->CreateInstance(nullptr, kIidClassFactory, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(sim::LiveHeapBlocks(), blocksBefore) << "a refused object must be freed";

    sim::TheWorld().heap.failAfter = 1;
    EXPECT_EQ(factory->CreateInstance(nullptr, kIidPrintOemUni, &object), E_OUTOFMEMORY);

    EXPECT_EQ(factory->QueryInterface(kIidPrintOemUni, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(factory->QueryInterface(kIidClassFactory, nullptr), E_POINTER);
    EXPECT_EQ(factory->Release(), 0u);
}

TEST(ModuleUnload, RefusedWhileAnObjectOrAFactoryLivesOrALockIsHeld) {
    ASSERT_FALSE(ModuleInUse());
    EXPECT_EQ(DllCanUnloadNow(), S_OK);

    IPrintOemUni* plugin = CreatePluginObject();
    EXPECT_EQ(DllCanUnloadNow(), S_FALSE);
    plugin->AddRef();
    plugin->Release();
    EXPECT_EQ(DllCanUnloadNow(), S_FALSE);
    plugin->Release();
    EXPECT_EQ(DllCanUnloadNow(), S_OK);

    void* factoryPointer = nullptr;
    ASSERT_EQ(DllGetClassObject(kClsidRenderPlugin, kIidClassFactory, &factoryPointer), S_OK);
    auto* factory = static_cast<IClassFactory*>(factoryPointer);
    EXPECT_EQ(DllCanUnloadNow(), S_FALSE) << "a caller holding a factory will use the module";
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    EXPECT_EQ(factory->Release(), 0u);
    EXPECT_EQ(DllCanUnloadNow(), S_FALSE);
    ASSERT_EQ(DllGetClassObject(kClsidRenderPlugin, kIidClassFactory, &factoryPointer), S_OK);
    factory = static_cast<IClassFactory*>(factoryPointer);
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    factory->Release();
    EXPECT_EQ(DllCanUnloadNow(), S_OK);
}

TEST(PluginObject, AnswersOnlyItsOwnInterfaces) {
    IPrintOemUni* plugin = CreatePluginObject();
    void* other = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(plugin->QueryInterface(kIidClassFactory, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(plugin->QueryInterface(kIidUnknown, nullptr), E_POINTER);
    ASSERT_EQ(plugin->QueryInterface(kIidUnknown, &other), S_OK);
    EXPECT_EQ(other, static_cast<void*>(plugin));
    EXPECT_EQ(plugin->Release(), 1u);
    EXPECT_EQ(plugin->Release(), 0u);
}

TEST(GetInfo, AnswersSignatureAndVersionsInExactlyFourBytes) {
    IPrintOemUni* plugin = CreatePluginObject();
    DWORD answer = 0;
    DWORD needed = 0;
    ASSERT_EQ(plugin->GetInfo(OEMGI_GETSIGNATURE, &answer, 4, &needed), S_OK);
    EXPECT_EQ(answer, 0x4B5A5549u);  // "KZUI", first character most significant
    EXPECT_EQ(needed, 4u);
    ASSERT_EQ(plugin->GetInfo(OEMGI_GETINTERFACEVERSION, &answer, 4, &needed), S_OK);
    EXPECT_EQ(answer, 0x00010000u);
    ASSERT_EQ(plugin->GetInfo(OEMGI_GETVERSION, &answer, 4, &needed), S_OK);
    EXPECT_EQ(answer, 0x00110009u);

    DWORD large[2] = {7, 7};
    needed = 0;
    EXPECT_EQ(plugin->GetInfo(OEMGI_GETSIGNATURE, large, 8, &needed), E_FAIL);
    EXPECT_EQ(needed, 4u);
    EXPECT_EQ(large[0], 7u);

    SetLastError(ERROR_SUCCESS);
    needed = 9;
    EXPECT_EQ(plugin->GetInfo(OEMGI_GETPUBLISHERINFO, &answer, 4, &needed), E_FAIL);
    EXPECT_EQ(needed, 9u);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);

    EXPECT_EQ(plugin->GetInfo(OEMGI_GETSIGNATURE, nullptr, 4, &needed), E_FAIL);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(plugin->GetInfo(OEMGI_GETSIGNATURE, &answer, 4, nullptr), E_FAIL);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
    plugin->Release();
}

TEST(GetImplementedMethod, NamesTheNineMethodsExactly) {
    IPrintOemUni* plugin = CreatePluginObject();
    for (const char* name : {"GetInfo", "DevMode", "EnableDriver", "DisableDriver", "EnablePDEV",
                             "DisablePDEV", "ResetPDEV", "CommandCallback", "SendFontCmd"}) {
        EXPECT_EQ(plugin->GetImplementedMethod(const_cast<char*>(name)), S_OK) << name;
    }
    for (const char* name : {"TextOutAsBitmap", "getinfo", "PublishDriverInterface", "DriverDMS",
                             "OutputCharStr", "GetInfoX", "Get", ""}) {
        EXPECT_EQ(plugin->GetImplementedMethod(const_cast<char*>(name)), S_FALSE) << name;
    }
    EXPECT_EQ(plugin->GetImplementedMethod(nullptr), S_FALSE);
    plugin->Release();
}

TEST(EnableDriver, HandsOverTheThirteenHooksInTheirFixedOrder) {
    IPrintOemUni* plugin = CreatePluginObject();
    DRVENABLEDATA data{};
    ASSERT_EQ(plugin->EnableDriver(PRINTER_OEMINTF_VERSION, sizeof data, &data), S_OK);
    EXPECT_EQ(data.iDriverVersion, 0x00010000u);
    ASSERT_EQ(data.c, 13u);
    const ULONG expected[] = {19, 18, 20, 69, 23, 33, 32, 24, 35, 34, 58, 57, 70};
    for (ULONG i = 0; i < data.c; ++i) {
        EXPECT_EQ(data.pdrvfn[i].iFunc, expected[i]) << "position " << i;
        EXPECT_NE(data.pdrvfn[i].pfn, nullptr);
    }
    plugin->Release();
}

TEST(EnableDriver, RefusalsLeaveTheCallersBlockUntouched) {
    IPrintOemUni* plugin = CreatePluginObject();
    // A 32-bit sized block (12 bytes) would have the table pointer written past its end here.
    struct {
        DRVENABLEDATA data;
        BYTE guard[8];
    } block;
    std::memset(&block, 0xAB, sizeof block);
    const auto untouched = block;
    EXPECT_EQ(plugin->EnableDriver(0x00020000, sizeof block.data, &block.data), E_FAIL);
    EXPECT_EQ(plugin->EnableDriver(PRINTER_OEMINTF_VERSION, 8, &block.data), E_FAIL);
    EXPECT_EQ(plugin->EnableDriver(PRINTER_OEMINTF_VERSION, 12, &block.data), E_FAIL);
    EXPECT_EQ(plugin->EnableDriver(PRINTER_OEMINTF_VERSION, sizeof block.data, nullptr), E_FAIL);
    EXPECT_EQ(std::memcmp(&block, &untouched, sizeof block), 0);
    plugin->Release();
}

TEST(PublishDriverInterface, KeepsTheFirstHelperAndReleasesItOnce) {
    IPrintOemUni* plugin = CreatePluginObject();
    sim::unidrv::DriverHelper first;
    sim::unidrv::DriverHelper second;
    EXPECT_EQ(plugin->PublishDriverInterface(nullptr), E_INVALIDARG);
    ASSERT_EQ(plugin->PublishDriverInterface(&first), S_OK);
    EXPECT_EQ(first.references(), 2);
    EXPECT_EQ(plugin->PublishDriverInterface(&second), S_OK);
    EXPECT_EQ(second.helperQueries(), 0) << "the second helper must not even be queried";
    EXPECT_EQ(plugin->DisableDriver(), S_OK);
    EXPECT_EQ(first.references(), 1);
    EXPECT_EQ(plugin->DisableDriver(), S_OK);
    plugin->Release();
    EXPECT_EQ(first.references(), 1);
}

TEST(PublishDriverInterface, FinalReleaseReleasesTheHelper) {
    IPrintOemUni* plugin = CreatePluginObject();
    sim::unidrv::DriverHelper helper;
    ASSERT_EQ(plugin->PublishDriverInterface(&helper), S_OK);
    plugin->Release();
    EXPECT_EQ(helper.references(), 1);
}

TEST(PublishDriverInterface, ARefusedQueryFailsAndKeepsNoHelper) {
    IPrintOemUni* plugin = CreatePluginObject();
    sim::unidrv::DriverHelper refusing;
    refusing.RefuseQueries();
    EXPECT_EQ(plugin->PublishDriverInterface(&refusing), E_FAIL);
    sim::unidrv::DriverHelper helper;
    EXPECT_EQ(plugin->PublishDriverInterface(&helper), S_OK) << "a later publish is accepted";
    EXPECT_EQ(helper.helperQueries(), 1);
    plugin->Release();
}

class UnusedMethods : public PluginTest {};

TEST_F(UnusedMethods, AnswerNotImplementedAndCallbacksAnswerOk) {
    EXPECT_EQ(plugin->DriverDMS(nullptr, nullptr, 0, nullptr), E_NOTIMPL);
    EXPECT_EQ(plugin->ImageProcessing(nullptr, nullptr, nullptr, nullptr, 0, nullptr, nullptr),
              E_NOTIMPL);
    EXPECT_EQ(plugin->FilterGraphics(nullptr, nullptr, 0), E_NOTIMPL);
    EXPECT_EQ(plugin->Compression(nullptr, nullptr, nullptr, 0, 0, nullptr), E_NOTIMPL);
    EXPECT_EQ(plugin->HalftonePattern(nullptr, nullptr, 0, 0, 0, 0, nullptr, 0), E_NOTIMPL);
    EXPECT_EQ(plugin->MemoryUsage(nullptr, nullptr), E_NOTIMPL);
    EXPECT_EQ(plugin->TTYGetInfo(nullptr, 0, nullptr, 0, nullptr), E_NOTIMPL);
    EXPECT_EQ(plugin->DownloadFontHeader(nullptr, nullptr, nullptr), E_NOTIMPL);
    EXPECT_EQ(plugin->DownloadCharGlyph(nullptr, nullptr, 0, nullptr, nullptr), E_NOTIMPL);
    EXPECT_EQ(plugin->TTDownloadMethod(nullptr, nullptr, nullptr), E_NOTIMPL);
    EXPECT_EQ(plugin->OutputCharStr(nullptr, nullptr, 0, 0, nullptr), E_NOTIMPL);
    EXPECT_EQ(plugin->TextOutAsBitmap(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                      nullptr, nullptr, nullptr, 0),
              E_NOTIMPL);
    INT result = 77;
    EXPECT_EQ(plugin->CommandCallback(nullptr, 1, 0, nullptr, &result), S_OK);
    EXPECT_EQ(result, 77) << "the callback result is never written";
}

}  // namespace
}  // namespace xlrender
