#include "host/unidrv_host.h"

#include <cstring>

#include "platform/text.h"

namespace xlrender {

namespace {

// Offers `count` bytes to `writeOnce` until all are taken, giving the rest again after a short
// write. Returns how many were taken: fewer than `count` when a write took nothing, or claimed
// more than it was offered, so the caller knows exactly which bytes went out.
template <typename WriteOnce>
DWORD WriteUntilRefused(const void* bytes, DWORD count, WriteOnce writeOnce) {
    const auto* next = static_cast<const BYTE*>(bytes);
    DWORD remaining = count;
    while (remaining > 0) {
        const DWORD written = writeOnce(const_cast<BYTE*>(next), remaining);
        if (written == 0 || written > remaining) {
            break;
        }
        next += written;
        remaining -= written;
    }
    return count - remaining;
}

}  // namespace

DWORD WriteSpoolBytes(DEVOBJ* device, const void* bytes, DWORD count) {
    if (device == nullptr || device->pDrvProcs == nullptr ||
        device->pDrvProcs->DrvWriteSpoolBuf == nullptr || (bytes == nullptr && count != 0)) {
        return 0;
    }
    return WriteUntilRefused(bytes, count, [device](BYTE* next, DWORD remaining) {
        return device->pDrvProcs->DrvWriteSpoolBuf(device, next, remaining);
    });
}

BOOL WritePjlString(DEVOBJ* device, IPrintOemDriverUni* helper, const char* text) {
    if (helper == nullptr || text == nullptr) {
        return FALSE;
    }
    const DWORD length = static_cast<DWORD>(TextLength(text));
    const DWORD written = WriteUntilRefused(text, length, [device, helper](BYTE* next,
                                                                           DWORD remaining) {
        DWORD taken = 0;
        helper->DrvWriteSpoolBuf(device, next, remaining, &taken);
        return taken;
    });
    return written == length ? TRUE : FALSE;
}

BOOL QueryStandardVariable(DEVOBJ* device, IPrintOemDriverUni* helper, DWORD index,
                           void* buffer, DWORD size) {
    DWORD needed = 0;
    if (helper != nullptr) {
        return SUCCEEDED(helper->DrvGetStandardVariable(device, index, buffer, size, &needed))
                   ? TRUE
                   : FALSE;
    }
    if (device == nullptr || device->pDrvProcs == nullptr ||
        device->pDrvProcs->BGetStandardVariable == nullptr) {
        return FALSE;
    }
    return device->pDrvProcs->BGetStandardVariable(device, index, buffer, size, &needed) != 0
               ? TRUE
               : FALSE;
}

void ReadDriverSetting(DEVOBJ* device, IPrintOemDriverUni* helper, const char* feature,
                       char (&option)[kDriverSettingBytes]) {
    std::memset(option, 0, sizeof option);
    if (helper == nullptr || feature == nullptr) {
        return;
    }
    DWORD needed = 0;
    DWORD optionsReturned = 0;
    helper->DrvGetDriverSetting(device, feature, option, kDriverSettingBytes, &needed,
                                &optionsReturned);
    // Unidrv may fill the whole buffer; the keyword is used as text, so it ends here.
    option[kDriverSettingBytes - 1] = 0;
}

}  // namespace xlrender
