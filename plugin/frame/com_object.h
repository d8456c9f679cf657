// What the plug-in's two COM objects share: the interlocked reference count that frees the
// object at zero, QueryInterface answering IUnknown and the one interface the object serves,
// and a place in the module's count of live objects for as long as the object exists.
#pragma once

#include "frame/module_counters.h"
#include "platform/guids.h"
#include "platform/memory.h"
#include "platform/win32_api.h"

namespace xlrender {

template <typename Derived, typename Interface, const GUID& ServedInterface>
class ComObject : public Interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (ppv == nullptr) {
            return E_POINTER;
        }
        if (SameGuid(riid, kIidUnknown) || SameGuid(riid, ServedInterface)) {
            *ppv = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }

    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&referenceCount_));
    }

    ULONG STDMETHODCALLTYPE Release() override {
        const LONG remaining = InterlockedDecrement(&referenceCount_);
        if (remaining == 0) {
            DestroyObject(static_cast<Derived*>(this));
        }
        return static_cast<ULONG>(remaining);
    }

protected:
    ComObject() noexcept { CountObjectCreated(); }
    ~ComObject() { CountObjectDestroyed(); }

private:
    LONG volatile referenceCount_ = 1;
};

}  // namespace xlrender
