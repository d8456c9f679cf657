#include "pjl/usage_command.h"

#include <cstring>
#include <iterator>

#include "platform/text.h"

namespace xlrender {
namespace {

constexpr char kUsagePrefix[] = "@PJL USAGE = ";
constexpr char kUsageLineEnd[] = "\r\n";
constexpr std::size_t kUsageLineEndBytes = sizeof kUsageLineEnd - 1;
// Keywords of this form name the field after their first "_" and checksum the stored-job user
// name instead of the machine name.
constexpr char kLogonNameMarker[] = "LNNAME";
constexpr char kKeywordSeparator = '_';
constexpr char kPathSeparator = '\\';

// Feature bits.
constexpr DWORD kOwnProcessorScaling = 0x01;
constexpr DWORD kSeveralPagesPerSheet = 0x02;
constexpr DWORD kPosterPrinting = 0x04;
constexpr DWORD kDuplex = 0x08;
constexpr DWORD kSingleLayout = 0x10;

constexpr DWORD kOwnPrintProcessor = 1;
constexpr DWORD kOtherPrintProcessor = 3;
constexpr DWORD kOnePagePerSheet = 1;
constexpr DWORD kUnscaledPercent = 100;

// Field 5 by operating-system kind, field 6 by port kind.
constexpr DWORD kOsCodes[] = {0, 0x08, 0x20, 0x40};
constexpr DWORD kOsKindUnknown = 0;
constexpr DWORD kPortCodeOther = 0x02;
constexpr DWORD kPortCodeDirect = 0x01;
constexpr DWORD kPortCodeFile = 0x04;
constexpr DWORD kFirstDirectPort = 1;
constexpr DWORD kLastDirectPort = 5;
constexpr DWORD kFilePort = 6;

DWORD PortCode(DWORD portKind) {
    if (portKind >= kFirstDirectPort && portKind <= kLastDirectPort) {
        return kPortCodeDirect;
    }
    return portKind == kFilePort ? kPortCodeFile : kPortCodeOther;
}

// The part of a logon-name keyword between its first and second "_"; empty without a "_".
void LogonNameField(const char* keyword, char (&field)[kUsageLineBytes]) {
    field[0] = 0;
    const char* start = std::strchr(keyword, kKeywordSeparator);
    if (start == nullptr) {
        return;
    }
    ++start;
    const char* end = std::strchr(start, kKeywordSeparator);
    CopyText(field, sizeof field, start,
             end == nullptr ? kUnbounded : static_cast<std::size_t>(end - start));
}

// The machine name without its leading "\" characters, up to the next "\".
void MachineNameField(const char* machineName, const char*& start, std::size_t& length) {
    start = machineName;
    while (*start == kPathSeparator) {
        ++start;
    }
    const char* end = std::strchr(start, kPathSeparator);
    length = end == nullptr ? std::strlen(start) : static_cast<std::size_t>(end - start);
}

// Upper-cases 8-bit ANSI text in place through the system's case mapping. False when the
// text cannot be converted.
bool UpperCaseAnsi(char* text, std::size_t bytes) {
    const int length = static_cast<int>(TextLength(text, bytes));
    if (length == 0) {
        return true;
    }
    WCHAR wide[kUsageDeviceTextBytes + 1] = {};
    const int units = MultiByteToWideChar(CP_ACP, 0, text, length, wide, kUsageDeviceTextBytes);
    if (units <= 0) {
        return false;
    }
    CharUpperBuffW(wide, static_cast<DWORD>(units));
    const int converted = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, units, text,
                                              static_cast<int>(bytes) - 1, nullptr, nullptr);
    if (converted <= 0) {
        return false;
    }
    text[converted] = 0;
    return true;
}

}  // namespace

DWORD UsageFeatureBits(const UsageFeatureInputs& inputs) {
    const bool ownProcessor = inputs.printProcessorKind == kOwnPrintProcessor;
    const bool unscaled = (inputs.simplexSingleLayout != 0 || inputs.resizeToPaper == 0) &&
                          inputs.scalePercent == kUnscaledPercent;
    const DWORD base = ownProcessor && !unscaled ? kOwnProcessorScaling : 0;
    DWORD bits = base;
    if (inputs.printProcessorKind != kOtherPrintProcessor) {
        if (inputs.simplexSingleLayout != 0) {
            bits = base + kSingleLayout;
        } else if (inputs.nupOption != kOnePagePerSheet) {
            bits = base + kSeveralPagesPerSheet;
        }
    }
    if ((inputs.publicDuplex != DMDUP_SIMPLEX || inputs.privateDuplex != DMDUP_SIMPLEX) &&
        inputs.simplexSingleLayout == 0) {
        bits += kDuplex;
    }
    if (ownProcessor && inputs.posterPrintingEnabled == 1) {
        bits += kPosterPrinting;
    }
    return bits;
}

OwnedPjlText BuildUsageCommand(const UsageInputs& inputs, UsageChecksum checksum) {
    if (checksum == nullptr) {
        return {};
    }
    const OwnedPjlText keyword = ConvertForPjl(inputs.keyword, PjlCharset::kUtf8);
    if (!keyword.ok()) {
        return {};
    }
    const bool logonName = std::strstr(keyword.bytes(), kLogonNameMarker) != nullptr;

    // Fields 1 and 2.
    char command[kUsageLineBytes];
    char user[kUsageLineBytes] = {};
    if (logonName) {
        LogonNameField(keyword.bytes(), command);
        const OwnedPjlText name =
            ConvertForPjl(inputs.jobStorageUserName != nullptr ? inputs.jobStorageUserName : W(""),
                          PjlCharset::kUtf8);
        if (!name.ok()) {
            return {};
        }
        FormatText(user, sizeof user, "%02x",
                   static_cast<unsigned>(checksum(name.bytes(), name.length())));
    } else {
        CopyText(command, sizeof command, keyword.bytes());
        if (inputs.machineName != nullptr) {
            const OwnedPjlText machine = ConvertForPjl(inputs.machineName, PjlCharset::kUtf8);
            if (!machine.ok()) {
                return {};
            }
            const char* start = nullptr;
            std::size_t length = 0;
            MachineNameField(machine.bytes(), start, length);
            FormatText(user, sizeof user, "%02x", static_cast<unsigned>(checksum(start, length)));
        }
    }

    // Field 3: the carried text is copied before it is upper-cased; the devmode keeps it as
    // it is.
    char deviceText[kUsageDeviceTextBytes + 1] = {};
    if (inputs.deviceText != nullptr) {
        CopyText(deviceText, sizeof deviceText, reinterpret_cast<const char*>(inputs.deviceText),
                 kUsageDeviceTextBytes);
    }
    if (!UpperCaseAnsi(deviceText, sizeof deviceText)) {
        return {};
    }

    // The fields take what the line leaves after its line end.
    char line[kUsageLineBytes];
    FormatText(line, sizeof line - kUsageLineEndBytes, "%s%s,%s,%02x,%02x,", kUsagePrefix, command,
               user, static_cast<unsigned>(checksum(deviceText, TextLength(deviceText))),
               static_cast<unsigned>(inputs.featureBits));
    if (inputs.osKind != kOsKindUnknown && inputs.osKind < std::size(kOsCodes)) {
        AppendFormat(line, sizeof line - kUsageLineEndBytes, "%02x",
                     static_cast<unsigned>(kOsCodes[inputs.osKind]));
    }
    AppendFormat(line, sizeof line - kUsageLineEndBytes, ",%02x",
                 static_cast<unsigned>(PortCode(inputs.portKind)));
    AppendText(line, sizeof line, kUsageLineEnd);
    return OwnedPjlText::CopyOf(line, TextLength(line), PjlCharset::kUtf8);
}

}  // namespace xlrender
