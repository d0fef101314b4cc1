// The handlers with the real shell: stub programs stand for the updaters,
// `wine` and `xdg-open`, and write down how they were started.
#include "core/Captions.h"
#include "core/ProductSettings.h"
#include "integration/OwnUpdater.h"
#include "integration/TestUpdater.h"
#include "integration/WebLinks.h"
#include "platform/SystemShell.h"
#include "platform/Unicode.h"
#include "support/LaunchStubs.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace tarvel;
using namespace tarvel::test;

namespace {

class LaunchThroughSystemTest : public ::testing::Test {
  protected:
    LaunchThroughSystemTest() : Path(Dir.file("bin")) {
        ProductUpdater = WriteRecordingStub(Dir, "product/Updater.exe", Dir.file("product.rec"));
        Dir.write("product/Updater.ini", "[General]\r\n");
        OwnUpdater = WriteRecordingStub(Dir, "tool/Updater.exe", Dir.file("tool.rec"));
        Opener = WriteRecordingStub(Dir, "bin/xdg-open", Dir.file("open.rec"));
    }

    // Runs `action` and returns what the stub recording into `record` saw.
    std::optional<StubRecord> recorded(const std::string& record,
                                       const std::function<void()>& action) {
        std::filesystem::remove(Dir.file(record));
        action();
        return WaitForRecord(Dir.file(record));
    }

    TestUpdaterResult testUpdater(const std::u16string& switches) {
        return TestUpdater(
            {Dir.file16("product/app.exe"), switches, std::u16string(kMainWindowCaption)}, Shell,
            Dialogs);
    }

    TempDir Dir;
    PathOverride Path;
    SystemShell Shell;
    ScriptedDialogs Dialogs;
    std::string ProductUpdater, OwnUpdater, Opener;
};

TEST_F(LaunchThroughSystemTest, EveryCallReachesItsProgram) {
    const std::string product = Canonical(Dir.file("product"));
    const std::string tool = Canonical(Dir.file("tool"));
    const std::u16string appFolder = Dir.file16("tool/");
    const std::string site = Utf16ToUtf8(kProductSiteUrl);
    const struct {
        const char* Name;
        std::string Record;
        std::function<void()> Action;
        std::string Folder; // empty: not checked
        std::vector<std::string> Argv;
    } rows[] = {
        {"test with a switch",
         "product.rec",
         [&] { testUpdater(u"word /X"); },
         product,
         {ProductUpdater, "word", "/X"}},
        {"test without a switch",
         "product.rec",
         [&] { testUpdater(u"Switches"); },
         product,
         {ProductUpdater}},
        {"own updater at activation",
         "tool.rec",
         [&] { StartOwnUpdater(appFolder, Shell); },
         tool,
         {OwnUpdater, "/S"}},
        {"right status panel",
         "tool.rec",
         [&] { StatusBarMouseDown(MouseButton::Left, 520, appFolder, Shell, Dialogs); },
         tool,
         {OwnUpdater}},
        {"left status panel",
         "open.rec",
         [&] { StatusBarMouseDown(MouseButton::Left, 519, appFolder, Shell, Dialogs); },
         "",
         {Opener, site}},
        {"help",
         "open.rec",
         [&] { OpenHelpPage(Shell); },
         "",
         {Opener, site + "/how-to-use.html?vid=5.2"}},
        {"more info",
         "open.rec",
         [&] { OpenMoreInfoPage(Shell); },
         "",
         {Opener, site + "/update-information-file.html"}},
        {"open",
         "open.rec",
         [&] { OpenUpdateAddress(kDefaultUpdateUrl, kMainWindowCaption, Shell, Dialogs); },
         "",
         {Opener, Utf16ToUtf8(kDefaultUpdateUrl)}},
    };
    for (const auto& row : rows) {
        const auto rec = recorded(row.Record, row.Action);
        ASSERT_TRUE(rec) << row.Name;
        if (!row.Folder.empty()) {
            EXPECT_EQ(rec->Folder, row.Folder) << row.Name;
        }
        EXPECT_EQ(rec->Argv, row.Argv) << row.Name;
    }
    EXPECT_TRUE(Dialogs.Requests.empty());
}

TEST_F(LaunchThroughSystemTest, WindowsUpdaterIsTestedThroughWine) {
    const std::string wine = WriteRecordingStub(Dir, "bin/wine", Dir.file("wine.rec"));
    const std::string updater = Dir.write("winapp/Updater.exe", WindowsExecutableBytes());
    Dir.write("winapp/Updater.ini", "");
    const auto rec = recorded("wine.rec", [&] {
        TestUpdater({Dir.file16("winapp/app.exe"), u"/Init", std::u16string(kMainWindowCaption)},
                    Shell, Dialogs);
    });
    ASSERT_TRUE(rec);
    EXPECT_EQ(rec->Folder, Canonical(Dir.file("winapp")));
    EXPECT_EQ(rec->Argv, (std::vector<std::string>{wine, updater, "/Init"}));
}

TEST_F(LaunchThroughSystemTest, RefusedOpenAndMissingUpdaterIniStartNothing) {
    std::filesystem::remove(Dir.file("product/Updater.ini"));
    EXPECT_TRUE(testUpdater(u"/Init").FocusMainExe);
    OpenUpdateAddress(u"product/Updater.exe", kMainWindowCaption, Shell, Dialogs);
    EXPECT_FALSE(RecordAppears(Dir.file("product.rec")));
    EXPECT_FALSE(RecordAppears(Dir.file("open.rec")));
    EXPECT_EQ(Dialogs.Messages().size(), 2u);
}

} // namespace
