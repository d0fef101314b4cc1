#include "store/RegistryState.h"

#include "FakeWindow.h"
#include "core/Captions.h"
#include "platform/Error.h"
#include "platform/Registry.h"
#include "platform/Unicode.h"
#include "support/ScopedEnv.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace tarvel {
namespace {

using test::FakeWindow;
using test::ScopedEnv;
using test::ScriptedDialogs;
using test::TempDir;

class RegistryState : public ::testing::Test {
  protected:
    TempDir Home;
    ScopedEnv Config{"XDG_CONFIG_HOME", Home.path()};
    std::u16string Folder = U16(Home.file("Projects"));
    FakeWindow Window;
    ScriptedDialogs Dialogs;

    void SetUp() override { Home.write("Projects/.keep", ""); }
    void TearDown() override {
        ::chmod(Home.file("Oblenda").c_str(), 0700);
        TakeRegistryNotice();
    }

    TRegistry key() {
        TRegistry registry;
        EXPECT_TRUE(registry.OpenKey(kRegistryKey, true));
        return registry;
    }
    TRegistry existingKey() {
        TRegistry registry;
        EXPECT_TRUE(registry.OpenKey(kRegistryKey, false));
        return registry;
    }
    void load() { LoadRegistryState(Window, Window, Dialogs, Folder); }
};

TEST_F(RegistryState, FirstStartRestoresNothingThenClosingCreatesTheKey) {
    Home.write("Projects/Tool.ini", "");
    Window.Edit(EditBox::Edit6) = u"https://default.test/update.txt";
    FakeWindow before = Window;
    load();
    EXPECT_TRUE(Window.Projects.empty());
    EXPECT_EQ(Window.Edits, before.Edits);
    EXPECT_EQ(Window.LeftEdge, before.LeftEdge);
    EXPECT_FALSE(Window.Maximized);
    EXPECT_TRUE(Dialogs.Requests.empty());

    Window.Edit(EditBox::Edit1) = u" Tool ";
    SaveRegistryState(Window, Window, Dialogs);
    TRegistry registry = existingKey();
    EXPECT_EQ(registry.ReadString(u"Name"), u" Tool ");
    EXPECT_FALSE(registry.ReadBool(u"Maximized"));
    EXPECT_EQ(registry.ReadInteger(u"Left"), 200);
    EXPECT_EQ(registry.ReadInteger(u"Top"), 150);
    EXPECT_EQ(registry.ReadInteger(u"Width"), 640);
    EXPECT_EQ(registry.ReadInteger(u"Height"), 480);

    FakeWindow next;
    LoadRegistryState(next, next, Dialogs, Folder);
    EXPECT_EQ(next.Projects, std::vector<std::u16string>{u"Tool"});
    EXPECT_EQ(next.ProjectSelection, -1) << "' Tool ' is not 'Tool'";
}

TEST_F(RegistryState, ClosingMaximizedKeepsTheEarlierPlacement) {
    SaveRegistryState(Window, Window, Dialogs);
    Window.Maximized = true;
    Window.LeftEdge = -5000;
    SaveRegistryState(Window, Window, Dialogs);
    TRegistry registry = existingKey();
    EXPECT_TRUE(registry.ReadBool(u"Maximized"));
    EXPECT_EQ(registry.ReadInteger(u"Left"), 200);

    FakeWindow next;
    next.LeftEdge = 1;
    registry.WriteInteger(u"Left", 3000);
    LoadRegistryState(next, next, Dialogs, Folder);
    EXPECT_TRUE(next.Maximized);
    EXPECT_EQ(next.LeftEdge, 1) << "a maximized start reads no placement";
}

TEST_F(RegistryState, EachPlacementPairIsRestoredAsFarAsItGoes) {
    TRegistry registry = key();
    registry.WriteBool(u"Maximized", false);
    registry.WriteInteger(u"Left", -300);
    registry.WriteInteger(u"Width", 700);
    registry.WriteInteger(u"Height", 500);
    load();
    EXPECT_EQ(Window.LeftEdge, -300) << "a screen left of the primary one";
    EXPECT_EQ(Window.TopEdge, 150);
    EXPECT_EQ(Window.FrameWidth, 700);
    EXPECT_EQ(Window.FrameHeight, 500);

    registry.WriteString(u"Top", u"not a number");
    registry.WriteInteger(u"Left", 50);
    FakeWindow next;
    LoadRegistryState(next, next, Dialogs, Folder);
    EXPECT_EQ(next.LeftEdge, 50);
    EXPECT_EQ(next.TopEdge, 150);
    EXPECT_EQ(next.FrameWidth, 700);
}

struct OffScreenCase {
    int Left, Width, Top, Height;
    int ExpectedLeft, ExpectedTop;
};

TEST_F(RegistryState, WindowOffThePrimaryScreenComesBack) {
    const OffScreenCase cases[] = {
        {1300, 700, 100, 500, 10, 100}, {1220, 700, 100, 500, 1220, 100},
        {100, 700, 600, 500, 100, 10},  {100, 700, 580, 500, 100, 580},
        {2000, 700, 2000, 500, 10, 10},
    };
    TRegistry registry = key();
    registry.WriteBool(u"Maximized", false);
    for (const OffScreenCase& c : cases) {
        registry.WriteInteger(u"Left", c.Left);
        registry.WriteInteger(u"Top", c.Top);
        registry.WriteInteger(u"Width", c.Width);
        registry.WriteInteger(u"Height", c.Height);
        FakeWindow window;
        LoadRegistryState(window, window, Dialogs, Folder);
        EXPECT_EQ(window.LeftEdge, c.ExpectedLeft) << c.Left << "+" << c.Width;
        EXPECT_EQ(window.TopEdge, c.ExpectedTop) << c.Top << "+" << c.Height;
    }
}

TEST_F(RegistryState, CompleteLegacyKeyIsImportedInOrder) {
    TRegistry registry = key();
    registry.WriteString(u"Name", u"Legacy");
    registry.WriteString(u"MainExe", u"C:\\L\\l.exe");
    registry.WriteString(u"UpdateURL", u"https://l.test/u.txt");
    registry.WriteString(u"NewVersion", u"3.1");
    registry.WriteString(u"DownloadLink", u"https://l.test/s.exe");
    registry.WriteString(u"Changes", u"one\ntwo\rthree");
    registry.WriteInteger(u"Method", 0);
    registry.WriteString(u"Version", u"3.0");
    registry.WriteString(u"GUID", u"{L}");
    for (const char16_t* flag :
         {u"RequireAdmin", u"64bit", u"CheckUpdaterTitle", u"AllowChangeUpdate",
          u"CheckUseDownloader", u"AutoCheckForUpdate", u"AutoSilentUpdate",
          u"CheckSmartNotification", u"ReplaceMainExe", u"SupportOldVer"})
        registry.WriteBool(flag, true);
    registry.WriteInteger(u"UpdateFrequency", 2);
    registry.WriteInteger(u"SmartMethod", 1);
    registry.WriteString(u"UpdaterParameters", u"/x");
    registry.WriteString(u"CheckUpdaterParam", u"&old");
    registry.WriteString(u"URLParameters", u"&new");

    load();
    EXPECT_EQ(Window.Edits, (std::array<std::u16string, 9>{
                                u"Legacy", u"{L}", u"C:\\L\\l.exe", u"3.1", u"https://l.test/s.exe",
                                u"https://l.test/u.txt", u"/x", u"&new", u""}));
    EXPECT_EQ(Window.Memo, u"one\r\ntwo\r\nthree");
    EXPECT_EQ(Window.Indexes, (std::array<int, 4>{0, 2, 1, 0}));
    EXPECT_EQ(Window.Version, u"3.0");
    std::array<bool, 10> all;
    all.fill(true);
    EXPECT_EQ(Window.Checks, all);
    EXPECT_EQ(Window.Log,
              (std::vector<std::u16string>{u"Refresh", u"CheckBox7", u"CheckBox8", u"CheckBox1",
                                           u"CheckBox4", u"CheckBox2", u"CheckBox5", u"CheckBox9",
                                           u"CheckBox3", u"CheckBox6", u"CheckBox10"}));

    // An empty URLParameters still replaces the older key's value.
    FakeWindow other;
    registry.WriteString(u"URLParameters", u"");
    ImportLegacySettings(other, existingKey());
    EXPECT_EQ(other.Edit(EditBox::Edit8), u"");
}

TEST_F(RegistryState, LegacyImportWithoutUrlParametersKeepsTheOlderKey) {
    TRegistry registry = key();
    registry.WriteString(u"CheckUpdaterParam", u"&old");
    for (const char16_t* n : {u"Method", u"UpdateFrequency", u"SmartMethod"})
        registry.WriteInteger(n, 0);
    for (const char16_t* flag : {u"RequireAdmin", u"64bit", u"CheckUpdaterTitle",
                                 u"AllowChangeUpdate", u"CheckUseDownloader", u"AutoCheckForUpdate",
                                 u"AutoSilentUpdate", u"CheckSmartNotification", u"ReplaceMainExe"})
        registry.WriteBool(flag, false);
    Window.Check(CheckBox::CheckBox10) = true;
    load();
    EXPECT_EQ(Window.Edit(EditBox::Edit8), u"&old");
    EXPECT_TRUE(Window.Check(CheckBox::CheckBox10)) << "missing SupportOldVer ends the import";
}

TEST_F(RegistryState, KeyOfThisVersionImportsUpToMethod) {
    SaveRegistryState(Window, Window, Dialogs);
    TRegistry registry = existingKey();
    registry.WriteString(u"Name", u"Tool");
    Window.Edit(EditBox::Edit3) = u"C:\\a.exe";
    Window.Edit(EditBox::Edit6) = u"https://default.test/update.txt";
    Window.Edit(EditBox::Edit4) = u"1.2";
    Window.Edit(EditBox::Edit5) = u"https://default.test/setup.exe";
    Window.Memo = u"intro";
    Window.Index(ComboBox::ComboBox1) = 2;
    load();
    EXPECT_EQ(Window.Edit(EditBox::Edit1), u"Tool");
    for (EditBox box : {EditBox::Edit3, EditBox::Edit6, EditBox::Edit4, EditBox::Edit5})
        EXPECT_EQ(Window.Edit(box), u"");
    EXPECT_EQ(Window.Memo, u"");
    EXPECT_EQ(Window.Index(ComboBox::ComboBox1), 2);
    EXPECT_TRUE(Window.Log.empty()) << "no refresh, no check box";
    EXPECT_TRUE(Dialogs.Requests.empty());
}

TEST_F(RegistryState, RememberedNameSelectsItsProject) {
    Home.write("Projects/Tool.ini", "");
    Home.write("Projects/Other.ini", "");
    key().WriteString(u"Name", u"tool");
    load();
    ASSERT_GE(Window.ProjectSelection, 0);
    EXPECT_EQ(Window.Projects[size_t(Window.ProjectSelection)], u"Tool");
    EXPECT_TRUE(Window.Log.empty()) << "with projects listed nothing is imported";

    key().WriteString(u"Name", u"");
    FakeWindow next;
    LoadRegistryState(next, next, Dialogs, Folder);
    EXPECT_EQ(next.Projects.size(), 2u);
    EXPECT_EQ(next.ProjectSelection, -1);
}

TEST_F(RegistryState, NameOfAnotherTypeStopsTheStart) {
    Home.write("Projects/Tool.ini", "");
    key().WriteInteger(u"Name", 5);
    try {
        load();
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.message(), u"Invalid data type for 'Name'");
    }
    EXPECT_TRUE(Window.Projects.empty());
}

TEST_F(RegistryState, UnreadableStoreIsReportedOnceAndReplaced) {
    Home.write("Oblenda/registry.reg", "garbage");
    load();
    std::vector<MessageRequest> messages = Dialogs.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Icon, MessageIcon::Warning);
    EXPECT_EQ(messages[0].Caption, kMainWindowCaption);
    EXPECT_NE(messages[0].Text.find(U16(Home.file("Oblenda/registry.reg"))), std::u16string::npos);

    Window.Edit(EditBox::Edit1) = u"Tool";
    SaveRegistryState(Window, Window, Dialogs);
    EXPECT_EQ(Dialogs.Messages().size(), 1u);
    EXPECT_EQ(existingKey().ReadString(u"Name"), u"Tool");
}

TEST_F(RegistryState, FailedWriteAtClosingNamesTheValue) {
    SaveRegistryState(Window, Window, Dialogs);
    ASSERT_EQ(::chmod(Home.file("Oblenda").c_str(), 0500), 0);
    Window.Edit(EditBox::Edit1) = u"Changed";
    try {
        SaveRegistryState(Window, Window, Dialogs);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.message(), u"Failed to set data for 'Name'");
    }
    EXPECT_EQ(existingKey().ReadString(u"Name"), u"");
}

} // namespace
} // namespace tarvel
