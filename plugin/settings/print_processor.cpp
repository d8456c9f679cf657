#include "settings/print_processor.h"

#include <string_view>

#include "platform/memory.h"
#include "platform/text.h"
#include "settings/printer_queries.h"
#include "settings/private_devmode.h"
#include "settings/sized_query.h"

namespace xlrender {
namespace {

constexpr std::size_t kNameUnits = 256;
constexpr const WCHAR* kDriverProcessorFile = W("ZQXPP041.DLL");
constexpr const WCHAR* kSystemProcessorFile = W("WINPRINT.DLL");

struct PrinterRoute {
    WCHAR portName[kNameUnits] = {};
    WCHAR processorFile[kNameUnits] = {};
    WCHAR processorName[kNameUnits] = {};
    WCHAR serverName[kNameUnits] = {};
    DWORD attributes = 0;
};

void CopyOptional(WCHAR (&dest)[kNameUnits], const WCHAR* source) {
    if (source != nullptr) {
        CopyText(dest, kNameUnits, source);
    }
}

bool ReadPrinterRoute(HANDLE printer, PrinterRoute& route) {
    PRINTER_INFO_2W* info = nullptr;
    if (!GetPrinterInfo2(printer, nullptr, nullptr, info)) {
        return false;
    }
    CopyOptional(route.portName, info->pPortName);
    CopyOptional(route.processorName, info->pPrintProcessor);
    CopyOptional(route.serverName, info->pServerName);
    route.attributes = info->Attributes;
    // A processor name too long to take ".dll" is no processor we know: the file name stays
    // empty and the kind becomes "other".
    if (info->pPrintProcessor != nullptr &&
        (CopyText(route.processorFile, kNameUnits, info->pPrintProcessor) != S_OK ||
         AppendText(route.processorFile, kNameUnits, W(".dll")) != S_OK)) {
        route.processorFile[0] = 0;
    }
    FreeBlock(info);
    return true;
}

DWORD ProcessorKind(const WCHAR* processorFile) {
    if (EqualNoCase(processorFile, kDriverProcessorFile)) {
        return kPrintProcessorDriver;
    }
    if (EqualNoCase(processorFile, kSystemProcessorFile)) {
        return kPrintProcessorSystem;
    }
    return kPrintProcessorOther;
}

// How many data types the server's print processor supports: ask for the size, then for the
// list (a size-only answer never counts any).
DWORD CountDatatypes(PrinterRoute& route) {
    DWORD count = 0;
    const QueriedBlock block = QueryIntoBlock([&](BYTE* buffer, DWORD size, DWORD* needed) {
        return EnumPrintProcessorDatatypesW(route.serverName, route.processorName, 1, buffer, size,
                                            needed, &count);
    });
    FreeBlock(block.bytes);
    return block.bytes == nullptr ? 0 : count;
}

}  // namespace

bool DetectPrintProcessor(DEVOBJ* device) {
    PrivateDevmode* devmode = PrivateDevmodeOf(device);
    if (devmode == nullptr) {
        return false;
    }
    PrinterRoute route;
    const bool read = ReadPrinterRoute(device->hPrinter, route);
    devmode->PrintProcessorKind = ProcessorKind(route.processorFile);
    const DWORD datatypes = route.serverName[0] != 0 ? CountDatatypes(route) : 0;
    CharUpperBuffW(route.portName, static_cast<DWORD>(TextLength(route.portName, kNameUnits)));
    const bool rawOnly =
        std::basic_string_view<WCHAR>(route.portName).find(W("FILE:")) !=
            std::basic_string_view<WCHAR>::npos ||
        (route.attributes & (PRINTER_ATTRIBUTE_DIRECT | PRINTER_ATTRIBUTE_RAW_ONLY)) != 0 ||
        devmode->PrintProcessorKind == kPrintProcessorOther || datatypes == 1;
    if (rawOnly) {
        devmode->SpoolPath = kSpoolPathRawOnly;
    } else {
        devmode->SpoolPath = devmode->PrintProcessorKind == kPrintProcessorDriver
                                 ? kSpoolPathDriverEmf
                                 : kSpoolPathSystemEmf;
    }
    return read;
}

}  // namespace xlrender
