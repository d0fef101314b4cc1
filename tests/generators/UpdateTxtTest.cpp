#include "generators/UpdateTxt.h"

#include "core/Captions.h"
#include "core/ProductSettings.h"
#include "generators/AnsiPage.h"
#include "platform/Error.h"
#include "platform/Unicode.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <set>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

namespace tarvel {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::u16string>;
using namespace std::string_literals;

const Lines kWorkedExample{u"[1.1]", u"Added new features", u"Fixed some bugs", u"",
                           u"[1.0]", u"Added new features", u"Fixed some bugs"};

const std::string kWorkedIni = "[Update]\r\nVersion=1.1\r\nURL=D\r\n\r\n"
                               "[1.1]\r\n0=Added new features\r\n1=Fixed some bugs\r\n\r\n"
                               "[1.0]\r\n0=Added new features\r\n1=Fixed some bugs\r\n\r\n";

class FakeWindow : public UpdateTxtWindow {
  public:
    int Focused = 0;
    void FocusUpdateUrl() override { ++Focused; }
};

// While it lives, a write that would make a file larger than `bytes` fails
// (EFBIG) instead of raising SIGXFSZ: a full disk, in effect.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        OldHandler = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &Old);
        rlimit limited = Old;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &Old);
        std::signal(SIGXFSZ, OldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit Old{};
    void (*OldHandler)(int) = nullptr;
};

class CreateUpdateTxtTest : public testing::Test {
  protected:
    test::AnsiPage Page{"1252"};
    test::TempDir Dir;
    test::ScriptedDialogs Dialogs;
    FakeWindow Window;
    UpdateTxtRequest Request;

    CreateUpdateTxtTest() {
        Request.UpdateUrl = u"https://www.host.test/files/update.txt";
        Request.NewVersion = u"1.1";
        Request.DownloadLink = u"D";
        Request.WhatsNewLines = kWorkedExample;
        Request.WhatsNewEmpty = false;
        Request.SupportOldVer = false;
        Request.WindowCaption = std::u16string(kMainWindowCaption);
    }

    // Runs the operation with the save dialog answering `path`.
    void RunSavingTo(const std::string& path) {
        Dialogs.SaveAnswers.push_back(U16(path));
        CreateUpdateTxt(Request, Dialogs, Window);
    }

    std::set<std::string> Entries(const std::string& folder) const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.insert(entry.path().filename().string());
        return names;
    }

    void ExpectOnlyMessage(const std::u16string& text, MessageIcon icon) {
        std::vector<MessageRequest> messages = Dialogs.Messages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(Utf16ToUtf8(messages[0].Text), Utf16ToUtf8(text));
        EXPECT_EQ(messages[0].Icon, icon);
        EXPECT_EQ(messages[0].Caption, kMainWindowCaption);
        EXPECT_EQ(messages[0].Buttons, MessageButtons::Ok);
    }
};

TEST_F(CreateUpdateTxtTest, WritesTheWorkedExampleByteForByte) {
    struct Case {
        const char* Name;
        Lines WhatsNew;
        bool Empty;
        bool Legacy;
        std::string Expected;
    };
    const std::string gapIni = "[Update]\r\nVersion=1.1\r\nURL=D\r\n\r\n"
                               "[1.1]\r\n0=Added new features\r\n2=Fixed some bugs\r\n\r\n";
    const Lines gap{u"[1.1]", u"Added new features", u"", u"Fixed some bugs"};
    const Case cases[] = {
        {"worked example", kWorkedExample, false, false, kWorkedIni},
        {"worked example with legacy lines", kWorkedExample, false, true,
         "1.1\r\nD\r\n[1.1]%nAdded new features%nFixed some bugs%n%n[1.0]%nAdded new "
         "features%nFixed some bugs%n\r\n\r\n" +
             kWorkedIni},
        {"empty line inside a section", gap, false, false, gapIni},
        {"empty line inside a section with legacy lines", gap, false, true,
         "1.1\r\nD\r\n[1.1]%nAdded new features%n%nFixed some bugs%n\r\n\r\n" + gapIni},
        {"empty box with legacy lines",
         {},
         true,
         true,
         "1.1\r\nD\r\n\r\n\r\n[Update]\r\nVersion=1.1\r\nURL=D\r\n\r\n"},
        {"only line breaks with legacy lines",
         {u"", u""},
         false,
         true,
         "1.1\r\nD\r\n%n%n\r\n\r\n[Update]\r\nVersion=1.1\r\nURL=D\r\n\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Dialogs.Requests.clear();
        Request.WhatsNewLines = c.WhatsNew;
        Request.WhatsNewEmpty = c.Empty;
        Request.SupportOldVer = c.Legacy;
        const std::string path = Dir.file("update.txt");
        RunSavingTo(path);
        EXPECT_EQ(test::ReadBytes(path), c.Expected);

        ASSERT_FALSE(Dialogs.Requests.empty());
        const auto* save = std::get_if<SaveFileRequest>(&Dialogs.Requests[0]);
        ASSERT_NE(save, nullptr);
        EXPECT_EQ(save->FileName, u"update.txt");
        ExpectOnlyMessage(u"Saved in:\r\n" + U16(path) +
                              u"\r\n\r\nNow you neeed to upload this file \"update.txt\" at "
                              u"your website:\r\nhttps://www.host.test/files/update.txt",
                          MessageIcon::Information);
    }
    EXPECT_EQ(Window.Focused, 0);
    EXPECT_EQ(Entries(Dir.path()), std::set<std::string>{"update.txt"});
}

TEST_F(CreateUpdateTxtTest, WarnsBeforeAskingForAFile) {
    const std::u16string urlWarning =
        u"Please enter the correct URL of Update Information File (location of the "
        u"\"update.txt\" file at your website).\r\nExample: " +
        std::u16string(kExampleUpdateUrl);
    const std::u16string fieldsWarning =
        u"Please enter a new version number and a link to download it.";
    struct Case {
        const char* Name;
        std::u16string Url, Version, Link;
        std::u16string Warning; // empty: no warning, the dialog comes
        int Focused;
    };
    const Case cases[] = {
        {"empty address", u"", u"1.1", u"D", urlWarning, 1},
        {"placeholder address", std::u16string(kDefaultUpdateUrl), u"1.1", u"D", urlWarning, 1},
        {"address checked before the fields", u"", u"", u"", urlWarning, 1},
        {"empty version", u"https://h.test/u.txt", u"", u"D", fieldsWarning, 0},
        {"empty link", u"https://h.test/u.txt", u"1.1", u"", fieldsWarning, 0},
        {"placeholder in another case passes", u"https://www.Example-vendor.test/update.txt",
         u"1.1", u"D", u"", 0},
        {"spaces only pass", u" ", u" ", u" ", u"", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Dialogs.Requests.clear();
        Window.Focused = 0;
        Request.UpdateUrl = c.Url;
        Request.NewVersion = c.Version;
        Request.DownloadLink = c.Link;
        if (c.Warning.empty())
            Dialogs.SaveAnswers.push_back(std::nullopt); // cancel at the dialog
        CreateUpdateTxt(Request, Dialogs, Window);
        EXPECT_EQ(Window.Focused, c.Focused);
        ASSERT_EQ(Dialogs.Requests.size(), 1u);
        if (c.Warning.empty()) {
            EXPECT_TRUE(std::holds_alternative<SaveFileRequest>(Dialogs.Requests[0]));
        } else {
            ExpectOnlyMessage(c.Warning, MessageIcon::Warning);
        }
    }
    EXPECT_TRUE(Entries(Dir.path()).empty());
}

TEST_F(CreateUpdateTxtTest, CancelWritesNothing) {
    const std::string old = Dir.write("update.txt", "old content\r\n");
    Request.SupportOldVer = true;
    Dialogs.SaveAnswers.push_back(std::nullopt);
    CreateUpdateTxt(Request, Dialogs, Window);
    EXPECT_TRUE(Dialogs.Messages().empty());
    EXPECT_EQ(test::ReadBytes(old), "old content\r\n");
    EXPECT_EQ(Entries(Dir.path()), std::set<std::string>{"update.txt"});
}

TEST_F(CreateUpdateTxtTest, ReplacesAnExistingFileWithoutKeepingItsSections) {
    // Deleting first keeps the old file's sections and encoding out.
    const std::string path =
        Dir.write("update.txt", "\xFF\xFE[\0O\0l\0d\0]\0\r\0\n\0k\0=\0v\0\r\0\n\0"s);
    Request.SupportOldVer = true;
    RunSavingTo(path);
    EXPECT_EQ(test::ReadBytes(path).substr(0, 24), "1.1\r\nD\r\n[1.1]%nAdded new");
    EXPECT_EQ(test::ReadBytes(path).find("Old"), std::string::npos);
}

TEST_F(CreateUpdateTxtTest, ReadOnlyFileIsLeftAsItWas) {
    const std::string old = "[Update]\r\nVersion=1.0\r\n\r\n";
    const std::string path = Dir.write("update.txt", old);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    Request.SupportOldVer = true;
    RunSavingTo(path);
    ExpectOnlyMessage(u"Unable to save the file:\r\n" + U16(path), MessageIcon::Warning);
    EXPECT_EQ(test::ReadBytes(path), old);
    EXPECT_EQ(Entries(Dir.path()), std::set<std::string>{"update.txt"});
}

TEST_F(CreateUpdateTxtTest, FailedWriteAfterDeletionKeepsTheOldFile) {
    const std::string old = "[Update]\r\nVersion=1.0\r\n\r\n";
    const std::string path = Dir.write("update.txt", old);
    Request.SupportOldVer = true;
    {
        FileSizeLimit limit(old.size() + 8); // the new file is larger
        RunSavingTo(path);
    }
    ExpectOnlyMessage(u"Unable to save the file:\r\n" + U16(path), MessageIcon::Warning);
    EXPECT_EQ(test::ReadBytes(path), old);
    EXPECT_EQ(Entries(Dir.path()), std::set<std::string>{"update.txt"});
}

TEST_F(CreateUpdateTxtTest, FailedLegacyRewriteRaisesAndKeepsTheIniPart) {
    const std::string path = Dir.file("update.txt");
    Request.SupportOldVer = true;
    Dialogs.SaveAnswers.push_back(U16(path));
    {
        FileSizeLimit limit(kWorkedIni.size() + 8); // room for the INI part only
        try {
            CreateUpdateTxt(Request, Dialogs, Window);
            ADD_FAILURE() << "no error raised";
        } catch (const Exception& e) {
            EXPECT_TRUE(Utf16ToUtf8(e.message()).starts_with("Cannot create file \"" + path))
                << e.what();
        }
    }
    EXPECT_TRUE(Dialogs.Messages().empty());
    EXPECT_EQ(test::ReadBytes(path), kWorkedIni);
    EXPECT_EQ(Entries(Dir.path()), std::set<std::string>{"update.txt"});
}

TEST_F(CreateUpdateTxtTest, FolderWithoutWritePermission) {
    const std::string folder = Dir.file("locked");
    const std::string existing = Dir.write("locked/update.txt", "old\r\n");
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    for (const char* name : {"update.txt", "new.txt"}) {
        SCOPED_TRACE(name);
        Dialogs.Requests.clear();
        const std::string path = folder + "/" + name;
        RunSavingTo(path);
        ExpectOnlyMessage(u"Unable to save the file:\r\n" + U16(path), MessageIcon::Warning);
    }
    EXPECT_EQ(test::ReadBytes(existing), "old\r\n");
    EXPECT_EQ(Entries(folder), std::set<std::string>{"update.txt"});
}

TEST_F(CreateUpdateTxtTest, UnreadableUndeletableFileRaisesTheLoadError) {
    const std::string path = Dir.write("update.txt", "secret\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0000), 0);
    Dialogs.SaveAnswers.push_back(U16(path));
    try {
        CreateUpdateTxt(Request, Dialogs, Window);
        ADD_FAILURE() << "no error raised";
    } catch (const Exception& e) {
        EXPECT_TRUE(Utf16ToUtf8(e.message()).starts_with("Cannot open file \"" + path + "\". "))
            << e.what();
    }
    EXPECT_TRUE(Dialogs.Messages().empty());
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    EXPECT_EQ(test::ReadBytes(path), "secret\r\n");
}

TEST_F(CreateUpdateTxtTest, Utf8CodePageWritesTheMark) {
    test::AnsiPage utf8("65001");
    Request.WhatsNewLines = {u"[1.1]", u"Caf\u00e9 \u20ac", u"lone \xD800 surrogate",
                             u"\U0001F600"};
    for (bool legacy : {false, true}) {
        SCOPED_TRACE(legacy);
        Request.SupportOldVer = legacy;
        const std::string path = Dir.file(legacy ? "legacy.txt" : "plain.txt");
        RunSavingTo(path);
        const std::string ini = "[Update]\r\nVersion=1.1\r\nURL=D\r\n\r\n[1.1]\r\n"
                                "0=Caf\xC3\xA9 \xE2\x82\xAC\r\n1=lone \xEF\xBF\xBD surrogate\r\n"
                                "2=\xF0\x9F\x98\x80\r\n\r\n";
        const std::string head = "1.1\r\nD\r\n[1.1]%nCaf\xC3\xA9 \xE2\x82\xAC%nlone \xEF\xBF\xBD "
                                 "surrogate%n\xF0\x9F\x98\x80%n\r\n\r\n";
        EXPECT_EQ(test::ReadBytes(path), "\xEF\xBB\xBF" + (legacy ? head : "") + ini);
    }
}

TEST_F(CreateUpdateTxtTest, AnsiPageReplacesWhatItCannotHold) {
    Request.WhatsNewLines = {u"[1.1]", u"Caf\u00e9 \u03a9 \U0001F600 \xDC00 \u0081"};
    Request.SupportOldVer = true;
    const std::string path = Dir.file("update.txt");
    RunSavingTo(path);
    // U+0081 is a byte of its own in 1252; it survives the rewrite too.
    const std::string line = "Caf\xE9 ? ?? ? \x81";
    EXPECT_EQ(test::ReadBytes(path), "1.1\r\nD\r\n[1.1]%n" + line +
                                         "%n\r\n\r\n[Update]\r\nVersion=1.1\r\nURL=D\r\n\r\n"
                                         "[1.1]\r\n0=" +
                                         line + "\r\n\r\n");
}

TEST_F(CreateUpdateTxtTest, NameOfThreeHundredCharacters) {
    std::string folder = Dir.path();
    while (folder.size() + 41 + 20 < 300)
        folder += "/" + std::string(40, 'd');
    fs::create_directories(folder);
    std::string path = folder + "/";
    path += std::string(300 - path.size() - 4, 'n') + ".txt";
    ASSERT_EQ(path.size(), 300u);
    Request.SupportOldVer = true;
    RunSavingTo(path);
    EXPECT_EQ(test::ReadBytes(path).substr(0, 8), "1.1\r\nD\r\n");
    EXPECT_TRUE(test::ReadBytes(path).ends_with(kWorkedIni));
    ASSERT_EQ(Dialogs.Messages().size(), 1u);
    EXPECT_EQ(Dialogs.Messages()[0].Icon, MessageIcon::Information);
}

TEST_F(CreateUpdateTxtTest, HostileLinesGiveACorrectFile) {
    struct Case {
        const char* Name;
        std::u16string Line;
        std::string Written;
    };
    const std::u16string longLine(100000, u'x');
    const Case cases[] = {
        {"100,000 characters", longLine, std::string(100000, 'x')},
        {"NUL characters", u"a\0b\0"s, "a\0b\0"s},
        {"lone surrogates", u"\xDBFF\xD800x\xDC00", "??x?"},
        {"equals signs", u"==a==b==", "==a==b=="},
        {"a header inside a value", u" [Update] ", " [Update] "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Dialogs.Requests.clear();
        Request.WhatsNewLines = {u"[1.1]", c.Line};
        Request.SupportOldVer = true;
        Request.NewVersion = c.Line;
        const std::string path = Dir.file("update.txt");
        RunSavingTo(path);
        EXPECT_EQ(test::ReadBytes(path),
                  c.Written + "\r\nD\r\n[1.1]%n" + c.Written + "%n\r\n\r\n[Update]\r\nVersion=" +
                      c.Written + "\r\nURL=D\r\n\r\n[1.1]\r\n0=" + c.Written + "\r\n\r\n");
        ASSERT_EQ(Dialogs.Messages().size(), 1u);
        EXPECT_EQ(Dialogs.Messages()[0].Icon, MessageIcon::Information);
    }
    EXPECT_EQ(Entries(Dir.path()), std::set<std::string>{"update.txt"});
}

TEST_F(CreateUpdateTxtTest, NameTheFileSystemCannotTakeTouchesNoOtherFile) {
    // A NUL would cut the name short at "victim.txt"; an unpaired surrogate
    // has no spelling of its own on disk.
    const std::string victim = Dir.write("victim.txt", "keep\r\n");
    const std::string replaced = Dir.write("victim\xEF\xBF\xBD.txt", "keep too\r\n");
    const std::u16string names[] = {Dir.file16("victim.txt") + u"\0.bak"s,
                                    Dir.file16("victim") + u"\xD800.txt",
                                    Dir.file16("victim") + u"\xDC00.txt", u""};
    for (const std::u16string& name : names) {
        Dialogs.Requests.clear();
        Dialogs.SaveAnswers.push_back(name);
        CreateUpdateTxt(Request, Dialogs, Window);
        ExpectOnlyMessage(u"Unable to save the file:\r\n" + name, MessageIcon::Warning);
    }
    EXPECT_EQ(test::ReadBytes(victim), "keep\r\n");
    EXPECT_EQ(test::ReadBytes(replaced), "keep too\r\n");
    EXPECT_EQ(Entries(Dir.path()).size(), 2u);
}

TEST_F(CreateUpdateTxtTest, NameWithoutExtensionIsUsedAsTyped) {
    const std::string path = Dir.file("update");
    RunSavingTo(path);
    EXPECT_EQ(test::ReadBytes(path), kWorkedIni);
    EXPECT_EQ(Entries(Dir.path()), std::set<std::string>{"update"});
}

} // namespace
} // namespace tarvel
