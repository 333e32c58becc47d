// The registration records as the host reads them, byte for byte.
#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "module_table.h"
#include "product_files.h"
#include "plugin_module.h"

namespace qx::test {
namespace {

using host::PluginModule;

std::unique_ptr<PluginModule> LoadBuilt(const char* name) {
    std::string error;
    auto module = PluginModule::Load(BuiltModulePath(name), error);
    EXPECT_TRUE(module) << error;
    return module;
}

template <size_t N>
void Put32(std::array<uint8_t, N>& bytes, size_t at, uint32_t value) {
    std::memcpy(bytes.data() + at, &value, 4);
}
template <size_t N>
void PutText(std::array<uint8_t, N>& bytes, size_t at, const char* text) {
    std::memcpy(bytes.data() + at, text, std::strlen(text));
}

std::array<uint8_t, 276> ExpectedCommandInfo(const ModuleFacts& facts) {
    std::array<uint8_t, 276> bytes{};
    Put32(bytes, 0, 1);
    Put32(bytes, 4, 56);
    PutText(bytes, 8, "JPG");
    PutText(bytes, 12, "BMP");
    PutText(bytes, 16, "TIF");
    PutText(bytes, 20, "FPX");
    PutText(bytes, 72, facts.description);
    PutText(bytes, 112, facts.description);
    PutText(bytes, 152, facts.description);
    PutText(bytes, 236, facts.commandName);
    return bytes;
}

// The 56 bytes before the commandInfo pointer, which the test compares on its own.
std::array<uint8_t, 56> ExpectedPlugInInfoWords(const ModuleFacts& facts) {
    std::array<uint8_t, 56> bytes{};
    Put32(bytes, 4, 100);
    PutText(bytes, 8, facts.description);
    Put32(bytes, 52, 1);
    return bytes;
}

template <size_t N>
std::array<uint8_t, N> Snapshot(const void* record) {
    std::array<uint8_t, N> bytes;
    std::memcpy(bytes.data(), record, N);
    return bytes;
}

class Registration : public ::testing::TestWithParam<ModuleFacts> {};

TEST_P(Registration, RecordsAreZeroBeforeInitAndExactAfterEveryInit) {
    const ModuleFacts& facts = GetParam();
    auto module = LoadBuilt(facts.name);
    ASSERT_TRUE(module);

    PlugInInfo* before = nullptr;
    EXPECT_EQ(module->GetPlugInInfo(&before), 0);
    ASSERT_NE(before, nullptr);
    EXPECT_EQ(Snapshot<sizeof(PlugInInfo)>(before), (std::array<uint8_t, sizeof(PlugInInfo)>{}));

    EXPECT_EQ(module->Init(0xDEADBEEF), 0);
    PlugInInfo* info = nullptr;
    module->GetPlugInInfo(&info);
    ASSERT_EQ(info, before) << "the record must stay at one address";
    ASSERT_NE(info->commandInfo, nullptr);
    EXPECT_EQ(Snapshot<276>(info->commandInfo), ExpectedCommandInfo(facts));
    EXPECT_EQ(Snapshot<56>(info), ExpectedPlugInInfoWords(facts));

    const auto command = Snapshot<276>(info->commandInfo);
    const auto plugIn = Snapshot<sizeof(PlugInInfo)>(info);
    EXPECT_EQ(module->Init(0), 0);
    EXPECT_EQ(Snapshot<276>(info->commandInfo), command);
    EXPECT_EQ(Snapshot<sizeof(PlugInInfo)>(info), plugIn);
}

// A host that hands us null pointers gets no crash and nothing written.
TEST_P(Registration, NullPointersFromTheHostAreSurvived) {
    auto module = LoadBuilt(GetParam().name);
    ASSERT_TRUE(module);
    EXPECT_EQ(module->GetPlugInInfo(nullptr), 0);
    EXPECT_EQ(module->Init(0), 0);
    EXPECT_EQ(module->GetPlugInInfo(nullptr), 0);
    InvokeRequest empty{};
    EXPECT_EQ(module->InvokeCommand(nullptr, nullptr), 0);
    EXPECT_EQ(module->InvokeCommand(&empty, nullptr), 0);
    InvokeRequest noArray{};
    noArray.photoCount = 3;  // a count, but no array behind it
    int32_t flag = 5;
    module->InvokeCommand(&noArray, &flag);
}

INSTANTIATE_TEST_SUITE_P(AllModules, Registration, ::testing::ValuesIn(kModules),
                         ModuleTestName);

}  // namespace
}  // namespace qx::test
