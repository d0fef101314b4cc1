#include "integration/TestUpdater.h"

#include "core/Captions.h"
#include "platform/Unicode.h"
#include "support/RecordingShell.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace tarvel;
using namespace tarvel::test;

namespace {

class TestUpdaterTest : public ::testing::Test {
  protected:
    TestUpdaterTest() {
        Dir.write("product/Updater.exe", "stub");
        Dir.write("product/Updater.ini", "[General]\r\n");
    }

    TestUpdaterResult run(std::u16string mainExe, std::u16string switches) {
        return TestUpdater({std::move(mainExe), std::move(switches), Caption}, Shell, Dialogs);
    }

    const std::u16string Caption{kMainWindowCaption};
    TempDir Dir;
    RecordingShell Shell;
    ScriptedDialogs Dialogs;
};

TEST_F(TestUpdaterTest, PassesTheSwitchTextWholeOnlyWhenItHoldsASlash) {
    const struct {
        std::u16string Switches;
        std::u16string Parameters;
    } cases[] = {
        {u"Switches", u""},       {u"", u""},     {u"/Init", u"/Init"},
        {u"word /X", u"word /X"}, {u"Init", u""}, {u"  /A /S ", u"  /A /S "},
    };
    for (const auto& c : cases) {
        Shell.Calls.clear();
        const TestUpdaterResult result = run(Dir.file16("product/app.exe"), c.Switches);
        EXPECT_EQ(result.TargetFolder, Dir.file16("product"));
        EXPECT_FALSE(result.FocusMainExe);
        const std::vector<ShellCall> expected{
            {ShellCall::Start, u"Updater.exe", c.Parameters, Dir.file16("product")}};
        EXPECT_EQ(Shell.Calls, expected) << Utf16ToUtf8(c.Switches);
    }
    EXPECT_TRUE(Dialogs.Messages().empty());
}

TEST_F(TestUpdaterTest, MissingFolderWarnsAndFocusesTheMainExecutable) {
    const struct {
        std::u16string MainExe;
        std::u16string TargetFolder;
    } cases[] = {
        {u"", u""},
        {u"app.exe", u""},
        {Dir.file16("missing/app.exe"), Dir.file16("missing")},
        // A file where the folder should be.
        {Dir.file16("product/Updater.ini/app.exe"), Dir.file16("product/Updater.ini")},
    };
    for (const auto& c : cases) {
        const TestUpdaterResult result = run(c.MainExe, u"/Init");
        EXPECT_EQ(result.TargetFolder, c.TargetFolder);
        EXPECT_TRUE(result.FocusMainExe);
    }
    EXPECT_TRUE(Shell.Calls.empty());
    const auto messages = Dialogs.Messages();
    ASSERT_EQ(messages.size(), std::size(cases));
    for (const MessageRequest& m : messages) {
        EXPECT_EQ(m.Text, u"Folder of the main executable file does not exist.");
        EXPECT_EQ(m.Caption, Caption);
        EXPECT_EQ(m.Icon, MessageIcon::Warning);
        EXPECT_EQ(m.Buttons, MessageButtons::Ok);
    }
}

TEST_F(TestUpdaterTest, MissingUpdaterFilesWarnAndStartNothing) {
    Dir.write("onlyexe/Updater.exe", "stub");
    Dir.write("onlyini/Updater.ini", "");
    Dir.write("empty/keep", "");
    Dir.write("dirs/Updater.exe/keep", "");
    Dir.write("dirs/Updater.ini", "");
    for (const char* folder : {"onlyexe", "onlyini", "empty", "dirs"}) {
        const std::u16string product = Dir.file16(std::string(folder) + "/app.exe");
        const TestUpdaterResult result = run(product, u"/S");
        EXPECT_EQ(result.TargetFolder, Dir.file16(folder));
        EXPECT_TRUE(result.FocusMainExe) << folder;
    }
    // A file in the root folder looks for the updater in the root.
    const TestUpdaterResult root = run(u"/app.exe", u"/S");
    EXPECT_EQ(root.TargetFolder, u"/");
    EXPECT_TRUE(Shell.Calls.empty());
    const auto messages = Dialogs.Messages();
    ASSERT_EQ(messages.size(), 5u);
    for (const MessageRequest& m : messages) {
        EXPECT_EQ(m.Text, u"File \"Updater.exe\" or/and \"Updater.ini\" not found.\r\n"
                          u"Click the \"Generate Updater.ini\" button.");
        EXPECT_EQ(m.Caption, Caption);
        EXPECT_EQ(m.Icon, MessageIcon::Warning);
    }
}

TEST_F(TestUpdaterTest, FindsTheUpdaterFilesWithoutRegardToCase) {
    Dir.write("other/updater.EXE", "stub");
    Dir.write("other/UPDATER.ini", "");
    run(Dir.file16("other/app.exe"), u"/X");
    const std::vector<ShellCall> expected{
        {ShellCall::Start, u"Updater.exe", u"/X", Dir.file16("other")}};
    EXPECT_EQ(Shell.Calls, expected);
    EXPECT_TRUE(Dialogs.Messages().empty());
}

} // namespace
