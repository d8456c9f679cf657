#include "frame/media_type_attribute.h"

#include "pjl/pjl_text_conversion.h"
#include "platform/memory.h"
#include "platform/text.h"
#include "settings/printer_queries.h"
#include "xlstream/xl_codes.h"
#include "xlstream/xl_encoders.h"
#include "xlstream/xl_spool_flush.h"

namespace xlrender {
namespace {

constexpr char kPlanesInUseLine[] = "@PJL SET PLANESINUSE=1";
// The driver's capability lists do not depend on the port; any port name answers.
constexpr WCHAR kCapabilityPort[] = W("LPT1:");
// A media type the printer description lists without a name.
constexpr WCHAR kUnnamedMediaType[] = W(" ");

// A capability list from the plug-in's allocator, freed with the object.
class CapabilityList {
public:
    CapabilityList(const WCHAR* printerName, WORD capability)
        : count_(QueryCapabilityList(printerName, kCapabilityPort, nullptr, capability, list_)) {}
    ~CapabilityList() { FreeBlock(list_); }
    CapabilityList(const CapabilityList&) = delete;
    CapabilityList& operator=(const CapabilityList&) = delete;

    int count() const { return count_; }
    const void* list() const { return list_; }

private:
    void* list_ = nullptr;
    int count_;
};

void WriteMatchingMediaTypes(DEVOBJ* device, DWORD mediaType, const DWORD* ids,
                             const WCHAR* names, int count) {
    XlStream* stream = XlSpoolStreamCreate(device);
    if (stream == nullptr) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        if (ids[i] != mediaType) {
            continue;
        }
        WCHAR name[kCapabilityNameUnits + 1];
        CopyText(name, kCapabilityNameUnits + 1, names + i * kCapabilityNameUnits,
                 kCapabilityNameUnits);
        if (EqualNoCase(name, kUnnamedMediaType)) {
            continue;
        }
        const OwnedPjlText utf8 = ConvertForPjl(name, PjlCharset::kUtf8);
        if (!utf8.ok()) {
            continue;
        }
        XlPutUByteArray(stream, reinterpret_cast<const BYTE*>(utf8.bytes()),
                        static_cast<DWORD>(utf8.length()));
        XlPutAttribute(stream, kXlAttrMediaType);
    }
    XlStreamDestroy(stream);
}

}  // namespace

void WriteMediaTypeAttribute(const CommandContext& context) {
    PRINTER_INFO_2W* printer = nullptr;
    if (context.device->hPrinter == nullptr ||
        !GetPrinterInfo2(context.device->hPrinter, nullptr, nullptr, printer)) {
        return;
    }
    const CapabilityList ids(printer->pPrinterName, DC_MEDIATYPES);
    const CapabilityList names(printer->pPrinterName, DC_MEDIATYPENAMES);
    if (ids.count() > 0 && ids.count() == names.count()) {
        WriteMatchingMediaTypes(context.device, context.publicDevmode.dmMediaType,
                                static_cast<const DWORD*>(ids.list()),
                                static_cast<const WCHAR*>(names.list()), ids.count());
    }
    FreeBlock(printer);
}

void WritePlanesInUseAndMediaType(const CommandContext& context) {
    PjlLines lines;
    if (lines.AppendLine(kPlanesInUseLine)) {
        WritePjlLines(context, lines);
    }
    WriteMediaTypeAttribute(context);
}

}  // namespace xlrender
