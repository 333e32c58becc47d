// The export directory as it stands in the module file, and the calling
// convention of each export as the processor sees it.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "module_table.h"
#include "plugin_module.h"
#include "product_files.h"
#include "ui_robot.h"

namespace qx::test {
namespace {

struct ExportDirectory {
    std::string moduleName;
    DWORD ordinalBase = 0;
    std::vector<std::pair<std::string, DWORD>> namedOrdinals;  // name, ordinal
    DWORD functionCount = 0;
};

// Reads the export directory from the file with nothing but its headers.
ExportDirectory ReadExports(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto at = [&](DWORD offset) { return file.data() + offset; };
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(at(0));
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(at(dos->e_lfanew));
    auto sections = IMAGE_FIRST_SECTION(nt);
    auto fileOffset = [&](DWORD rva) -> DWORD {
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
            const IMAGE_SECTION_HEADER& s = sections[i];
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.Misc.VirtualSize) {
                return rva - s.VirtualAddress + s.PointerToRawData;
            }
        }
        return 0;
    };
    ExportDirectory result;
    DWORD dirRva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT].VirtualAddress;
    if (dirRva == 0) return result;
    auto dir = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(at(fileOffset(dirRva)));
    result.moduleName = at(fileOffset(dir->Name));
    result.ordinalBase = dir->Base;
    result.functionCount = dir->NumberOfFunctions;
    auto names = reinterpret_cast<const DWORD*>(at(fileOffset(dir->AddressOfNames)));
    auto ordinals = reinterpret_cast<const WORD*>(at(fileOffset(dir->AddressOfNameOrdinals)));
    for (DWORD i = 0; i < dir->NumberOfNames; ++i) {
        result.namedOrdinals.emplace_back(at(fileOffset(names[i])), ordinals[i] + dir->Base);
    }
    return result;
}

class Exports : public ::testing::TestWithParam<ModuleFacts> {};

TEST_P(Exports, DirectoryNamesTheFileAndTheFourEntryPointsInOrder) {
    const std::string file = std::string(GetParam().name) + ".kzp";
    ExportDirectory exports = ReadExports(ProductModulePath(GetParam().name));
    EXPECT_EQ(exports.moduleName, file);
    EXPECT_EQ(exports.ordinalBase, 1u);
    EXPECT_EQ(exports.functionCount, 4u);
    using Named = std::vector<std::pair<std::string, DWORD>>;
    EXPECT_EQ(exports.namedOrdinals, (Named{{"KZP_GetPlugInInfo", 1},
                                            {"KZP_Init", 2},
                                            {"KZP_InvokeCommand", 3},
                                            {"KZP_ShowPlugInDialog", 4}}));
}

#if defined(__i386__)
// Calls `function` with `argumentWords` zero arguments pushed and returns how
// many bytes of them the callee removed from the stack. The stack pointer is
// put back whatever the callee did.
uint32_t BytesRemovedByCallee(FARPROC function, uint32_t argumentWords) {
    uint32_t leftOnStack;
    uint32_t counter = argumentWords;
    asm volatile(
        "mov %%esp, %%esi\n\t"
        "1:\n\t"
        "test %%ecx, %%ecx\n\t"
        "jz 2f\n\t"
        "pushl $0\n\t"
        "dec %%ecx\n\t"
        "jmp 1b\n\t"
        "2:\n\t"
        "call *%%edi\n\t"
        "mov %%esi, %%eax\n\t"
        "sub %%esp, %%eax\n\t"
        "mov %%esi, %%esp\n\t"
        : "=a"(leftOnStack), "+c"(counter)
        : "D"(function)
        : "edx", "esi", "memory", "cc");
    return argumentWords * 4 - leftOnStack;
}

// Every export is stdcall: it removes its own arguments. Zero arguments are
// harmless for all four (null pointers are survived, the about box is
// answered by the robot).
TEST_P(Exports, EachEntryPointRemovesItsArgumentBytes) {
    std::string error;
    auto module =
        host::PluginModule::Load(BuiltModulePath(GetParam().name), error);
    ASSERT_TRUE(module) << error;
    UiRobot robot;
    HMODULE handle = module->Handle();
    EXPECT_EQ(BytesRemovedByCallee(GetProcAddress(handle, "KZP_GetPlugInInfo"), 1), 4u);
    EXPECT_EQ(BytesRemovedByCallee(GetProcAddress(handle, "KZP_Init"), 1), 4u);
    EXPECT_EQ(BytesRemovedByCallee(GetProcAddress(handle, "KZP_InvokeCommand"), 2), 8u);
    EXPECT_EQ(BytesRemovedByCallee(GetProcAddress(handle, "KZP_ShowPlugInDialog"), 1), 4u);
    EXPECT_EQ(robot.Dialogs().size(), 1u) << "the about box was shown and answered";
}
#endif  // where 32-bit code runs; check_stdcall.sh reads the same from the files

INSTANTIATE_TEST_SUITE_P(AllModules, Exports, ::testing::ValuesIn(kModules), ModuleTestName);

}  // namespace
}  // namespace qx::test
