#include "platform/FileSystem.h"

#include "platform/Unicode.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

using namespace tarvel;
using tarvel::test::PathExists;
using tarvel::test::ReadBytes;
using tarvel::test::TempDir;

namespace {

namespace fs = std::filesystem;

class FileSystemTest : public ::testing::Test {
protected:
    // The names in the temporary folder, sorted.
    std::vector<std::string> entries(const std::string& sub = "") const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(sub.empty() ? Dir.path() : Dir.file(sub)))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempDir Dir;
};

std::vector<std::string> sortedUtf8(const std::vector<std::u16string>& names) {
    std::vector<std::string> out;
    for (const auto& n : names)
        out.push_back(Utf16ToUtf8(n));
    std::sort(out.begin(), out.end());
    return out;
}

using Names = std::vector<std::string>;

} // namespace

// ---------------------------------------------------------------- whole files

TEST_F(FileSystemTest, WriteCreatesAndReplacesLeavingNoTemporaryFile) {
    int err = 0;
    ASSERT_TRUE(WriteWholeFile(Dir.file16("a.ini"), "first", err));
    ASSERT_TRUE(WriteWholeFile(Dir.file16("a.ini"), "second", err));
    EXPECT_EQ(ReadBytes(Dir.file("a.ini")), "second");
    EXPECT_EQ(entries(), Names{"a.ini"});
}

// The temporary file must fit beside a target whose name is at the
// system's 255-byte limit.
TEST_F(FileSystemTest, WriteReplacesAFileWhoseNameIsAtTheLimit) {
    const std::string name = std::string(251, 'n') + ".txt";
    Dir.write(name, "old");
    int err = 0;
    ASSERT_TRUE(WriteWholeFile(Dir.file16(name), "new", err)) << err;
    EXPECT_EQ(ReadBytes(Dir.file(name)), "new");
    EXPECT_EQ(entries(), Names{name});
}

TEST_F(FileSystemTest, WriteKeepsTheModeOfAFileItReplaces) {
    std::string path = Dir.write("a.sh", "old");
    ::chmod(path.c_str(), 0750);
    int err = 0;
    ASSERT_TRUE(WriteWholeFile(U16(path), "new", err));
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0750u);
}

TEST_F(FileSystemTest, FailedWritesLeaveTheFolderAsItWas) {
    std::string readOnly = Dir.write("ro.ini", "keep");
    ::chmod(readOnly.c_str(), 0444);
    int err = 0;
    EXPECT_FALSE(WriteWholeFile(U16(readOnly), "x", err));
    EXPECT_EQ(err, EACCES);
    EXPECT_EQ(ReadBytes(readOnly), "keep");

    Dir.write("locked/in.ini", "keep");
    ::chmod(Dir.file("locked").c_str(), 0555);
    err = 0;
    EXPECT_FALSE(WriteWholeFile(Dir.file16("locked/in.ini"), "x", err));
    EXPECT_EQ(err, EACCES);
    EXPECT_EQ(ReadBytes(Dir.file("locked/in.ini")), "keep");
    EXPECT_EQ(entries("locked"), Names{"in.ini"});

    err = 0;
    fs::create_directory(Dir.file("folder"));
    EXPECT_FALSE(WriteWholeFile(Dir.file16("folder"), "x", err));
    EXPECT_NE(err, 0);
    EXPECT_EQ(entries(), (Names{"folder", "locked", "ro.ini"}));
}

TEST_F(FileSystemTest, ReadGivesTheBytesOrTheReason) {
    std::string bytes("a\0b\r\n", 5);
    Dir.write("a.bin", bytes);
    int err = 0;
    EXPECT_EQ(ReadWholeFile(Dir.file16("a.bin"), err), bytes);
    EXPECT_EQ(ReadWholeFile(Dir.file16("none"), err), std::nullopt);
    EXPECT_EQ(err, ENOENT);
    fs::create_directory(Dir.file("sub"));
    EXPECT_EQ(ReadWholeFile(Dir.file16("sub"), err), std::nullopt);
    EXPECT_EQ(err, EISDIR);
}

// ---------------------------------------------------------------- letter case

TEST_F(FileSystemTest, FindsTheOnlyEntryThatMatchesWithoutCase) {
    Dir.write("Tool.ini", "content");
    EXPECT_EQ(ResolvePathCase(Dir.file16("tool.ini")), Dir.file16("Tool.ini"));
    EXPECT_TRUE(FileExists(Dir.file16("TOOL.INI")));
    int err = 0;
    EXPECT_EQ(ReadWholeFile(Dir.file16("tool.ini"), err), "content");
    // Writing under another spelling replaces the one file.
    ASSERT_TRUE(WriteWholeFile(Dir.file16("tool.INI"), "new", err));
    EXPECT_EQ(entries(), Names{"Tool.ini"});
    EXPECT_EQ(ReadBytes(Dir.file("Tool.ini")), "new");
}

TEST_F(FileSystemTest, DoesNotGuessBetweenTwoMatches) {
    Dir.write("Tool.ini", "upper");
    Dir.write("tool.ini", "lower");
    EXPECT_EQ(ResolvePathCase(Dir.file16("TOOL.INI")), Dir.file16("TOOL.INI"));
    EXPECT_FALSE(FileExists(Dir.file16("TOOL.INI")));
    // A name that exists as written is taken as written.
    EXPECT_EQ(ResolvePathCase(Dir.file16("tool.ini")), Dir.file16("tool.ini"));
    int err = 0;
    EXPECT_EQ(ReadWholeFile(Dir.file16("Tool.ini"), err), "upper");
}

TEST_F(FileSystemTest, TellsFilesFromFolders) {
    Dir.write("f", "");
    fs::create_directory(Dir.file("d"));
    fs::create_symlink(Dir.file("f"), Dir.file("link"));
    fs::create_symlink(Dir.file("gone"), Dir.file("dangling"));
    EXPECT_TRUE(FileExists(Dir.file16("f")));
    EXPECT_FALSE(DirectoryExists(Dir.file16("f")));
    EXPECT_TRUE(DirectoryExists(Dir.file16("D")));
    EXPECT_FALSE(FileExists(Dir.file16("d")));
    EXPECT_TRUE(FileExists(Dir.file16("link")));
    EXPECT_FALSE(FileExists(Dir.file16("dangling")));
    EXPECT_FALSE(FileExists(u""));
    EXPECT_FALSE(DirectoryExists(u""));
}

// ---------------------------------------------------------------- folders

TEST_F(FileSystemTest, CreateDirReportsWindowsCodes) {
    EXPECT_EQ(CreateDir(Dir.file16("new")), 0);
    EXPECT_TRUE(DirectoryExists(Dir.file16("new")));
    EXPECT_EQ(CreateDir(Dir.file16("new")), kErrorAlreadyExists);
    EXPECT_EQ(CreateDir(Dir.file16("missing/new")), kErrorPathNotFound);
}

TEST_F(FileSystemTest, FindFilesMatchesWithoutCaseIncludingFoldersAndHiddenEntries) {
    for (const char* name : {"a.ini", "B.INI", ".hidden.ini", "c.txt", "ini", "x.ini.bak"})
        Dir.write(name, "");
    fs::create_directory(Dir.file("sub.Ini"));
    const struct {
        std::u16string_view Pattern;
        Names Expected;
    } cases[] = {
        {u"*.ini", {".hidden.ini", "B.INI", "a.ini", "sub.Ini"}},
        {u"?.INI", {"B.INI", "a.ini"}},
        {u"*", {".hidden.ini", "B.INI", "a.ini", "c.txt", "ini", "sub.Ini", "x.ini.bak"}},
        {u"*ini*", {".hidden.ini", "B.INI", "a.ini", "ini", "sub.Ini", "x.ini.bak"}},
        {u"c.txt", {"c.txt"}},
        {u"*.exe", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sortedUtf8(FindFiles(Dir.path16(), c.Pattern)), c.Expected)
            << Utf16ToUtf8(c.Pattern);
    EXPECT_TRUE(FindFiles(Dir.file16("missing"), u"*").empty());
}

// ---------------------------------------------------------------- delete, copy, move

TEST_F(FileSystemTest, DeleteRefusesReadOnlyFilesAndFolders) {
    std::string plain = Dir.write("plain", "");
    std::string readOnly = Dir.write("ro", "");
    ::chmod(readOnly.c_str(), 0444);
    fs::create_directory(Dir.file("d"));
    EXPECT_TRUE(DeleteFile(U16(plain)));
    EXPECT_FALSE(PathExists(plain));
    EXPECT_FALSE(DeleteFile(U16(readOnly)));
    EXPECT_TRUE(PathExists(readOnly));
    EXPECT_FALSE(DeleteFile(Dir.file16("d")));
    EXPECT_FALSE(DeleteFile(Dir.file16("none")));
}

TEST_F(FileSystemTest, CopyOverwritesOnlyWhenAllowed) {
    std::string from = Dir.write("from", "new");
    std::string to = Dir.write("to", "old");
    EXPECT_FALSE(CopyFile(U16(from), U16(to), true));
    EXPECT_EQ(ReadBytes(to), "old");
    EXPECT_TRUE(CopyFile(U16(from), U16(to), false));
    EXPECT_EQ(ReadBytes(to), "new");
    EXPECT_TRUE(CopyFile(U16(from), Dir.file16("fresh"), true));
    EXPECT_EQ(ReadBytes(Dir.file("fresh")), "new");

    std::string readOnly = Dir.write("ro", "old");
    ::chmod(readOnly.c_str(), 0444);
    EXPECT_FALSE(CopyFile(U16(from), U16(readOnly), false));
    EXPECT_EQ(ReadBytes(readOnly), "old");
    EXPECT_FALSE(CopyFile(Dir.file16("none"), Dir.file16("other"), false));
    EXPECT_EQ(entries(), (Names{"fresh", "from", "ro", "to"}));
}

TEST_F(FileSystemTest, MoveNeverReplaces) {
    std::string from = Dir.write("from", "a");
    std::string to = Dir.write("to", "b");
    EXPECT_FALSE(MoveFile(U16(from), U16(to)));
    EXPECT_EQ(ReadBytes(from), "a");
    EXPECT_EQ(ReadBytes(to), "b");
    // Not under another spelling of its name either.
    EXPECT_FALSE(MoveFile(U16(from), Dir.file16("TO")));
    EXPECT_EQ(entries(), (Names{"from", "to"}));

    EXPECT_TRUE(MoveFile(U16(from), Dir.file16("moved")));
    EXPECT_EQ(entries(), (Names{"moved", "to"}));
    EXPECT_FALSE(MoveFile(U16(from), Dir.file16("again")));
    // A file may take another spelling of its own name.
    EXPECT_TRUE(MoveFile(Dir.file16("to"), Dir.file16("To")));
    EXPECT_EQ(entries(), (Names{"To", "moved"}));
}
