// The print spooler over the world's SpoolerState: printer handles with access rights, printer,
// driver and job information, print processor data types and device capabilities.
#include <algorithm>
#include <string>

#include "win32/info_block.h"
#include "win32/spooler_lookup.h"
#include "world.h"

namespace {

constexpr DWORD kErrorUnknownPrinterDriver = 1797;
constexpr DWORD kErrorUnknownPrintProcessor = 1798;
constexpr std::size_t kCapabilityNameUnits = 64;
// Rights an ordinary user is not granted on a printer.
constexpr ACCESS_MASK kAdministrativeRights =
    PRINTER_ACCESS_ADMINISTER | DELETE | WRITE_DAC | WRITE_OWNER;

sim::SpoolerState& Spooler() { return sim::TheWorld().spooler; }

sim::PrinterDescription* FindPrinter(const char16_t* name) {
    if (name == nullptr) {
        return nullptr;
    }
    for (sim::PrinterDescription& printer : Spooler().printers) {
        if (sim::SameSpoolerName(printer.name, name)) {
            return &printer;
        }
    }
    return nullptr;
}

LPWSTR Optional(sim::InfoBlock& block, const std::u16string& text) { return block.Put(text, true); }

template <typename Element>
int DeliverCapability(const std::vector<Element>& values, void* output) {
    if (output != nullptr) {
        std::copy(values.begin(), values.end(), static_cast<Element*>(output));
    }
    return static_cast<int>(values.size());
}

int DeliverCapabilityNames(const std::vector<std::u16string>& names, LPWSTR output) {
    if (output != nullptr) {
        for (std::size_t i = 0; i < names.size(); ++i) {
            // Each name takes a 64-unit slot; a name of 64 units fills it without a terminator.
            char16_t* slot = output + i * kCapabilityNameUnits;
            std::fill(slot, slot + kCapabilityNameUnits, 0);
            names[i].copy(slot, std::min(names[i].size(), kCapabilityNameUnits));
        }
    }
    return static_cast<int>(names.size());
}

}  // namespace

namespace sim {

bool SameSpoolerName(const std::u16string& left, const char16_t* right) {
    const std::u16string other(right);
    return std::equal(left.begin(), left.end(), other.begin(), other.end(),
                      [](char16_t a, char16_t b) {
                          const auto fold = [](char16_t u) {
                              return u >= u'a' && u <= u'z' ? static_cast<char16_t>(u - 32) : u;
                          };
                          return fold(a) == fold(b);
                      });
}

PrinterDescription* PrinterOfHandle(HANDLE handle) {
    const auto found = Spooler().openHandles.find(handle);
    if (found == Spooler().openHandles.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    PrinterDescription* printer = FindPrinter(found->second.printerName.c_str());
    if (printer == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
    }
    return printer;
}

}  // namespace sim

namespace {

// The printer behind a handle, when the information level asked for is the one served;
// otherwise null with the last error set.
const sim::PrinterDescription* PrinterForLevel(HANDLE handle, DWORD level, DWORD served) {
    const sim::PrinterDescription* printer = sim::PrinterOfHandle(handle);
    if (printer != nullptr && level != served) {
        SetLastError(ERROR_INVALID_LEVEL);
        return nullptr;
    }
    return printer;
}

}  // namespace

extern "C" {

BOOL WINAPI OpenPrinterW(LPWSTR pPrinterName, LPHANDLE phPrinter, LPPRINTER_DEFAULTSW pDefault) {
    if (phPrinter == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *phPrinter = nullptr;
    if (FindPrinter(pPrinterName) == nullptr) {
        SetLastError(ERROR_INVALID_PRINTER_NAME);
        return FALSE;
    }
    const ACCESS_MASK access = pDefault == nullptr ? PRINTER_ACCESS_USE : pDefault->DesiredAccess;
    if ((access & kAdministrativeRights) != 0 && !Spooler().userIsAdministrator) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    HANDLE handle = reinterpret_cast<HANDLE>(Spooler().nextHandle++);
    Spooler().openHandles[handle] = sim::OpenPrinterHandle{pPrinterName, access};
    *phPrinter = handle;
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL WINAPI ClosePrinter(HANDLE hPrinter) {
    if (Spooler().openHandles.erase(hPrinter) == 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

BOOL WINAPI GetPrinterW(HANDLE hPrinter, DWORD Level, LPBYTE pPrinter, DWORD cbBuf,
                        LPDWORD pcbNeeded) {
    const sim::PrinterDescription* printer = PrinterForLevel(hPrinter, Level, 2);
    if (printer == nullptr) {
        return FALSE;
    }
    return sim::DeliverInfoBlock(sizeof(PRINTER_INFO_2W), pPrinter, cbBuf, pcbNeeded,
                                 [&](sim::InfoBlock& block) {
                                     PRINTER_INFO_2W info{};
                                     info.pServerName = Optional(block, printer->serverName);
                                     info.pPrinterName = block.Put(printer->name);
                                     info.pShareName = block.Put(u"");
                                     info.pPortName = block.Put(printer->portName);
                                     info.pDriverName = block.Put(printer->driverName);
                                     info.pComment = block.Put(u"");
                                     info.pLocation = block.Put(u"");
                                     info.pSepFile = block.Put(u"");
                                     info.pPrintProcessor = block.Put(printer->printProcessor);
                                     info.pDatatype = block.Put(printer->datatype);
                                     info.pParameters = block.Put(u"");
                                     info.Attributes = printer->attributes;
                                     block.PutFixed(0, &info, sizeof info);
                                 });
}

BOOL WINAPI GetPrinterDriverW(HANDLE hPrinter, LPWSTR pEnvironment, DWORD Level, LPBYTE pDriverInfo,
                              DWORD cbBuf, LPDWORD pcbNeeded) {
    const sim::PrinterDescription* printer = PrinterForLevel(hPrinter, Level, 3);
    if (printer == nullptr) {
        return FALSE;
    }
    if (pEnvironment != nullptr && !sim::SameSpoolerName(printer->environment, pEnvironment)) {
        SetLastError(kErrorUnknownPrinterDriver);
        return FALSE;
    }
    return sim::DeliverInfoBlock(
        sizeof(DRIVER_INFO_3W), pDriverInfo, cbBuf, pcbNeeded, [&](sim::InfoBlock& block) {
            DRIVER_INFO_3W info{};
            info.cVersion = printer->driverVersion;
            info.pName = block.Put(printer->driverName);
            info.pEnvironment = block.Put(printer->environment);
            info.pDriverPath = block.Put(printer->driverPath);
            info.pDataFile = block.Put(printer->dataFile);
            info.pConfigFile = block.Put(printer->configFile);
            info.pHelpFile = Optional(block, printer->helpFile);
            if (!printer->dependentFilesUnterminated) {
                info.pDependentFiles = block.PutList(printer->dependentFiles);
            }
            info.pMonitorName = Optional(block, printer->monitorName);
            info.pDefaultDataType = block.Put(printer->defaultDataType);
            if (printer->dependentFilesUnterminated) {
                info.pDependentFiles = block.PutUnterminatedList(printer->dependentFiles);
            }
            block.PutFixed(0, &info, sizeof info);
        });
}

BOOL WINAPI GetJobW(HANDLE hPrinter, DWORD JobId, DWORD Level, LPBYTE pJob, DWORD cbBuf,
                    LPDWORD pcbNeeded) {
    const sim::PrinterDescription* printer = PrinterForLevel(hPrinter, Level, 2);
    if (printer == nullptr) {
        return FALSE;
    }
    const auto& jobs = Spooler().jobs;
    const auto job = std::find_if(jobs.begin(), jobs.end(), [&](const sim::JobDescription& j) {
        return j.id == JobId && sim::SameSpoolerName(j.printerName, printer->name.c_str());
    });
    if (job == jobs.end()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return sim::DeliverInfoBlock(
        sizeof(JOB_INFO_2W), pJob, cbBuf, pcbNeeded, [&](sim::InfoBlock& block) {
            JOB_INFO_2W info{};
            info.JobId = job->id;
            info.pPrinterName = block.Put(printer->name);
            const bool owned = !job->ownerUnreported;
            info.pMachineName = owned ? block.Put(job->machineName) : nullptr;
            info.pUserName = owned ? block.Put(job->userName) : nullptr;
            info.pDocument = block.Put(job->document);
            info.pNotifyName = owned ? block.Put(job->userName) : nullptr;
            info.pDatatype = owned ? block.Put(job->datatype) : nullptr;
            info.pPrintProcessor = block.Put(job->printProcessor);
            info.pParameters = block.Put(u"");
            info.pDriverName =
                block.Put(job->driverName.empty() ? printer->driverName : job->driverName);
            info.TotalPages = job->totalPages;
            info.Size = job->size;
            info.Submitted = job->submitted;
            block.PutFixed(0, &info, sizeof info);
        });
}

BOOL WINAPI EnumPrintProcessorDatatypesW(LPWSTR pName, LPWSTR pPrintProcessorName, DWORD Level,
                                         LPBYTE pDatatypes, DWORD cbBuf, LPDWORD pcbNeeded,
                                         LPDWORD pcReturned) {
    if (pcbNeeded == nullptr || pcReturned == nullptr || pPrintProcessorName == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *pcReturned = 0;
    if (Level != 1) {
        SetLastError(ERROR_INVALID_LEVEL);
        return FALSE;
    }
    if (pName != nullptr && pName[0] != 0) {
        const auto& printers = Spooler().printers;
        if (std::none_of(printers.begin(), printers.end(), [&](const sim::PrinterDescription& p) {
                return !p.serverName.empty() && sim::SameSpoolerName(p.serverName, pName);
            })) {
            SetLastError(ERROR_INVALID_NAME);
            return FALSE;
        }
    }
    const std::vector<std::u16string>* datatypes = nullptr;
    for (const auto& [processor, types] : Spooler().processorDatatypes) {
        if (sim::SameSpoolerName(processor, pPrintProcessorName)) {
            datatypes = &types;
        }
    }
    if (datatypes == nullptr) {
        SetLastError(kErrorUnknownPrintProcessor);
        return FALSE;
    }
    const std::size_t fixedBytes = datatypes->size() * sizeof(DATATYPES_INFO_1W);
    const BOOL delivered =
        sim::DeliverInfoBlock(fixedBytes, pDatatypes, cbBuf, pcbNeeded, [&](sim::InfoBlock& block) {
            for (std::size_t i = 0; i < datatypes->size(); ++i) {
                const DATATYPES_INFO_1W entry{block.Put((*datatypes)[i])};
                block.PutFixed(i * sizeof entry, &entry, sizeof entry);
            }
        });
    if (delivered) {
        *pcReturned = static_cast<DWORD>(datatypes->size());
    }
    return delivered;
}

int WINAPI DeviceCapabilitiesW(LPCWSTR pDevice, LPCWSTR /*pPort*/, WORD fwCapability,
                               LPWSTR pOutput, const DEVMODEW* /*pDevMode*/) {
    const sim::PrinterDescription* printer = FindPrinter(pDevice);
    if (printer == nullptr) {
        SetLastError(ERROR_INVALID_PRINTER_NAME);
        return -1;
    }
    const int growth = pOutput != nullptr ? printer->capabilityGrowthOnFill : 0;
    switch (fwCapability) {
        case DC_PAPERS: return DeliverCapability(printer->papers, pOutput) + growth;
        case DC_PAPERNAMES: return DeliverCapabilityNames(printer->paperNames, pOutput) + growth;
        case DC_MEDIATYPES: return DeliverCapability(printer->mediaTypes, pOutput) + growth;
        case DC_MEDIATYPENAMES:
            return DeliverCapabilityNames(printer->mediaTypeNames, pOutput) + growth;
        default: SetLastError(ERROR_NOT_SUPPORTED); return -1;
    }
}

}  // extern "C"
