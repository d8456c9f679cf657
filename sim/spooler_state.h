// The simulated print spooler: printers with their drivers and capabilities, jobs, print
// processors, and the printer handles the plug-in holds.
#pragma once

#include <cstddef>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/win32_api.h"

namespace sim {

// One typed printer data value, as the driver's installer stores it.
struct PrinterDataValue {
    DWORD type = REG_BINARY;
    std::vector<BYTE> bytes;
};

inline PrinterDataValue DwordValue(DWORD value) {
    PrinterDataValue data{REG_DWORD, std::vector<BYTE>(sizeof value)};
    std::memcpy(data.bytes.data(), &value, sizeof value);
    return data;
}

// A REG_SZ value with its terminator.
inline PrinterDataValue TextValue(const std::u16string& text) {
    PrinterDataValue data{REG_SZ, std::vector<BYTE>((text.size() + 1) * sizeof(char16_t))};
    std::memcpy(data.bytes.data(), text.c_str(), data.bytes.size());
    return data;
}

// The key GetPrinterDataW reads from.
inline constexpr char16_t kPrinterDriverDataKey[] = u"PrinterDriverData";

struct FormDescription {
    std::u16string name;
    DWORD flags = FORM_USER;
    SIZEL size{};  // thousandths of a millimetre
    RECTL imageableArea{};
};

struct PrinterDescription {
    std::u16string name;
    std::u16string serverName;  // empty for a local printer
    std::u16string portName = u"LPT1:";
    std::u16string driverName = u"XL Render Test Driver";
    std::u16string printProcessor = u"winprint";
    std::u16string datatype = u"RAW";
    DWORD attributes = 0;
    // DRIVER_INFO_3W
    DWORD driverVersion = 3;
    std::u16string environment = u"Windows x64";
    std::u16string driverPath = u"C:\\Windows\\System32\\spool\\DRIVERS\\x64\\3\\UNIDRV.DLL";
    std::u16string dataFile;
    std::u16string configFile;
    std::u16string helpFile;
    std::vector<std::u16string> dependentFiles;
    // Delivers the dependent-file list last in the block and without its closing zeros, as a
    // broken spooler or driver package could.
    bool dependentFilesUnterminated = false;
    std::u16string monitorName;
    std::u16string defaultDataType = u"RAW";
    // DeviceCapabilitiesW answers.
    std::vector<WORD> papers;
    std::vector<std::u16string> paperNames;
    std::vector<DWORD> mediaTypes;
    std::vector<std::u16string> mediaTypeNames;
    // A list-filling call reports this many entries more than it writes, as when the list
    // grows between the caller's size query and its fill.
    int capabilityGrowthOnFill = 0;
    // Printer data: key name → value name → value (names compared ignoring case).
    std::map<std::u16string, std::map<std::u16string, PrinterDataValue>> printerData;
};

struct JobDescription {
    DWORD id = 0;
    std::u16string printerName;
    std::u16string machineName = u"\\\\WORKSTATION";
    std::u16string userName = u"user";
    std::u16string document = u"document";
    std::u16string datatype = u"RAW";
    std::u16string printProcessor = u"winprint";
    std::u16string driverName;
    SYSTEMTIME submitted{};
    DWORD totalPages = 0;
    DWORD size = 0;
    // GetJobW leaves the owner, the machine and the data type null, as Wine's spooler does for
    // a job queued by AddJobW (Windows names them).
    bool ownerUnreported = false;
};

struct OpenPrinterHandle {
    std::u16string printerName;
    ACCESS_MASK access = 0;
};

struct SpoolerState {
    std::vector<PrinterDescription> printers;
    std::vector<JobDescription> jobs;
    // The data types each print processor supports, by processor name.
    std::map<std::u16string, std::vector<std::u16string>> processorDatatypes = {
        {u"winprint", {u"RAW", u"NT EMF 1.008", u"TEXT"}}};
    // An ordinary user may use printers but not administer them.
    bool userIsAdministrator = false;
    // The form database EnumFormsW lists: built-in, printer and user-defined forms.
    std::vector<FormDescription> forms;
    std::map<HANDLE, OpenPrinterHandle> openHandles;
    std::size_t nextHandle = 0x1000;
};

}  // namespace sim
