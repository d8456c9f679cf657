// The job identity lines of the job header: string code set, job name, user name, the
// device-management date, manual duplex and the job-accounting block. Each builder takes the
// values the device context gathered and appends complete lines, or nothing.
#pragma once

#include <cstddef>

#include "pjl/pjl_lines.h"
#include "platform/win32_api.h"

namespace xlrender {

// Option indexes of KZJobAccounting.
enum JobAccountingKind : DWORD {
    kJobAccountingOff = 0,
    kJobAccountingAttributes = 1,  // the five JobAcct attributes
    kJobAccountingTimestamp = 2,   // TIMESTAMP and the job identifier
    kJobAccountingBoth = 3,
};

// Year, then month, day, hour, minute and second as two digits each: "20040307140509".
constexpr std::size_t kTimestampBytes = 24;
void FormatTimestamp(const SYSTEMTIME& time, char (&text)[kTimestampBytes]);

// "@PJL SET STRINGCODESET=UTF8": for the encodings UsesUtf8StringCodeSet names.
bool AppendStringCodeSetLine(PjlLines& lines);

// "@PJL JOB NAME" with the document name, which is filtered in place for `encodingIndex`
// first (`docNameUnits` bounds it) and sent as UTF-8. An empty name gives an empty value.
bool AppendJobNameLine(PjlLines& lines, WCHAR* docName, std::size_t docNameUnits,
                       DWORD encodingIndex);

// "@PJL SET USERNAME" with the user name in UTF-8.
bool AppendUserNameLine(PjlLines& lines, const WCHAR* userName);

// "@PJL DMINFO ASCIIHEX" with the submission time as the spooler reports it.
bool AppendDeviceManagementDateLine(PjlLines& lines, const SYSTEMTIME& submitted);

bool AppendManualDuplexLine(PjlLines& lines);

// What the accounting block reports.
struct JobAccountingInputs {
    const WCHAR* userName;     // the job's user
    const WCHAR* machineName;  // the job's machine, usually with two leading backslashes
    const WCHAR* domain;       // the Windows domain
    SYSTEMTIME submitted;      // UTC, as the spooler reports it
};

// The longest user, machine or domain name the block carries, in bytes: with these three at
// their longest the seven lines of kJobAccountingBoth still fit one line buffer, so the
// identifier and time are never crowded out.
constexpr std::size_t kAccountingNameBytes = 200;

// Builds the accounting block of `mode` into `block` (which it clears first), with one new job
// identifier for every JobAcct5 line. All or nothing: a missing name, a failed conversion,
// time conversion or identifier leaves `block` empty and returns false, as does a mode without
// a block.
bool BuildJobAccountingBlock(DWORD mode, const JobAccountingInputs& inputs, PjlLines& block);

}  // namespace xlrender
