#pragma once

#include <windows.h>

namespace qx {

// Runs the about box (dialog resource 2) modally over `owner`. Only OK or
// Enter close it.
void ShowAboutBox(HWND owner);

}  // namespace qx
