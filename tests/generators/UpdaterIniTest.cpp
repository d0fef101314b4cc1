#include "generators/UpdaterIni.h"

#include "core/Captions.h"
#include "generators/UpdaterIniMessages.h"
#include "platform/Error.h"
#include "platform/Unicode.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace tarvel {
namespace {

namespace fs = std::filesystem;
using test::PathExists;
using test::ReadBytes;
using test::ScriptedDialogs;
using test::TempDir;

constexpr char16_t kCaption[] = u"Tarvel Updater Pro 5.2 - Configuration Tool";

class RecordingWindow : public UpdaterIniWindow {
  public:
    std::vector<UpdaterIniControl> Focused;
    int Ticks = 0;
    std::vector<std::u16string> Targets;

    void FocusControl(UpdaterIniControl control) override { Focused.push_back(control); }
    void TickUseDownloader() override { ++Ticks; }
    void SetTargetFolder(const std::u16string& folder) override { Targets.push_back(folder); }
};

struct Shown {
    std::u16string Caption;
    std::u16string Text;
    MessageIcon Icon;

    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& s, std::ostream* os) {
    *os << Utf16ToUtf8(s.Caption) << " | " << Utf16ToUtf8(s.Text) << " | "
        << static_cast<int>(s.Icon);
}

Shown Warning(std::u16string_view text) {
    return {kCaption, std::u16string(text), MessageIcon::Warning};
}
Shown Error(std::u16string_view text) {
    return {kCaption, std::u16string(text), MessageIcon::Error};
}
Shown Info(std::u16string_view text) {
    return {kCaption, std::u16string(text), MessageIcon::Information};
}

// The tool's folder with stub programs and an English language file, and
// the product's folder with its main executable: the worked example.
class UpdaterIniRun : public testing::Test {
  protected:
    TempDir Dir;
    ScriptedDialogs Dialogs;
    RecordingWindow Window;
    std::string Tool = Dir.file("tool");
    std::string Product = Dir.file("Apps/Sample Editor");
    UpdaterIniRequest Request;

    void SetUp() override {
        Dir.write("tool/Updater.exe", "updater stub");
        Dir.write("tool/Downloader.exe", "downloader stub");
        Dir.write("tool/Languages/English.txt",
                  "[Updater]\r\n0=Updates for <AppName>\r\n1=\r\n2=Close\r\n");
        Dir.write("Apps/Sample Editor/SampleEditor.exe", "MZ");

        TProductSettings& s = Request.Settings;
        s.Name = u"Sample Editor";
        s.AppEdition = u"Home";
        s.MainExe = U16(Product + "/SampleEditor.exe");
        s.Method = kMethodMainExecutable;
        s.UpdateURL = u"Update.txt";
        s.RequireAdmin = true;
        s.Is64Bit = false;
        s.CheckUpdaterTitle = true;
        s.AllowChangeUpdate = true;
        s.AutoCheckForUpdate = true;
        s.AutoSilentUpdate = true;
        s.CheckSmartNotification = true;
        s.CheckUseDownloader = false;
        s.ReplaceMainExe = false;
        s.UpdateFrequency = 2;
        s.SmartMethod = 1;
        s.Language = u"English";
        Request.VersionBoxText = u"1.0.0.0";
        Request.AppFolder = U16(Tool + "/");
        Request.WindowCaption = kCaption;
    }

    void Run() { CreateUpdaterIni(Request, Dialogs, Window); }

    std::vector<Shown> Messages() const {
        std::vector<Shown> shown;
        for (const MessageRequest& m : Dialogs.Messages()) {
            EXPECT_EQ(m.Buttons, MessageButtons::Ok);
            shown.push_back({m.Caption, m.Text, m.Icon});
        }
        return shown;
    }

    std::string Out(const char* name) const { return Product + "/" + name; }
    std::u16string Success() const { return UpdaterIniSuccessMessage(U16(Product)); }
    std::string Ini() const { return ReadBytes(Out("Updater.ini")); }
};

TEST_F(UpdaterIniRun, WorkedExampleByteForByte) {
    Run();
    const std::string expected = "\xEF\xBB\xBF"
                                 "[General]\r\n"
                                 "AppName=Sample Editor\r\n"
                                 "AppEdition=Home\r\n"
                                 "AppVersion=\r\n"
                                 "GUID=\r\n"
                                 "MainExe=SampleEditor.exe\r\n"
                                 "ReadMethod=1\r\n"
                                 "UpdateURL=Update.txt\r\n"
                                 "AllUsers=1\r\n"
                                 "Admin=1\r\n"
                                 "x64=0\r\n"
                                 "CheckUpdaterTitle=1\r\n"
                                 "AllowChangeUpdate=1\r\n"
                                 "CheckUseDownloader=1\r\n"
                                 "ReplaceMainExecutable=0\r\n"
                                 "AutoCheckUpdate=1\r\n"
                                 "UpdateFrequency=2\r\n"
                                 "AutoSilentUpdate=1\r\n"
                                 "CheckSmartNotification=1\r\n"
                                 "UpdateSmartMethod=1\r\n"
                                 "UpdaterParameters=\r\n"
                                 "URLParameters=\r\n"
                                 "\r\n"
                                 "[Updater]\r\n"
                                 "0=Updates for Sample Editor\r\n"
                                 "2=Close\r\n"
                                 "\r\n";
    EXPECT_EQ(Ini(), expected);
    EXPECT_EQ(ReadBytes(Out("Updater.exe")), "updater stub");
    EXPECT_EQ(ReadBytes(Out("Downloader.exe")), "downloader stub");
    EXPECT_EQ(Messages(), std::vector<Shown>{Info(Success())});
    EXPECT_EQ(Window.Ticks, 1);
    EXPECT_EQ(Window.Targets, std::vector<std::u16string>{U16(Product)});
    EXPECT_TRUE(Window.Focused.empty());
}

struct CheckCase {
    const char* Name;
    std::function<void(UpdaterIniRequest&, const std::string& product)> Change;
    std::vector<std::u16string_view> Warnings; // in order, all with the warning icon
    std::vector<UpdaterIniControl> Focus;
    bool TargetSet;
    bool Written;
};

TEST_F(UpdaterIniRun, EachCheckWarnsFocusesAndStopsOrGoesOn) {
    const std::u16string url = UpdateUrlMessage();
    using C = UpdaterIniControl;
    const CheckCase cases[] = {
        {"empty name",
         [](auto& r, auto&) { r.Settings.Name = u""; },
         {kEnterProductNameMessage},
         {C::Edit1},
         false,
         false},
        {"blanks-only name",
         [](auto& r, auto&) { r.Settings.Name = u" \t\r\n "; },
         {kEnterProductNameMessage},
         {C::Edit1},
         false,
         false},
        {"GUID missing",
         [](auto& r, auto&) {
             r.Settings.Method = kMethodRegistryGuid;
             r.VersionBoxText = u"";
         },
         {kEnterProductGuidMessage},
         {C::Edit2},
         false,
         false},
        {"version missing",
         [](auto& r, auto&) {
             r.Settings.Method = kMethodUpdaterIni;
             r.VersionBoxText = u"";
         },
         {kEnterProductVersionMessage},
         {C::Edit2},
         false,
         false},
        {"main exe empty",
         [](auto& r, auto&) { r.Settings.MainExe = u""; },
         {kSpecifyMainExeMessage},
         {C::Edit3},
         true,
         false},
        {"main exe missing",
         [](auto& r, auto& p) { r.Settings.MainExe = U16(p + "/Gone.exe"); },
         {kSpecifyMainExeMessage},
         {C::Edit3},
         true,
         false},
        {"main exe folder missing",
         [](auto& r, auto& p) { r.Settings.MainExe = U16(p + "/gone/SampleEditor.exe"); },
         {kSpecifyMainExeMessage},
         {C::Edit3},
         true,
         false},
        {"main exe is a folder",
         [](auto& r, auto& p) { r.Settings.MainExe = U16(p); },
         {kSpecifyMainExeMessage},
         {C::Edit3},
         true,
         false},
        {"GUID method without a folder part",
         [](auto& r, auto&) {
             r.Settings.Method = kMethodRegistryGuid;
             r.Settings.MainExe = u"SampleEditor.exe";
         },
         {kSpecifyMainExeMessage},
         {C::Edit3},
         true,
         false},
        {"version method without main exe",
         [](auto& r, auto&) {
             r.Settings.Method = kMethodUpdaterIni;
             r.Settings.MainExe = u"";
         },
         {kSpecifyMainExeMessage},
         {C::Edit3},
         true,
         false},
        {"no version in the box",
         [](auto& r, auto&) { r.VersionBoxText = u""; },
         {kNoProductVersionMessage},
         {C::Edit3},
         true,
         true},
        {"no version and no URL",
         [](auto& r, auto&) {
             r.VersionBoxText = u"";
             r.Settings.UpdateURL = u"";
         },
         {kNoProductVersionMessage, url},
         {C::Edit3, C::Edit6},
         true,
         false},
        {"URL empty",
         [](auto& r, auto&) { r.Settings.UpdateURL = u""; },
         {url},
         {C::Edit6},
         true,
         false},
        {"URL placeholder",
         [](auto& r, auto&) { r.Settings.UpdateURL = std::u16string(kDefaultUpdateUrl); },
         {url},
         {C::Edit6},
         true,
         false},
        {"URL placeholder in capitals",
         [](auto& r, auto&) {
             r.Settings.UpdateURL = U16("HTTPS://WWW.EXAMPLE-VENDOR.TEST/UPDATE.TXT");
         },
         {},
         {},
         true,
         true},
        {"URL placeholder with a blank",
         [](auto& r, auto&) { r.Settings.UpdateURL = std::u16string(kDefaultUpdateUrl) + u" "; },
         {},
         {},
         true,
         true},
        {"GUID method, main exe not there",
         [](auto& r, auto& p) {
             r.Settings.Method = kMethodRegistryGuid;
             r.Settings.MainExe = U16(p + "/Gone.exe");
         },
         {},
         {},
         true,
         true},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TempDir dir;
        std::string product = dir.file("product");
        dir.write("product/SampleEditor.exe", "MZ");
        UpdaterIniRequest request = Request;
        request.Settings.MainExe = U16(product + "/SampleEditor.exe");
        c.Change(request, product);
        ScriptedDialogs dialogs;
        RecordingWindow window;

        CreateUpdaterIni(request, dialogs, window);

        std::vector<MessageRequest> shown = dialogs.Messages();
        size_t warnings = 0;
        for (; warnings < shown.size() && shown[warnings].Icon == MessageIcon::Warning; ++warnings)
            ;
        ASSERT_EQ(warnings, c.Warnings.size());
        for (size_t i = 0; i < warnings; ++i) {
            EXPECT_EQ(shown[i].Text, c.Warnings[i]);
            EXPECT_EQ(shown[i].Caption, kCaption);
        }
        EXPECT_EQ(window.Focused, c.Focus);
        EXPECT_EQ(window.Targets.size(), c.TargetSet ? 1u : 0u);
        EXPECT_EQ(PathExists(product + "/Updater.ini"), c.Written);
        EXPECT_EQ(PathExists(product + "/Updater.exe"), c.Written);
        // A run that writes ends with the success message.
        EXPECT_EQ(shown.size(), warnings + (c.Written ? 1 : 0));
    }
}

TEST_F(UpdaterIniRun, NameWithBlanksAroundItIsKeptEverywhere) {
    Request.Settings.Name = u"  Sample Editor ";
    Run();
    std::string ini = Ini();
    EXPECT_NE(ini.find("AppName=  Sample Editor \r\n"), std::string::npos);
    EXPECT_NE(ini.find("0=Updates for   Sample Editor \r\n"), std::string::npos);
}

TEST_F(UpdaterIniRun, NoVersionInTheBoxStillWritesAndCopies) {
    Request.VersionBoxText = u"";
    Run();
    EXPECT_EQ(Messages(), (std::vector<Shown>{Warning(kNoProductVersionMessage), Info(Success())}));
    EXPECT_NE(Ini().find("AppVersion=\r\nGUID=\r\nMainExe=SampleEditor.exe\r\nReadMethod=1\r\n"),
              std::string::npos);
    EXPECT_TRUE(PathExists(Out("Updater.exe")));
}

TEST_F(UpdaterIniRun, UseDownloaderTickedByEachRuleAndNeverCleared) {
    struct Case {
        const char* Name;
        bool Use, Replace, AutoCheck, AutoSilent;
        int Ticks;
        bool UseAfter;
    };
    const Case cases[] = {
        {"replace main exe", false, true, false, false, 1, true},
        {"silent automatic updates", false, false, true, true, 1, true},
        {"automatic but not silent", false, false, true, false, 0, false},
        {"silent but not automatic", false, false, false, true, 0, false},
        {"ticked by the user", true, false, false, false, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        fs::remove(Out("Downloader.exe"));
        UpdaterIniRequest request = Request;
        request.Settings.CheckUseDownloader = c.Use;
        request.Settings.ReplaceMainExe = c.Replace;
        request.Settings.AutoCheckForUpdate = c.AutoCheck;
        request.Settings.AutoSilentUpdate = c.AutoSilent;
        RecordingWindow window;
        CreateUpdaterIni(request, Dialogs, window);
        EXPECT_EQ(window.Ticks, c.Ticks);
        EXPECT_NE(Ini().find(c.UseAfter ? "CheckUseDownloader=1" : "CheckUseDownloader=0"),
                  std::string::npos);
        EXPECT_EQ(PathExists(Out("Downloader.exe")), c.UseAfter);
    }
}

TEST_F(UpdaterIniRun, MissingLanguageFallsBackToEnglishSilently) {
    Request.Settings.Language = u"German";
    Run();
    EXPECT_NE(Ini().find("[Updater]\r\n0=Updates for Sample Editor\r\n2=Close\r\n"),
              std::string::npos);
    EXPECT_EQ(Messages(), std::vector<Shown>{Info(Success())});

    Dir.write("tool/Languages/German.txt", "[Updater]\r\n2=Schlie\xC3\x9F"
                                           "en\r\n");
    Run();
    EXPECT_NE(Ini().find("[Updater]\r\n2=Schlie\xC3\x9F"
                         "en\r\n\r\n"),
              std::string::npos);
}

TEST_F(UpdaterIniRun, NoLanguageFileGivesPlainMessageAndNoUpdaterSection) {
    fs::remove(Tool + "/Languages/English.txt");
    Run();
    EXPECT_EQ(Messages(),
              (std::vector<Shown>{{std::u16string(kApplicationTitle),
                                   std::u16string(kLanguageFileNotFoundMessage), MessageIcon::None},
                                  Info(Success())}));
    EXPECT_EQ(Ini().find("[Updater]"), std::string::npos);
    EXPECT_TRUE(Ini().ends_with("URLParameters=\r\n\r\n"));
}

TEST_F(UpdaterIniRun, LanguageFileWithoutUpdaterSectionIsNoError) {
    Dir.write("tool/Languages/English.txt", "[Strings]\r\n0=zero\r\n");
    Run();
    EXPECT_EQ(Ini().find("[Updater]"), std::string::npos);
    EXPECT_EQ(Messages(), std::vector<Shown>{Info(Success())});
}

TEST_F(UpdaterIniRun, UnreadableLanguageFileEndsTheRunWithItsError) {
    struct Case {
        const char* Name;
        std::function<void()> Spoil;
        std::string MessageStart;
    };
    const std::string language = Tool + "/Languages/English.txt";
    const Case cases[] = {
        {"not UTF-8",
         [&] {
             Dir.write("tool/Languages/English.txt", "[Updater]\r\n0=Schlie\xDF"
                                                     "en\r\n");
         },
         "No mapping for the Unicode character exists in the target multi-byte code page"},
        {"cannot be opened", [&] { fs::permissions(language, fs::perms::none); },
         "Cannot open file \"" + language + "\". "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Dir.write("Apps/Sample Editor/Updater.ini", "[General]\r\nAppName=Old\r\n");
        c.Spoil();
        ScriptedDialogs dialogs;
        try {
            CreateUpdaterIni(Request, dialogs, Window);
            ADD_FAILURE() << "no error";
        } catch (const Exception& e) {
            EXPECT_EQ(Utf16ToUtf8(e.message()).rfind(c.MessageStart, 0), 0u) << e.what();
        }
        EXPECT_TRUE(dialogs.Messages().empty());
        EXPECT_FALSE(PathExists(Out("Updater.ini")));
        EXPECT_FALSE(PathExists(Out("Updater.exe")));
    }
}

TEST_F(UpdaterIniRun, ProductFolderWithoutWriteAccess) {
    Dir.write("Apps/Sample Editor/Updater.ini", "[General]\r\nAppName=Old\r\n");
    fs::permissions(Product, fs::perms::owner_read | fs::perms::owner_exec);
    Run();
    fs::permissions(Product, fs::perms::owner_all);
    EXPECT_EQ(Messages(),
              std::vector<Shown>{Error(U16("Cannot create file:\r\n" + Product +
                                           "/Updater.ini\r\nAccess denied.\r\nTry to launch "
                                           "this file with Administrator privileges."))});
    EXPECT_EQ(Ini(), "[General]\r\nAppName=Old\r\n");
    EXPECT_FALSE(PathExists(Out("Updater.exe")));
    EXPECT_FALSE(PathExists(Out("Downloader.exe")));
}

TEST_F(UpdaterIniRun, MissingFolderOfAnotherMethodCannotBeWritten) {
    Request.Settings.Method = kMethodUpdaterIni;
    Request.Settings.MainExe = U16(Product + "/gone/SampleEditor.exe");
    Run();
    EXPECT_EQ(Messages(), std::vector<Shown>{Error(
                              CannotCreateUpdaterIniMessage(U16(Product + "/gone/Updater.ini")))});
    EXPECT_FALSE(PathExists(Product + "/gone"));
}

TEST_F(UpdaterIniRun, UpdaterMissingBesideTheTool) {
    fs::remove(Tool + "/Updater.exe");
    Run();
    EXPECT_EQ(Messages(), std::vector<Shown>{Error(kUpdaterExeNotFoundMessage)});
    EXPECT_TRUE(PathExists(Out("Updater.ini")));
    EXPECT_FALSE(PathExists(Out("Updater.exe")));
    EXPECT_FALSE(PathExists(Out("Downloader.exe")));
}

TEST_F(UpdaterIniRun, CopyingUpdaterFailsStopsBeforeDownloader) {
    Dir.write("Apps/Sample Editor/Updater.exe", "locked");
    fs::permissions(Out("Updater.exe"), fs::perms::owner_read);
    Run();
    EXPECT_EQ(Messages(), std::vector<Shown>{Error(kErrorCopyingUpdaterMessage)});
    EXPECT_TRUE(PathExists(Out("Updater.ini")));
    EXPECT_EQ(ReadBytes(Out("Updater.exe")), "locked");
    EXPECT_FALSE(PathExists(Out("Downloader.exe")));
}

TEST_F(UpdaterIniRun, CopyingDownloaderFailsThenSuccess) {
    fs::remove(Tool + "/Downloader.exe");
    Run();
    EXPECT_EQ(Messages(),
              (std::vector<Shown>{Error(kErrorCopyingDownloaderMessage), Info(Success())}));
    EXPECT_TRUE(PathExists(Out("Updater.ini")));
    EXPECT_EQ(ReadBytes(Out("Updater.exe")), "updater stub");
    EXPECT_FALSE(PathExists(Out("Downloader.exe")));
}

TEST_F(UpdaterIniRun, RunningTwiceOverwritesTheCopies) {
    Run();
    Dir.write("tool/Updater.exe", "updater v2");
    Dir.write("tool/Downloader.exe", "downloader v2");
    Request.Settings.AppEdition = u"";
    Run();
    EXPECT_EQ(ReadBytes(Out("Updater.exe")), "updater v2");
    EXPECT_EQ(ReadBytes(Out("Downloader.exe")), "downloader v2");
    // The old file is gone, not merged: the edition line left with it.
    EXPECT_EQ(Ini().find("AppEdition"), std::string::npos);
    EXPECT_EQ(Messages(), (std::vector<Shown>{Info(Success()), Info(Success())}));
}

TEST_F(UpdaterIniRun, DownloaderFromAnEarlierRunStays) {
    Run();
    Request.Settings.AutoSilentUpdate = false;
    Dir.write("tool/Downloader.exe", "downloader v2");
    Run();
    EXPECT_NE(Ini().find("CheckUseDownloader=0"), std::string::npos);
    EXPECT_EQ(ReadBytes(Out("Downloader.exe")), "downloader stub");
}

} // namespace
} // namespace tarvel
