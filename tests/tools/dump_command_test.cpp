// The xlrender dump command as a user runs it: listing on standard output, the first problem
// of a strict run on standard error with its offset, and the exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

struct DumpRun {
    int status;
    std::string out;
    std::string err;
};

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

DumpRun Dump(const std::string& contents, const std::string& options) {
    // Files named after the test, since CTest runs tests in parallel.
    const std::string base = ::testing::TempDir() + "dump_" +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name();
    const std::string input = base + ".prn";
    std::ofstream(input, std::ios::binary) << contents;
    const std::string command = std::string(XLRENDER_TOOL_PATH) + " dump " + options + " " + input +
                                " >" + base + ".out 2>" + base + ".err";
    const int result = std::system(command.c_str());
    return {WIFEXITED(result) ? WEXITSTATUS(result) : -1, Slurp(base + ".out"),
            Slurp(base + ".err")};
}

const std::string kStream = std::string(") HP-PCL XL;2;1;\n") + "\x61\x60";

TEST(DumpCommand, ListsAWellFormedFileWithOffsets) {
    const DumpRun run = Dump(kStream, "--strict --offsets");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "00000000  PCL XL stream header: little-endian binding, protocol class 2.1\n"
              "00000011  PushGS\n"
              "00000012  PopGS\n");
    EXPECT_EQ(run.err, "");
}

TEST(DumpCommand, StrictRunNamesTheProblemAndFails) {
    const DumpRun run = Dump(kStream + "\x60", "--strict");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out.find("!!"), std::string::npos);
    EXPECT_NE(run.err.find("at byte 19 (0x00000013): PopGS without a matching PushGS"),
              std::string::npos)
        << run.err;
}

TEST(DumpCommand, RelaxedRunShowsProblemsInLineAndSucceeds) {
    const DumpRun run = Dump(kStream + "\x60", "");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("PopGS\n!! PopGS without a matching PushGS\n"), std::string::npos)
        << run.out;
}

TEST(DumpCommand, MissingFileIsBadInput) {
    const std::string missing = ::testing::TempDir() + "no_such_spool.prn";
    const std::string command =
        std::string(XLRENDER_TOOL_PATH) + " dump " + missing + " >/dev/null 2>&1";
    const int result = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(result));
    EXPECT_EQ(WEXITSTATUS(result), 2);
}

}  // namespace
