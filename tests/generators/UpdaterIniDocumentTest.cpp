#include "generators/UpdaterIniDocument.h"

#include "platform/Unicode.h"

#include <gtest/gtest.h>

namespace tarvel {
namespace {

constexpr char kMark[] = "\xEF\xBB\xBF";

// The text a document writes, without its mark.
std::string Written(const TMemIniFile& ini) {
    std::string bytes = ini.Serialize();
    EXPECT_EQ(bytes.substr(0, 3), kMark);
    return bytes.substr(3);
}

TMemIniFile EmptyDocument() {
    return TMemIniFile::FromBytes(u"Updater.ini", "", TextEncoding::Utf8);
}

TEST(UpdaterIniDocument, DownloaderImpliedByEitherRule) {
    struct Case {
        bool ReplaceMainExe, AutoCheck, AutoSilent, Implied;
    };
    const Case cases[] = {
        {false, false, false, false}, {true, false, false, true},  {false, true, true, true},
        {false, true, false, false},  {false, false, true, false}, {true, true, true, true},
    };
    for (const Case& c : cases) {
        TProductSettings s;
        s.ReplaceMainExe = c.ReplaceMainExe;
        s.AutoCheckForUpdate = c.AutoCheck;
        s.AutoSilentUpdate = c.AutoSilent;
        EXPECT_EQ(DownloaderImplied(s), c.Implied)
            << c.ReplaceMainExe << c.AutoCheck << c.AutoSilent;
    }
}

TEST(UpdaterIniDocument, VersionBoxGoesUnderTheKeyOfTheMethod) {
    struct Case {
        int32_t Method;
        const char* Lines; // AppVersion, GUID and ReadMethod lines
    };
    const Case cases[] = {
        {kMethodRegistryGuid, "AppVersion=\r\nGUID={ABC}\r\nMainExe=ed.exe\r\nReadMethod=0\r\n"},
        {kMethodMainExecutable, "AppVersion=\r\nGUID=\r\nMainExe=ed.exe\r\nReadMethod=1\r\n"},
        {kMethodUpdaterIni, "AppVersion={ABC}\r\nGUID=\r\nMainExe=ed.exe\r\nReadMethod=2\r\n"},
        {kMethodNone, "AppVersion=\r\nGUID=\r\nMainExe=ed.exe\r\nReadMethod=-1\r\n"},
    };
    for (const Case& c : cases) {
        TProductSettings s;
        s.Name = u"Ed";
        s.MainExe = u"/opt/ed/ed.exe";
        s.Method = c.Method;
        TMemIniFile ini = EmptyDocument();
        WriteGeneralSection(ini, s, u"{ABC}", PathStyle::Posix);
        std::string text = Written(ini);
        // No edition given: no AppEdition line at all.
        EXPECT_NE(text.find("[General]\r\nAppName=Ed\r\n" + std::string(c.Lines)),
                  std::string::npos)
            << c.Method << "\n"
            << text;
    }
}

TEST(UpdaterIniDocument, MainExeIsTheFileNamePart) {
    struct Case {
        PathStyle Style;
        std::u16string MainExe;
        const char* Line;
    };
    const Case cases[] = {
        {PathStyle::Windows, u"D:\\Apps\\Sample Editor\\SampleEditor.exe",
         "MainExe=SampleEditor.exe\r\n"},
        {PathStyle::Windows, u"D:ed.exe", "MainExe=ed.exe\r\n"},
        {PathStyle::Windows, u"ed.exe", "MainExe=ed.exe\r\n"},
        {PathStyle::Posix, u"/opt/ed/ed", "MainExe=ed\r\n"},
        {PathStyle::Posix, u"", "MainExe=\r\n"},
    };
    for (const Case& c : cases) {
        TProductSettings s;
        s.MainExe = c.MainExe;
        TMemIniFile ini = EmptyDocument();
        WriteGeneralSection(ini, s, u"", c.Style);
        EXPECT_NE(Written(ini).find(c.Line), std::string::npos) << Utf16ToUtf8(c.MainExe);
    }
}

TEST(UpdaterIniDocument, ReplaceAppNameFirstPlaceholderOnlyWhenExactOneIsPresent) {
    struct Case {
        std::u16string Text, Name, Result;
    };
    const Case cases[] = {
        {u"<AppName> and <AppName>", u"Sample Editor", u"Sample Editor and <AppName>"},
        {u"only <appname> here", u"Sample Editor", u"only <appname> here"},
        {u"<APPNAME> before <AppName>", u"Sample Editor", u"Sample Editor before <AppName>"},
        {u"Check <AppName>", u"  Sample Editor ", u"Check   Sample Editor "},
        {u"Close", u"Sample Editor", u"Close"},
        {u"", u"Sample Editor", u""},
        // The name is put in once, never searched again.
        {u"<AppName>!", u"<AppName>", u"<AppName>!"},
        {u"<AppName>", u"", u""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReplaceAppName(c.Text, c.Name), c.Result) << Utf16ToUtf8(c.Text);
}

TEST(UpdaterIniDocument, LanguageStringsZeroToThirtyTwoInOrderWithGaps) {
    TMemIniFile language = TMemIniFile::FromBytes(u"English.txt",
                                                  "[Other]\r\n1=not this\r\n"
                                                  "[Updater]\r\n"
                                                  "32=last\r\n"
                                                  "33=beyond\r\n"
                                                  "100=far beyond\r\n"
                                                  "6=six\r\n"
                                                  "05=padded\r\n"
                                                  "5=\r\n"
                                                  "4=four <AppName>\r\n"
                                                  "0=zero\r\n"
                                                  "Title=ignored\r\n",
                                                  TextEncoding::Utf8);
    TMemIniFile ini = EmptyDocument();
    CopyLanguageStrings(language, ini, u"Ed");
    EXPECT_EQ(Written(ini), "[Updater]\r\n0=zero\r\n4=four Ed\r\n6=six\r\n32=last\r\n\r\n");
}

TEST(UpdaterIniDocument, LanguageWithoutUpdaterSectionAddsNothing) {
    TMemIniFile language =
        TMemIniFile::FromBytes(u"English.txt", "[Strings]\r\n0=zero\r\n", TextEncoding::Utf8);
    TMemIniFile ini = EmptyDocument();
    CopyLanguageStrings(language, ini, u"Ed");
    EXPECT_EQ(Written(ini), "");
}

} // namespace
} // namespace tarvel
