// The about box under the robot: only OK and Enter close it.
#include <gtest/gtest.h>

#include "module_table.h"
#include "product_files.h"
#include "plugin_module.h"
#include "ui_robot.h"

namespace qx::test {
namespace {

class AboutBox : public ::testing::TestWithParam<ModuleFacts> {};

TEST_P(AboutBox, EscapeCloseAndCancelLeaveItOpenThenEnterClosesIt) {
    std::string error;
    auto module =
        host::PluginModule::Load(BuiltModulePath(GetParam().name), error);
    ASSERT_TRUE(module) << error;
    UiRobot robot({Answer::Escape, Answer::Close, Answer::Cancel, Answer::Enter});
    EXPECT_EQ(module->ShowPlugInDialog(nullptr), 0);
    ASSERT_EQ(robot.Dialogs().size(), 1u);
    const DialogRecord& box = robot.Dialogs()[0];
    EXPECT_EQ(box.caption, "About");
    EXPECT_EQ(box.openAfterAnswer, (std::vector<bool>{true, true, true, false}));
}

TEST_P(AboutBox, OkButtonClosesItAtOnce) {
    std::string error;
    auto module =
        host::PluginModule::Load(BuiltModulePath(GetParam().name), error);
    ASSERT_TRUE(module) << error;
    UiRobot robot({Answer::Ok});
    EXPECT_EQ(module->ShowPlugInDialog(nullptr), 0);
    ASSERT_EQ(robot.Dialogs().size(), 1u);
    EXPECT_EQ(robot.Dialogs()[0].openAfterAnswer, (std::vector<bool>{false}));
}

INSTANTIATE_TEST_SUITE_P(AllModules, AboutBox, ::testing::ValuesIn(kModules), ModuleTestName);

}  // namespace
}  // namespace qx::test
