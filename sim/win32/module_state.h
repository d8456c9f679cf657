// The driver's companion modules a test places on disk: each under its full path with named
// entry points. Entries are added only with the exact type the plug-in calls them through.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "platform/event_dialog.h"
#include "platform/win32_api.h"

namespace sim {

struct CompanionModule {
    std::u16string path;  // full file name
    std::map<std::string, void (*)()> entries;
};

struct CompanionModules {
    std::vector<CompanionModule> files;
    // Loaded handle → position in `files`, with its load count.
    std::map<HMODULE, std::pair<std::size_t, int>> loaded;
    std::size_t nextHandle = 0x3000;
    // Every name LoadLibraryW was asked for, in order.
    std::vector<std::u16string> loadRequests;
    // The records CaptureDisplayDialog received, in order.
    std::vector<xlrender::VDisplayDialogRecord> displayedDialogs;

    // Places a module file at `path` (created on first use) with a VDisplayDialog-type entry.
    void AddEntry(const std::u16string& path, const std::string& name,
                  xlrender::PFN_VDisplayDialog entry);
    // Any other function type would be called with a record it does not expect.
    template <typename Function>
    void AddEntry(const std::u16string&, const std::string&, Function) = delete;
    // Places a module file without entry points.
    void AddFile(const std::u16string& path);
};

// A VDisplayDialog entry that keeps every record it receives in displayedDialogs.
void WINAPI CaptureDisplayDialog(xlrender::VDisplayDialogRecord record);

}  // namespace sim
