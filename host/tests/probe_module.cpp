// A module built for the host's tests: its command writes down what the host
// handed it (the count and every path, read through the 20-byte stride), so
// the test can compare that with the photos it named.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "plugin_records.h"

namespace {
qx::PlugInInfo g_info;
qx::CommandInfo g_command;
}  // namespace

extern "C" {

int __stdcall KZP_GetPlugInInfo(qx::PlugInInfo** slot) {
    *slot = &g_info;
    return 0;
}

int __stdcall KZP_Init(uint32_t) {
    lstrcpyA(g_command.commandName, "Probe");
    lstrcpyA(g_info.description, "Writes down the request");
    g_info.commandInfo = &g_command;
    return 0;
}

int __stdcall KZP_InvokeCommand(const qx::InvokeRequest* request, int32_t* resultFlag) {
    const char* logPath = std::getenv("QX_PROBE_LOG");
    if (logPath == nullptr) return -1;
    FILE* log = std::fopen(logPath, "wb");
    if (log == nullptr) return -1;
    std::fprintf(log, "count %d\n", request->photoCount);
    const auto* array = reinterpret_cast<const unsigned char*>(request->photos);
    for (int32_t i = 0; i < request->photoCount; ++i) {
        const char* path;
        std::memcpy(&path, array + sizeof(qx::PhotoEntry) * i + offsetof(qx::PhotoEntry, path),
                    sizeof path);
        std::fprintf(log, "%s\n", path);
    }
    std::fprintf(log, "flag %d\n", *resultFlag);
    std::fclose(log);
    *resultFlag = 42;
    return 7;
}

int __stdcall KZP_ShowPlugInDialog(HWND) { return 0; }

}  // extern "C"
