// The contract between the plug-in and the Win32 calls it makes: one source of assertions that
// is compiled twice, against the Linux stand-in and against the real Windows headers (run under
// Wine), so that both implementations are held to the same expectations. Each group of checks
// is a function registered with CONTRACT_GROUP; a failed check prints where and why and the run
// carries on, so one run lists every disagreement.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32_api.h"

namespace contract {

using Text = std::basic_string<WCHAR>;

// Which implementation of the Win32 calls the checks run against.
enum class Platform { kStandIn, kWine, kWindows };

// What the platform supplies to the checks: set up the same way on every platform, so that the
// expectations hold on all of them.
struct Environment {
    Platform platform;
    // A module file exporting kCompanionEntry, with the version resource kCompanionVersion.
    Text companionPath;
    // A module file name (full path) that does not exist.
    Text missingModulePath;
    // A key below HKEY_CURRENT_USER that exists and is empty when the checks start.
    Text registryKey;
    // The font file installed as CONTRACT_TEXT_FACE, by a path this program can open.
    std::string textFontFile;
    // The collection file installed as CONTRACT_COLLECTION_FACE, its only face.
    std::string collectionFontFile;
};

constexpr char kCompanionEntry[] = "VDisplayDialog";
constexpr WORD kCompanionVersion[4] = {1, 2, 3, 4};
// The face of the font file given on the command line (DejaVu Sans).
#define CONTRACT_TEXT_FACE "DejaVu Sans"
// The face of the collection file given on the command line (DejaVu Serif).
#define CONTRACT_COLLECTION_FACE "DejaVu Serif"

// Prepares the platform (a fresh stand-in world, or the companion module and an empty registry
// key on Windows) and describes it. The font files are installed by the caller on Windows.
Environment PrepareEnvironment(const char* textFontFile, const char* collectionFontFile);

// Prints a difference the checks accept on one platform only, with the reason.
void NoteKnownDifference(const char* what);

void Check(bool passed, const char* condition, const char* file, int line);
void CheckEqual(std::uint64_t actual, std::uint64_t expected, const char* actualText,
                const char* expectedText, const char* file, int line);
void CheckSameText(const WCHAR* actual, std::size_t actualUnits, const Text& expected,
                   const char* actualText, const char* file, int line);
void CheckSameBytes(const void* actual, std::size_t actualBytes, const std::string& expected,
                    const char* actualText, const char* file, int line);

// Names the case of a table that the checks in its scope belong to, in failure messages.
class CaseLabel {
public:
    explicit CaseLabel(std::string label);
    ~CaseLabel();
    CaseLabel(const CaseLabel&) = delete;
    CaseLabel& operator=(const CaseLabel&) = delete;
};

// `value` in hexadecimal, for case labels.
std::string Hex(unsigned long value);

using GroupFunction = void (*)(const Environment&);
struct Registration {
    Registration(const char* name, GroupFunction run);
};

}  // namespace contract

#define CONTRACT_CHECK(condition) ::contract::Check((condition), #condition, __FILE__, __LINE__)
#define CONTRACT_EQ(actual, expected)                                                          \
    ::contract::CheckEqual(static_cast<std::uint64_t>(actual),                                 \
                           static_cast<std::uint64_t>(expected), #actual, #expected, __FILE__, \
                           __LINE__)
// `actual` holds `units` UTF-16 units that must equal the Text `expected`.
#define CONTRACT_TEXT(actual, units, expected) \
    ::contract::CheckSameText((actual), (units), (expected), #actual, __FILE__, __LINE__)
// `actual` holds `bytes` bytes that must equal the std::string `expected`.
#define CONTRACT_BYTES(actual, bytes, expected) \
    ::contract::CheckSameBytes((actual), (bytes), (expected), #actual, __FILE__, __LINE__)

#define CONTRACT_GROUP(name)                                                \
    static void name(const ::contract::Environment&);                       \
    static const ::contract::Registration name##Registration{#name, &name}; \
    static void name([[maybe_unused]] const ::contract::Environment& environment)
