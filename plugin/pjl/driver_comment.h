// The two "@PJL COMMENT" lines at job start that identify the printer, the plug-in and Unidrv
// versions, the operating system, the user, the document and the date for the printer's job
// log.
#pragma once

#include <cstddef>

#include "pjl/pjl_lines.h"
#include "platform/win32_api.h"

namespace xlrender {

// "a.b.c.d": four 16-bit numbers and their dots.
constexpr std::size_t kFileVersionTextBytes = 24;

// The file version of a module file from its version resource, most significant part first.
// False when the file has no version resource or memory is short.
bool FormatFileVersion(const WCHAR* path, char (&text)[kFileVersionTextBytes]);

// The most bytes of the document name the comment carries.
constexpr std::size_t kCommentDocumentBytes = 75;
// The most bytes of each other name: with all of them at their longest both lines still fit
// one line buffer.
constexpr std::size_t kCommentNameBytes = 200;

struct DriverCommentInputs {
    const WCHAR* printerName;   // the job's printer, sent in the ANSI code page
    const char* pluginVersion;  // FormatFileVersion of the plug-in's module file
    const WCHAR* productName;   // the operating system's product name, ANSI
    DWORD majorVersion;
    DWORD minorVersion;
    DWORD buildNumber;
    BYTE productType;
    const char* unidrvVersion;  // FormatFileVersion of Unidrv
    const WCHAR* userName;      // the name the job is stored under, UTF-8
    const WCHAR* documentName;  // the job's document, UTF-8
    SYSTEMTIME submitted;       // UTC, as the spooler reports it
};

// Builds both lines into `lines` (which it clears first). All or nothing: a missing piece or a
// failed conversion leaves `lines` empty and returns false.
bool BuildDriverComment(const DriverCommentInputs& inputs, PjlLines& lines);

}  // namespace xlrender
