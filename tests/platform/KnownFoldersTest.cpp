#include "platform/KnownFolders.h"

#include "platform/Unicode.h"
#include "support/ScopedEnv.h"

#include <gtest/gtest.h>

#include <string>
#include <unistd.h>

namespace tarvel {
namespace {

TEST(KnownFolders, AppFolderIsTheRunningProgramsFolderWithSeparator) {
    char buffer[4096];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    ASSERT_GT(length, 0);
    std::string self(buffer, static_cast<size_t>(length));
    EXPECT_EQ(Utf16ToUtf8(AppFolder()), self.substr(0, self.rfind('/') + 1));
}

TEST(KnownFolders, RoamingFolderFollowsXdgThenHome) {
    struct Case {
        const char* Xdg;
        const char* Home;
        std::u16string Expected;
    };
    const Case cases[] = {
        {"/cfg", "/home/u", u"/cfg"},
        {"", "/home/u", u"/home/u/.config"},
        {nullptr, "/home/u", u"/home/u/.config"},
        {nullptr, nullptr, u""},
        {"", "", u""},
    };
    for (const Case& c : cases) {
        test::ScopedEnv xdg("XDG_CONFIG_HOME", c.Xdg);
        test::ScopedEnv home("HOME", c.Home);
        EXPECT_EQ(RoamingAppDataFolder(), c.Expected)
            << (c.Xdg ? c.Xdg : "(unset)") << " " << (c.Home ? c.Home : "(unset)");
    }
}

} // namespace
} // namespace tarvel
