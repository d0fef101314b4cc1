#include "generators/UpdaterIniPaths.h"

#include "platform/Unicode.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace tarvel {
namespace {

using test::TempDir;

struct FolderCase {
    PathStyle Style;
    std::u16string MainExe;
    std::u16string Folder;
};

TEST(UpdaterIniPaths, TargetFolderIsTheFolderPartInBothStyles) {
    const FolderCase cases[] = {
        {PathStyle::Windows, u"D:\\Apps\\Sample Editor\\SampleEditor.exe",
         u"D:\\Apps\\Sample Editor"},
        {PathStyle::Windows, u"\\\\server\\share\\app.exe", u"\\\\server\\share"},
        {PathStyle::Windows, u"C:\\app.exe", u"C:\\"},
        {PathStyle::Windows, u"C:app.exe", u"C:"},
        {PathStyle::Windows, u"app.exe", u""},
        {PathStyle::Windows, u"", u""},
        {PathStyle::Posix, u"/opt/Sample Editor/editor", u"/opt/Sample Editor"},
        {PathStyle::Posix, u"/editor", u"/"},
        {PathStyle::Posix, u"editor", u""},
        {PathStyle::Posix, u"D:\\Apps\\editor.exe", u""},
    };
    for (const FolderCase& c : cases)
        EXPECT_EQ(TargetFolder(c.MainExe, c.Style), c.Folder) << Utf16ToUtf8(c.MainExe);
}

TEST(UpdaterIniPaths, OutputFilesFollowTheFolderWithASeparator) {
    EXPECT_EQ(TargetFile(u"D:\\Apps", u"Updater.ini", PathStyle::Windows),
              u"D:\\Apps\\Updater.ini");
    // A root folder keeps its separator, so two stand in a row.
    EXPECT_EQ(TargetFile(u"C:\\", u"Updater.exe", PathStyle::Windows), u"C:\\\\Updater.exe");
    EXPECT_EQ(TargetFile(u"/opt/app", u"Downloader.exe", PathStyle::Posix),
              u"/opt/app/Downloader.exe");
}

TEST(UpdaterIniPaths, LanguageFileLivesInTheLanguagesFolder) {
    EXPECT_EQ(LanguageFilePath(u"C:\\Tool\\", u"German", PathStyle::Windows),
              u"C:\\Tool\\Languages\\German.txt");
    EXPECT_EQ(LanguageFilePath(u"/opt/tool/", u"German", PathStyle::Posix),
              u"/opt/tool/Languages/German.txt");
}

TEST(UpdaterIniPaths, FindLanguageFileFallsBackToEnglishThenToNothing) {
    TempDir dir;
    std::u16string app = dir.path16() + u"/";
    EXPECT_EQ(FindLanguageFile(app, u"German"), std::nullopt);

    dir.write("Languages/English.txt", "[Updater]\n");
    EXPECT_EQ(FindLanguageFile(app, u"German"), U16(dir.file("Languages/English.txt")));
    EXPECT_EQ(FindLanguageFile(app, u""), U16(dir.file("Languages/English.txt")));

    dir.write("Languages/German.txt", "[Updater]\n");
    EXPECT_EQ(FindLanguageFile(app, u"German"), U16(dir.file("Languages/German.txt")));
}

} // namespace
} // namespace tarvel
