#include "frame/class_factory.h"

#include "frame/module_counters.h"
#include "frame/xlrender_uni.h"
#include "platform/guids.h"
#include "platform/memory.h"

namespace xlrender {

HRESULT STDMETHODCALLTYPE XlRenderClassFactory::QueryInterface(REFIID riid, void** ppv) {
    if (ppv == nullptr) {
        return E_POINTER;
    }
    if (SameGuid(riid, kIidUnknown) || SameGuid(riid, kIidClassFactory)) {
        *ppv = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE XlRenderClassFactory::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&referenceCount_));
}

ULONG STDMETHODCALLTYPE XlRenderClassFactory::Release() {
    const LONG remaining = InterlockedDecrement(&referenceCount_);
    if (remaining == 0) {
        DestroyObject(this);
    }
    return static_cast<ULONG>(remaining);
}

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
