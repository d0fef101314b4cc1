#include "platform/Process.h"

#include "platform/SystemShell.h"
#include "platform/Unicode.h"
#include "support/LaunchStubs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace tarvel;
using namespace tarvel::test;

namespace {

class ProcessTest : public ::testing::Test {
  protected:
    // Only the stubs are on the PATH, so no real wine or xdg-open is found.
    ProcessTest() : Path(Dir.file("bin")) {}

    // A stub in its own folder that records into `record`.
    std::string stub(const std::string& name, const std::string& record = "record") {
        return WriteRecordingStub(Dir, name, Dir.file(record));
    }
    std::string record(const std::string& name = "record") const { return Dir.file(name); }

    TempDir Dir;
    PathOverride Path;
};

TEST_F(ProcessTest, StartsTheNamedProgramInTheWorkingFolderWithSplitArguments) {
    const std::string program = stub("app/Updater.exe");
    ASSERT_TRUE(
        StartProgram(u"Updater.exe", u"/S \"two words\" a\\\"b caf\u00e9", Dir.file16("app")));
    const auto rec = WaitForRecord(record());
    ASSERT_TRUE(rec);
    EXPECT_EQ(rec->Folder, Canonical(Dir.file("app")));
    EXPECT_EQ(rec->Argv,
              (std::vector<std::string>{program, "/S", "two words", "a\"b", "caf\xc3\xa9"}));
}

TEST_F(ProcessTest, NoParametersGiveNoArguments) {
    const std::string program = stub("app/Updater.exe");
    ASSERT_TRUE(StartProgram(u"Updater.exe", u"", Dir.file16("app")));
    const auto rec = WaitForRecord(record());
    ASSERT_TRUE(rec);
    EXPECT_EQ(rec->Argv, std::vector<std::string>{program});
}

TEST_F(ProcessTest, FindsTheNameWithoutRegardToCase) {
    const std::string program = stub("app/updater.EXE");
    ASSERT_TRUE(StartProgram(u"Updater.exe", u"/X", Dir.file16("app")));
    const auto rec = WaitForRecord(record());
    ASSERT_TRUE(rec);
    EXPECT_EQ(rec->Argv, (std::vector<std::string>{program, "/X"}));
}

TEST_F(ProcessTest, RunsInASessionOfItsOwn) {
    stub("app/Updater.exe");
    ASSERT_TRUE(StartProgram(u"Updater.exe", u"", Dir.file16("app")));
    const auto rec = WaitForRecord(record());
    ASSERT_TRUE(rec);
    EXPECT_EQ(rec->Session, rec->Pid);
    EXPECT_NE(rec->Session, static_cast<long>(getsid(0)));
}

TEST_F(ProcessTest, FailsWithoutStartingAnything) {
    stub("app/Updater.exe");
    Dir.write("app/plain.txt", "not a program\n");
    Dir.write("app/folder/keep", "");
    stub("bin/onpath");
    struct Case {
        std::u16string File;
        std::u16string Parameters;
        std::u16string Folder;
    };
    const Case cases[] = {
        {u"Missing.exe", u"", Dir.file16("app")},
        {u"Updater.exe", u"", Dir.file16("no-such-folder")},
        {u"Updater.exe", u"", Dir.path16()},
        {u"", u"", Dir.file16("app")},
        {u"plain.txt", u"", Dir.file16("app")},
        {u"folder", u"", Dir.file16("app")},
        {std::u16string(u"Updater.exe\0x", 13), u"", Dir.file16("app")},
        {u"Updater.exe", std::u16string(u"/S\0/X", 5), Dir.file16("app")},
        // A bare name with a working folder is not looked for on the PATH.
        {u"onpath", u"", Dir.file16("app")},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(StartProgram(c.File, c.Parameters, c.Folder)) << Utf16ToUtf8(c.File);
    EXPECT_FALSE(RecordAppears(record()));
}

TEST_F(ProcessTest, WindowsExecutableGoesThroughWine) {
    const std::string wine = stub("bin/wine");
    const std::string program = Dir.write("app/Updater.exe", WindowsExecutableBytes());
    ::chmod(program.c_str(), 0644);
    ASSERT_TRUE(StartProgram(u"Updater.exe", u"/Init \"C:\\My App\"", Dir.file16("app")));
    const auto rec = WaitForRecord(record());
    ASSERT_TRUE(rec);
    EXPECT_EQ(rec->Folder, Canonical(Dir.file("app")));
    EXPECT_EQ(rec->Argv, (std::vector<std::string>{wine, program, "/Init", "C:\\My App"}));
}

TEST_F(ProcessTest, WindowsExecutableWithoutWineFails) {
    Dir.write("app/Updater.exe", WindowsExecutableBytes());
    EXPECT_FALSE(StartProgram(u"Updater.exe", u"", Dir.file16("app")));
}

TEST(IsWindowsExecutable, NeedsBothSignatures) {
    TempDir dir;
    std::string movedHeader = WindowsExecutableBytes();
    movedHeader.replace(0x40, 4, std::string(4, '\0'));
    movedHeader.replace(0x78, 4, std::string("PE\0\0", 4));
    std::string farOffset = WindowsExecutableBytes();
    farOffset[0x3C] = 0;
    farOffset[0x3F] = 0x7F;
    std::string offsetHighBit = WindowsExecutableBytes();
    offsetHighBit[0x3F] = static_cast<char>(0xFF);
    std::string lateHeader = WindowsExecutableBytes();
    lateHeader[0x3C] = 0x78;
    lateHeader.replace(0x78, 4, std::string("PE\0\0", 4));
    const struct {
        std::string Bytes;
        bool Expected;
    } cases[] = {
        {WindowsExecutableBytes(), true},
        {lateHeader, true},
        {"MZ", false},
        {std::string("MZ") + std::string(62, '\0'), false},
        {movedHeader, false},
        {farOffset, false},
        {offsetHighBit, false},
        {WindowsExecutableBytes().substr(0, 0x42), false},
        {"#!/bin/sh\nexit 0\n", false},
        {"\x7f"
         "ELF\x02\x01\x01",
         false},
        {"", false},
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::string name = "f" + std::to_string(n++);
        dir.write(name, c.Bytes);
        EXPECT_EQ(IsWindowsExecutable(dir.file16(name)), c.Expected) << name;
    }
    EXPECT_FALSE(IsWindowsExecutable(dir.file16("missing")));
}

// The state letter of a process, or nothing once it is gone.
std::optional<char> processState(long pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat;
    if (!std::getline(in, stat))
        return std::nullopt;
    const size_t close = stat.rfind(')');
    if (close == std::string::npos || close + 2 >= stat.size())
        return std::nullopt;
    return stat[close + 2];
}

TEST_F(ProcessTest, NoZombieRemainsOnceTheProgramEnds) {
    stub("app/Updater.exe");
    ASSERT_TRUE(StartProgram(u"Updater.exe", u"", Dir.file16("app")));
    const auto rec = WaitForRecord(record());
    ASSERT_TRUE(rec);
    // Nothing else is started: the program must be reaped on its own.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::optional<char> state = processState(rec->Pid);
    while (state && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        state = processState(rec->Pid);
    }
    EXPECT_FALSE(state) << "process " << rec->Pid << " still there in state " << *state;
}

TEST_F(ProcessTest, OpenAddressHandsTheAddressToXdgOpen) {
    const std::string opener = stub("bin/xdg-open");
    SystemShell shell;
    ASSERT_TRUE(shell.OpenAddress(u"http://www.example.test/a b?x=1&y=\"2\";$(id)"));
    const auto rec = WaitForRecord(record());
    ASSERT_TRUE(rec);
    EXPECT_EQ(rec->Argv,
              (std::vector<std::string>{opener, "http://www.example.test/a b?x=1&y=\"2\";$(id)"}));
}

TEST_F(ProcessTest, OpenAddressRefusesWhatXdgOpenWouldMisread) {
    stub("bin/xdg-open");
    EXPECT_FALSE(OpenAddress(u""));
    EXPECT_FALSE(OpenAddress(u"--help"));
    EXPECT_FALSE(OpenAddress(std::u16string(u"http://a\0b", 10)));
    EXPECT_FALSE(RecordAppears(record()));
}

TEST_F(ProcessTest, OpenAddressWithoutXdgOpenFails) {
    EXPECT_FALSE(OpenAddress(u"http://www.example.test/"));
}

TEST_F(ProcessTest, OpenFolderOpensOnlyExistingFolders) {
    const std::string opener = stub("bin/xdg-open");
    Dir.write("projects/a.ini", "");
    EXPECT_FALSE(OpenFolder(Dir.file16("missing")));
    EXPECT_FALSE(OpenFolder(Dir.file16("projects/a.ini")));
    ASSERT_TRUE(OpenFolder(Dir.file16("projects")));
    const auto rec = WaitForRecord(record());
    ASSERT_TRUE(rec);
    EXPECT_EQ(rec->Argv, (std::vector<std::string>{opener, Dir.file("projects")}));
}

} // namespace
