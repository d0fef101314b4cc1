#include "platform/CommandLine.h"

#include "platform/Unicode.h"

#include <gtest/gtest.h>

using namespace tarvel;

namespace {

struct SplitCase {
    std::u16string Text;
    std::vector<std::u16string> Args;
};

TEST(SplitWindowsArguments, FollowsTheWindowsRules) {
    const SplitCase cases[] = {
        {u"", {}},
        {u"   \t ", {}},
        {u"/S", {u"/S"}},
        {u"  /A\t/X  ", {u"/A", u"/X"}},
        {u"word /X", {u"word", u"/X"}},
        {u"\"a b\" c", {u"a b", u"c"}},
        {u"x\"a b\"y", {u"xa by"}},
        {u"\"\"", {u""}},
        {u"a \"\" b", {u"a", u"", u"b"}},
        {u"\"unterminated arg", {u"unterminated arg"}},
        {u"\\\\server\\share", {u"\\\\server\\share"}},
        {u"a\\\\b", {u"a\\\\b"}},
        {u"a\\\"b", {u"a\"b"}},
        {u"a\\\\\"b c\"", {u"a\\b c"}},
        {u"a\\\\\\\"b", {u"a\\\"b"}},
        {u"\"C:\\Program Files\\\\\" next", {u"C:\\Program Files\\", u"next"}},
        {u"\"C:\\Program Files\\\" next\"", {u"C:\\Program Files\" next"}},
        {u"\"say \"\"hi\"\" now\"", {u"say \"hi\" now"}},
        {u"trailing\\", {u"trailing\\"}},
        {u"caf\u00e9 \u6f22", {u"caf\u00e9", u"\u6f22"}},
    };
    for (const SplitCase& c : cases)
        EXPECT_EQ(SplitWindowsArguments(c.Text), c.Args) << Utf16ToUtf8(c.Text);
}

struct SwitchCase {
    std::vector<std::u16string> Args;
    std::u16string Switch;
    uint16_t Position;
};

TEST(FindSwitch, MatchesWholeArgumentsIgnoringAsciiCase) {
    const SwitchCase cases[] = {
        {{}, u"/A", 0},
        {{u"/a"}, u"/A", 1},
        {{u"/A"}, u"/a", 1},
        {{u"project", u"/A"}, u"/A", 2},
        {{u"/A", u"/A"}, u"/A", 1},
        {{u"/AB"}, u"/A", 0},
        {{u"/"}, u"/A", 0},
        {{u"-A"}, u"/A", 0},
        {{u"\\A"}, u"/A", 0},
        {{u"x /A"}, u"/A", 0},
        {{u" /A"}, u"/A", 0},
        {{u"/Init"}, u"/INIT", 1},
        // Only a to z fold: the dotless and dotted i and sharp s stay as they are.
        {{u"/\u0131"}, u"/I", 0},
        {{u"/\u00e9"}, u"/\u00c9", 0},
        {{u"/\u00c9"}, u"/\u00c9", 1},
    };
    for (const SwitchCase& c : cases)
        EXPECT_EQ(FindSwitch(c.Args, c.Switch), c.Position) << Utf16ToUtf8(c.Switch);
}

TEST(FindSwitch, PositionsBeyondSixteenBitsAreNotWrappedRound) {
    std::vector<std::u16string> args(70000, u"x");
    args[65536] = u"/A"; // position 65537 would wrap to 1
    EXPECT_EQ(FindSwitch(args, u"/A"), 0);
    args[65534] = u"/a";
    EXPECT_EQ(FindSwitch(args, u"/A"), 65535);
}

TEST(CommandLineArguments, KeepsArgvWithoutTheProgram) {
    const char* argv[] = {"/opt/tarvel/Tarvel", "first", "/a", "caf\xc3\xa9", nullptr};
    SetCommandLineArguments(4, argv);
    EXPECT_EQ(CommandLineArguments(), (std::vector<std::u16string>{u"first", u"/a", u"caf\u00e9"}));
    EXPECT_EQ(FindSwitch(u"/A"), 2);
    SetCommandLineArguments(std::vector<std::u16string>{});
    EXPECT_EQ(FindSwitch(u"/A"), 0);
}

} // namespace
