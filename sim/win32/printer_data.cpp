// Printer data over the printers' value maps: typed values with the size protocol of the
// spooler (ERROR_MORE_DATA and the needed size when the buffer is too small).
#include <algorithm>
#include <cstring>

#include "win32/spooler_lookup.h"
#include "world.h"

namespace {

template <typename Map>
auto FindIgnoringCase(Map& map, const char16_t* name) {
    return std::find_if(map.begin(), map.end(),
                        [&](const auto& entry) { return sim::SameSpoolerName(entry.first, name); });
}

DWORD DeliverPrinterData(HANDLE printerHandle, const char16_t* keyName, const char16_t* valueName,
                         LPDWORD type, LPBYTE data, DWORD size, LPDWORD needed) {
    if (keyName == nullptr || valueName == nullptr || needed == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    sim::PrinterDescription* printer = sim::PrinterOfHandle(printerHandle);
    if (printer == nullptr) {
        return ERROR_INVALID_HANDLE;
    }
    const auto key = FindIgnoringCase(printer->printerData, keyName);
    if (key == printer->printerData.end()) {
        return ERROR_FILE_NOT_FOUND;
    }
    const auto value = FindIgnoringCase(key->second, valueName);
    if (value == key->second.end()) {
        return ERROR_FILE_NOT_FOUND;
    }
    const std::vector<BYTE>& bytes = value->second.bytes;
    *needed = static_cast<DWORD>(bytes.size());
    if (type != nullptr) {
        *type = value->second.type;
    }
    if (data == nullptr || size < bytes.size()) {
        return ERROR_MORE_DATA;
    }
    std::copy(bytes.begin(), bytes.end(), data);
    return ERROR_SUCCESS;
}

}  // namespace

extern "C" {

DWORD WINAPI GetPrinterDataW(HANDLE hPrinter, LPWSTR pValueName, LPDWORD pType, LPBYTE pData,
                             DWORD nSize, LPDWORD pcbNeeded) {
    return DeliverPrinterData(hPrinter, sim::kPrinterDriverDataKey, pValueName, pType, pData, nSize,
                              pcbNeeded);
}

DWORD WINAPI GetPrinterDataExW(HANDLE hPrinter, LPCWSTR pKeyName, LPCWSTR pValueName, LPDWORD pType,
                               LPBYTE pData, DWORD nSize, LPDWORD pcbNeeded) {
    return DeliverPrinterData(hPrinter, pKeyName, pValueName, pType, pData, nSize, pcbNeeded);
}

}  // extern "C"
