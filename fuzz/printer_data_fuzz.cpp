// The lists and strings the plug-in reads from the spooler and the registry, as any bytes a
// driver installer, a user interface or a broken spooler could leave there: the listed papers
// and their count, the custom-size ranges and their count, the printer's papers and the form
// database, the driver's dependent files, the job-storage key name, and registry strings with
// or without their terminating zero. Each reader must stay inside what it was handed.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "pjl/job_storage_flag.h"
#include "platform/memory.h"
#include "settings/language_file.h"
#include "settings/paper_checks.h"
#include "settings/system_queries.h"
#include "world.h"

namespace {

using xlrender::fuzz::FuzzInput;

constexpr char16_t kPrinterName[] = u"Office";
constexpr char16_t kWinlogonKey[] = u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

// A value of the type the input picks (mostly the one the reader expects) and any bytes.
sim::PrinterDataValue Value(FuzzInput& input, DWORD usualType) {
    const std::uint8_t type = input.Byte();
    return {type < 0xC0 ? usualType : type & 0x0F, input.Piece()};
}

void DescribePrinter(FuzzInput& input, sim::World& world) {
    sim::PrinterDescription printer;
    printer.name = kPrinterName;
    for (std::uint8_t i = input.Byte() % 8; i > 0; --i) {
        printer.papers.push_back(input.Word());
        printer.paperNames.push_back(input.Text());
    }
    for (std::uint8_t i = input.Byte() % 8; i > 0; --i) {
        printer.dependentFiles.push_back(input.Text());
    }
    printer.dependentFilesUnterminated = input.Flag();
    printer.capabilityGrowthOnFill = input.Byte() % 3;
    auto& data = printer.printerData[sim::kPrinterDriverDataKey];
    data[u"KZFormCount"] = Value(input, REG_DWORD);
    data[u"KZFORMINFOREGDATA"] = Value(input, REG_BINARY);
    data[u"KZCustomPaperSizeCount"] = Value(input, REG_DWORD);
    data[u"KZCustomPaperSizeDimensions"] = Value(input, REG_SZ);
    printer.printerData[u"KZPresetRoot"][u"KZRestrictedUserGuid"] = Value(input, REG_SZ);
    world.spooler.printers.push_back(printer);

    for (std::uint8_t i = input.Byte() % 4; i > 0; --i) {
        sim::FormDescription form;
        form.name = input.Text();
        form.flags = input.Byte() % 3;
        world.spooler.forms.push_back(form);
    }
}

void DescribeRegistry(FuzzInput& input, sim::World& world) {
    for (const char16_t* name : {u"DefaultDomainName", u"CachePrimaryDomain"}) {
        const sim::PrinterDataValue value = Value(input, REG_SZ);
        world.registry.SetValue(HKEY_LOCAL_MACHINE, kWinlogonKey, name, value.type, value.bytes);
    }
    world.locale.uiLanguage = input.Word();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    sim::World& world = sim::ResetWorld();
    DescribePrinter(input, world);
    DescribeRegistry(input, world);
    HANDLE printer = nullptr;
    if (!OpenPrinterW(const_cast<WCHAR*>(kPrinterName), &printer, nullptr)) {
        return 0;
    }

    xlrender::PrivateDevmode devmode{};
    devmode.DuplexPaperCheck = 1;
    devmode.Duplex = DMDUP_VERTICAL;
    xlrender::JobSettings settings{};
    DEVMODEW paper{};
    paper.dmPaperSize = static_cast<SHORT>(input.Word());
    paper.dmPaperWidth = static_cast<SHORT>(input.Word());
    paper.dmPaperLength = static_cast<SHORT>(input.Word());
    xlrender::CheckDuplexPaper(settings, devmode, &paper, printer);

    WCHAR* languageFile = nullptr;
    if (xlrender::FindLanguageFile(printer, languageFile)) {
        xlrender::FreeBlock(languageFile);
    }
    xlrender::ReadShowJobStorageFlag(printer);
    WCHAR domain[xlrender::kLogonDomainUnits];
    xlrender::GetLogonDomain(domain);
    ClosePrinter(printer);
    return 0;
}
