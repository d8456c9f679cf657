// Every test starts from a fresh simulated world.
#include <gtest/gtest.h>

#include "world.h"

namespace {

class FreshWorldPerTest : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { sim::ResetWorld(); }
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshWorldPerTest);
    return RUN_ALL_TESTS();
}
