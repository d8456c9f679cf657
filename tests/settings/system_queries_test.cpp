#include "settings/system_queries.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/memory.h"
#include "settings/devmode_identity.h"
#include "settings/language_file.h"
#include "settings/locale_queries.h"
#include "settings/print_processor.h"
#include "settings/printer_queries.h"
#include "settings/private_devmode.h"
#include "settings/text_checks.h"
#include "unidrv/device.h"
#include "world.h"

namespace xlrender {
namespace {

const WCHAR* Text(const std::u16string& text) { return text.c_str(); }
std::u16string Str(const WCHAR* text) { return text == nullptr ? u"(null)" : std::u16string(text); }

sim::PrinterDescription& AddPrinter(const std::u16string& name) {
    sim::PrinterDescription printer;
    printer.name = name;
    sim::TheWorld().spooler.printers.push_back(printer);
    return sim::TheWorld().spooler.printers.back();
}

HANDLE OpenForUse(const std::u16string& name) {
    HANDLE handle = nullptr;
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ACCESS_USE};
    EXPECT_TRUE(OpenPrinterW(const_cast<WCHAR*>(Text(name)), &handle, &defaults));
    return handle;
}

TEST(PrinterQueries, OpenByNameWithUseRightsOnlyAndCloseAgain) {
    AddPrinter(u"Office").portName = u"USB001";
    // The stand-in refuses full access to an ordinary user, as Windows does.
    HANDLE handle = nullptr;
    PRINTER_DEFAULTSW all{nullptr, nullptr, PRINTER_ALL_ACCESS};
    EXPECT_FALSE(OpenPrinterW(const_cast<WCHAR*>(W("Office")), &handle, &all));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);

    PRINTER_INFO_2W* info = nullptr;
    ASSERT_TRUE(GetPrinterInfo2(nullptr, W("Office"), nullptr, info));
    EXPECT_EQ(Str(info->pPortName), u"USB001");
    EXPECT_EQ(info->pServerName, nullptr);
    FreeBlock(info);
    DRIVER_INFO_3W* driver = nullptr;
    DWORD size = 0;
    ASSERT_TRUE(GetDriverInfo3(nullptr, W("Office"), nullptr, driver, size));
    EXPECT_GE(size, sizeof(DRIVER_INFO_3W));
    FreeBlock(driver);
    EXPECT_TRUE(sim::TheWorld().spooler.openHandles.empty());

    EXPECT_FALSE(GetPrinterInfo2(nullptr, W("Nowhere"), nullptr, info));
    EXPECT_EQ(info, nullptr);
    EXPECT_EQ(sim::LiveHeapBlocks(), 0u);
}

TEST(PrinterQueries, JobInformationOrNothing) {
    AddPrinter(u"Office");
    sim::JobDescription job;
    job.id = 12;
    job.printerName = u"Office";
    job.userName = u"ada";
    job.submitted.wYear = 2004;
    sim::TheWorld().spooler.jobs.push_back(job);
    HANDLE printer = OpenForUse(u"Office");
    JOB_INFO_2W* info = nullptr;
    ASSERT_TRUE(GetJobInfo2(printer, 12, info));
    EXPECT_EQ(Str(info->pUserName), u"ada");
    EXPECT_EQ(info->Submitted.wYear, 2004);
    FreeBlock(info);
    EXPECT_FALSE(GetJobInfo2(printer, 13, info));
    EXPECT_EQ(info, nullptr);
    EXPECT_FALSE(GetJobInfo2(nullptr, 12, info));
    ClosePrinter(printer);
    EXPECT_EQ(sim::LiveHeapBlocks(), 0u);
}

TEST(PrinterQueries, CapabilityListsAreSizedByCountAndElement) {
    sim::PrinterDescription& printer = AddPrinter(u"Office");
    printer.papers = {1, 9, 256};
    printer.paperNames = {u"Letter", u"A4", std::u16string(64, u'N')};
    void* list = nullptr;
    ASSERT_EQ(QueryCapabilityList(W("Office"), W("LPT1:"), nullptr, DC_PAPERS, list), 3);
    EXPECT_EQ(static_cast<WORD*>(list)[2], 256);
    EXPECT_EQ(static_cast<WORD*>(list)[3], 0);  // the extra element stays zero
    FreeBlock(list);
    ASSERT_EQ(QueryCapabilityList(W("Office"), W("LPT1:"), nullptr, DC_PAPERNAMES, list), 3);
    EXPECT_EQ(Str(static_cast<WCHAR*>(list) + 64), u"A4");
    EXPECT_EQ(static_cast<WCHAR*>(list)[3 * 64], 0);
    FreeBlock(list);
    EXPECT_EQ(QueryCapabilityList(W("Office"), W("LPT1:"), nullptr, DC_MEDIATYPES, list), 0);
    FreeBlock(list);

    EXPECT_EQ(QueryCapabilityList(W("Nowhere"), W("LPT1:"), nullptr, DC_PAPERS, list), -1);
    sim::TheWorld().heap.failAfter = 1;
    EXPECT_EQ(QueryCapabilityList(W("Office"), W("LPT1:"), nullptr, DC_PAPERS, list), -1);
    EXPECT_EQ(list, nullptr);
    EXPECT_EQ(sim::LiveHeapBlocks(), 0u);
}

TEST(PrinterQueries, PortKindIsTheFirstPatternTheUpperCasedPortContains) {
    const struct {
        std::u16string port;
        PortKind kind;
    } cases[] = {{u"\\\\server\\queue", kPortUnknown},
                 {u"NE00:", kPortUnknown},
                 {u"usb001", kPortUsb},
                 {u"LPT2:,LPT1:", kPortLpt1},
                 {u"lpt3:", kPortLpt3},
                 {u"DOT4_001", kPortDot4},
                 {u"file:", kPortFile}};
    for (const auto& test : cases) {
        sim::ResetWorld();
        AddPrinter(u"P").portName = test.port;
        HANDLE printer = OpenForUse(u"P");
        EXPECT_EQ(GetPortKind(printer), test.kind)
            << std::string(test.port.begin(), test.port.end());
        ClosePrinter(printer);
    }
    EXPECT_EQ(GetPortKind(nullptr), kPortUnknown);
    EXPECT_EQ(sim::LiveHeapBlocks(), 0u);
}

TEST(SystemQueries, OperatingSystemKinds) {
    const struct {
        DWORD major, minor;
        OsKind kind;
    } cases[] = {{5, 0, kOsVersion50},
                 {5, 1, kOsVersion51},
                 {5, 2, kOsVersion52},
                 {6, 1, kOsOther},
                 {5, 3, kOsOther}};
    for (const auto& test : cases) {
        sim::TheWorld().version.major = test.major;
        sim::TheWorld().version.minor = test.minor;
        EXPECT_EQ(GetOsKind(), test.kind) << test.major << "." << test.minor;
    }
}

TEST(SystemQueries, LogonDomainFallsBackAndNeverReadsPastTheValue) {
    const std::u16string winlogon = u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
    sim::RegistryState& registry = sim::TheWorld().registry;
    WCHAR domain[kLogonDomainUnits];
    EXPECT_FALSE(GetLogonDomain(domain));  // no key at all

    registry.SetString(HKEY_LOCAL_MACHINE, winlogon, u"CachePrimaryDomain", u"CACHED");
    // A value of another type is not text.
    registry.SetValue(HKEY_LOCAL_MACHINE, winlogon, u"DefaultDomainName", REG_DWORD, {1, 0, 0, 0});
    ASSERT_TRUE(GetLogonDomain(domain));
    EXPECT_EQ(Str(domain), u"CACHED");

    // Stored without its terminating zero.
    registry.SetValue(HKEY_LOCAL_MACHINE, winlogon, u"defaultdomainname", REG_SZ,
                      {'C', 0, 'O', 0, 'R', 0, 'P', 0});
    ASSERT_TRUE(GetLogonDomain(domain));
    EXPECT_EQ(Str(domain), u"CORP");

    // 128 units without a zero cannot end inside 256 bytes: too long, the next value is used.
    registry.SetValue(HKEY_LOCAL_MACHINE, winlogon, u"DefaultDomainName", REG_SZ,
                      std::vector<BYTE>(256, 'D'));
    ASSERT_TRUE(GetLogonDomain(domain));
    EXPECT_EQ(Str(domain), u"CACHED");

    // A value without any data is an empty domain.
    registry.SetValue(HKEY_LOCAL_MACHINE, winlogon, u"DefaultDomainName", REG_SZ, {});
    ASSERT_TRUE(GetLogonDomain(domain));
    EXPECT_EQ(Str(domain), u"");
    EXPECT_TRUE(registry.openHandles.empty());
    EXPECT_EQ(sim::LiveHeapBlocks(), 0u);
}

TEST(LocaleQueries, A4CountriesAndFailedReads) {
    const struct {
        std::u16string country;
        DWORD a4;
    } cases[] = {{u"1", 0}, {u"52", 0}, {u"590", 0}, {u"2", 0}, {u"49", 1}, {u"44", 1}, {u"7", 1}};
    for (const auto& test : cases) {
        sim::TheWorld().locale.country = test.country;
        EXPECT_EQ(IsA4Locale(), test.a4);
    }
    sim::TheWorld().locale.country = u"49";
    sim::TheWorld().locale.failInfoCall = 1;
    EXPECT_EQ(IsA4Locale(), 0u);
    sim::TheWorld().locale.failInfoCall = 2;  // only the read after the size query fails
    EXPECT_EQ(IsA4Locale(), 0u);
    sim::TheWorld().heap.failAfter = 1;
    EXPECT_EQ(IsA4Locale(), 0u);
    EXPECT_EQ(sim::LiveHeapBlocks(), 0u);
}

TEST(LocaleQueries, JobDateKeepsTheLocaleOrderWithSlashesAndPadding) {
    const SYSTEMTIME date{2004, 3, 0, 7, 10, 30, 0, 0};
    const struct {
        std::u16string pattern;
        std::u16string expected;  // empty: fails
    } cases[] = {{u"d.M.yyyy", u"07/03/2004"},
                 {u"yyyy-MM-dd", u"2004/03/07"},
                 {u"M/d/yyyy", u"03/07/2004"},
                 {u"d.M.yy", u"07/03/04"},
                 {u"MM/yyyy", u"03/2004"},
                 {u"d.M.yyyy.M", u"07/03/2004/03"},
                 {u"d.M.d.M", u"07/03/07/03"},
                 {u"/", u""}};
    for (const auto& test : cases) {
        sim::TheWorld().locale.shortDatePattern = test.pattern;
        WCHAR* text = nullptr;
        const bool formatted = FormatJobDate(date, text);
        EXPECT_EQ(formatted, !test.expected.empty());
        EXPECT_EQ(formatted ? Str(text) : u"", test.expected);
        FreeBlock(text);
    }
    EXPECT_EQ(sim::LiveHeapBlocks(), 0u);
}

TEST(LanguageFile, FirstDependentFileWithTheLanguageCode) {
    AddPrinter(u"Office").dependentFiles = {u"C:\\drv\\zqxui041.dll", u"zqxde041.dll",
                                            u"ZQXEN041.DLL"};
    HANDLE printer = OpenForUse(u"Office");
    sim::TheWorld().locale.uiLanguage = 1031;
    WCHAR* name = nullptr;
    ASSERT_TRUE(FindLanguageFile(printer, name));
    EXPECT_EQ(Str(name), u"ZQXDE041.DLL");
    FreeBlock(name);
    sim::TheWorld().locale.uiLanguage = 1033;
    ASSERT_TRUE(FindLanguageFile(printer, name));
    EXPECT_EQ(Str(name), u"ZQXEN041.DLL");
    FreeBlock(name);
    sim::TheWorld().locale.uiLanguage = 1041;
    EXPECT_FALSE(FindLanguageFile(printer, name));
    EXPECT_EQ(name, nullptr);
    EXPECT_EQ(Str(LanguageCode(2052)), u"ZQXHC");
    ClosePrinter(printer);
    EXPECT_EQ(sim::LiveHeapBlocks(), 0u);
}

TEST(LanguageFile, AnUnterminatedListIsWalkedOnlyInsideItsBlock) {
    sim::PrinterDescription& printer = AddPrinter(u"Broken");
    printer.dependentFiles = {u"zqxui041.dll", u"ZQXFR041"};
    printer.dependentFilesUnterminated = true;
    HANDLE handle = OpenForUse(u"Broken");
    sim::TheWorld().locale.uiLanguage = 1036;
    WCHAR* name = nullptr;
    // The last name runs to the block's end without a zero: it is not read at all.
    EXPECT_FALSE(FindLanguageFile(handle, name));
    sim::TheWorld().spooler.printers.back().dependentFiles = {u"ZQXFR041.DLL", u"zqxui041"};
    ASSERT_TRUE(FindLanguageFile(handle, name));
    EXPECT_EQ(Str(name), u"ZQXFR041.DLL");
    FreeBlock(name);
    ClosePrinter(handle);
    EXPECT_EQ(sim::LiveHeapBlocks(), 0u);
}

class PrintProcessorTest : public ::testing::Test {
protected:
    PrivateDevmode& Detect(bool expectRead = true) {
        if (printer_ == nullptr && !sim::TheWorld().spooler.printers.empty()) {
            printer_ = OpenForUse(sim::TheWorld().spooler.printers.back().name);
        }
        device_.devobj()->hPrinter = printer_;
        EXPECT_EQ(DetectPrintProcessor(device_.devobj()), expectRead);
        return *PrivateDevmodeOf(device_.devobj());
    }
    void TearDown() override {
        if (printer_ != nullptr) {
            ClosePrinter(printer_);
        }
        EXPECT_EQ(sim::LiveHeapBlocks(), 0u);
    }

    sim::unidrv::Device device_{kPrivateDevmodeSize};
    HANDLE printer_ = nullptr;
};

TEST_F(PrintProcessorTest, LocalQueuesByProcessorAndPort) {
    sim::PrinterDescription& printer = AddPrinter(u"Local");
    printer.printProcessor = u"ZQXPP041";
    EXPECT_EQ(Detect().PrintProcessorKind, kPrintProcessorDriver);
    EXPECT_EQ(Detect().SpoolPath, kSpoolPathDriverEmf);
    sim::TheWorld().spooler.printers.back().printProcessor = u"WinPrint";
    EXPECT_EQ(Detect().PrintProcessorKind, kPrintProcessorSystem);
    EXPECT_EQ(Detect().SpoolPath, kSpoolPathSystemEmf);
    sim::TheWorld().spooler.printers.back().portName = u"file:";
    EXPECT_EQ(Detect().SpoolPath, kSpoolPathRawOnly);
    sim::TheWorld().spooler.printers.back().portName = u"LPT1:";
    sim::TheWorld().spooler.printers.back().attributes = PRINTER_ATTRIBUTE_RAW_ONLY;
    EXPECT_EQ(Detect().SpoolPath, kSpoolPathRawOnly);
}

TEST_F(PrintProcessorTest, AServerProcessorWithOneDataTypeSpoolsRaw) {
    sim::PrinterDescription& printer = AddPrinter(u"\\\\print\\Office");
    printer.serverName = u"\\\\print";
    printer.printProcessor = u"ZQXPP041";
    sim::TheWorld().spooler.processorDatatypes[u"ZQXPP041"] = {u"RAW"};
    EXPECT_EQ(Detect().SpoolPath, kSpoolPathRawOnly);
    sim::TheWorld().spooler.processorDatatypes[u"ZQXPP041"] = {u"RAW", u"NT EMF 1.008"};
    EXPECT_EQ(Detect().SpoolPath, kSpoolPathDriverEmf);
}

TEST_F(PrintProcessorTest, UnknownOrUnreadableProcessorsSpoolRaw) {
    AddPrinter(u"Odd").printProcessor = std::u16string(300, u'p');
    EXPECT_EQ(Detect().PrintProcessorKind, kPrintProcessorOther);
    EXPECT_EQ(Detect().SpoolPath, kSpoolPathRawOnly);
    ClosePrinter(printer_);
    printer_ = nullptr;
    sim::TheWorld().spooler.printers.clear();
    PrivateDevmode& devmode = Detect(false);
    EXPECT_EQ(devmode.PrintProcessorKind, kPrintProcessorOther);
    EXPECT_EQ(devmode.SpoolPath, kSpoolPathRawOnly);
}

TEST(TextChecks, ChecksumFileNamesAndBytes) {
    EXPECT_EQ(TextCrc16("123456789", 9), 0x0000BB3Du);
    EXPECT_EQ(TextCrc16("", 0), 0xFFFFFFFFu);
    EXPECT_EQ(TextCrc16("123456789", 0), 0xFFFFFFFFu);

    WCHAR name[kFileNameUnits];
    UpperFileName(W("C:\\Windows\\System32\\spool\\zqxde041.dll"), name);
    EXPECT_EQ(Str(name), u"ZQXDE041.DLL");
    const std::u16string longName = u"C:\\" + std::u16string(400, u'a');
    UpperFileName(Text(longName), name);
    EXPECT_EQ(Str(name), std::u16string(255, u'A'));

    WCHAR path[kFileNameUnits];
    CopyPathAndUpperFileName(W("D:\\drv\\zqxui041.dll"), path, name);
    EXPECT_EQ(Str(path), u"D:\\drv\\zqxui041.dll");
    EXPECT_EQ(Str(name), u"ZQXUI041.DLL");
    CopyPathAndUpperFileName(nullptr, path, name);
    EXPECT_EQ(Str(path), u"");
    EXPECT_EQ(Str(name), u"");

    EXPECT_EQ(HasNonAsciiText(W("plain")), 0u);
    EXPECT_EQ(HasNonAsciiText(W("caf\u00e9")), 1u);

    const BYTE bytes[] = {0x78, 0x56, 0x34, 0x12, 0xFF};
    const BYTE* cursor = bytes;
    EXPECT_EQ(ReadLe32(cursor), 0x12345678u);
    EXPECT_EQ(cursor, bytes + 4);
}

}  // namespace
}  // namespace xlrender
