// One loaded plug-in module and its four entry points. The module is freed
// when the object goes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "plugin_records.h"

namespace qx::host {

using GetPlugInInfoFn = int(__stdcall*)(PlugInInfo**);
using InitFn = int(__stdcall*)(uint32_t);
using InvokeCommandFn = int(__stdcall*)(const InvokeRequest*, int32_t*);
using ShowPlugInDialogFn = int(__stdcall*)(HWND);

class PluginModule {
public:
    // Loads the module at `path`; on failure returns null and says why in `error`.
    static std::unique_ptr<PluginModule> Load(const std::string& path, std::string& error);
    ~PluginModule();
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    HMODULE Handle() const { return module_; }
    GetPlugInInfoFn GetPlugInInfo = nullptr;
    InitFn Init = nullptr;
    InvokeCommandFn InvokeCommand = nullptr;
    ShowPlugInDialogFn ShowPlugInDialog = nullptr;

private:
    explicit PluginModule(HMODULE module) : module_(module) {}
    HMODULE module_;
};

}  // namespace qx::host
