#include "unidrv/device.h"

#include <algorithm>
#include <cstring>

#include "platform/guids.h"

namespace sim::unidrv {
namespace {

bool SameIid(REFIID left, REFIID right) { return std::memcmp(&left, &right, sizeof(GUID)) == 0; }

DWORD APIENTRY ProcsWriteSpoolBuf(PDEVOBJ pdevobj, PVOID pBuffer, DWORD cbSize) {
    Device* device = Device::Of(pdevobj);
    return device == nullptr ? 0 : device->spool().Write(SpoolRoute::kDrvProcs, pBuffer, cbSize);
}

BOOL APIENTRY ProcsGetStandardVariable(PDEVOBJ pdevobj, DWORD dwIndex, PVOID pBuffer,
                                       DWORD cbSize, PDWORD pcbNeeded) {
    Device* device = Device::Of(pdevobj);
    return device == nullptr ? FALSE
                             : device->GetStandardVariable(dwIndex, pBuffer, cbSize, pcbNeeded);
}

BOOL APIENTRY ProcsGetDriverSetting(PVOID pdriverobj, PCSTR Feature, PVOID pOutput,
                                    DWORD cbSize, PDWORD pcbNeeded, PDWORD pdwOptionsReturned) {
    Device* device = Device::Of(static_cast<PDEVOBJ>(pdriverobj));
    return device == nullptr ? FALSE
                             : device->GetDriverSetting(Feature, pOutput, cbSize, pcbNeeded,
                                                        pdwOptionsReturned);
}

}  // namespace

Device::Device(std::size_t privateDevmodeBytes)
    : privateDevmode_((privateDevmodeBytes + sizeof(DWORD) - 1) / sizeof(DWORD)) {
    procs_.DrvWriteSpoolBuf = &ProcsWriteSpoolBuf;
    procs_.DrvGetDriverSetting = &ProcsGetDriverSetting;
    procs_.BGetStandardVariable = &ProcsGetStandardVariable;
    devobj_.dwSize = sizeof(DEVOBJ);
    devobj_.hEngine = this;
    devobj_.hPrinter = nullptr;
    devobj_.pPublicDM = &publicDevmode_;
    devobj_.pOEMDM = privateDevmodeBytes == 0 ? nullptr : privateDevmode_.data();
    devobj_.pDrvProcs = &procs_;
    surface_.dhpdev = reinterpret_cast<DHPDEV>(&devobj_);
    surface_.iType = STYPE_DEVICE;
    surface_.iBitmapFormat = BMF_24BPP;
    publicDevmode_.dmSize = sizeof(DEVMODEW);
    publicDevmode_.dmOrientation = DMORIENT_PORTRAIT;
    publicDevmode_.dmCopies = 1;
    publicDevmode_.dmDuplex = DMDUP_SIMPLEX;
}

Device* Device::Of(PDEVOBJ devobj) {
    if (devobj == nullptr || devobj->hEngine == nullptr) {
        return nullptr;
    }
    auto* device = static_cast<Device*>(devobj->hEngine);
    return device->devobj() == devobj ? device : nullptr;
}

void Device::SelectOption(const std::string& feature, const std::string& option) {
    options_[feature] = option;
}

void Device::SetStandardVariable(DWORD index, LONG value) {
    standardVariables_[index] = value;
}

BOOL Device::GetDriverSetting(PCSTR feature, PVOID output, DWORD size, PDWORD needed,
                              PDWORD optionsReturned) {
    const auto found = feature == nullptr ? options_.end() : options_.find(feature);
    if (found == options_.end()) {
        return FALSE;
    }
    const std::string& option = found->second;
    const DWORD neededBytes = static_cast<DWORD>(option.size() + 1);
    if (needed != nullptr) {
        *needed = neededBytes;
    }
    if (optionsReturned != nullptr) {
        *optionsReturned = 1;
    }
    if (output == nullptr) {
        return FALSE;
    }
    if (fillSettingsUnterminated_) {
        std::memset(output, 'X', size);
        std::memcpy(output, option.data(), std::min<std::size_t>(option.size(), size));
        return FALSE;
    }
    if (size < neededBytes) {
        return FALSE;
    }
    std::memcpy(output, option.c_str(), neededBytes);
    return TRUE;
}

BOOL Device::GetStandardVariable(DWORD index, PVOID buffer, DWORD size, PDWORD needed) {
    const auto found = standardVariables_.find(index);
    if (found == standardVariables_.end()) {
        return FALSE;
    }
    if (needed != nullptr) {
        *needed = sizeof(LONG);
    }
    if (buffer == nullptr || size < sizeof(LONG)) {
        return FALSE;
    }
    std::memcpy(buffer, &found->second, sizeof(LONG));
    return TRUE;
}

HRESULT STDMETHODCALLTYPE DriverHelper::QueryInterface(REFIID riid, void** ppv) {
    if (ppv == nullptr) {
        return E_POINTER;
    }
    *ppv = nullptr;
    if (SameIid(riid, xlrender::kIidPrintOemDriverUni)) {
        ++helperQueries_;
        if (refuseQueries_) {
            return E_NOINTERFACE;
        }
    } else if (!SameIid(riid, xlrender::kIidUnknown)) {
        return E_NOINTERFACE;
    }
    *ppv = static_cast<IPrintOemDriverUni*>(this);
    AddRef();
    return S_OK;
}

// The helper belongs to the simulated Unidrv, which outlives the plug-in object: the count is
// kept so tests can check the plug-in balanced its references.
ULONG STDMETHODCALLTYPE DriverHelper::AddRef() { return static_cast<ULONG>(++references_); }

ULONG STDMETHODCALLTYPE DriverHelper::Release() { return static_cast<ULONG>(--references_); }

HRESULT STDMETHODCALLTYPE DriverHelper::DrvGetDriverSetting(PVOID pdriverobj, PCSTR Feature,
                                                            PVOID pOutput, DWORD cbSize,
                                                            PDWORD pcbNeeded,
                                                            PDWORD pdwOptionsReturned) {
    Device* device = Device::Of(static_cast<PDEVOBJ>(pdriverobj));
    if (device == nullptr) {
        return E_INVALIDARG;
    }
    return device->GetDriverSetting(Feature, pOutput, cbSize, pcbNeeded, pdwOptionsReturned)
               ? S_OK
               : E_FAIL;
}

HRESULT STDMETHODCALLTYPE DriverHelper::DrvWriteSpoolBuf(PDEVOBJ pdevobj, PVOID pBuffer,
                                                         DWORD cbSize, DWORD* pdwResult) {
    Device* device = Device::Of(pdevobj);
    const DWORD written =
        device == nullptr ? 0 : device->spool().Write(SpoolRoute::kHelperInterface, pBuffer, cbSize);
    if (pdwResult != nullptr) {
        *pdwResult = written;
    }
    return written == cbSize ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE DriverHelper::DrvXMoveTo(PDEVOBJ, INT, DWORD, INT*) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE DriverHelper::DrvYMoveTo(PDEVOBJ, INT, DWORD, INT*) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE DriverHelper::DrvGetStandardVariable(PDEVOBJ pdevobj, DWORD dwIndex,
                                                               PVOID pBuffer, DWORD cbSize,
                                                               PDWORD pcbNeeded) {
    Device* device = Device::Of(pdevobj);
    return device != nullptr && device->GetStandardVariable(dwIndex, pBuffer, cbSize, pcbNeeded)
               ? S_OK
               : E_FAIL;
}

HRESULT STDMETHODCALLTYPE DriverHelper::DrvGetGPDData(PDEVOBJ, DWORD, PVOID, PVOID, DWORD,
                                                      PDWORD) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE DriverHelper::DrvUniTextOut(SURFOBJ*, STROBJ*, FONTOBJ*, CLIPOBJ*,
                                                      RECTL*, RECTL*, BRUSHOBJ*, BRUSHOBJ*,
                                                      POINTL*, MIX) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE DriverHelper::DrvWriteAbortBuf(PDEVOBJ, PVOID, DWORD, DWORD) {
    return E_NOTIMPL;
}

}  // namespace sim::unidrv
