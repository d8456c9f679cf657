#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/event_dialog.h"
#include "platform/function_cast.h"
#include "platform/win32_api.h"
#include "world.h"

namespace {

TEST(CompanionModules, LoadByPathOrSearchPathAndCallTheEntryByValue) {
    auto& modules = sim::TheWorld().companionModules;
    modules.AddEntry(u"C:\\Drivers\\ZQXEV041.DLL", "VDisplayDialog", &sim::CaptureDisplayDialog);
    EXPECT_EQ(LoadLibraryW(u"C:\\Other\\ZQXEV041.DLL"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);

    HMODULE byPath = LoadLibraryW(u"c:\\drivers\\zqxev041.dll");
    ASSERT_NE(byPath, nullptr);
    // A bare name finds the same file along the search path; the count goes up.
    EXPECT_EQ(LoadLibraryW(u"ZQXEV041.DLL"), byPath);
    EXPECT_EQ(GetProcAddress(byPath, "Other"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
    const auto entry = xlrender::CastFunction<xlrender::PFN_VDisplayDialog>(
        GetProcAddress(byPath, "VDisplayDialog"));
    ASSERT_NE(entry, nullptr);
    xlrender::VDisplayDialogRecord record{};
    record.ManualDuplexValues[5] = 6;
    std::memcpy(record.LanguageFile, u"ZQXEN041.DLL", 26);
    entry(record);
    ASSERT_EQ(modules.displayedDialogs.size(), 1u);
    EXPECT_EQ(std::memcmp(&modules.displayedDialogs[0], &record, sizeof record), 0);

    EXPECT_TRUE(FreeLibrary(byPath));
    EXPECT_FALSE(modules.loaded.empty());
    EXPECT_TRUE(FreeLibrary(byPath));
    EXPECT_TRUE(modules.loaded.empty());
    EXPECT_FALSE(FreeLibrary(byPath));
    EXPECT_EQ(modules.loadRequests.size(), 3u);
}

}  // namespace
