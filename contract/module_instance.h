// The module's instance handle, kept at process attach. Every text, icon and
// dialog of the module is loaded through it.
#pragma once

#include <windows.h>

#include <string>

namespace qx {

HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE instance);

// Loads string `id` of the module's string table into a buffer of
// `bufferSize` bytes, so a longer text is cut to bufferSize - 1 characters.
// A missing string gives the empty text.
std::string LoadModuleString(UINT id, int bufferSize);

}  // namespace qx
