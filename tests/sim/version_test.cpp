#include <gtest/gtest.h>

#include <vector>

#include "platform/win32_api.h"
#include "world.h"

namespace {

constexpr const WCHAR* kPluginPath =
    W("C:\\Windows\\System32\\spool\\drivers\\x64\\3\\XLRENDER.DLL");

TEST(VersionResources, FixedFileInfoOfADeclaredFile) {
    sim::TheWorld().versions.Declare(u"C:\\Windows\\System32\\spool\\drivers\\x64\\3\\xlrender.dll",
                                     {6, 1, 7601, 17514});
    DWORD handle = 99;
    const DWORD size = GetFileVersionInfoSizeW(kPluginPath, &handle);
    ASSERT_GT(size, 0u);
    EXPECT_EQ(handle, 0u);
    std::vector<DWORD> block((size + 3) / 4);
    ASSERT_TRUE(GetFileVersionInfoW(kPluginPath, 0, size, block.data()));

    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), W("\\"), &value, &length));
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(info->dwSignature, VS_FFI_SIGNATURE);
    EXPECT_EQ(info->dwFileVersionMS, (6u << 16) | 1u);
    EXPECT_EQ(info->dwFileVersionLS, (7601u << 16) | 17514u);
    // The fixed information sits where Windows puts it, after the header and key.
    EXPECT_EQ(static_cast<BYTE*>(value) - reinterpret_cast<BYTE*>(block.data()), 40);

    EXPECT_FALSE(VerQueryValueW(block.data(), W("\\StringFileInfo\\040904B0\\FileVersion"), &value,
                                &length));
    EXPECT_EQ(value, nullptr);
}

// A short buffer is the contract's (tests/windows/contract); here only the unknown file.
TEST(VersionResources, UnknownFileFails) {
    DWORD handle = 0;
    EXPECT_EQ(GetFileVersionInfoSizeW(W("C:\\nowhere.dll"), &handle), 0u);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    BYTE small[16] = {};
    EXPECT_FALSE(GetFileVersionInfoW(W("C:\\nowhere.dll"), 0, sizeof small, small));
}

}  // namespace
