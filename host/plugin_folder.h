#pragma once

#include <string>
#include <vector>

namespace qx::host {

// The folder the host looks in: --plugins DIR, else QX_PLUGIN_DIR, else the
// "plugins" folder beside qxhost.exe. Ends in a backslash.
std::string PluginFolder(const std::string& fromCommandLine);

// Every *.kzp file of the folder, by file name, in name order.
std::vector<std::string> ListModules(const std::string& folder);

}  // namespace qx::host
