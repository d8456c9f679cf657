// The name a stored job is kept under on the printer's disk, made from the document's title.
#pragma once

#include <cstddef>

#include "platform/win32_api.h"

namespace xlrender {

// A stored job's user and job name: 15 characters and a terminating zero.
constexpr std::size_t kStoredJobNameUnits = 16;

// What a job or user is called when nothing better is known.
constexpr WCHAR kUntitledName[] = W("UNTITLED");

// The name for the job `jobId`: the document title without the application's name in front of
// it or the folders of a path, filtered for the PJL encoding `encodingIndex`; else the local
// date and time the job was submitted; else "UNTITLED".
void JobNameFromDocument(HANDLE printer, DWORD jobId, const WCHAR* docName,
                         WCHAR (&name)[kStoredJobNameUnits], DWORD encodingIndex);

}  // namespace xlrender
