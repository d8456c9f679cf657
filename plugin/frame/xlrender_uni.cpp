#include "frame/xlrender_uni.h"

#include <cstring>

#include "frame/command_callback.h"
#include "frame/device_state.h"
#include "frame/font_command.h"
#include "frame/hook_table.h"
#include "frame/module_counters.h"
#include "frame/private_devmode_dispatch.h"
#include "platform/guids.h"
#include "platform/memory.h"
#include "settings/devmode_identity.h"

namespace xlrender {
namespace {

constexpr DWORD kInfoAnswerBytes = sizeof(DWORD);

// The methods Unidrv may call; every other name, including those answering E_NOTIMPL, is
// reported as not implemented so that Unidrv skips it.
constexpr const char* kImplementedMethods[] = {
    "GetInfo",     "DevMode",   "EnableDriver",    "DisableDriver", "EnablePDEV",
    "DisablePDEV", "ResetPDEV", "CommandCallback", "SendFontCmd",
};

}  // namespace

XlRenderUni::~XlRenderUni() { ReleaseDriverHelper(); }

void XlRenderUni::ReleaseDriverHelper() noexcept {
    if (driverHelper_ != nullptr) {
        driverHelper_->Release();
        driverHelper_ = nullptr;
    }
}

HRESULT STDMETHODCALLTYPE XlRenderUni::GetInfo(DWORD dwMode, PVOID pBuffer, DWORD cbSize,
                                               PDWORD pcbNeeded) {
    if (pBuffer == nullptr || pcbNeeded == nullptr) {
        SetLastError(ERROR_INVALID_DATA);
        return E_FAIL;
    }
    DWORD answer = 0;
    switch (dwMode) {
        case OEMGI_GETSIGNATURE:
            answer = kPrivateDevmodeSignature;
            break;
        case OEMGI_GETINTERFACEVERSION:
            answer = PRINTER_OEMINTF_VERSION;
            break;
        case OEMGI_GETVERSION:
            answer = kPrivateDevmodeVersion;
            break;
        default:
            return E_FAIL;
    }
    *pcbNeeded = kInfoAnswerBytes;
    if (cbSize != kInfoAnswerBytes) {
        return E_FAIL;
    }
    std::memcpy(pBuffer, &answer, kInfoAnswerBytes);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE XlRenderUni::DevMode(DWORD dwMode, POEMDMPARAM pOemDMParam) {
    return DispatchPrivateDevmode(dwMode, pOemDMParam);
}

HRESULT STDMETHODCALLTYPE XlRenderUni::EnableDriver(DWORD DriverVersion, DWORD cbSize,
                                                    PDRVENABLEDATA pded) {
    // The table pointer sits at offset 8 on a 64-bit build: anything smaller than the real
    // structure would have it written past the caller's block.
    if (DriverVersion != PRINTER_OEMINTF_VERSION || cbSize < sizeof(DRVENABLEDATA) ||
        pded == nullptr) {
        return E_FAIL;
    }
    pded->iDriverVersion = PRINTER_OEMINTF_VERSION;
    pded->c = kHookCount;
    pded->pdrvfn = const_cast<DRVFN*>(HookTable());
    return S_OK;
}

HRESULT STDMETHODCALLTYPE XlRenderUni::DisableDriver() {
    ReleaseDriverHelper();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE XlRenderUni::EnablePDEV(PDEVOBJ pdevobj, PWSTR /*pPrinterName*/,
                                                  ULONG /*cPatterns*/,
                                                  HSURF* /*phsurfPatterns*/,
                                                  ULONG /*cjGdiInfo*/, GDIINFO* pGdiInfo,
                                                  ULONG /*cjDevInfo*/, DEVINFO* /*pDevInfo*/,
                                                  DRVENABLEDATA* pded, PDEVOEM* pDevOem) {
    return EnableDeviceState(pdevobj, driverHelper_, pGdiInfo, pded, pDevOem);
}

HRESULT STDMETHODCALLTYPE XlRenderUni::DisablePDEV(PDEVOBJ pdevobj) {
    DisableDeviceState(pdevobj);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE XlRenderUni::ResetPDEV(PDEVOBJ pdevobjOld, PDEVOBJ pdevobjNew) {
    CarryOverDeviceState(pdevobjOld, pdevobjNew);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE XlRenderUni::PublishDriverInterface(IUnknown* pIUnknown) {
    if (driverHelper_ != nullptr) {
        return S_OK;
    }
    if (pIUnknown == nullptr) {
        return E_INVALIDARG;
    }
    void* helper = nullptr;
    if (FAILED(pIUnknown->QueryInterface(kIidPrintOemDriverUni, &helper)) || helper == nullptr) {
        driverHelper_ = nullptr;
        return E_FAIL;
    }
    driverHelper_ = static_cast<IPrintOemDriverUni*>(helper);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE XlRenderUni::GetImplementedMethod(PSTR pMethodName) {
    if (pMethodName == nullptr) {
        return S_FALSE;
    }
    for (const char* name : kImplementedMethods) {
        if (std::strcmp(name, pMethodName) == 0) {
            return S_OK;
        }
    }
    return S_FALSE;
}

HRESULT STDMETHODCALLTYPE XlRenderUni::DriverDMS(PVOID, PVOID, DWORD, PDWORD) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE XlRenderUni::CommandCallback(PDEVOBJ pdevobj, DWORD dwCallbackID,
                                                       DWORD /*dwCount*/,
                                                       PDWORD /*pdwParams*/,
                                                       INT* /*piResult*/) {
    // The callbacks take no parameters and leave *piResult alone; a failed write is not
    // Unidrv's concern.
    RunCommandCallback(pdevobj, dwCallbackID);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE XlRenderUni::ImageProcessing(PDEVOBJ, PBYTE, PBITMAPINFOHEADER, PBYTE,
                                                       DWORD, PIPPARAMS, PBYTE*) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE XlRenderUni::FilterGraphics(PDEVOBJ, PBYTE, DWORD) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE XlRenderUni::Compression(PDEVOBJ, PBYTE, PBYTE, DWORD, DWORD, INT*) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE XlRenderUni::HalftonePattern(PDEVOBJ, PBYTE, DWORD, DWORD, DWORD,
                                                       DWORD, PBYTE, DWORD) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE XlRenderUni::MemoryUsage(PDEVOBJ, POEMMEMORYUSAGE) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE XlRenderUni::TTYGetInfo(PDEVOBJ, DWORD, PVOID, DWORD, DWORD*) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE XlRenderUni::DownloadFontHeader(PDEVOBJ, PUNIFONTOBJ, DWORD*) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE XlRenderUni::DownloadCharGlyph(PDEVOBJ, PUNIFONTOBJ, HGLYPH, PDWORD,
                                                         DWORD*) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE XlRenderUni::TTDownloadMethod(PDEVOBJ, PUNIFONTOBJ, DWORD*) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE XlRenderUni::OutputCharStr(PDEVOBJ, PUNIFONTOBJ, DWORD, DWORD,
                                                     PVOID) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE XlRenderUni::SendFontCmd(PDEVOBJ pdevobj, PUNIFONTOBJ pUFObj,
                                                   PFINVOCATION pFInv) {
    // A failed write is not Unidrv's concern: it has no way to send the command otherwise.
    WriteFontCommand(pdevobj, pUFObj, pFInv);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE XlRenderUni::TextOutAsBitmap(SURFOBJ*, STROBJ*, FONTOBJ*, CLIPOBJ*,
                                                       RECTL*, RECTL*, BRUSHOBJ*, BRUSHOBJ*,
                                                       POINTL*, MIX) {
    return E_NOTIMPL;
}

}  // namespace xlrender
