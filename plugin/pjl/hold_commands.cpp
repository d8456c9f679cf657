#include "pjl/hold_commands.h"

#include <iterator>

#include "host/unidrv_host.h"
#include "pjl/pjl_text_conversion.h"
#include "platform/text.h"

namespace xlrender {
namespace {

// The printer family that spells proof-and-hold as HOLDJOB.
constexpr DWORD kHoldJobPrinterCode = 4;
constexpr DWORD kDuplicateJobProceed = 1;

constexpr char kHoldOff[] = "@PJL SET HOLD=OFF";
constexpr char kHoldOn[] = "@PJL SET HOLD=ON";
constexpr char kHoldProof[] = "@PJL SET HOLD=PROOF";
constexpr char kHoldJobOn[] = "@PJL SET HOLDJOB=ON";
constexpr char kHoldStore[] = "@PJL SET HOLD=STORE";
constexpr char kHoldTypePrivate[] = "@PJL SET HOLDTYPE=PRIVATE";
constexpr char kHoldTypePublic[] = "@PJL SET HOLDTYPE=PUBLIC";
constexpr char kHoldKeyCommand[] = "@PJL SET HOLDKEY=";
constexpr char kUserNameCommand[] = "@PJL SET USERNAME=";
constexpr char kJobNameCommand[] = "@PJL SET JOBNAME=";
constexpr char kDuplicateAppend[] = "@PJL SET DUPLICATEJOB = APPEND";
constexpr char kDuplicateReplace[] = "@PJL SET DUPLICATEJOB = REPLACE";

// The PIN's print buffer: ten digits do not fit, and the text is cut to kStorePinBytes.
constexpr std::size_t kStorePinTextBytes = 10;

// A name's UTF-8 bytes, or an empty value when it cannot be converted.
const char* BytesOrEmpty(const OwnedPjlText& text) {
    return text.ok() ? text.bytes() : "";
}

void AppendNameLines(PjlLines& lines, const OwnedPjlText& userName, const OwnedPjlText& jobName) {
    lines.AppendQuotedLine(kUserNameCommand, {QuotedValue(BytesOrEmpty(userName), PjlCharset::kUtf8,
                                                          kStoredNameBytes)});
    lines.AppendQuotedLine(
        kJobNameCommand, {QuotedValue(BytesOrEmpty(jobName), PjlCharset::kUtf8, kStoredNameBytes)});
}

void AppendPinLine(PjlLines& lines, DWORD pin) {
    // Unsigned: a PIN above 2^31 must not print with a minus sign.
    char text[kStorePinTextBytes] = {};
    FormatText(text, sizeof text, "%04u", static_cast<unsigned>(pin));
    lines.AppendQuotedLine(kHoldKeyCommand, {QuotedValue(text, PjlCharset::kUtf8, kStorePinBytes)});
}

// A second job of the same name is to be kept as it is: the block is left out entirely.
bool KeepsExistingJob(const PrivateDevmode& devmode) {
    return devmode.DuplicateJobCheck != 0 && devmode.DuplicateJobCommand != kDuplicateJobProceed;
}

}  // namespace

void BuildHoldCommands(const PrivateDevmode& devmode, const WCHAR* userName, const WCHAR* jobName,
                       PjlLines& lines) {
    lines.Clear();
    const DWORD mode = devmode.JobStorageMode;
    if (mode > kJobStorageStored || KeepsExistingJob(devmode)) {
        return;
    }
    if (mode == kJobStorageOff) {
        lines.AppendLine(kHoldOff);
        return;
    }
    if (devmode.DuplicateJobCheck != 0) {
        lines.AppendLine(devmode.DuplicateJobAppend == 1 ? kDuplicateAppend : kDuplicateReplace);
    }
    switch (mode) {
        case kJobStorageProofAndHold:
            lines.AppendLine(devmode.PrinterCode == kHoldJobPrinterCode ? kHoldJobOn : kHoldProof);
            break;
        case kJobStoragePrivate:
            lines.AppendLine(kHoldOn);
            lines.AppendLine(kHoldTypePrivate);
            AppendPinLine(lines, devmode.StorePin);
            break;
        case kJobStorageQuickCopy:
            lines.AppendLine(kHoldOn);
            lines.AppendLine(kHoldTypePublic);
            break;
        case kJobStorageStored:
            lines.AppendLine(kHoldStore);
            if (devmode.StorePinRequired != 0) {
                lines.AppendLine(kHoldTypePrivate);
                AppendPinLine(lines, devmode.StorePin);
            }
            break;
        default:
            break;
    }
    const bool typedJobName = devmode.UseJobNameOverride != 0;
    const OwnedPjlText userText = ConvertForPjl(userName, PjlCharset::kUtf8, kStoredJobNameUnits);
    const OwnedPjlText jobText =
        typedJobName ? ConvertForPjl(devmode.JobNameOverride, PjlCharset::kUtf8,
                                     std::size(devmode.JobNameOverride))
                     : ConvertForPjl(jobName, PjlCharset::kUtf8, kStoredJobNameUnits);
    AppendNameLines(lines, userText, jobText);
}

BOOL WriteHoldCommands(DEVOBJ* pdevobj, IPrintOemDriverUni* helper, const WCHAR* userName,
                       const WCHAR* jobName, DWORD& holdCommandsSent) {
    if (pdevobj == nullptr || pdevobj->pOEMDM == nullptr) {
        SetLastError(ERROR_INVALID_DATA);
        return FALSE;
    }
    const auto& devmode = *static_cast<const PrivateDevmode*>(pdevobj->pOEMDM);
    if (devmode.JobRetentionInstalled != 1 || holdCommandsSent != 0) {
        return TRUE;
    }
    holdCommandsSent = 1;
    PjlLines lines;
    BuildHoldCommands(devmode, userName, jobName, lines);
    if (lines.empty()) {
        return TRUE;
    }
    return WritePjlString(pdevobj, helper, lines.text());
}

}  // namespace xlrender
