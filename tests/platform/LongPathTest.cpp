#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvel {
namespace {

// A path of exactly `length` units that starts with `head`.
std::u16string PathOfLength(std::u16string head, size_t length) {
    head.resize(length, u'a');
    return head;
}

struct LongPathCase {
    const char* Name;
    std::u16string Path;
    std::u16string Expected;
};

TEST(ToLongPath, WindowsRules) {
    const std::u16string drive259 = PathOfLength(u"C:\\dir\\", 259);
    const std::u16string drive260 = PathOfLength(u"C:\\dir\\", 260);
    const std::u16string unc259 = PathOfLength(u"\\\\server\\share\\", 259);
    const std::u16string unc260 = PathOfLength(u"\\\\server\\share\\", 260);
    const std::u16string long300 = PathOfLength(u"\\\\?\\C:\\dir\\", 300);
    const std::u16string longUnc300 = PathOfLength(u"\\\\?\\UNC\\server\\share\\", 300);
    const std::u16string relative260 = PathOfLength(u"dir\\", 260);
    const LongPathCase cases[] = {
        {"empty", u"", u""},
        {"259 units stay", drive259, drive259},
        {"260 units get the prefix", drive260, u"\\\\?\\" + drive260},
        {"network 259 stays", unc259, unc259},
        {"network 260", unc260, u"\\\\?\\UNC" + unc260.substr(1)},
        {"already long", long300, long300},
        {"already long network", longUnc300, longUnc300},
        {"relative 260", relative260, u"\\\\?\\" + relative260},
    };
    for (const LongPathCase& c : cases)
        EXPECT_EQ(ToLongPath(c.Path, PathStyle::Windows), c.Expected) << c.Name;
}

TEST(ToLongPath, NetworkFormKeepsOneBackslashAfterUnc) {
    std::u16string unc = PathOfLength(u"\\\\server\\share\\", 260);
    std::u16string result = ToLongPath(unc, PathStyle::Windows);
    ASSERT_EQ(result.size(), 260u + 6u);
    EXPECT_EQ(result.substr(0, 16), u"\\\\?\\UNC\\server\\s");
}

TEST(ToLongPath, CountsUtf16Units) {
    // Four units and 128 characters outside the BMP: 132 characters, but
    // 260 UTF-16 units.
    std::u16string path = u"C:\\d";
    while (path.size() < 260)
        path += u"\U0001F600";
    ASSERT_EQ(path.size(), 260u);
    EXPECT_EQ(ToLongPath(path, PathStyle::Windows), u"\\\\?\\" + path);
    std::u16string bmp = PathOfLength(u"C:\\", 259);
    bmp.back() = u'\u00e9';
    EXPECT_EQ(ToLongPath(bmp, PathStyle::Windows), bmp);
}

TEST(ToLongPath, PosixPathUnchanged) {
    for (size_t length : {size_t{1}, size_t{259}, size_t{260}, size_t{5000}}) {
        std::u16string path = PathOfLength(u"/tmp/", length);
        EXPECT_EQ(ToLongPath(path, PathStyle::Posix), path) << length;
    }
    std::u16string backslashes = PathOfLength(u"\\\\server\\", 300);
    EXPECT_EQ(ToLongPath(backslashes, PathStyle::Posix), backslashes);
}

} // namespace
} // namespace tarvel
