#include "plugin_module.h"

namespace qx::host {

std::unique_ptr<PluginModule> PluginModule::Load(const std::string& path, std::string& error) {
    HMODULE module = LoadLibraryA(path.c_str());
    if (module == nullptr) {
        error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
        return nullptr;
    }
    std::unique_ptr<PluginModule> plugin(new PluginModule(module));
    struct Entry {
        const char* name;
        FARPROC* slot;
    } entries[] = {
        {"KZP_GetPlugInInfo", reinterpret_cast<FARPROC*>(&plugin->GetPlugInInfo)},
        {"KZP_Init", reinterpret_cast<FARPROC*>(&plugin->Init)},
        {"KZP_InvokeCommand", reinterpret_cast<FARPROC*>(&plugin->InvokeCommand)},
        {"KZP_ShowPlugInDialog", reinterpret_cast<FARPROC*>(&plugin->ShowPlugInDialog)},
    };
    for (const Entry& entry : entries) {
        *entry.slot = GetProcAddress(module, entry.name);
        if (*entry.slot == nullptr) {
            error = path + " has no export " + entry.name;
            return nullptr;
        }
    }
    return plugin;
}

PluginModule::~PluginModule() { FreeLibrary(module_); }

}  // namespace qx::host
