#include "store/ProjectFolder.h"

#include "platform/Error.h"
#include "platform/Unicode.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

namespace tarvel {
namespace {

using test::PathExists;
using test::ScopedEnv;
using test::TempDir;

std::vector<std::string> entriesOf(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (dirent* e = ::readdir(dir))
            if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
                names.push_back(e->d_name);
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

class ProjectFolder : public ::testing::Test {
  protected:
    TempDir Home;
    ScopedEnv Config{"XDG_CONFIG_HOME", Home.path()};
    std::string Base = Home.file("Tarvel Updater");

    void TearDown() override { ::chmod(Base.c_str(), 0755); }
};

TEST_F(ProjectFolder, FirstStartMovesOlderProjectsIntoTheAppFolder) {
    for (const char* name : {"Old.ini", "Old.txt", "Uninstall.ini", "uninstall_2.ini",
                             "MyUninstall.ini", "readme.txt", ".hidden.ini", "keep.dat"})
        Home.write(std::string("Tarvel Updater/") + name, name);
    ASSERT_EQ(::mkdir((Base + "/notes.txt").c_str(), 0755), 0);

    std::u16string folder;
    PrepareProjectFolder(folder);
    EXPECT_EQ(folder, U16(Base + "/App"));
    EXPECT_EQ(entriesOf(Base + "/App"),
              (std::vector<std::string>{".hidden.ini", "MyUninstall.ini", "Old.ini", "Old.txt",
                                        "notes.txt", "readme.txt"}));
    EXPECT_EQ(entriesOf(Base),
              (std::vector<std::string>{"App", "Uninstall.ini", "keep.dat", "uninstall_2.ini"}));
    EXPECT_EQ(test::ReadBytes(Base + "/App/Old.ini"), "Old.ini");
}

TEST_F(ProjectFolder, ExistingAppFolderMovesNothing) {
    Home.write("Tarvel Updater/App/Kept.ini", "");
    Home.write("Tarvel Updater/Left.ini", "");
    std::u16string folder;
    PrepareProjectFolder(folder);
    EXPECT_EQ(folder, U16(Base + "/App"));
    EXPECT_TRUE(PathExists(Base + "/Left.ini"));
    EXPECT_FALSE(PathExists(Base + "/App/Left.ini"));
}

TEST_F(ProjectFolder, FolderThatCannotBeMadeRaisesItsCodesText) {
    std::u16string folder;
    try {
        PrepareProjectFolder(folder);
        FAIL() << "the base folder is missing";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.errorCode(), 3);
        EXPECT_EQ(e.message(), u"Invalid filename");
    }
    EXPECT_EQ(folder, U16(Base)) << "the folder stays the base";

    ASSERT_EQ(::mkdir(Base.c_str(), 0555), 0);
    try {
        PrepareProjectFolder(folder);
        FAIL() << "the base folder is read-only";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.errorCode(), 5);
        EXPECT_EQ(e.message(), u"File access denied");
    }
    EXPECT_EQ(folder, U16(Base));
}

TEST_F(ProjectFolder, IoErrorTextsByCode) {
    const std::pair<int, const char16_t*> cases[] = {
        {2, u"File not found"},     {3, u"Invalid filename"}, {4, u"Too many open files"},
        {5, u"File access denied"}, {183, u"I/O error 183"},  {0, u"I/O error 0"},
    };
    for (const auto& [code, text] : cases)
        EXPECT_EQ(IoErrorText(code), text) << code;
}

TEST_F(ProjectFolder, WithoutAppDataTheFolderStartsAtTheRoot) {
    ScopedEnv noConfig("XDG_CONFIG_HOME", "");
    ScopedEnv noHome("HOME", "");
    EXPECT_EQ(GetAppDataFolder(), u"");
    if (PathExists("/Tarvel Updater"))
        GTEST_SKIP() << "this machine has the folder at its root";
    std::u16string folder;
    EXPECT_THROW(PrepareProjectFolder(folder), EInOutError);
    EXPECT_EQ(folder, u"/Tarvel Updater");
}

} // namespace
} // namespace tarvel
