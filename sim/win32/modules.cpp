// LoadLibraryW, GetProcAddress and FreeLibrary over the world's companion modules. A full path
// finds the file at that path; a bare file name is looked for along the search path, which
// here means any directory holding a module of that name.
#include <algorithm>

#include "registry_state.h"
#include "world.h"

namespace sim {
namespace {

CompanionModules& Modules() {
    return TheWorld().companionModules;
}

std::u16string FileNamePart(const std::u16string& path) {
    const std::size_t slash = path.find_last_of(u"\\/");
    return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

bool IsBareName(const std::u16string& name) {
    return name.find_first_of(u"\\/:") == std::u16string::npos;
}

// Position of the file `name` resolves to, or files.size() when none.
std::size_t Resolve(const std::u16string& name) {
    const auto& files = Modules().files;
    const std::u16string wanted = RegistryName(name);
    const auto found = std::find_if(files.begin(), files.end(), [&](const CompanionModule& file) {
        const std::u16string& candidate = IsBareName(name) ? FileNamePart(file.path) : file.path;
        return RegistryName(candidate) == wanted;
    });
    return static_cast<std::size_t>(found - files.begin());
}

CompanionModule& FileAt(const std::u16string& path) {
    auto& files = Modules().files;
    const std::size_t position = Resolve(path);
    if (position < files.size() && !IsBareName(path)) {
        return files[position];
    }
    files.push_back(CompanionModule{path, {}});
    return files.back();
}

}  // namespace

void CompanionModules::AddEntry(const std::u16string& path, const std::string& name,
                                xlrender::PFN_VDisplayDialog entry) {
    FileAt(path).entries[name] = reinterpret_cast<void (*)()>(entry);
}

void CompanionModules::AddFile(const std::u16string& path) {
    FileAt(path);
}

void WINAPI CaptureDisplayDialog(xlrender::VDisplayDialogRecord record) {
    Modules().displayedDialogs.push_back(record);
}

}  // namespace sim

extern "C" {

HMODULE WINAPI LoadLibraryW(LPCWSTR lpLibFileName) {
    if (lpLibFileName == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto& modules = sim::Modules();
    modules.loadRequests.emplace_back(lpLibFileName);
    const std::size_t position = sim::Resolve(lpLibFileName);
    if (position >= modules.files.size()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    for (auto& [handle, loaded] : modules.loaded) {
        if (loaded.first == position) {
            ++loaded.second;
            return handle;
        }
    }
    HMODULE handle = reinterpret_cast<HMODULE>(modules.nextHandle++);
    modules.loaded[handle] = {position, 1};
    return handle;
}

FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
    auto& modules = sim::Modules();
    const auto loaded = modules.loaded.find(hModule);
    if (loaded == modules.loaded.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    const auto& entries = modules.files[loaded->second.first].entries;
    const auto entry = lpProcName == nullptr ? entries.end() : entries.find(lpProcName);
    if (entry == entries.end()) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(entry->second);
}

BOOL WINAPI FreeLibrary(HMODULE hLibModule) {
    auto& modules = sim::Modules();
    const auto loaded = modules.loaded.find(hLibModule);
    if (loaded == modules.loaded.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (--loaded->second.second == 0) {
        modules.loaded.erase(loaded);
    }
    return TRUE;
}

}  // extern "C"
