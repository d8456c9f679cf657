// Holds the spool XLRENDER.DLL wrote under Wine against the one the Linux module wrote for the
// same job; or, with --one-pjl-byte-changed, shows that the comparison catches a single byte
// changed inside a PJL line of a spool (a copy of it, against the spool itself).
//
// Usage: xlrender_spool_compare EXPECTED_SPOOL ACTUAL_SPOOL
//        xlrender_spool_compare --one-pjl-byte-changed SPOOL LINE_PREFIX
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "spool_comparison.h"

namespace {

bool ReadFile(const char* path, std::string& bytes) {
    std::ifstream file(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (!file.good() && !file.eof()) {
        std::fprintf(stderr, "xlrender_spool_compare: cannot read %s\n", path);
        return false;
    }
    return true;
}

int Compare(const std::string& expected, const std::string& actual) {
    const auto difference = job_host::FirstDifference(expected, actual);
    if (difference) {
        std::printf("FAIL the spools differ at byte %zu: %s\n", difference->offset,
                    difference->where.c_str());
        return 1;
    }
    std::printf("ok   the spools are identical, %zu bytes\n", expected.size());
    return 0;
}

int CheckOneByteChange(const std::string& spool, const std::string& linePrefix) {
    const std::size_t changed = job_host::ByteInsideLine(spool, linePrefix);
    if (spool.empty() || changed == std::string::npos) {
        std::printf("FAIL no line \"%s\" with text after its start in the spool\n",
                    linePrefix.c_str());
        return 1;
    }
    std::string altered = spool;
    altered[changed] = static_cast<char>(altered[changed] ^ 1);
    std::printf("one byte changed at %zu, in the line \"%s\":\n", changed, linePrefix.c_str());
    const auto difference = job_host::FirstDifference(spool, altered);
    const bool caught =
        difference && difference->offset == changed && difference->where.rfind("PJL line", 0) == 0;
    std::printf("%s the comparison %s\n", caught ? "ok  " : "FAIL",
                difference ? ("fails: at byte " + std::to_string(difference->offset) + ": " +
                              difference->where)
                                 .c_str()
                           : "passes");
    return caught ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::string first;
    std::string second;
    if (argc == 4 && std::strcmp(argv[1], "--one-pjl-byte-changed") == 0) {
        return ReadFile(argv[2], first) ? CheckOneByteChange(first, argv[3]) : 1;
    }
    if (argc != 3) {
        std::fprintf(stderr,
                     "usage: xlrender_spool_compare EXPECTED_SPOOL ACTUAL_SPOOL\n"
                     "       xlrender_spool_compare --one-pjl-byte-changed SPOOL LINE_PREFIX\n");
        return 2;
    }
    return ReadFile(argv[1], first) && ReadFile(argv[2], second) ? Compare(first, second) : 1;
}
