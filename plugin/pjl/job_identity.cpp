#include "pjl/job_identity.h"

#include "pjl/pjl_filter.h"
#include "pjl/pjl_text_conversion.h"
#include "platform/text.h"

namespace xlrender {
namespace {

constexpr char kStringCodeSetLine[] = "@PJL SET STRINGCODESET=UTF8";
constexpr char kManualDuplexLine[] = "@PJL SET MANUALDUPLEX=ON";
constexpr char kJobNameCommand[] = "@PJL JOB NAME=";
constexpr char kUserNameCommand[] = "@PJL SET USERNAME=";
constexpr char kDeviceManagementCommand[] = "@PJL DMINFO ASCIIHEX=";
// The device-management record header that precedes the date digits.
constexpr char kDeviceManagementDateHeader[] = "0400040101020D10100115";
constexpr char kJobAttributeCommand[] = "@PJL SET JOBATTR=";
constexpr char kTimestampCommand[] = "@PJL SET TIMESTAMP=";
// The hexadecimal ASCII code of a digit is "3" followed by the digit.
constexpr char kDigitCodeHigh = '3';
constexpr WCHAR kBackslash = W('\\');
constexpr std::size_t kMachinePrefixBackslashes = 2;
// A UUID's text: 36 characters.
constexpr std::size_t kUuidTextUnits = 36;

// The job identifier of the accounting block as ANSI text.
OwnedPjlText NewJobIdentifier() {
    UUID uuid{};
    const RPC_STATUS created = UuidCreate(&uuid);
    // A UUID that is unique to this computer only still identifies the job.
    if (created != RPC_S_OK && created != RPC_S_UUID_LOCAL_ONLY) {
        return {};
    }
    RPC_WSTR rpcText = nullptr;
    if (UuidToStringW(&uuid, &rpcText) != RPC_S_OK || rpcText == nullptr) {
        return {};
    }
    // The RPC string type differs from WCHAR in name only; copy it unit by unit.
    WCHAR text[kUuidTextUnits + 1] = {};
    for (std::size_t i = 0; i < kUuidTextUnits && rpcText[i] != 0; ++i) {
        text[i] = static_cast<WCHAR>(rpcText[i]);
    }
    RpcStringFreeW(&rpcText);
    return ConvertForPjl(text, PjlCharset::kAnsi);
}

// The machine name without the two backslashes the spooler puts before it, removing each
// only when it is there.
const WCHAR* WithoutMachinePrefix(const WCHAR* machineName) {
    for (std::size_t i = 0; i < kMachinePrefixBackslashes && *machineName == kBackslash; ++i) {
        ++machineName;
    }
    return machineName;
}

bool AppendJobAttribute(PjlLines& lines, const char* attribute, PjlQuotedPiece value) {
    return lines.AppendQuotedLine(kJobAttributeCommand, {QuotedLiteral(attribute), value});
}

}  // namespace

void FormatTimestamp(const SYSTEMTIME& time, char (&text)[kTimestampBytes]) {
    FormatText(text, sizeof text, "%u%02u%02u%02u%02u%02u", static_cast<unsigned>(time.wYear),
               static_cast<unsigned>(time.wMonth), static_cast<unsigned>(time.wDay),
               static_cast<unsigned>(time.wHour), static_cast<unsigned>(time.wMinute),
               static_cast<unsigned>(time.wSecond));
}

bool AppendStringCodeSetLine(PjlLines& lines) {
    return lines.AppendLine(kStringCodeSetLine);
}

bool AppendJobNameLine(PjlLines& lines, WCHAR* docName, std::size_t docNameUnits,
                       DWORD encodingIndex) {
    if (docName == nullptr || docNameUnits == 0) {
        return false;
    }
    FilterPjlString(docName, encodingIndex, docNameUnits);
    return lines.AppendQuotedLine(kJobNameCommand,
                                  ConvertForPjl(docName, PjlCharset::kUtf8, docNameUnits));
}

bool AppendUserNameLine(PjlLines& lines, const WCHAR* userName) {
    return lines.AppendQuotedLine(kUserNameCommand, ConvertForPjl(userName, PjlCharset::kUtf8));
}

bool AppendDeviceManagementDateLine(PjlLines& lines, const SYSTEMTIME& submitted) {
    char timestamp[kTimestampBytes];
    FormatTimestamp(submitted, timestamp);
    char hex[2 * kTimestampBytes] = {};
    const std::size_t length = TextLength(timestamp);
    for (std::size_t i = 0; i < length; ++i) {
        hex[2 * i] = kDigitCodeHigh;
        hex[2 * i + 1] = timestamp[i];
    }
    return lines.AppendQuotedLine(
        kDeviceManagementCommand,
        {QuotedLiteral(kDeviceManagementDateHeader), QuotedWholeValue(hex)});
}

bool AppendManualDuplexLine(PjlLines& lines) {
    return lines.AppendLine(kManualDuplexLine);
}

bool BuildJobAccountingBlock(DWORD mode, const JobAccountingInputs& inputs, PjlLines& block) {
    block.Clear();
    if (mode != kJobAccountingAttributes && mode != kJobAccountingTimestamp &&
        mode != kJobAccountingBoth) {
        return false;
    }
    if (inputs.userName == nullptr || inputs.machineName == nullptr || inputs.domain == nullptr) {
        return false;
    }
    const OwnedPjlText user = ConvertForPjl(inputs.userName, PjlCharset::kUtf8);
    const OwnedPjlText machine =
        ConvertForPjl(WithoutMachinePrefix(inputs.machineName), PjlCharset::kAnsi);
    const OwnedPjlText domain = ConvertForPjl(inputs.domain, PjlCharset::kAnsi);
    SYSTEMTIME local{};
    if (!user.ok() || !machine.ok() || !domain.ok() ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &inputs.submitted, &local)) {
        return false;
    }
    char time[kTimestampBytes];
    FormatTimestamp(local, time);
    const OwnedPjlText identifier = NewJobIdentifier();
    if (!identifier.ok()) {
        return false;
    }

    bool complete = true;
    if (mode == kJobAccountingAttributes || mode == kJobAccountingBoth) {
        complete =
            AppendJobAttribute(block, "JobAcct1=", QuotedValue(user, kAccountingNameBytes)) &&
            AppendJobAttribute(block, "JobAcct2=", QuotedValue(machine, kAccountingNameBytes)) &&
            AppendJobAttribute(block, "JobAcct3=", QuotedValue(domain, kAccountingNameBytes)) &&
            AppendJobAttribute(block, "JobAcct4=", QuotedWholeValue(time)) &&
            AppendJobAttribute(block, "JobAcct5=", QuotedWholeValue(identifier.bytes()));
    }
    if (complete && (mode == kJobAccountingTimestamp || mode == kJobAccountingBoth)) {
        complete = block.AppendQuotedLine(kTimestampCommand, {QuotedWholeValue(time)}) &&
                   AppendJobAttribute(block, "JobAcct5=", QuotedWholeValue(identifier.bytes()));
    }
    if (!complete) {
        block.Clear();
    }
    return complete;
}

}  // namespace xlrender
