#include "core/TextFiles.h"

#include "platform/Unicode.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

using namespace tarvel;
using tarvel::test::PathExists;
using tarvel::test::ReadBytes;
using tarvel::test::TempDir;

namespace {

using Lines = std::vector<std::u16string>;

template <typename F>
std::u16string messageOf(F&& f) {
    try {
        f();
    } catch (const Exception& e) {
        return e.message();
    }
    return u"<no error>";
}

std::u16string strerror16(int err) { return U16(std::strerror(err)); }

class TextFileTest : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("TARVEL_ACP", "1252", 1); }
    TempDir Dir;
};

} // namespace

// ---------------------------------------------------------------- whole files

TEST_F(TextFileTest, ReadFailsWithThePathAndTheSystemReason) {
    std::string missing = Dir.file("none.txt");
    EXPECT_EQ(messageOf([&] { ReadTextFileBytes(U16(missing)); }),
              u"Cannot open file \"" + U16(missing) + u"\". " + strerror16(ENOENT));
    std::string locked = Dir.write("locked.txt", "x");
    ::chmod(locked.c_str(), 0);
    EXPECT_EQ(messageOf([&] { ReadTextFileBytes(U16(locked)); }),
              u"Cannot open file \"" + U16(locked) + u"\". " + strerror16(EACCES));
}

TEST_F(TextFileTest, WriteReplacesTheFileOrFailsLeavingItUntouched) {
    std::string path = Dir.write("a.txt", "old");
    WriteTextFileBytes(U16(path), std::string("new\0bytes", 9));
    EXPECT_EQ(ReadBytes(path), std::string("new\0bytes", 9));

    ::chmod(path.c_str(), 0444);
    EXPECT_EQ(messageOf([&] { WriteTextFileBytes(U16(path), "other"); }),
              u"Cannot create file \"" + U16(path) + u"\". " + strerror16(EACCES));
    EXPECT_EQ(ReadBytes(path), std::string("new\0bytes", 9));
}

// ---------------------------------------------------------------- lines

struct SplitCase {
    std::u16string_view Text;
    Lines Expected;
};

class SplitLinesTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitLinesTest, EndsLinesAtEveryBreakStyle) {
    EXPECT_EQ(SplitLines(GetParam().Text), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SplitLinesTest,
    ::testing::Values(SplitCase{u"", {}}, SplitCase{u"\r\n", {u""}}, SplitCase{u"\n", {u""}},
                      SplitCase{u"\r", {u""}}, SplitCase{u"a", {u"a"}},
                      SplitCase{u"a\r\n", {u"a"}}, SplitCase{u"a\r\n\r\n", {u"a", u""}},
                      SplitCase{u"a\rb\nc\r\nd", {u"a", u"b", u"c", u"d"}},
                      SplitCase{u"\n\r", {u"", u""}}, SplitCase{u"\r\r\n", {u"", u""}},
                      SplitCase{u"\n\n", {u"", u""}},
                      SplitCase{u" a \t\r\n b", {u" a \t", u" b"}}));

TEST_F(TextFileTest, LineBreakAloneIsOneEmptyLine) {
    Dir.write("a.txt", "\r\n");
    TextLines lines;
    lines.LoadFromFile(Dir.file16("a.txt"));
    EXPECT_EQ(lines.Lines, Lines{u""});
}

struct EmptyCase {
    const char* Name;
    std::string Bytes;
    TextEncoding Encoding;
};

class TextLinesEmptyTest : public TextFileTest,
                           public ::testing::WithParamInterface<EmptyCase> {};

TEST_P(TextLinesEmptyTest, HasNoLinesAndWritesBackTheSameBytes) {
    const EmptyCase& c = GetParam();
    std::string path = Dir.write("a.txt", c.Bytes);
    TextLines lines;
    lines.Lines = {u"stale"};
    lines.LoadFromFile(U16(path));
    EXPECT_TRUE(lines.Lines.empty());
    EXPECT_EQ(lines.Encoding, c.Encoding);
    lines.SaveToFile(U16(path));
    EXPECT_EQ(ReadBytes(path), c.Bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Files, TextLinesEmptyTest,
    ::testing::Values(EmptyCase{"Empty", "", TextEncoding::Ansi},
                      EmptyCase{"Utf8Mark", "\xEF\xBB\xBF", TextEncoding::Utf8},
                      EmptyCase{"Utf16LEMark", "\xFF\xFE", TextEncoding::Utf16LE},
                      EmptyCase{"Utf16BEMark", "\xFE\xFF", TextEncoding::Utf16BE}),
    [](const auto& info) { return std::string(info.param.Name); });

struct RoundTripCase {
    const char* Name;
    std::string Bytes; // as read
    TextEncoding Encoding;
    std::string Written; // after SaveToFile
};

class TextLinesRoundTripTest : public TextFileTest,
                               public ::testing::WithParamInterface<RoundTripCase> {};

TEST_P(TextLinesRoundTripTest, RemembersTheEncodingAndEndsEveryLineWithCrLf) {
    const RoundTripCase& c = GetParam();
    std::string path = Dir.write("a.txt", c.Bytes);
    TextLines lines;
    lines.LoadFromFile(U16(path));
    EXPECT_EQ(lines.Lines, (Lines{u"caf\u00E9", u"", u"x"}));
    EXPECT_EQ(lines.Encoding, c.Encoding);
    lines.SaveToFile(Dir.file16("b.txt"));
    EXPECT_EQ(ReadBytes(Dir.file("b.txt")), c.Written);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, TextLinesRoundTripTest,
    ::testing::Values(
        RoundTripCase{"Ansi", "caf\xE9\n\rx", TextEncoding::Ansi, "caf\xE9\r\n\r\nx\r\n"},
        RoundTripCase{"Utf8", "\xEF\xBB\xBF" "caf\xC3\xA9\r\n\r\nx\r\n", TextEncoding::Utf8,
                      "\xEF\xBB\xBF" "caf\xC3\xA9\r\n\r\nx\r\n"},
        RoundTripCase{"Utf16LE", std::string("\xFF\xFE" "c\0a\0f\0\xE9\0\n\0\n\0x\0", 16),
                      TextEncoding::Utf16LE,
                      std::string("\xFF\xFE" "c\0a\0f\0\xE9\0\r\0\n\0\r\0\n\0x\0\r\0\n\0", 24)},
        RoundTripCase{"Utf16BE", std::string("\xFE\xFF\0c\0a\0f\0\xE9\0\r\0\r\0x", 16),
                      TextEncoding::Utf16BE,
                      std::string("\xFE\xFF\0c\0a\0f\0\xE9\0\r\0\n\0\r\0\n\0x\0\r\0\n", 24)}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(TextFileTest, LinesNeverReadAreWrittenInAnsiWithoutMark) {
    TextLines lines;
    lines.Lines = {u"caf\u00E9", u"\u4E2D"};
    lines.SaveToFile(Dir.file16("a.txt"));
    EXPECT_EQ(ReadBytes(Dir.file("a.txt")), "caf\xE9\r\n?\r\n");
}

TEST_F(TextFileTest, FailedUtf8ReadKeepsTheLinesButTakesUtf8) {
    std::string path = Dir.write("a.txt", "\xEF\xBB\xBF" "caf\xE9");
    TextLines lines;
    lines.Lines = {u"kept"};
    EXPECT_EQ(messageOf([&] { lines.LoadFromFile(U16(path)); }), kNoMappingMessage);
    EXPECT_EQ(lines.Lines, Lines{u"kept"});
    EXPECT_EQ(lines.Encoding, TextEncoding::Utf8);
    lines.SaveToFile(U16(path));
    EXPECT_EQ(ReadBytes(path), "\xEF\xBB\xBFkept\r\n");
}

TEST_F(TextFileTest, LinesWriteFailureNamesTheFile) {
    TextLines lines;
    lines.Lines = {u"a"};
    std::string path = Dir.file("missing/a.txt");
    EXPECT_EQ(messageOf([&] { lines.SaveToFile(U16(path)); }),
              u"Cannot create file \"" + U16(path) + u"\". " + strerror16(ENOENT));
}

// ---------------------------------------------------------------- What's New

TEST_F(TextFileTest, WhatsNewLoadTurnsEveryBreakIntoCrLf) {
    std::string path = Dir.write("n.txt", "\xEF\xBB\xBF" "a\rb\nc\r\nd\n\r\n");
    TextEncoding remembered = TextEncoding::Ansi;
    EXPECT_EQ(LoadWhatsNewText(U16(path), remembered), u"a\r\nb\r\nc\r\nd\r\n\r\n");
    EXPECT_EQ(remembered, TextEncoding::Utf8);

    Dir.write("plain.txt", "x\n");
    EXPECT_EQ(LoadWhatsNewText(Dir.file16("plain.txt"), remembered), u"x\r\n");
    EXPECT_EQ(remembered, TextEncoding::Ansi);
}

TEST_F(TextFileTest, WhatsNewFailedLoadStillRemembersUtf8) {
    std::string path = Dir.write("n.txt", "\xEF\xBB\xBF\xFF");
    TextEncoding remembered = TextEncoding::Ansi;
    EXPECT_EQ(messageOf([&] { LoadWhatsNewText(U16(path), remembered); }), kNoMappingMessage);
    EXPECT_EQ(remembered, TextEncoding::Utf8);
}

TEST_F(TextFileTest, WhatsNewSaveWritesTheTextUnchangedAfterTheMark) {
    const struct {
        TextEncoding Encoding;
        std::string Bytes;
    } cases[] = {
        {TextEncoding::Ansi, "a\r\n\xE9"},
        {TextEncoding::Utf8, "\xEF\xBB\xBF" "a\r\n\xC3\xA9"},
        {TextEncoding::Utf16LE, std::string("\xFF\xFE" "a\0\r\0\n\0\xE9\0", 10)},
        {TextEncoding::Utf16BE, std::string("\xFE\xFF\0a\0\r\0\n\0\xE9", 10)},
    };
    for (const auto& c : cases) {
        SaveWhatsNewText(Dir.file16("n.txt"), u"a\r\n\u00E9", c.Encoding);
        EXPECT_EQ(ReadBytes(Dir.file("n.txt")), c.Bytes) << static_cast<int>(c.Encoding);
    }
    SaveWhatsNewText(Dir.file16("empty.txt"), u"", TextEncoding::Ansi);
    EXPECT_EQ(ReadBytes(Dir.file("empty.txt")), "");
}

TEST_F(TextFileTest, WhatsNewLoadRefusesMoreThanTheBoxHolds) {
    // Lone LFs double on loading, so half the capacity in bytes fills the box
    // exactly and one more break overflows it.
    std::string breaks(kMemoCapacity / 2, '\n');
    std::string path = Dir.write("full.txt", breaks);
    TextEncoding remembered = TextEncoding::Utf8;
    EXPECT_EQ(LoadWhatsNewText(U16(path), remembered).size(), kMemoCapacity);
    breaks += '\n';
    Dir.write("full.txt", breaks);
    EXPECT_EQ(messageOf([&] { LoadWhatsNewText(U16(path), remembered); }), kMemoCapacityMessage);
}
