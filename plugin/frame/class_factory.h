// The class factory DllGetClassObject hands out: it makes XlRenderUni objects.
#pragma once

#include "frame/com_object.h"
#include "platform/guids.h"
#include "platform/win32_api.h"

namespace xlrender {

class XlRenderClassFactory final
    : public ComObject<XlRenderClassFactory, IClassFactory, kIidClassFactory> {
public:
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pUnkOuter, REFIID riid,
                                             void** ppv) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL fLock) override;
};

}  // namespace xlrender
