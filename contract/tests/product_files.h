// Where the tests find the module files whose bytes they check: the 32-bit
// product when the test lane has been told where it is, else the modules
// built beside the test.
#pragma once

#include <windows.h>

#include <string>

#include "plugin_folder.h"

namespace qx::test {

inline std::string ProductModulePath(const char* name) {
#ifdef QX_PRODUCT_PLUGIN_DIR
    return std::string(QX_PRODUCT_PLUGIN_DIR) + name + ".kzp";
#else
    return host::PluginFolder("") + name + ".kzp";
#endif
}

inline std::string BuiltModulePath(const char* name) {
    return host::PluginFolder("") + name + ".kzp";
}

// A module file mapped for its resources only, whatever its processor.
class ResourceModule {
public:
    explicit ResourceModule(const std::string& path)
        : handle_(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~ResourceModule() {
        if (handle_ != nullptr) FreeLibrary(handle_);
    }
    ResourceModule(const ResourceModule&) = delete;
    ResourceModule& operator=(const ResourceModule&) = delete;
    HMODULE Handle() const { return handle_; }

private:
    HMODULE handle_;
};

}  // namespace qx::test
