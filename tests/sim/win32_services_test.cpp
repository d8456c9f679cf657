// The stand-in's Win32 contracts that the plug-in's queries rely on.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "world.h"

namespace {

TEST(SimRegistry, CreateSetQueryWithTheSizeProtocolAndAccessRights) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"Software\\Vendor\\Driver", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    const DWORD flag = 1;
    ASSERT_EQ(RegSetValueExW(key, u"ShowJobStorageDlg", 0, REG_DWORD,
                             reinterpret_cast<const BYTE*>(&flag), sizeof flag),
              ERROR_SUCCESS);
    ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);

    ASSERT_EQ(
        RegOpenKeyExW(HKEY_CURRENT_USER, u"SOFTWARE\\vendor\\driver", 0, KEY_QUERY_VALUE, &key),
        ERROR_SUCCESS);
    DWORD type = 0;
    DWORD size = 0;
    ASSERT_EQ(RegQueryValueExW(key, u"showjobstoragedlg", nullptr, &type, nullptr, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(size, 4u);
    BYTE small[2];
    size = sizeof small;
    EXPECT_EQ(RegQueryValueExW(key, u"ShowJobStorageDlg", nullptr, nullptr, small, &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(RegSetValueExW(key, u"x", 0, REG_DWORD, small, 1), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegQueryValueExW(key, u"Missing", nullptr, nullptr, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);

    // An ordinary user may read HKEY_LOCAL_MACHINE but not write there.
    EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Vendor", 0, nullptr, 0, KEY_WRITE,
                              nullptr, &key, nullptr),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Nothing", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(sim::TheWorld().registry.openHandles.empty());
}

TEST(SimSpooler, InformationBlocksFollowTheSizeQueryProtocol) {
    sim::PrinterDescription printer;
    printer.name = u"Office";
    printer.dependentFiles = {u"a.dll", u"b.dll"};
    sim::TheWorld().spooler.printers.push_back(printer);
    HANDLE handle = nullptr;
    ASSERT_TRUE(OpenPrinterW(const_cast<WCHAR*>(u"office"), &handle, nullptr));

    DWORD needed = 0;
    EXPECT_FALSE(GetPrinterDriverW(handle, nullptr, 3, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    std::vector<BYTE> block(needed);
    EXPECT_FALSE(GetPrinterDriverW(handle, nullptr, 3, block.data(), needed - 1, &needed));
    ASSERT_TRUE(GetPrinterDriverW(handle, nullptr, 3, block.data(), needed, &needed));
    const auto* driver = reinterpret_cast<const DRIVER_INFO_3W*>(block.data());
    const BYTE* end = block.data() + block.size();
    // The dependent-file list lies inside the block and ends with an empty name.
    const auto* list = reinterpret_cast<const BYTE*>(driver->pDependentFiles);
    ASSERT_TRUE(list > block.data() && list + 14 * sizeof(char16_t) <= end);
    EXPECT_EQ(std::memcmp(list, u"a.dll\0b.dll\0", 13 * sizeof(char16_t)), 0);

    EXPECT_FALSE(GetPrinterW(handle, 1, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_LEVEL);
    ASSERT_TRUE(ClosePrinter(handle));
    EXPECT_FALSE(GetPrinterW(handle, 2, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);

    DWORD count = 7;
    EXPECT_FALSE(EnumPrintProcessorDatatypesW(nullptr, const_cast<WCHAR*>(u"winprint"), 1, nullptr,
                                              0, &needed, &count));
    EXPECT_EQ(count, 0u);  // a size query reports no data types
    block.assign(needed, 0);
    ASSERT_TRUE(EnumPrintProcessorDatatypesW(nullptr, const_cast<WCHAR*>(u"winprint"), 1,
                                             block.data(), needed, &needed, &count));
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(std::u16string(reinterpret_cast<const DATATYPES_INFO_1W*>(block.data())[1].pName),
              u"NT EMF 1.008");
}

TEST(SimVersion, BothStructureSizes) {
    sim::TheWorld().version = {5, 2, 3790, VER_NT_SERVER};
    OSVERSIONINFOEXW extended{};
    extended.dwOSVersionInfoSize = sizeof extended;
    ASSERT_TRUE(GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&extended)));
    EXPECT_EQ(extended.dwBuildNumber, 3790u);
    EXPECT_EQ(extended.wProductType, VER_NT_SERVER);
    OSVERSIONINFOW plain{};
    plain.dwOSVersionInfoSize = 100;
    EXPECT_FALSE(GetVersionExW(&plain));
}

TEST(SimLocale, CountryAndDatesWithTheSizeProtocol) {
    sim::TheWorld().locale.country = u"49";
    EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_ICOUNTRY, nullptr, 0), 3);
    WCHAR country[2];
    EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_ICOUNTRY, country, 2), 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    sim::TheWorld().locale.shortDatePattern = u"dd.MM.yy";
    const SYSTEMTIME date{2004, 3, 0, 7, 0, 0, 0, 0};
    WCHAR text[16];
    ASSERT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, text, 16), 9);
    EXPECT_EQ(std::u16string(text), u"07.03.04");
}

}  // namespace
