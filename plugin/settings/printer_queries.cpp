#include "settings/printer_queries.h"

#include <string_view>

#include "settings/sized_query.h"

namespace xlrender {
namespace {

// A printer handle for one query: the caller's, or one opened by name for use and closed when
// the query is done.
class PrinterForQuery {
public:
    PrinterForQuery(HANDLE given, const WCHAR* name, DEVMODEW* devmode) : handle_(given) {
        if (handle_ != nullptr || name == nullptr) {
            return;
        }
        PRINTER_DEFAULTSW defaults{nullptr, devmode, PRINTER_ACCESS_USE};
        HANDLE opened = nullptr;
        if (OpenPrinterW(const_cast<WCHAR*>(name), &opened, &defaults)) {
            handle_ = opened;
            owned_ = true;
        }
    }
    ~PrinterForQuery() {
        if (owned_) {
            ClosePrinter(handle_);
        }
    }
    PrinterForQuery(const PrinterForQuery&) = delete;
    PrinterForQuery& operator=(const PrinterForQuery&) = delete;

    HANDLE handle() const { return handle_; }

private:
    HANDLE handle_;
    bool owned_ = false;
};

std::size_t CapabilityElementBytes(WORD capability) {
    switch (capability) {
        case DC_PAPERS: return sizeof(WORD);
        case DC_PAPERNAMES:
        case DC_MEDIATYPENAMES: return kCapabilityNameUnits * sizeof(WCHAR);
        case DC_MEDIATYPES: return sizeof(DWORD);
        default: return 0;
    }
}

bool Contains(const WCHAR* text, const WCHAR* part) {
    return std::basic_string_view<WCHAR>(text).find(part) != std::basic_string_view<WCHAR>::npos;
}

}  // namespace

bool GetPrinterInfo2(HANDLE printer, const WCHAR* printerName, DEVMODEW* devmode,
                     PRINTER_INFO_2W*& info) {
    info = nullptr;
    const PrinterForQuery query(printer, printerName, devmode);
    if (query.handle() == nullptr) {
        return false;
    }
    const QueriedBlock block = QueryIntoBlock([&](BYTE* buffer, DWORD size, DWORD* needed) {
        return GetPrinterW(query.handle(), 2, buffer, size, needed);
    });
    info = reinterpret_cast<PRINTER_INFO_2W*>(block.bytes);
    return info != nullptr;
}

bool GetDriverInfo3(HANDLE printer, const WCHAR* printerName, DEVMODEW* devmode,
                    DRIVER_INFO_3W*& info, DWORD& size) {
    info = nullptr;
    size = 0;
    const PrinterForQuery query(printer, printerName, devmode);
    if (query.handle() == nullptr) {
        return false;
    }
    const QueriedBlock block = QueryIntoBlock([&](BYTE* buffer, DWORD bytes, DWORD* needed) {
        return GetPrinterDriverW(query.handle(), nullptr, 3, buffer, bytes, needed);
    });
    info = reinterpret_cast<DRIVER_INFO_3W*>(block.bytes);
    size = block.size;
    return info != nullptr;
}

bool GetJobInfo2(HANDLE printer, DWORD jobId, JOB_INFO_2W*& info) {
    const QueriedBlock block = QueryIntoBlock([&](BYTE* buffer, DWORD size, DWORD* needed) {
        return GetJobW(printer, jobId, 2, buffer, size, needed);
    });
    info = reinterpret_cast<JOB_INFO_2W*>(block.bytes);
    return info != nullptr;
}

int QueryCapabilityList(const WCHAR* deviceName, const WCHAR* portName, const DEVMODEW* devmode,
                        WORD capability, void*& list) {
    list = nullptr;
    const std::size_t elementBytes = CapabilityElementBytes(capability);
    if (elementBytes == 0) {
        return -1;
    }
    const int count = DeviceCapabilitiesW(deviceName, portName, capability, nullptr, devmode);
    if (count < 0) {
        return -1;
    }
    void* block = AllocateZeroed((static_cast<std::size_t>(count) + 1) * elementBytes);
    if (block == nullptr) {
        return -1;
    }
    const int filled =
        DeviceCapabilitiesW(deviceName, portName, capability, static_cast<WCHAR*>(block), devmode);
    if (filled < 0 || filled > count) {
        FreeBlock(block);
        return -1;
    }
    list = block;
    return filled;
}

PortKind GetPortKind(HANDLE printer) {
    PRINTER_INFO_2W* info = nullptr;
    if (printer == nullptr || !GetPrinterInfo2(printer, nullptr, nullptr, info)) {
        return kPortUnknown;
    }
    PortKind kind = kPortUnknown;
    if (info->pPortName != nullptr) {
        // The port name lives in our own block: upper-case it where it is.
        CharUpperBuffW(info->pPortName,
                       static_cast<DWORD>(std::char_traits<WCHAR>::length(info->pPortName)));
        struct PortPattern {
            const WCHAR* text;
            PortKind kind;
        };
        static constexpr PortPattern kPatterns[] = {
            {W("LPT1:"), kPortLpt1}, {W("LPT2:"), kPortLpt2}, {W("LPT3:"), kPortLpt3},
            {W("USB"), kPortUsb},    {W("DOT4"), kPortDot4},  {W("FILE:"), kPortFile}};
        for (const PortPattern& pattern : kPatterns) {
            if (Contains(info->pPortName, pattern.text)) {
                kind = pattern.kind;
                break;
            }
        }
    }
    FreeBlock(info);
    return kind;
}

}  // namespace xlrender
