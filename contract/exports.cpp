// The four entry points the host calls. Nothing thrown inside a module ever
// crosses one of them into the host.
#include <windows.h>

#include <cstdint>

#include "about_box.h"
#include "command.h"
#include "registration.h"

using qx::InvokeRequest;
using qx::PlugInInfo;

extern "C" {

int __stdcall KZP_GetPlugInInfo(PlugInInfo** slot) {
    if (slot != nullptr) *slot = &qx::RegisteredPlugInInfo();
    return 0;
}

int __stdcall KZP_Init(uint32_t /*ignored*/) {
    try {
        qx::FillRegistration();
    } catch (...) {
    }
    return 0;
}

int __stdcall KZP_InvokeCommand(const InvokeRequest* request,
                                                      int32_t* resultFlag) {
    try {
        qx::PhotoRequest photos(request);
        qx::ResultFlag flag(resultFlag);
        return qx::RunCommand(photos, flag);
    } catch (...) {
        return 0;
    }
}

int __stdcall KZP_ShowPlugInDialog(HWND owner) {
    try {
        qx::ShowAboutBox(owner);
    } catch (...) {
    }
    return 0;
}

}  // extern "C"
