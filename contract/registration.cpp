#include "registration.h"

#include <windows.h>

#include <cstring>

#include "module_instance.h"
#include "module_resources.h"

namespace qx {
namespace {

CommandInfo g_commandInfo;
PlugInInfo g_plugInInfo;

constexpr UINT kCommandNameId = 7;

// LoadStringA with the field's size as the buffer length, so the text is cut
// to fit. The field is cleared first, so that the bytes after the NUL are zero
// whatever was there before.
template <size_t N>
void LoadInto(char (&field)[N], UINT id) {
    std::memset(field, 0, N);
    LoadStringA(ModuleInstance(), id, field, static_cast<int>(N));
}

void SetFileType(char (&slot)[4], const char* letters) {
    std::memset(slot, 0, sizeof slot);
    std::memcpy(slot, letters, 3);
}

}  // namespace

PlugInInfo& RegisteredPlugInInfo() { return g_plugInInfo; }
CommandInfo& RegisteredCommandInfo() { return g_commandInfo; }

void FillRegistration() {
    CommandInfo& command = g_commandInfo;
    command.commandWordA = 1;
    std::memset(command.fileTypes, 0, sizeof command.fileTypes);
    SetFileType(command.fileTypes[0], "JPG");
    SetFileType(command.fileTypes[1], "BMP");
    SetFileType(command.fileTypes[2], "TIF");
    SetFileType(command.fileTypes[3], "FPX");
    command.commandWordB = 56;
    command.commandWordC = 0;
    LoadInto(command.descriptionA, QX_IDS_DESCRIPTION);
    LoadInto(command.descriptionB, QX_IDS_DESCRIPTION);
    LoadInto(command.descriptionLong, QX_IDS_DESCRIPTION);
    LoadInto(command.commandName, kCommandNameId);

    PlugInInfo& info = g_plugInInfo;
    info.infoWordA = 0;
    info.infoWordB = 100;
    LoadInto(info.description, QX_IDS_DESCRIPTION);
    info.infoWordC = 0;
    info.infoWordD = 1;
    info.commandInfo = &g_commandInfo;
}

}  // namespace qx
