// Decides, before the user interface is told the job's settings, whether the job's paper must
// be printed by manual duplex.
#include <algorithm>
#include <cstring>

#include "platform/memory.h"
#include "platform/text.h"
#include "settings/paper_checks.h"
#include "settings/printer_queries.h"
#include "settings/text_checks.h"

namespace xlrender {
namespace {

constexpr DWORD kMaxDword = 0xFFFFFFFFu;
// Paper identifiers are 16-bit (dmPaperSize), so a list of distinct papers never holds more
// than this many; the printer data's count is never trusted to size more than that.
constexpr DWORD kMaxListedPapers = 0x10000;
constexpr WCHAR kRangeSeparator = W('^');
// The port the capability queries name; the driver's papers do not depend on it.
constexpr const WCHAR* kCapabilityPort = W("LPT1:");

void SelectManualDuplex(JobSettings& settings, PrivateDevmode& devmode) {
    devmode.ManualDuplexSelected = 1;
    settings.ManualDuplexActive = 1;
}

bool ReadPrinterCount(HANDLE printer, const WCHAR* name, DWORD& count) {
    DWORD value = 0;
    DWORD type = 0;
    DWORD needed = 0;
    if (GetPrinterDataW(printer, const_cast<LPWSTR>(name), &type, reinterpret_cast<BYTE*>(&value),
                        sizeof value, &needed) != ERROR_SUCCESS) {
        return false;
    }
    count = value;
    return true;
}

// "KZFORMINFOREGDATA": `count` paper identifiers that the duplex unit cannot turn. Only the
// identifiers the value actually holds are walked, whatever the count claims, and a count
// beyond any real list reads no more than the longest list there can be.
bool PaperIsListed(HANDLE printer, DWORD count, SHORT paperSize) {
    const DWORD bytes = std::min(count, kMaxListedPapers) * static_cast<DWORD>(sizeof(DWORD));
    const OwnedBlock block(bytes);
    DWORD type = 0;
    DWORD returned = 0;
    if (!block || GetPrinterDataW(printer, const_cast<LPWSTR>(W("KZFORMINFOREGDATA")), &type,
                                  block.as(), bytes, &returned) != ERROR_SUCCESS) {
        return false;
    }
    const DWORD identifiers = (returned < bytes ? returned : bytes) / sizeof(DWORD);
    const BYTE* cursor = block.as();
    for (DWORD i = 0; i < identifiers; ++i) {
        if (static_cast<LONG>(ReadLe32(cursor)) == paperSize) {
            return true;
        }
    }
    return false;
}

// "KZCustomPaperSizeDimensions": up to `count` ranges separated by "^"; true when one of them
// excludes the paper. Each range is cut out of the block in place, so the walk over the list
// and the parsing of one range never share a position.
bool PaperIsOutsideARange(HANDLE printer, DWORD count, const DEVMODEW& publicDevmode) {
    LPWSTR name = const_cast<LPWSTR>(W("KZCustomPaperSizeDimensions"));
    DWORD type = 0;
    DWORD needed = 0;
    if (GetPrinterDataW(printer, name, &type, nullptr, 0, &needed) != ERROR_MORE_DATA ||
        needed > (kMaxDword - sizeof(WCHAR)) / 2) {
        return false;
    }
    // Room for twice the reported size, as the value may grow between the two reads, and for
    // a terminator the value may lack.
    const DWORD bytes = needed * 2;
    const OwnedBlock block(bytes + sizeof(WCHAR));
    DWORD returned = 0;
    if (!block ||
        GetPrinterDataW(printer, name, &type, block.as(), bytes, &returned) != ERROR_SUCCESS) {
        return false;
    }
    WCHAR* text = block.as<WCHAR>();
    const std::size_t units = (returned < bytes ? returned : bytes) / sizeof(WCHAR);
    text[units] = 0;

    DWORD taken = 0;
    WCHAR* range = text;
    while (taken < count && *range != 0) {
        WCHAR* end = range;
        while (*end != 0 && *end != kRangeSeparator) {
            ++end;
        }
        const bool last = *end == 0;
        *end = 0;
        if (end != range) {
            ++taken;
            if (CheckCustomSizeRange(range, publicDevmode) == kPaperOutsideRange) {
                return true;
            }
        }
        if (last) {
            break;
        }
        range = end + 1;
    }
    return false;
}

bool SameFormName(const WCHAR* formName, const WCHAR* paperName, std::size_t paperNameUnits) {
    return formName != nullptr &&
           TextLength(formName, kCapabilityNameUnits + 1) == paperNameUnits &&
           std::memcmp(formName, paperName, paperNameUnits * sizeof(WCHAR)) == 0;
}

// The spooler's form of the paper's name: a user-defined form is one the duplex unit was never
// described for. The first form of that name decides.
bool PaperIsUserForm(HANDLE printer, const WCHAR* paperName, std::size_t paperNameUnits) {
    DWORD needed = 0;
    DWORD returned = 0;
    if (EnumFormsW(printer, 1, nullptr, 0, &needed, &returned) ||
        GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0) {
        return false;
    }
    const OwnedBlock block(needed);
    if (!block || !EnumFormsW(printer, 1, block.as(), needed, &needed, &returned)) {
        return false;
    }
    const auto* forms = block.as<FORM_INFO_1W>();
    for (DWORD i = 0; i < returned; ++i) {
        if (SameFormName(forms[i].pName, paperName, paperNameUnits)) {
            return forms[i].Flags == FORM_USER;
        }
    }
    return false;
}

// The paper's name among the printer's papers, then its spooler form. A paper the printer does
// not list, or lists without a name of its own, ends the step.
bool PaperIsUserDefinedForm(HANDLE printer, const DEVMODEW& publicDevmode) {
    PRINTER_INFO_2W* info = nullptr;
    if (!GetPrinterInfo2(printer, nullptr, nullptr, info)) {
        return false;
    }
    const OwnedBlock infoBlock(info);
    void* paperList = nullptr;
    const int paperCount = QueryCapabilityList(info->pPrinterName, kCapabilityPort, &publicDevmode,
                                               DC_PAPERS, paperList);
    const OwnedBlock papers(paperList);
    void* nameList = nullptr;
    const int nameCount = QueryCapabilityList(info->pPrinterName, kCapabilityPort, &publicDevmode,
                                              DC_PAPERNAMES, nameList);
    const OwnedBlock names(nameList);
    if (paperCount <= 0 || nameCount != paperCount) {
        return false;
    }
    const WORD* paperIds = papers.as<WORD>();
    int position = 0;
    while (position < paperCount &&
           paperIds[position] != static_cast<WORD>(publicDevmode.dmPaperSize)) {
        ++position;
    }
    if (position == paperCount) {
        return false;
    }
    const WCHAR* paperName =
        names.as<WCHAR>() + static_cast<std::size_t>(position) * kCapabilityNameUnits;
    return PaperIsUserForm(printer, paperName, TextLength(paperName, kCapabilityNameUnits));
}

}  // namespace

void CheckDuplexPaper(JobSettings& settings, PrivateDevmode& devmode, const DEVMODEW* publicDevmode,
                      HANDLE printer) {
    if (devmode.DuplexPaperCheck != 1 || devmode.ManualDuplexSelected != 0 ||
        devmode.Duplex == DMDUP_SIMPLEX || devmode.ResizeToPaper != 0 || publicDevmode == nullptr) {
        return;
    }
    DWORD formCount = 0;
    if (ReadPrinterCount(printer, W("KZFormCount"), formCount) && formCount != 0 &&
        PaperIsListed(printer, formCount, publicDevmode->dmPaperSize)) {
        SelectManualDuplex(settings, devmode);
    }
    DWORD rangeCount = 0;
    if (ReadPrinterCount(printer, W("KZCustomPaperSizeCount"), rangeCount) && rangeCount != 0) {
        if (PaperIsOutsideARange(printer, rangeCount, *publicDevmode)) {
            SelectManualDuplex(settings, devmode);
        }
    } else if (PaperIsUserDefinedForm(printer, *publicDevmode)) {
        SelectManualDuplex(settings, devmode);
    }
}

}  // namespace xlrender
