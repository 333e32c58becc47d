// The DLL's main routine: it keeps the instance handle and never refuses to load.
#include <windows.h>

#include "module_instance.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) qx::SetModuleInstance(instance);
    return TRUE;
}
