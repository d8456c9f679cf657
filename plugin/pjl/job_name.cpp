#include "pjl/job_name.h"

#include <string_view>

#include "pjl/pjl_filter.h"
#include "platform/memory.h"
#include "platform/text.h"
#include "settings/locale_queries.h"
#include "settings/printer_queries.h"

namespace xlrender {
namespace {

using WideView = std::basic_string_view<WCHAR>;

// Applications that put their own name before the document's in the title. Compared with
// case; each ends with the blank that separates it from the document name.
constexpr const WCHAR* kApplicationPrefixes[] = {
    W("Microsoft Word - "),    W("Microsoft PowerPoint - "),
    W("Microsoft Outlook - "), W("Harvard Graphics - "),
    W("Word Pro - "),          W("1-2-3 - "),
    W("Lotus Organizer - "),   W("Freelance Graphics - "),
    W("iGrafx Designer 1 - "), W("iGrafx Image "),
};

// Titles up to this length are used as they are.
constexpr std::size_t kShortTitleUnits = 16;

// Room for the longest date a locale gives, a blank and "hh:mm".
constexpr std::size_t kDateTimeUnits = 64;
constexpr std::size_t kClockUnits = 8;

// Copies at most 15 characters of `text` into `name` and filters them for the printer.
// Returns whether anything is left.
bool SetFilteredName(WCHAR (&name)[kStoredJobNameUnits], const WCHAR* text, DWORD encodingIndex) {
    CopyText(name, kStoredJobNameUnits, text);
    FilterPjlString(name, encodingIndex, kStoredJobNameUnits);
    return name[0] != 0;
}

WideView WithoutApplicationPrefix(WideView title) {
    for (const WCHAR* prefix : kApplicationPrefixes) {
        if (title.starts_with(prefix)) {
            return title.substr(TextLength(prefix));
        }
    }
    return title;
}

// What follows the last `separator`, or the whole text.
WideView AfterLast(WideView text, WCHAR separator) {
    const std::size_t position = text.rfind(separator);
    return position == WideView::npos ? text : text.substr(position + 1);
}

bool NameFromTitle(WCHAR (&name)[kStoredJobNameUnits], const WCHAR* docName, DWORD encodingIndex) {
    if (docName == nullptr) {
        return false;
    }
    WideView title(docName);
    if (title.size() > kShortTitleUnits) {
        title = WithoutApplicationPrefix(title);
        if (title.size() > kShortTitleUnits) {
            title = AfterLast(AfterLast(title, W('/')), W('\\'));
        }
    }
    WCHAR cut[kStoredJobNameUnits] = {};
    CopyText(cut, kStoredJobNameUnits, title.data(), title.size());
    return SetFilteredName(name, cut, encodingIndex);
}

// "date hh:mm" of the job's submission, both in local time so that they agree around
// midnight.
bool NameFromSubmissionTime(WCHAR (&name)[kStoredJobNameUnits], HANDLE printer, DWORD jobId,
                            DWORD encodingIndex) {
    JOB_INFO_2W* job = nullptr;
    if (!GetJobInfo2(printer, jobId, job)) {
        return false;
    }
    FILETIME utc{};
    FILETIME local{};
    SYSTEMTIME localTime{};
    const bool converted = SystemTimeToFileTime(&job->Submitted, &utc) &&
                           FileTimeToLocalFileTime(&utc, &local) &&
                           FileTimeToSystemTime(&local, &localTime);
    FreeBlock(job);
    WCHAR* date = nullptr;
    if (!converted || !FormatJobDate(localTime, date)) {
        return false;
    }
    WCHAR text[kDateTimeUnits] = {};
    WCHAR clock[kClockUnits] = {};
    CopyText(text, kDateTimeUnits, date);
    FreeBlock(date);
    FormatText(clock, kClockUnits, " %02u:%02u", static_cast<unsigned>(localTime.wHour),
               static_cast<unsigned>(localTime.wMinute));
    AppendText(text, kDateTimeUnits, clock);
    return SetFilteredName(name, text, encodingIndex);
}

}  // namespace

void JobNameFromDocument(HANDLE printer, DWORD jobId, const WCHAR* docName,
                         WCHAR (&name)[kStoredJobNameUnits], DWORD encodingIndex) {
    if (!NameFromTitle(name, docName, encodingIndex) &&
        !NameFromSubmissionTime(name, printer, jobId, encodingIndex)) {
        CopyText(name, kStoredJobNameUnits, kUntitledName);
    }
}

}  // namespace xlrender
