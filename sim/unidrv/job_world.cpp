#include "unidrv/job_world.h"

#include "unidrv/paper.h"
#include "utf16.h"

namespace sim::unidrv {
namespace {

constexpr char16_t kCurrentVersionKey[] = u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr char16_t kWinlogonKey[] =
    u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

FileVersion ToFileVersion(const std::uint16_t (&parts)[4]) {
    return {parts[0], parts[1], parts[2], parts[3]};
}

SYSTEMTIME ToSystemTime(const Timestamp& time) {
    SYSTEMTIME system{};
    system.wYear = static_cast<WORD>(time.year);
    system.wMonth = static_cast<WORD>(time.month);
    system.wDay = static_cast<WORD>(time.day);
    system.wHour = static_cast<WORD>(time.hour);
    system.wMinute = static_cast<WORD>(time.minute);
    system.wSecond = static_cast<WORD>(time.second);
    return system;
}

void DescribePrinter(const JobDescription& job, World& world) {
    const PrinterSpec& requested = job.printer;
    sim::PrinterDescription printer;
    printer.name = Utf16(requested.name);
    printer.portName = Utf16(requested.port);
    printer.printProcessor = Utf16(requested.printProcessor);
    printer.datatype = Utf16(job.job.dataType);
    printer.attributes = requested.attributes;
    printer.driverPath = Utf16(requested.driverPath);
    world.versions.Declare(printer.driverPath, ToFileVersion(requested.driverVersion));
    for (const DriverFile& file : requested.dependentFiles) {
        printer.dependentFiles.push_back(Utf16(file.path));
        world.versions.Declare(Utf16(file.path), ToFileVersion(file.version));
    }
    for (const MediaTypeSpec& media : requested.mediaTypes) {
        printer.mediaTypes.push_back(media.id);
        printer.mediaTypeNames.push_back(Utf16(media.name));
    }
    const std::vector<std::string> papers = requested.papers.empty() ? PaperNames() : requested.papers;
    for (const std::string& name : papers) {
        printer.papers.push_back(static_cast<WORD>(FindPaper(name)->devmodeCode));
        printer.paperNames.push_back(Utf16(name));
    }
    world.spooler.processorDatatypes[printer.printProcessor] = {u"RAW", u"NT EMF 1.008"};
    world.spooler.printers.push_back(std::move(printer));
}

void DescribeSpoolerJob(const JobDescription& job, World& world) {
    sim::JobDescription spooled;
    spooled.id = job.job.id;
    spooled.printerName = Utf16(job.printer.name);
    spooled.machineName = Utf16(job.job.machine);
    spooled.userName = Utf16(job.job.user);
    spooled.document = Utf16(job.job.document);
    spooled.datatype = Utf16(job.job.dataType);
    spooled.printProcessor = Utf16(job.printer.printProcessor);
    spooled.submitted = ToSystemTime(job.job.submitted);
    spooled.totalPages = static_cast<DWORD>(job.pages.size());
    world.spooler.jobs.push_back(std::move(spooled));
}

void DescribeMachine(const SystemSpec& system, const JobSpec& job, World& world) {
    world.locale.country = Utf16(system.country);
    world.locale.uiLanguage = static_cast<LANGID>(system.uiLanguage);
    world.locale.languageId =
        static_cast<LANGID>(system.language >= 0 ? system.language : system.uiLanguage);
    for (const FontFileSpec& font : system.fonts) {
        world.screenFonts.registry.push_back(
            {Utf16(font.face), font.bold, font.italic, font.file, font.index});
    }
    world.locale.shortDatePattern = Utf16(system.shortDate);
    world.version.major = static_cast<DWORD>(system.osMajor);
    world.version.minor = static_cast<DWORD>(system.osMinor);
    if (!system.productName.empty()) {
        world.registry.SetString(HKEY_LOCAL_MACHINE, kCurrentVersionKey, u"ProductName",
                                 Utf16(system.productName));
    }
    if (!system.domain.empty()) {
        world.registry.SetString(HKEY_LOCAL_MACHINE, kWinlogonKey, u"DefaultDomainName",
                                 Utf16(system.domain));
    }
    world.clock.utcNow = ToSystemTime(job.submitted);
    world.clock.timeZone.Bias = system.timeZoneBias;
}

}  // namespace

HMODULE PluginModuleHandle() {
    static int module = 0;
    return reinterpret_cast<HMODULE>(&module);
}

void DescribeJobToWorld(const JobDescription& job, World& world) {
    world.moduleFiles[PluginModuleHandle()] = Utf16(job.printer.pluginPath);
    DescribePrinter(job, world);
    DescribeSpoolerJob(job, world);
    DescribeMachine(job.system, job.job, world);
}

}  // namespace sim::unidrv
