#include "store/ProjectFiles.h"

#include "FakeWindow.h"
#include "core/Captions.h"
#include "platform/Error.h"
#include "platform/Unicode.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace tarvel {
namespace {

using test::FakeWindow;
using test::PathExists;
using test::ReadBytes;
using test::ScriptedDialogs;
using test::TempDir;

constexpr std::string_view kMark = "\xEF\xBB\xBF";

class ProjectFiles : public ::testing::Test {
  protected:
    TempDir Base;
    std::string FolderPath = Base.file("App");
    std::u16string Folder = U16(FolderPath);
    FakeWindow Window;
    ScriptedDialogs Dialogs;

    void SetUp() override { ASSERT_EQ(::mkdir(FolderPath.c_str(), 0755), 0); }
    void TearDown() override { ::chmod(FolderPath.c_str(), 0755); }

    std::string path(std::string_view name) const { return FolderPath + "/" + std::string(name); }
    void writeProject(std::string_view name, std::string_view body) const {
        Base.write("App/" + std::string(name), std::string(kMark) + std::string(body));
    }
    // The lines of a saved project file, without its mark.
    std::string projectText(std::string_view name) const {
        std::string bytes = ReadBytes(path(name));
        EXPECT_TRUE(bytes.starts_with(kMark));
        return bytes.substr(kMark.size());
    }
    void load(std::u16string_view name) {
        ListProjects(Window, Folder);
        Window.Choose(name);
        LoadProject(Window, Dialogs, Folder);
    }
    void fillWindow() {
        Window.Edit(EditBox::Edit1) = u"Tool";
        Window.Edit(EditBox::Edit9) = u"Pro";
        Window.Edit(EditBox::Edit3) = u"C:\\Tool\\tool.exe";
        Window.Edit(EditBox::Edit2) = u"{EDIT2}";
        Window.Guid = u"{GUID}";
        Window.Version = u"1.0";
        Window.Edit(EditBox::Edit6) = u"https://x.test/update.txt";
        Window.Edit(EditBox::Edit4) = u"2.0";
        Window.Edit(EditBox::Edit5) = u"https://x.test/setup.exe";
        Window.Index(ComboBox::ComboBox5) = 1;
        Window.Check(CheckBox::CheckBox7) = true;
        Window.Check(CheckBox::CheckBox3) = true;
        Window.Index(ComboBox::ComboBox2) = 3;
        Window.Index(ComboBox::ComboBox3) = 1;
        Window.Edit(EditBox::Edit7) = u"/silent";
        Window.Edit(EditBox::Edit8) = u"&lang=de";
    }
};

struct MethodCase {
    int Method;
    const char* GuidAndVersion;
};

TEST_F(ProjectFiles, SaveWritesTheKeyTableInOrderWithTheSourcesKeys) {
    const MethodCase cases[] = {
        {0, "GUID={EDIT2}\r\nVersion=1.0\r\n"},
        {1, "GUID={GUID}\r\nVersion=1.0\r\n"},
        {2, "Version={EDIT2}\r\nGUID={GUID}\r\n"},
        {-1, ""},
    };
    for (const MethodCase& c : cases) {
        SCOPED_TRACE(c.Method);
        fillWindow();
        Window.Index(ComboBox::ComboBox1) = c.Method;
        Window.Changed = true;
        Window.Modified.fill(true);
        SaveProject(Window, Dialogs, Folder);
        EXPECT_EQ(projectText("Tool.ini"),
                  "[Info]\r\nName=Tool\r\nAppEdition=Pro\r\nMainExe=C:\\Tool\\tool.exe\r\n"
                  "Method=" +
                      std::to_string(c.Method) + "\r\n" + c.GuidAndVersion +
                      "UpdateURL=https://x.test/update.txt\r\nNewVersion=2.0\r\n"
                      "DownloadLink=https://x.test/setup.exe\r\nLanguage=German\r\n"
                      "RequireAdmin=1\r\n64bit=0\r\nSupportOldVer=0\r\nCheckUpdaterTitle=0\r\n"
                      "AllowChangeUpdate=0\r\nCheckUseDownloader=0\r\nReplaceMainExe=0\r\n"
                      "AutoCheckForUpdate=0\r\nUpdateFrequency=3\r\nAutoSilentUpdate=0\r\n"
                      "CheckSmartNotification=1\r\nSmartMethod=1\r\n"
                      "UpdaterParameters=/silent\r\nURLParameters=&lang=de\r\n\r\n");
        EXPECT_FALSE(Window.HasUnsavedChanges());
        EXPECT_FALSE(PathExists(path("Tool.txt")));
    }
    EXPECT_TRUE(Dialogs.Messages().empty());
}

TEST_F(ProjectFiles, SavedProjectLoadsBackIntoTheWindow) {
    fillWindow();
    Window.Index(ComboBox::ComboBox1) = 0;
    Window.Check(CheckBox::CheckBox10) = true;
    Window.Memo = u"Fixed\r\nAdded";
    Button6Click(Window, Dialogs, Folder);
    ASSERT_EQ(Window.Projects, std::vector<std::u16string>{u"Tool"});
    EXPECT_EQ(Window.ProjectSelection, 0);

    FakeWindow saved = Window;
    Window = FakeWindow();
    Window.Memo = u"stale";
    load(u"Tool");
    EXPECT_EQ(Window.Edits,
              (std::array<std::u16string, 9>{
                  u"Tool", u"{EDIT2}", u"C:\\Tool\\tool.exe", u"2.0", u"https://x.test/setup.exe",
                  u"https://x.test/update.txt", u"/silent", u"&lang=de", u"Pro"}));
    EXPECT_EQ(Window.Indexes, saved.Indexes);
    EXPECT_EQ(Window.Checks, saved.Checks);
    EXPECT_EQ(Window.Memo, u"Fixed\r\nAdded");
    EXPECT_EQ(Window.Guid, u"{EDIT2}");
    EXPECT_EQ(Window.Version, u"1.0");
    // The source is refreshed once its inputs are in, before the check boxes.
    ASSERT_FALSE(Window.Log.empty());
    EXPECT_EQ(Window.Log.front(), u"Refresh");
    EXPECT_FALSE(Window.HasUnsavedChanges());
    EXPECT_TRUE(Dialogs.Messages().empty());
}

TEST_F(ProjectFiles, NamesAreUsedUntrimmedAndWithDots) {
    for (std::u16string name : {u"My.ini Tool", u" Tool "}) {
        SCOPED_TRACE(Utf16ToUtf8(name));
        Window = FakeWindow();
        Window.Edit(EditBox::Edit1) = name;
        Window.Memo = u"notes";
        Button6Click(Window, Dialogs, Folder);
        std::string file = Utf16ToUtf8(name);
        EXPECT_NE(projectText(file + ".ini").find("Name=" + file + "\r\n"), std::string::npos);
        EXPECT_EQ(ReadBytes(path(file + ".txt")), "notes");
        ASSERT_GE(Window.ProjectSelection, 0);
        EXPECT_EQ(Window.Projects[size_t(Window.ProjectSelection)], name);

        Window.Memo.clear();
        LoadProject(Window, Dialogs, Folder);
        EXPECT_EQ(Window.Memo, u"notes");

        Dialogs.Answers.push_back(MessageAnswer::Yes);
        Delete1Click(Window, Dialogs, Folder);
        EXPECT_FALSE(PathExists(path(file + ".ini")));
        EXPECT_FALSE(PathExists(path(file + ".txt")));
    }
}

TEST_F(ProjectFiles, BlankNameSavesNothingAndSaysNothing) {
    writeProject("Tool.ini", "[Info]\r\nName=Tool\r\n");
    for (std::u16string name : {u"", u"   ", u"\t "}) {
        Window.Edit(EditBox::Edit1) = name;
        Window.Changed = true;
        Button6Click(Window, Dialogs, Folder);
        EXPECT_FALSE(Window.Changed);
        EXPECT_EQ(Window.Projects, std::vector<std::u16string>{u"Tool"});
        EXPECT_EQ(Window.ProjectSelection, -1);
    }
    EXPECT_TRUE(Dialogs.Messages().empty());
    EXPECT_FALSE(PathExists(path(".ini")));
    EXPECT_FALSE(PathExists(path("   .ini")));
}

TEST_F(ProjectFiles, CompanionFollowsTheWhatsNewText) {
    Window.Edit(EditBox::Edit1) = u"Tool";
    Window.Memo = u"\r\n";
    SaveProject(Window, Dialogs, Folder);
    EXPECT_EQ(ReadBytes(path("Tool.txt")), "\r\n");
    Window.Memo.clear();
    SaveProject(Window, Dialogs, Folder);
    EXPECT_FALSE(PathExists(path("Tool.txt")));
    EXPECT_TRUE(PathExists(path("Tool.ini")));
}

TEST_F(ProjectFiles, CompanionKeepsItsEncodingForEverySave) {
    const std::string utf16be = std::string("\xFE\xFF") + Utf16ToUtf16BE(u"Größe\r\nNeu");
    writeProject("A.ini", "[Info]\r\nName=A\r\n");
    Base.write("App/A.txt", utf16be);
    load(u"A");
    EXPECT_EQ(Window.Memo, u"Größe\r\nNeu");
    EXPECT_EQ(Window.Encoding, TextEncoding::Utf16BE);
    SaveProject(Window, Dialogs, Folder);
    EXPECT_EQ(ReadBytes(path("A.txt")), utf16be);

    Window.Edit(EditBox::Edit1) = u"B";
    Window.Memo = u"x";
    SaveProject(Window, Dialogs, Folder);
    EXPECT_EQ(ReadBytes(path("B.txt")), std::string("\xFE\xFF\0x", 4));
}

TEST_F(ProjectFiles, MissingKeysLoadTheirDefaults) {
    writeProject("Bare.ini", "[Info]\r\nName=Bare\r\n");
    Window.Indexes = {2, 3, 1, 1};
    Window.Checks.fill(true);
    load(u"Bare");
    EXPECT_EQ(Window.Indexes, (std::array<int, 4>{1, 1, 0, 0}));
    EXPECT_EQ(Window.Checks, (std::array<bool, 10>{}));
    EXPECT_EQ(Window.Edit(EditBox::Edit8), u"");
    EXPECT_EQ(Window.Edit(EditBox::Edit2), Window.ExecutableVersion);
}

TEST_F(ProjectFiles, OutOfRangeChoicesSelectNothingAndSaveAsSuch) {
    writeProject("Odd.ini", "[Info]\r\nName=Odd\r\nMethod=7\r\nGUID=g\r\nVersion=v\r\n"
                            "Language=Klingon\r\nUpdateFrequency=x\r\n");
    load(u"Odd");
    EXPECT_EQ(Window.Index(ComboBox::ComboBox1), -1);
    EXPECT_EQ(Window.Index(ComboBox::ComboBox5), -1);
    EXPECT_EQ(Window.Index(ComboBox::ComboBox2), 1) << "a value that is no number reads as 1";
    SaveProject(Window, Dialogs, Folder);
    std::string text = projectText("Odd.ini");
    EXPECT_NE(text.find("Method=-1\r\nUpdateURL="), std::string::npos);
    EXPECT_EQ(text.find("GUID"), std::string::npos);
    EXPECT_EQ(text.find("Version="), text.find("NewVersion=") + 3);
    EXPECT_NE(text.find("Language=\r\n"), std::string::npos);
}

TEST_F(ProjectFiles, LanguageMatchesWithoutCase) {
    writeProject("L.ini", "[Info]\r\nName=L\r\nLanguage=gERMAN\r\n");
    Window.Index(ComboBox::ComboBox5) = -1;
    load(u"L");
    EXPECT_EQ(Window.Index(ComboBox::ComboBox5), 1);
}

TEST_F(ProjectFiles, OlderUrlParametersKeyIsReadAndReplaced) {
    writeProject("Old.ini", "[Info]\r\nName=Old\r\nCheckUpdaterParam=&a=1\r\nExtra=1\r\n");
    load(u"Old");
    EXPECT_EQ(Window.Edit(EditBox::Edit8), u"&a=1");
    SaveProject(Window, Dialogs, Folder);
    std::string text = projectText("Old.ini");
    EXPECT_NE(text.find("URLParameters=&a=1\r\n"), std::string::npos);
    EXPECT_EQ(text.find("CheckUpdaterParam"), std::string::npos);
    EXPECT_EQ(text.find("Extra"), std::string::npos);

    writeProject("Both.ini", "[Info]\r\nName=Both\r\nCheckUpdaterParam=old\r\nURLParameters=\r\n");
    load(u"Both");
    EXPECT_EQ(Window.Edit(EditBox::Edit8), u"") << "an empty URLParameters still wins";
}

TEST_F(ProjectFiles, NameKeyDecidesWhereTheNextSaveGoes) {
    writeProject("A.ini", "[Info]\r\nName=B\r\n");
    load(u"A");
    EXPECT_EQ(Window.Edit(EditBox::Edit1), u"B");
    Button6Click(Window, Dialogs, Folder);
    EXPECT_TRUE(PathExists(path("A.ini")));
    EXPECT_TRUE(PathExists(path("B.ini")));
}

TEST_F(ProjectFiles, ListSelectsTheProductWithoutRegardToCase) {
    writeProject("Tool.ini", "[Info]\r\n");
    writeProject("Other.INI", "[Info]\r\n");
    Base.write("App/notes.txt", "");
    Window.Edit(EditBox::Edit1) = u"tool";
    ListProjects(Window, Folder);
    std::vector<std::u16string> sorted = Window.Projects;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::vector<std::u16string>{u"Other", u"Tool"}));
    ASSERT_GE(Window.ProjectSelection, 0);
    EXPECT_EQ(Window.Projects[size_t(Window.ProjectSelection)], u"Tool");

    Window.Edit(EditBox::Edit1) = u"Nope";
    ListProjects(Window, Folder);
    EXPECT_EQ(Window.ProjectSelection, -1);

    ListProjects(Window, Folder + u"/missing");
    EXPECT_TRUE(Window.Projects.empty());
}

TEST_F(ProjectFiles, FolderNamedLikeAProjectIsListedButNotFound) {
    ASSERT_EQ(::mkdir(path("x.ini").c_str(), 0755), 0);
    load(u"x");
    EXPECT_EQ(Window.Projects, std::vector<std::u16string>{u"x"});
    ASSERT_EQ(Dialogs.Messages().size(), 1u);
    EXPECT_EQ(Dialogs.Messages()[0].Caption, kApplicationTitle);
    EXPECT_EQ(Dialogs.Messages()[0].Icon, MessageIcon::None);
    EXPECT_EQ(Dialogs.Messages()[0].Text, u"File not found: " + Folder + u"/x.ini");
}

TEST_F(ProjectFiles, InvalidProjectFileStopsTheLoadWithMemoEmptied) {
    Base.write("App/Bad.ini", "[Info]\r\nName=\xC3\x28\r\n");
    Window.Memo = u"old";
    Window.Edit(EditBox::Edit1) = u"keep";
    ListProjects(Window, Folder);
    Window.Choose(u"Bad");
    EXPECT_THROW(LoadProject(Window, Dialogs, Folder), Exception);
    EXPECT_EQ(Window.Memo, u"");
    EXPECT_FALSE(Window.Changed);
    EXPECT_EQ(Window.Edit(EditBox::Edit1), u"keep");
}

TEST_F(ProjectFiles, RemoveAsksThenDeletesBothFiles) {
    writeProject("Tool.ini", "[Info]\r\n");
    Base.write("App/Tool.txt", "x");
    load(u"Tool");
    Window.Changed = true;

    Dialogs.Answers.push_back(MessageAnswer::No);
    Delete1Click(Window, Dialogs, Folder);
    EXPECT_TRUE(PathExists(path("Tool.ini")));
    EXPECT_EQ(Window.ProjectSelection, 0);

    Dialogs.Answers.push_back(MessageAnswer::Yes);
    Delete1Click(Window, Dialogs, Folder);
    EXPECT_FALSE(PathExists(path("Tool.ini")));
    EXPECT_FALSE(PathExists(path("Tool.txt")));
    EXPECT_TRUE(Window.Projects.empty());
    EXPECT_EQ(Window.ProjectSelection, -1);
    EXPECT_TRUE(Window.Changed) << "removing leaves the unsaved-change state alone";

    std::vector<MessageRequest> messages = Dialogs.Messages();
    ASSERT_EQ(messages.size(), 3u);
    const std::u16string question =
        u"Remove settings for \"Tool\"?\r\rFile: " + Folder + u"/Tool.ini";
    for (int i : {0, 1}) {
        EXPECT_EQ(messages[size_t(i)].Text, question);
        EXPECT_EQ(messages[size_t(i)].Caption, kMainWindowCaption);
        EXPECT_EQ(messages[size_t(i)].Icon, MessageIcon::Question);
        EXPECT_EQ(messages[size_t(i)].Buttons, MessageButtons::YesNo);
    }
    EXPECT_EQ(messages[2].Text, u"Done");
    EXPECT_EQ(messages[2].Caption, kApplicationTitle);
}

TEST_F(ProjectFiles, RemoveOfAFileThatCannotGoKeepsItsCompanionAndSaysSo) {
    writeProject("Tool.ini", "[Info]\r\n");
    Base.write("App/Tool.txt", "notes");
    ASSERT_EQ(::chmod(path("Tool.ini").c_str(), 0444), 0);
    load(u"Tool");
    Dialogs.Answers.push_back(MessageAnswer::Yes);
    Delete1Click(Window, Dialogs, Folder);
    EXPECT_TRUE(PathExists(path("Tool.ini")));
    EXPECT_EQ(ReadBytes(path("Tool.txt")), "notes");
    EXPECT_EQ(Window.Projects, std::vector<std::u16string>{u"Tool"});
    EXPECT_EQ(Window.ProjectSelection, 0);
    std::vector<MessageRequest> messages = Dialogs.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].Icon, MessageIcon::Warning);
    EXPECT_NE(messages[1].Text.find(u"\"Tool\" could not be removed"), std::u16string::npos);
    EXPECT_NE(messages[1].Text.find(Folder + u"/Tool.ini"), std::u16string::npos);
}

TEST_F(ProjectFiles, RemoveWithoutSelectionOrFile) {
    Delete1Click(Window, Dialogs, Folder);
    EXPECT_TRUE(Dialogs.Requests.empty());
    Window.Projects = {u"Gone"};
    Window.ProjectSelection = 0;
    Delete1Click(Window, Dialogs, Folder);
    ASSERT_EQ(Dialogs.Messages().size(), 1u);
    EXPECT_EQ(Dialogs.Messages()[0].Text, u"File not found: " + Folder + u"/Gone.ini");
}

TEST_F(ProjectFiles, SwitchingOffersToSaveTheProductBeingLeft) {
    writeProject("A.ini", "[Info]\r\nName=A\r\nNewVersion=1\r\n");
    writeProject("B.ini", "[Info]\r\nName=B\r\nNewVersion=2\r\n");
    for (MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
        load(u"A");
        Window.Type(EditBox::Edit4, u"typed");
        Window.Choose(u"B");
        Dialogs.Answers.push_back(answer);
        ComboAppsChange(Window, Dialogs, Folder);
        EXPECT_EQ(Window.Edit(EditBox::Edit1), u"B");
        EXPECT_EQ(Dialogs.Messages().back().Text, u"Save changes for \"A\"?");
        bool saved = projectText("A.ini").find("NewVersion=typed") != std::string::npos;
        EXPECT_EQ(saved, answer == MessageAnswer::Yes);
        EXPECT_FALSE(Window.HasUnsavedChanges());
    }
    size_t asked = Dialogs.Messages().size();
    Window.Choose(u"A");
    ComboAppsChange(Window, Dialogs, Folder);
    EXPECT_EQ(Dialogs.Messages().size(), asked) << "nothing to save, nothing asked";
    EXPECT_EQ(Window.Edit(EditBox::Edit1), u"A");
}

TEST_F(ProjectFiles, NewSavesACopyUnderTheEnteredName) {
    writeProject("Tool.ini", "[Info]\r\nName=Tool\r\nNewVersion=old\r\n");
    Window.Edit(EditBox::Edit4) = u"current";
    Dialogs.InputAnswers.push_back(std::nullopt);
    New1Click(Window, Dialogs, Folder);
    EXPECT_NE(projectText("Tool.ini").find("NewVersion=old"), std::string::npos);
    ASSERT_EQ(Dialogs.Requests.size(), 1u);
    const auto& input = std::get<InputRequest>(Dialogs.Requests[0]);
    EXPECT_EQ(input.Caption, u"Tarvel Updater");
    EXPECT_EQ(input.Prompt, u"Enter Product Name:");
    EXPECT_EQ(input.Initial, u"");

    Dialogs.InputAnswers.push_back(u"Tool");
    New1Click(Window, Dialogs, Folder);
    EXPECT_NE(projectText("Tool.ini").find("NewVersion=current"), std::string::npos);
    EXPECT_EQ(Dialogs.Requests.size(), 2u) << "an existing project is overwritten unasked";
    EXPECT_EQ(Window.Projects, std::vector<std::u16string>{u"Tool"});
    EXPECT_EQ(Window.ProjectSelection, 0);
}

TEST_F(ProjectFiles, NameThatWouldLeaveTheFolderIsRefused) {
    for (std::u16string name : {u"../Escape", u"sub/dir", u"back\\slash", u".", u".."}) {
        SCOPED_TRACE(Utf16ToUtf8(name));
        Dialogs.Requests.clear();
        Window.Edit(EditBox::Edit1) = name;
        Window.Memo = u"text";
        Window.Focused.reset();
        Button6Click(Window, Dialogs, Folder);
        std::vector<MessageRequest> messages = Dialogs.Messages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].Icon, MessageIcon::Warning);
        EXPECT_NE(messages[0].Text.find(u"\"" + name + u"\" cannot be used"), std::u16string::npos);
        EXPECT_EQ(Window.Focused, EditBox::Edit1);
        EXPECT_TRUE(Window.Changed) << "nothing was stored";
    }
    EXPECT_TRUE(Window.Projects.empty());
    EXPECT_FALSE(PathExists(Base.file("Escape.ini")));
    EXPECT_FALSE(PathExists(Base.file("Escape.txt")));
}

TEST_F(ProjectFiles, FailedSaveLeavesTheWindowMarkedChanged) {
    writeProject("Locked.ini", "[Info]\r\nName=Locked\r\n");
    ASSERT_EQ(::chmod(path("Locked.ini").c_str(), 0444), 0);
    Window.Type(EditBox::Edit1, u"Locked");
    EXPECT_THROW(Button6Click(Window, Dialogs, Folder), Exception);
    EXPECT_TRUE(Window.Changed);
    EXPECT_TRUE(Window.Modified[0]);
    EXPECT_TRUE(Window.Projects.empty()) << "the list is not rebuilt";
    EXPECT_EQ(projectText("Locked.ini"), "[Info]\r\nName=Locked\r\n");

    // Only the companion fails: the project file is already written.
    ASSERT_EQ(::mkdir(path("Tool.txt").c_str(), 0755), 0);
    Window.SetSettingsChanged(false);
    Window.Type(EditBox::Edit1, u"Tool");
    Window.Memo = u"notes";
    EXPECT_THROW(SaveProject(Window, Dialogs, Folder), Exception);
    EXPECT_TRUE(Window.Changed);
    EXPECT_TRUE(PathExists(path("Tool.ini")));
}

TEST_F(ProjectFiles, CompanionThatCannotBeEmptiedIsAnError) {
    Window.Edit(EditBox::Edit1) = u"Tool";
    Window.Memo = u"notes";
    SaveProject(Window, Dialogs, Folder);
    ASSERT_EQ(::chmod(path("Tool.txt").c_str(), 0444), 0);
    Window.Memo.clear();
    EXPECT_THROW(SaveProject(Window, Dialogs, Folder), Exception);
    EXPECT_TRUE(Window.Changed);
    EXPECT_EQ(ReadBytes(path("Tool.txt")), "notes");
}

TEST_F(ProjectFiles, ProjectFolderThatCannotBeMadeIsReported) {
    std::u16string missing = Folder + u"/Sub";
    Window.Type(EditBox::Edit1, u"Tool");
    ASSERT_EQ(::chmod(FolderPath.c_str(), 0555), 0);
    SaveProject(Window, Dialogs, missing);
    ::chmod(FolderPath.c_str(), 0755);
    ASSERT_EQ(Dialogs.Messages().size(), 1u);
    EXPECT_EQ(Dialogs.Messages()[0].Text, u"Cannot create folder: " + missing);
    EXPECT_EQ(Dialogs.Messages()[0].Caption, kApplicationTitle);
    EXPECT_TRUE(Window.Changed) << "nothing was stored";
    EXPECT_TRUE(Window.Modified[0]);

    SaveProject(Window, Dialogs, missing);
    EXPECT_TRUE(PathExists(Utf16ToUtf8(missing) + "/Tool.ini")) << "one missing level is made";
    EXPECT_FALSE(Window.HasUnsavedChanges());
}

TEST_F(ProjectFiles, UnreadableCompanionIsReportedNotHidden) {
    writeProject("Tool.ini", "[Info]\r\nName=Tool\r\nNewVersion=3\r\n");
    Base.write("App/Tool.txt", "secret");
    ASSERT_EQ(::chmod(path("Tool.txt").c_str(), 0), 0);
    load(u"Tool");
    EXPECT_EQ(Window.Memo, u"");
    EXPECT_EQ(Window.Edit(EditBox::Edit4), u"3");
    EXPECT_FALSE(Window.Changed);
    std::vector<MessageRequest> messages = Dialogs.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Icon, MessageIcon::Warning);
    EXPECT_NE(messages[0].Text.find(Folder + u"/Tool.txt"), std::u16string::npos);
    EXPECT_NE(messages[0].Text.find(u"Permission denied"), std::u16string::npos);

    // A companion that is not valid UTF-8 behind its mark is reported too.
    ASSERT_EQ(::chmod(path("Tool.txt").c_str(), 0644), 0);
    Base.write("App/Tool.txt", "\xEF\xBB\xBF\xC3\x28");
    Dialogs.Requests.clear();
    load(u"Tool");
    EXPECT_EQ(Window.Memo, u"");
    EXPECT_EQ(Dialogs.Messages().size(), 1u);
    EXPECT_EQ(Window.Encoding, TextEncoding::Utf8);
}

TEST_F(ProjectFiles, OpenProjectFolderOnlyWhenItExists) {
    std::vector<std::u16string> opened;
    auto open = [&](const std::u16string& folder) { opened.push_back(folder); };
    OpenProjectFolder1Click(Folder, open);
    OpenProjectFolder1Click(Folder + u"/missing", open);
    EXPECT_EQ(opened, std::vector<std::u16string>{Folder});
}

} // namespace
} // namespace tarvel
