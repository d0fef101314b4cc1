#include "integration/OwnUpdater.h"

#include "core/ProductSettings.h"
#include "support/RecordingShell.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace tarvel;
using namespace tarvel::test;

namespace {

class OwnUpdaterTest : public ::testing::Test {
  protected:
    OwnUpdaterTest() : AppFolder(Dir.path16() + u"/") {}

    void installUpdater() const { Dir.write("Updater.exe", "stub"); }

    TempDir Dir;
    const std::u16string AppFolder; // as the tool has it: with its final separator
    RecordingShell Shell;
    ScriptedDialogs Dialogs;
};

TEST(ToolFolder, DropsTheFinalSeparatorExceptAtTheRoot) {
    EXPECT_EQ(ToolFolder(u"/opt/tarvel/"), u"/opt/tarvel");
    EXPECT_EQ(ToolFolder(u"/"), u"/");
}

TEST_F(OwnUpdaterTest, StartsSilentlyInTheToolFolder) {
    installUpdater();
    StartOwnUpdater(AppFolder, Shell);
    const std::vector<ShellCall> expected{{ShellCall::Start, u"Updater.exe", u"/S", Dir.path16()}};
    EXPECT_EQ(Shell.Calls, expected);
}

TEST_F(OwnUpdaterTest, MissingOwnUpdaterAtActivationDoesNothing) {
    Dir.write("Updater.exe/keep", ""); // a folder of that name is no program
    StartOwnUpdater(AppFolder, Shell);
    EXPECT_TRUE(Shell.Calls.empty());
    EXPECT_TRUE(Dialogs.Requests.empty());
}

TEST_F(OwnUpdaterTest, StatusBarLeftPanelOpensTheSiteRightOfItStartsTheUpdater) {
    installUpdater();
    const ShellCall site{ShellCall::Address, std::u16string(kProductSiteUrl), {}, {}};
    const ShellCall updater{ShellCall::Start, u"Updater.exe", u"", Dir.path16()};
    const struct {
        MouseButton Button;
        int X;
        std::vector<ShellCall> Calls;
    } cases[] = {
        {MouseButton::Left, 0, {site}},       {MouseButton::Left, 519, {site}},
        {MouseButton::Left, 520, {updater}},  {MouseButton::Left, 648, {updater}},
        {MouseButton::Left, 5000, {updater}}, {MouseButton::Right, 10, {}},
        {MouseButton::Right, 600, {}},        {MouseButton::Middle, 10, {}},
        {MouseButton::Other, 600, {}},
    };
    for (const auto& c : cases) {
        Shell.Calls.clear();
        StatusBarMouseDown(c.Button, c.X, AppFolder, Shell, Dialogs);
        EXPECT_EQ(Shell.Calls, c.Calls) << "x " << c.X;
    }
    EXPECT_TRUE(Dialogs.Requests.empty());
}

TEST_F(OwnUpdaterTest, StatusBarWithoutOwnUpdaterSaysToReinstall) {
    StatusBarMouseDown(MouseButton::Left, 520, AppFolder, Shell, Dialogs);
    EXPECT_TRUE(Shell.Calls.empty());
    const auto messages = Dialogs.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text, u"File Updater.exe is not found. Please reinstall the program.");
    EXPECT_EQ(messages[0].Caption, u"Tarvel Updater");
    EXPECT_EQ(messages[0].Icon, MessageIcon::Warning);
    // The site still opens from the left panel.
    StatusBarMouseDown(MouseButton::Left, 519, AppFolder, Shell, Dialogs);
    ASSERT_EQ(Shell.Calls.size(), 1u);
    EXPECT_EQ(Shell.Calls[0].What, ShellCall::Address);
    EXPECT_EQ(Dialogs.Messages().size(), 1u);
}

} // namespace
