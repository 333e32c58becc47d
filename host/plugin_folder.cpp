#include "plugin_folder.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>

namespace qx::host {
namespace {

std::string WithBackslash(std::string folder) {
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
    return folder;
}

struct FindHandle {
    HANDLE handle;
    ~FindHandle() {
        if (handle != INVALID_HANDLE_VALUE) FindClose(handle);
    }
};

}  // namespace

std::string PluginFolder(const std::string& fromCommandLine) {
    if (!fromCommandLine.empty()) return WithBackslash(fromCommandLine);
    if (const char* env = std::getenv("QX_PLUGIN_DIR"); env != nullptr && *env != '\0') {
        return WithBackslash(env);
    }
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string folder(exe);
    folder.erase(folder.find_last_of('\\') + 1);
    return folder + "plugins\\";
}

std::vector<std::string> ListModules(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    FindHandle find{FindFirstFileA((folder + "*.kzp").c_str(), &data)};
    if (find.handle == INVALID_HANDLE_VALUE) return names;
    do {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(data.cFileName);
    } while (FindNextFileA(find.handle, &data));
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace qx::host
