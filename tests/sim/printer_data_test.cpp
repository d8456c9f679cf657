// The stand-in's printer data and form enumeration contracts.
#include <gtest/gtest.h>

#include "world.h"

namespace {

TEST(SimPrinterData, TypedValuesWithTheMoreDataProtocol) {
    sim::PrinterDescription printer;
    printer.name = u"Office";
    printer.printerData[sim::kPrinterDriverDataKey][u"KZFormCount"] = sim::DwordValue(3);
    printer.printerData[u"Other"][u"Text"] = sim::TextValue(u"ab");
    sim::TheWorld().spooler.printers.push_back(printer);
    HANDLE handle = nullptr;
    ASSERT_TRUE(OpenPrinterW(const_cast<WCHAR*>(u"Office"), &handle, nullptr));

    DWORD type = 0;
    DWORD needed = 0;
    DWORD value = 0;
    EXPECT_EQ(
        GetPrinterDataW(handle, const_cast<WCHAR*>(u"kzformcount"), &type, nullptr, 0, &needed),
        ERROR_MORE_DATA);
    EXPECT_EQ(needed, 4u);
    EXPECT_EQ(GetPrinterDataW(handle, const_cast<WCHAR*>(u"KZFormCount"), &type,
                              reinterpret_cast<BYTE*>(&value), sizeof value, &needed),
              ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(value, 3u);
    EXPECT_EQ(GetPrinterDataW(handle, const_cast<WCHAR*>(u"Text"), &type, nullptr, 0, &needed),
              ERROR_FILE_NOT_FOUND);

    char16_t text[3] = {};
    EXPECT_EQ(GetPrinterDataExW(handle, u"Other", u"Text", &type, reinterpret_cast<BYTE*>(text),
                                sizeof text, &needed),
              ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(std::u16string(text), u"ab");
    ClosePrinter(handle);
    EXPECT_EQ(
        GetPrinterDataW(handle, const_cast<WCHAR*>(u"KZFormCount"), &type, nullptr, 0, &needed),
        ERROR_INVALID_HANDLE);
}

TEST(SimForms, EnumeratesEveryKindOfFormAtLevelOne) {
    sim::PrinterDescription printer;
    printer.name = u"Office";
    sim::TheWorld().spooler.printers.push_back(printer);
    sim::TheWorld().spooler.forms = {{u"A4", FORM_BUILTIN, {210000, 297000}},
                                     {u"Tray label", FORM_PRINTER},
                                     {u"Mine", FORM_USER}};
    HANDLE handle = nullptr;
    ASSERT_TRUE(OpenPrinterW(const_cast<WCHAR*>(u"Office"), &handle, nullptr));
    DWORD needed = 0;
    DWORD returned = 0;
    EXPECT_FALSE(EnumFormsW(handle, 1, nullptr, 0, &needed, &returned));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    std::vector<BYTE> block(needed);
    EXPECT_FALSE(EnumFormsW(handle, 2, block.data(), needed, &needed, &returned));
    ASSERT_TRUE(EnumFormsW(handle, 1, block.data(), needed, &needed, &returned));
    ASSERT_EQ(returned, 3u);
    const auto* forms = reinterpret_cast<const FORM_INFO_1W*>(block.data());
    EXPECT_EQ(std::u16string(forms[0].pName), u"A4");
    EXPECT_EQ(forms[0].Size.cy, 297000);
    EXPECT_EQ(forms[1].Flags, FORM_PRINTER);
    EXPECT_EQ(std::u16string(forms[2].pName), u"Mine");
    EXPECT_EQ(forms[2].Flags, FORM_USER);
    ClosePrinter(handle);
}

}  // namespace
