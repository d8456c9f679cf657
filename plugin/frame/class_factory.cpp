#include "frame/class_factory.h"

#include "frame/module_counters.h"
#include "frame/xlrender_uni.h"
#include "platform/guids.h"
#include "platform/memory.h"

namespace xlrender {

HRESULT STDMETHODCALLTYPE XlRenderClassFactory::CreateInstance(IUnknown* pUnkOuter, REFIID riid,
                                                               void** ppv) {
    if (ppv == nullptr) {
        return E_POINTER;
    }
    *ppv = nullptr;
    if (pUnkOuter != nullptr) {
        return CLASS_E_NOAGGREGATION;
    }
    XlRenderUni* object = CreateObject<XlRenderUni>();
    if (object == nullptr) {
        return E_OUTOFMEMORY;
    }
    // The query takes its own reference; releasing ours frees the object when it failed.
    const HRESULT result = object->QueryInterface(riid, ppv);
    object->Release();
    return result;
}

HRESULT STDMETHODCALLTYPE XlRenderClassFactory::LockServer(BOOL fLock) {
    ChangeServerLock(fLock != FALSE);
    return S_OK;
}

}  // namespace xlrender
