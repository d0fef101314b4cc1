// Test entry. Tests of permissions (read-only files, folders without write
// access) mean nothing to root, who may write anywhere; CI runs as root, so
// the tests give up root for an unprivileged user before they start.
#include <gtest/gtest.h>

#include <cstdio>
#include <grp.h>
#include <unistd.h>

namespace {

void dropRoot() {
    if (geteuid() != 0)
        return;
    const gid_t nobodyGroup = 65534;
    const uid_t nobody = 65534;
    if (setgroups(0, nullptr) != 0 || setgid(nobodyGroup) != 0 || setuid(nobody) != 0) {
        std::perror("giving up root for the tests");
        std::exit(2);
    }
}

} // namespace

int main(int argc, char** argv) {
    dropRoot();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
