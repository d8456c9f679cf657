// The class factory DllGetClassObject hands out: it makes XlRenderUni objects.
#pragma once

#include "platform/win32_api.h"

namespace xlrender {

class XlRenderClassFactory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pUnkOuter, REFIID riid,
                                             void** ppv) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL fLock) override;

private:
    LONG volatile referenceCount_ = 1;
};

}  // namespace xlrender
