#include "platform/Paths.h"

#include <gtest/gtest.h>

using namespace tarvel;

namespace {

struct PathCase {
    std::u16string_view Path;
    PathStyle Style;
    std::u16string_view Dir;  // ExtractFileDir
    std::u16string_view Name; // ExtractFileName
    std::u16string_view Head; // ExtractFilePath
};

class PathPartsTest : public ::testing::TestWithParam<PathCase> {};

} // namespace

TEST_P(PathPartsTest, SplitsIntoFolderAndName) {
    const PathCase& c = GetParam();
    EXPECT_EQ(ExtractFileDir(c.Path, c.Style), c.Dir);
    EXPECT_EQ(ExtractFileName(c.Path, c.Style), c.Name);
    EXPECT_EQ(ExtractFilePath(c.Path, c.Style), c.Head);
}

constexpr PathStyle W = PathStyle::Windows;
constexpr PathStyle P = PathStyle::Posix;

INSTANTIATE_TEST_SUITE_P(
    Windows, PathPartsTest,
    ::testing::Values(
        PathCase{u"C:\\Program Files\\Sample\\app.exe", W, u"C:\\Program Files\\Sample", u"app.exe",
                 u"C:\\Program Files\\Sample\\"},
        PathCase{u"C:\\app.exe", W, u"C:\\", u"app.exe", u"C:\\"},
        PathCase{u"\\\\server\\share\\app.exe", W, u"\\\\server\\share", u"app.exe",
                 u"\\\\server\\share\\"},
        PathCase{u"app.exe", W, u"", u"app.exe", u""},
        PathCase{u"C:app.exe", W, u"C:", u"app.exe", u"C:"},
        // '/' is no separator in the Windows style.
        PathCase{u"/app.exe", W, u"", u"/app.exe", u""},
        PathCase{u"/a/b/c.exe", W, u"", u"/a/b/c.exe", u""},
        PathCase{u"a//b", W, u"", u"a//b", u""},
        PathCase{u"a\\\\b", W, u"a\\\\", u"b", u"a\\\\"},
        PathCase{u"C:\\dir\\", W, u"C:\\dir", u"", u"C:\\dir\\"},
        PathCase{u"", W, u"", u"", u""}));

INSTANTIATE_TEST_SUITE_P(
    Posix, PathPartsTest,
    ::testing::Values(
        PathCase{u"C:\\Program Files\\Sample\\app.exe", P, u"", u"C:\\Program Files\\Sample\\app.exe",
                 u""},
        PathCase{u"C:\\app.exe", P, u"", u"C:\\app.exe", u""},
        PathCase{u"\\\\server\\share\\app.exe", P, u"", u"\\\\server\\share\\app.exe", u""},
        PathCase{u"app.exe", P, u"", u"app.exe", u""},
        PathCase{u"C:app.exe", P, u"", u"C:app.exe", u""},
        PathCase{u"/app.exe", P, u"/", u"app.exe", u"/"},
        PathCase{u"/a/b/c.exe", P, u"/a/b", u"c.exe", u"/a/b/"},
        PathCase{u"a//b", P, u"a//", u"b", u"a//"},
        PathCase{u"/a/", P, u"/a", u"", u"/a/"},
        PathCase{u"", P, u"", u"", u""}));

TEST(JoinPath, PutsTheStyleSeparatorBetween) {
    EXPECT_EQ(JoinPath(u"C:\\dir", u"a.ini", W), u"C:\\dir\\a.ini");
    EXPECT_EQ(JoinPath(u"/dir", u"a.ini", P), u"/dir/a.ini");
    EXPECT_EQ(JoinPath(u"/dir/", u"a.ini", P), u"/dir//a.ini");
}
