// IPrintOemUni::DevMode checks Unidrv's parameter block before anything touches a devmode.
#include <gtest/gtest.h>

#include <vector>

#include "settings/devmode_identity.h"
#include "support/plugin_fixture.h"

namespace xlrender {
namespace {

class DevModeDispatch : public testing::PluginTest {
protected:
    OEMDMPARAM ValidBlock() {
        OEMDMPARAM parameters{};
        parameters.cbSize = sizeof(OEMDMPARAM);
        parameters.hPrinter = reinterpret_cast<HANDLE>(0x10);
        parameters.hModule = reinterpret_cast<HANDLE>(0x20);
        parameters.pOEMDMIn = input.data();
        parameters.pOEMDMOut = output.data();
        parameters.cbBufSize = kPrivateDevmodeSize;
        return parameters;
    }

    std::vector<BYTE> input = std::vector<BYTE>(kPrivateDevmodeSize);
    std::vector<BYTE> output = std::vector<BYTE>(kPrivateDevmodeSize);
};

TEST_F(DevModeDispatch, SizeQueryAnswersTheStoredSize) {
    OEMDMPARAM parameters = ValidBlock();
    parameters.cbBufSize = 0;
    parameters.pOEMDMOut = nullptr;
    ASSERT_EQ(plugin->DevMode(OEMDM_SIZE, &parameters), S_OK);
    EXPECT_EQ(parameters.cbBufSize, 5412u);
}

TEST_F(DevModeDispatch, NullBlockIsInvalidData) {
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(plugin->DevMode(OEMDM_SIZE, nullptr), E_FAIL);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
}

TEST_F(DevModeDispatch, RefusesBlocksThatCannotBeTrusted) {
    // The 32-bit layout's 36 bytes would leave the devmode pointers and the buffer size outside
    // the caller's block on this build.
    OEMDMPARAM parameters = ValidBlock();
    parameters.cbSize = 36;
    EXPECT_EQ(plugin->DevMode(OEMDM_SIZE, &parameters), E_FAIL);
    EXPECT_EQ(parameters.cbBufSize, kPrivateDevmodeSize);

    parameters = ValidBlock();
    parameters.hPrinter = nullptr;
    EXPECT_EQ(plugin->DevMode(OEMDM_SIZE, &parameters), E_FAIL);
    parameters = ValidBlock();
    parameters.hModule = nullptr;
    EXPECT_EQ(plugin->DevMode(OEMDM_SIZE, &parameters), E_FAIL);
    parameters = ValidBlock();
    parameters.pOEMDMOut = nullptr;
    EXPECT_EQ(plugin->DevMode(OEMDM_SIZE, &parameters), E_FAIL);
    parameters = ValidBlock();
    parameters.pOEMDMIn = nullptr;
    EXPECT_EQ(plugin->DevMode(OEMDM_MERGE, &parameters), E_FAIL);
}

TEST_F(DevModeDispatch, OtherModesNeedAFullSizeBufferAndUnknownModesFail) {
    OEMDMPARAM parameters = ValidBlock();
    parameters.cbBufSize = kPrivateDevmodeSize - 1;
    EXPECT_EQ(plugin->DevMode(OEMDM_DEFAULT, &parameters), E_FAIL);
    parameters = ValidBlock();
    EXPECT_EQ(plugin->DevMode(99, &parameters), E_FAIL);
}

}  // namespace
}  // namespace xlrender
