#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "platform/win32_api.h"
#include "world.h"

namespace {

std::string CreateUuidText() {
    UUID uuid{};
    EXPECT_EQ(UuidCreate(&uuid), RPC_S_OK);
    RPC_WSTR wide = nullptr;
    EXPECT_EQ(UuidToStringW(&uuid, &wide), RPC_S_OK);
    std::string text;
    for (const unsigned short* unit = wide; unit != nullptr && *unit != 0; ++unit) {
        text += static_cast<char>(*unit);
    }
    RpcStringFreeW(&wide);
    EXPECT_EQ(wide, nullptr);
    return text;
}

std::vector<std::string> SeededSequence(std::uint64_t seed) {
    sim::ResetWorld().uuids.Seed(seed);
    return {CreateUuidText(), CreateUuidText(), CreateUuidText()};
}

TEST(Uuid, SeededWorldGivesTheSameSequenceAgain) {
    const std::vector<std::string> first = SeededSequence(42);
    EXPECT_EQ(SeededSequence(42), first);
    EXPECT_NE(SeededSequence(43), first);
    EXPECT_NE(first[0], first[1]);
    const std::regex form("[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}");
    for (const std::string& text : first) {
        EXPECT_TRUE(std::regex_match(text, form)) << text;
    }
    EXPECT_EQ(sim::TheWorld().uuids.liveStrings, 0);
}

TEST(Uuid, UnseededIdentifiersDiffer) {
    EXPECT_NE(CreateUuidText(), CreateUuidText());
}

TEST(Uuid, FailureAnswersTheTestChooses) {
    sim::UuidControl& control = sim::TheWorld().uuids;
    control.createStatus = RPC_S_UUID_LOCAL_ONLY;
    UUID uuid{};
    EXPECT_EQ(UuidCreate(&uuid), RPC_S_UUID_LOCAL_ONLY);
    EXPECT_NE(uuid.Data1 | uuid.Data2 | uuid.Data3, 0u);

    control.toStringStatus = RPC_S_OUT_OF_MEMORY;
    RPC_WSTR wide = reinterpret_cast<RPC_WSTR>(&uuid);
    EXPECT_EQ(UuidToStringW(&uuid, &wide), RPC_S_OUT_OF_MEMORY);
    EXPECT_EQ(wide, nullptr);
    EXPECT_EQ(control.liveStrings, 0);
}

}  // namespace
