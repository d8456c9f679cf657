// The module's two exports. Nothing else leaves the module: the build hides every other symbol.
#include "frame/class_factory.h"
#include "frame/module_counters.h"
#include "platform/guids.h"
#include "platform/memory.h"

#define XLR_EXPORT extern "C" __attribute__((visibility("default")))

XLR_EXPORT HRESULT STDMETHODCALLTYPE DllGetClassObject(REFCLSID rclsid, REFIID riid,
                                                       void** ppv) {
    using namespace xlrender;
    if (ppv == nullptr) {
        return E_POINTER;
    }
    *ppv = nullptr;
    if (!SameGuid(rclsid, kClsidRenderPlugin)) {
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    XlRenderClassFactory* factory = CreateObject<XlRenderClassFactory>();
    if (factory == nullptr) {
        return E_OUTOFMEMORY;
    }
    const HRESULT result = factory->QueryInterface(riid, ppv);
    factory->Release();
    return result;
}

XLR_EXPORT HRESULT STDMETHODCALLTYPE DllCanUnloadNow() {
    return xlrender::ModuleInUse() ? S_FALSE : S_OK;
}

#ifdef _WIN32
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
#endif
