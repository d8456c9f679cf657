// Runs every registered group of contract checks and reports each failure; the exit status is
// the number of failed checks (capped), so 0 means the platform keeps the whole contract.
#include <cstdio>
#include <cstring>
#include <utility>

#include "contract.h"
#include "font_collection.h"

namespace contract {
namespace {

struct Group {
    const char* name;
    GroupFunction run;
};

std::vector<Group>& Groups() {
    static std::vector<Group> groups;
    return groups;
}

int failures = 0;
int checks = 0;
std::vector<std::string> caseLabels;

void Fail(const char* file, int line, const std::string& message) {
    ++failures;
    const char* slash = std::strrchr(file, '/');
    std::string where;
    for (const std::string& label : caseLabels) {
        where += " [" + label + "]";
    }
    std::printf("FAIL %s:%d:%s %s\n", slash != nullptr ? slash + 1 : file, line, where.c_str(),
                message.c_str());
}

std::string Escaped(const WCHAR* text, std::size_t units) {
    std::string out;
    for (std::size_t i = 0; i < units; ++i) {
        const unsigned unit = static_cast<unsigned>(text[i]);
        char piece[8];
        std::snprintf(piece, sizeof piece, unit >= 0x20 && unit < 0x7F ? "%c" : "\\u%04X", unit);
        out += piece;
    }
    return out;
}

std::string EscapedBytes(const void* bytes, std::size_t count) {
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        char piece[4];
        std::snprintf(piece, sizeof piece, "%02X", static_cast<const unsigned char*>(bytes)[i]);
        out += i == 0 ? "" : " ";
        out += piece;
    }
    return out;
}

const char* PlatformName(Platform platform) {
    switch (platform) {
        case Platform::kStandIn:
            return "the Linux stand-in";
        case Platform::kWine:
            return "Wine";
        case Platform::kWindows:
            return "Windows";
    }
    return "?";
}

}  // namespace

Registration::Registration(const char* name, GroupFunction run) {
    Groups().push_back(Group{name, run});
}

CaseLabel::CaseLabel(std::string label) {
    caseLabels.push_back(std::move(label));
}

CaseLabel::~CaseLabel() {
    caseLabels.pop_back();
}

std::string Hex(unsigned long value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%lX", value);
    return text;
}

void NoteKnownDifference(const char* what) {
    std::printf("note: accepted on this platform only: %s\n", what);
}

void Check(bool passed, const char* condition, const char* file, int line) {
    ++checks;
    if (!passed) {
        Fail(file, line, condition);
    }
}

void CheckEqual(std::uint64_t actual, std::uint64_t expected, const char* actualText,
                const char* expectedText, const char* file, int line) {
    ++checks;
    if (actual != expected) {
        Fail(file, line,
             std::string(actualText) + " is " + std::to_string(actual) + ", expected " +
                 expectedText + " = " + std::to_string(expected));
    }
}

void CheckSameText(const WCHAR* actual, std::size_t actualUnits, const Text& expected,
                   const char* actualText, const char* file, int line) {
    ++checks;
    if (actual == nullptr || Text(actual, actualUnits) != expected) {
        Fail(file, line,
             std::string(actualText) + " is \"" +
                 (actual == nullptr ? "(null)" : Escaped(actual, actualUnits)) + "\", expected \"" +
                 Escaped(expected.data(), expected.size()) + "\"");
    }
}

void CheckSameBytes(const void* actual, std::size_t actualBytes, const std::string& expected,
                    const char* actualText, const char* file, int line) {
    ++checks;
    if (actualBytes != expected.size() || std::memcmp(actual, expected.data(), actualBytes) != 0) {
        Fail(file, line,
             std::string(actualText) + " is [" + EscapedBytes(actual, actualBytes) +
                 "], expected [" + EscapedBytes(expected.data(), expected.size()) + "]");
    }
}

}  // namespace contract

// Usage: win32_contract FONT_FILE COLLECTION_FILE
//        win32_contract --write-collection FONT_FILE COLLECTION_FILE
// The first runs the checks with DejaVu Sans's file and a collection of DejaVu Serif (both
// installed, on Windows); the second writes that collection from DejaVu Serif's file.
int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--write-collection") == 0) {
        return contract::WriteSingleFaceCollection(argv[2], argv[3]) ? 0 : 1;
    }
    if (argc != 3) {
        std::printf("usage: win32_contract [--write-collection] FONT_FILE COLLECTION_FILE\n");
        return 100;
    }
    const contract::Environment environment = contract::PrepareEnvironment(argv[1], argv[2]);
    std::printf("Win32 contract against %s\n", contract::PlatformName(environment.platform));
    for (const contract::Group& group : contract::Groups()) {
        const int failuresBefore = contract::failures;
        group.run(environment);
        std::printf("%s %s\n", contract::failures == failuresBefore ? "ok  " : "FAIL", group.name);
    }
    std::printf("%d checks, %d failed\n", contract::checks, contract::failures);
    return contract::failures > 100 ? 100 : contract::failures;
}
