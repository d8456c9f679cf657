// One simulated Unidrv device context: the DEVOBJ with its procedure table, the device surface,
// the public and private devmodes, the selected GPD options, Unidrv's standard variables and
// the spool stream. The helper interface serves every device and finds each by its DEVOBJ.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32_api.h"
#include "unidrv/spool_capture.h"

namespace sim::unidrv {

class Device {
public:
    // `privateDevmodeBytes` is the size the plug-in asked for; 0 gives a device without one.
    explicit Device(std::size_t privateDevmodeBytes);
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    DEVOBJ* devobj() { return &devobj_; }
    // The device surface the DDI hooks receive; its dhpdev is the DEVOBJ.
    SURFOBJ* surface() { return &surface_; }
    DEVMODEW& publicDevmode() { return publicDevmode_; }
    BYTE* privateDevmode() { return reinterpret_cast<BYTE*>(privateDevmode_.data()); }
    SpoolCapture& spool() { return spool_; }

    // GPD feature → selected option keyword, as DrvGetDriverSetting reports them.
    void SelectOption(const std::string& feature, const std::string& option);
    // Makes DrvGetDriverSetting fill the caller's whole buffer without a terminator, as a
    // careless host could.
    void FillSettingsUnterminated() { fillSettingsUnterminated_ = true; }
    // Unidrv's standard variables (SVI_*); a variable not set makes the query fail.
    void SetStandardVariable(DWORD index, LONG value);

    // What the helper interface and DRVPROCS do for this device.
    BOOL GetDriverSetting(PCSTR feature, PVOID output, DWORD size, PDWORD needed,
                          PDWORD optionsReturned);
    BOOL GetStandardVariable(DWORD index, PVOID buffer, DWORD size, PDWORD needed);

    // The device a DEVOBJ belongs to, or null for a DEVOBJ no Device made.
    static Device* Of(PDEVOBJ devobj);

    // What the simulated Unidrv running this device keeps for it (the job runner's session).
    void SetHostContext(void* context) { hostContext_ = context; }
    void* hostContext() const { return hostContext_; }

private:
    DEVOBJ devobj_{};
    DRVPROCS procs_{};
    SURFOBJ surface_{};
    DEVMODEW publicDevmode_{};
    // DWORD elements keep the private devmode at least 4-byte aligned, as Unidrv's is.
    std::vector<DWORD> privateDevmode_;
    SpoolCapture spool_;
    std::map<std::string, std::string> options_;
    std::map<DWORD, LONG> standardVariables_;
    bool fillSettingsUnterminated_ = false;
    void* hostContext_ = nullptr;
};

// Unidrv's helper interface. Tests hand it to PublishDriverInterface as the IUnknown.
class DriverHelper final : public IPrintOemDriverUni {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE DrvGetDriverSetting(PVOID pdriverobj, PCSTR Feature, PVOID pOutput,
                                                  DWORD cbSize, PDWORD pcbNeeded,
                                                  PDWORD pdwOptionsReturned) override;
    HRESULT STDMETHODCALLTYPE DrvWriteSpoolBuf(PDEVOBJ pdevobj, PVOID pBuffer, DWORD cbSize,
                                               DWORD* pdwResult) override;
    HRESULT STDMETHODCALLTYPE DrvXMoveTo(PDEVOBJ pdevobj, INT x, DWORD dwFlags,
                                         INT* piResult) override;
    HRESULT STDMETHODCALLTYPE DrvYMoveTo(PDEVOBJ pdevobj, INT y, DWORD dwFlags,
                                         INT* piResult) override;
    HRESULT STDMETHODCALLTYPE DrvGetStandardVariable(PDEVOBJ pdevobj, DWORD dwIndex,
                                                     PVOID pBuffer, DWORD cbSize,
                                                     PDWORD pcbNeeded) override;
    HRESULT STDMETHODCALLTYPE DrvGetGPDData(PDEVOBJ pdevobj, DWORD dwType, PVOID pInputData,
                                            PVOID pBuffer, DWORD cbSize,
                                            PDWORD pcbNeeded) override;
    HRESULT STDMETHODCALLTYPE DrvUniTextOut(SURFOBJ* pso, STROBJ* pstro, FONTOBJ* pfo,
                                            CLIPOBJ* pco, RECTL* prclExtra, RECTL* prclOpaque,
                                            BRUSHOBJ* pboFore, BRUSHOBJ* pboOpaque,
                                            POINTL* pptlBrushOrg, MIX mix) override;
    HRESULT STDMETHODCALLTYPE DrvWriteAbortBuf(PDEVOBJ pdevobj, PVOID pBuffer, DWORD cbSize,
                                               DWORD dwWait) override;

    // How many times QueryInterface was asked for the helper interface itself.
    int helperQueries() const { return helperQueries_; }
    LONG references() const { return references_; }
    // Makes QueryInterface refuse the helper interface.
    void RefuseQueries() { refuseQueries_ = true; }

private:
    LONG references_ = 1;
    int helperQueries_ = 0;
    bool refuseQueries_ = false;
};

}  // namespace sim::unidrv
