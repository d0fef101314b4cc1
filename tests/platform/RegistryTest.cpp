#include "platform/Registry.h"

#include "platform/Unicode.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarvel {
namespace {

using test::ReadBytes;
using test::ScopedEnv;
using test::TempDir;

std::string dword(uint32_t n) {
    std::string data;
    for (int i = 0; i < 4; ++i)
        data += static_cast<char>((n >> (8 * i)) & 0xFF);
    return data;
}

std::vector<std::string> entriesOf(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (dirent* e = ::readdir(dir))
            if (e->d_name[0] != '.')
                names.push_back(e->d_name);
        ::closedir(dir);
    }
    return names;
}

class RegistryStore : public ::testing::Test {
  protected:
    TempDir Home;
    ScopedEnv Config{"XDG_CONFIG_HOME", Home.file("config")};
    std::string Folder = Home.file("config/Oblenda");
    std::string File = Folder + "/registry.reg";

    void TearDown() override {
        ::chmod(Folder.c_str(), 0700);
        TakeRegistryNotice();
    }
};

TEST_F(RegistryStore, CreatesKeysWithTheirParentsAndKeepsValues) {
    EXPECT_EQ(RegistryFilePath(), U16(File));
    EXPECT_FALSE(RegistryKey::Open(u"Software\\Oblenda\\Tarvel Updater"));
    std::optional<RegistryKey> key = RegistryKey::Create(u"Software\\Oblenda\\Tarvel Updater");
    ASSERT_TRUE(key);
    // A new key is in the file before any value is set.
    EXPECT_TRUE(RegistryKey::Open(u"Software\\Oblenda\\Tarvel Updater"));
    EXPECT_TRUE(RegistryKey::Open(u"software\\oblenda"));
    ASSERT_TRUE(key->SetValue(u"Left", kRegDword, dword(42)));

    std::optional<RegistryKey> again = RegistryKey::Open(u"SOFTWARE\\Oblenda\\tarvel updater");
    ASSERT_TRUE(again);
    std::optional<RegistryData> left = again->QueryValue(u"left");
    ASSERT_TRUE(left);
    EXPECT_EQ(left->Type, kRegDword);
    EXPECT_EQ(left->Bytes, dword(42));
    EXPECT_FALSE(again->QueryValue(u"Top"));

    std::string text = Utf16ToUtf8(Utf16LEToUtf16(ReadBytes(File).substr(2)));
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software]\r\n"), std::string::npos);
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Oblenda\\Tarvel Updater]\r\n"
                        "\"Left\"=dword:0000002a\r\n"),
              std::string::npos);
}

TEST_F(RegistryStore, WithoutAnyFolderNothingOpensOrIsCreated) {
    ScopedEnv noConfig("XDG_CONFIG_HOME", "");
    ScopedEnv noHome("HOME", "");
    EXPECT_EQ(RegistryFilePath(), u"");
    EXPECT_FALSE(RegistryKey::Create(u"Software\\X"));
    EXPECT_FALSE(RegistryKey::Open(u"Software"));
}

TEST_F(RegistryStore, UnreadableFileIsMovedAsideNotOverwritten) {
    const std::string garbage = "this is not a registry file\r\n";
    Home.write("config/Oblenda/registry.reg", garbage);

    EXPECT_FALSE(RegistryKey::Open(u"Software"));
    std::vector<std::string> names = entriesOf(Folder);
    std::string aside;
    for (const std::string& name : names)
        if (name.starts_with("registry.reg.corrupt-"))
            aside = name;
    ASSERT_FALSE(aside.empty());
    EXPECT_EQ(ReadBytes(Folder + "/" + aside), garbage);
    EXPECT_FALSE(test::PathExists(File));

    std::optional<std::u16string> notice = TakeRegistryNotice();
    ASSERT_TRUE(notice);
    EXPECT_NE(notice->find(U16(File)), std::u16string::npos);
    EXPECT_NE(notice->find(U16(Folder + "/" + aside)), std::u16string::npos);
    EXPECT_FALSE(TakeRegistryNotice()) << "the user is told once";

    std::optional<RegistryKey> key = RegistryKey::Create(u"Software\\T");
    ASSERT_TRUE(key);
    EXPECT_TRUE(key->SetValue(u"x", kRegDword, dword(1)));
    EXPECT_EQ(ReadBytes(Folder + "/" + aside), garbage);
    EXPECT_FALSE(TakeRegistryNotice());
}

TEST_F(RegistryStore, UnreadableFileThatCannotMoveIsLeftAlone) {
    const std::string garbage = "\xFF\xFE garbage";
    Home.write("config/Oblenda/registry.reg", garbage);
    ASSERT_EQ(::chmod(Folder.c_str(), 0500), 0);
    EXPECT_FALSE(RegistryKey::Create(u"Software\\T"));
    EXPECT_FALSE(RegistryKey::Open(u"Software"));
    EXPECT_EQ(ReadBytes(File), garbage);
    EXPECT_FALSE(TakeRegistryNotice());
}

TEST_F(RegistryStore, ConcurrentWritersKeepEachOthersKeys) {
    constexpr int kWriters = 3;
    constexpr int kKeysEach = 25;
    std::vector<pid_t> children;
    for (int w = 0; w < kWriters; ++w) {
        pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            bool ok = true;
            for (int i = 0; i < kKeysEach; ++i) {
                std::u16string path =
                    U16("Software\\W" + std::to_string(w) + "\\K" + std::to_string(i));
                std::optional<RegistryKey> key = RegistryKey::Create(path);
                ok = ok && key && key->SetValue(u"n", kRegDword, dword(uint32_t(w * 100 + i)));
            }
            ::_exit(ok ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    for (int w = 0; w < kWriters; ++w) {
        for (int i = 0; i < kKeysEach; ++i) {
            std::string path = "Software\\W" + std::to_string(w) + "\\K" + std::to_string(i);
            std::optional<RegistryKey> key = RegistryKey::Open(U16(path));
            ASSERT_TRUE(key) << path;
            std::optional<RegistryData> n = key->QueryValue(u"n");
            ASSERT_TRUE(n) << path;
            EXPECT_EQ(n->Bytes, dword(uint32_t(w * 100 + i)));
        }
    }
}

TEST_F(RegistryStore, WriteThroughAnOldHandleKeepsOtherChanges) {
    std::optional<RegistryKey> first = RegistryKey::Create(u"Software\\T");
    std::optional<RegistryKey> second = RegistryKey::Create(u"Software\\T");
    ASSERT_TRUE(first && second);
    ASSERT_TRUE(first->SetValue(u"a", kRegDword, dword(1)));
    ASSERT_TRUE(second->SetValue(u"b", kRegDword, dword(2)));
    std::optional<RegistryKey> reopened = RegistryKey::Open(u"Software\\T");
    ASSERT_TRUE(reopened);
    EXPECT_TRUE(reopened->QueryValue(u"a"));
    EXPECT_TRUE(reopened->QueryValue(u"b"));
}

} // namespace
} // namespace tarvel
