#include "core/IniFiles.h"

#include "core/TextFiles.h"
#include "platform/Unicode.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <sys/stat.h>

using namespace tarvel;
using tarvel::test::PathExists;
using tarvel::test::ReadBytes;
using tarvel::test::TempDir;

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Each line followed by CR LF, as the document writes them.
std::string crlfLines(std::initializer_list<std::string_view> lines) {
    std::string out;
    for (std::string_view line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

// The message of the Exception `f` raises, or a marker when it raises none.
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

// The ANSI cases are written for Windows-1252, whatever the locale says.
class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("TARVEL_ACP", "1252", 1); }

    TMemIniFile loadUtf8(std::string_view bytes) {
        return TMemIniFile::FromBytes(u"x.ini", bytes, TextEncoding::Utf8);
    }

    TempDir Dir;
};

} // namespace

// ---------------------------------------------------------------- writing

TEST_F(IniFileTest, WritesTheDocumentExampleByteForByte) {
    TMemIniFile ini(Dir.file16("x.ini"), TextEncoding::Utf8);
    ini.WriteString(u"General", u"AppName", u"Sample Editor");
    ini.WriteBool(u"General", u"x64", false);
    ini.WriteInteger(u"Info", u"Method", 1);
    ini.WriteString(u"General", u"AppName", u"Demo");
    ini.UpdateFile();
    EXPECT_EQ(ReadBytes(Dir.file("x.ini")),
              std::string(kUtf8Mark) + crlfLines({"[General]", "AppName=Demo", "x64=0", "",
                                                  "[Info]", "Method=1", ""}));
}

TEST_F(IniFileTest, EmptyValueIsStoredAsKeyAndEqualsSign) {
    TMemIniFile ini(Dir.file16("x.ini"), TextEncoding::Utf8);
    ini.WriteString(u"S", u"Key", u"");
    EXPECT_EQ(ini.ReadString(u"S", u"Key", u"default"), u"");
    EXPECT_EQ(ini.Serialize(), std::string(kUtf8Mark) + crlfLines({"[S]", "Key=", ""}));
}

TEST_F(IniFileTest, SecondWriteReplacesTheValueAtTheFirstPosition) {
    TMemIniFile ini(Dir.file16("x.ini"), TextEncoding::Utf8);
    ini.WriteString(u"S", u"A", u"1");
    ini.WriteString(u"S", u"B", u"2");
    ini.WriteString(u"S", u"A", u"3");
    EXPECT_EQ(ini.Serialize(), std::string(kUtf8Mark) + crlfLines({"[S]", "A=3", "B=2", ""}));
}

TEST_F(IniFileTest, NamesMatchWithoutCaseAndKeepTheirFirstSpelling) {
    TMemIniFile ini(Dir.file16("x.ini"), TextEncoding::Utf8);
    ini.WriteString(u"Update", u"URL", u"http://a");
    ini.WriteString(u"update", u"url", u"http://b");
    EXPECT_EQ(ini.ReadString(u"UPDATE", u"Url", u""), u"http://b");
    EXPECT_EQ(ini.Serialize(), std::string(kUtf8Mark) + crlfLines({"[Update]", "URL=http://b", ""}));
}

TEST_F(IniFileTest, WritesNamesAndValuesWithoutEscapingOrTrimming) {
    TMemIniFile ini(Dir.file16("x.ini"), TextEncoding::Utf8);
    ini.WriteString(u" S ", u" k ", u" a=b ; \"c\" ");
    EXPECT_EQ(ini.ReadString(u" S ", u" k ", u""), u" a=b ; \"c\" ");
    EXPECT_EQ(ini.ReadString(u"S", u"k", u"absent"), u"absent");
    EXPECT_EQ(ini.Serialize(),
              std::string(kUtf8Mark) + crlfLines({"[ S ]", " k = a=b ; \"c\" ", ""}));
}

TEST_F(IniFileTest, WritesIntegersInPlainDecimal) {
    const struct {
        int32_t Value;
        std::u16string_view Text;
    } cases[] = {{0, u"0"}, {7, u"7"}, {-5, u"-5"}, {INT32_MAX, u"2147483647"},
                 {INT32_MIN, u"-2147483648"}};
    TMemIniFile ini(Dir.file16("x.ini"), TextEncoding::Utf8);
    for (const auto& c : cases) {
        ini.WriteInteger(u"S", u"N", c.Value);
        EXPECT_EQ(ini.ReadString(u"S", u"N", u""), c.Text);
        EXPECT_EQ(ini.ReadInteger(u"S", u"N", 99), c.Value);
    }
    ini.WriteBool(u"S", u"B", true);
    EXPECT_EQ(ini.ReadString(u"S", u"B", u""), u"1");
}

TEST_F(IniFileTest, DocumentWithoutSectionsWritesTheMarkOrNothing) {
    TMemIniFile utf8(Dir.file16("utf8.ini"), TextEncoding::Utf8);
    TMemIniFile plain(Dir.file16("plain.ini"));
    utf8.UpdateFile();
    plain.UpdateFile();
    EXPECT_EQ(ReadBytes(Dir.file("utf8.ini")), kUtf8Mark);
    EXPECT_EQ(ReadBytes(Dir.file("plain.ini")), "");
}

TEST_F(IniFileTest, OnlyUpdateFileReachesTheDisk) {
    {
        TMemIniFile ini(Dir.file16("x.ini"), TextEncoding::Utf8);
        ini.WriteString(u"S", u"K", u"V");
    }
    EXPECT_FALSE(PathExists(Dir.file("x.ini")));

    TMemIniFile ini(Dir.file16("x.ini"), TextEncoding::Utf8);
    ini.WriteString(u"S", u"K", u"V");
    ini.UpdateFile();
    std::string first = ReadBytes(Dir.file("x.ini"));
    ini.UpdateFile(); // the document is unchanged by writing and may be written again
    EXPECT_EQ(ReadBytes(Dir.file("x.ini")), first);
    EXPECT_EQ(TMemIniFile(Dir.file16("x.ini"), TextEncoding::Utf8).ReadString(u"S", u"K", u""),
              u"V");
}

// ---------------------------------------------------------------- loading

struct LoadCase {
    const char* Name;
    std::string_view Input;
    std::string Written; // after the UTF-8 mark
};

class IniLoadTest : public ::testing::TestWithParam<LoadCase> {};

TEST_P(IniLoadTest, WritesBackWhatWasKept) {
    const LoadCase& c = GetParam();
    TMemIniFile ini = TMemIniFile::FromBytes(u"x.ini", c.Input, TextEncoding::Utf8);
    EXPECT_EQ(ini.Serialize(), std::string(kUtf8Mark) + c.Written);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, IniLoadTest,
    ::testing::Values(
        LoadCase{"CommentsAndLinesBeforeTheFirstHeaderDropped",
                 "stray=1\r\n; note\r\nbare before\r\n[S]\r\n;k=1\r\n  ; indented\r\nk=2\r\n",
                 crlfLines({"[S]", "k=2", ""})},
        LoadCase{"HashIsNotAComment", "[S]\r\n#bare\r\n#k=v\r\n",
                 crlfLines({"[S]", "#bare", "#k=v", ""})},
        LoadCase{"BlanksAroundEqualsAndAtEndsRemoved", "[S]\r\n \t k \t= \t a  b \t \r\n",
                 crlfLines({"[S]", "k=a  b", ""})},
        LoadCase{"SplitAtTheFirstEquals", "[S]\r\nk = a = b\r\n=v\r\nk2=\r\n",
                 crlfLines({"[S]", "k=a = b", "=v", "k2=", ""})},
        LoadCase{"QuotesKept", "[S]\r\nk=\"a b\"\r\n", crlfLines({"[S]", "k=\"a b\"", ""})},
        LoadCase{"HeaderNameTrimmed", "  [ \tS x ]  \r\nk=v\r\n", crlfLines({"[S x]", "k=v", ""})},
        LoadCase{"EmptyLinesDropped", "\r\n[S]\r\n\r\n \t \r\nk=v\r\n\r\n",
                 crlfLines({"[S]", "k=v", ""})},
        LoadCase{"BareEntryKeptAsTrimmedLine", "[S]\r\n  just text  \r\n",
                 crlfLines({"[S]", "just text", ""})},
        LoadCase{"DuplicateKeysBothKept", "[S]\r\nk=1\r\nK=2\r\n",
                 crlfLines({"[S]", "k=1", "K=2", ""})},
        LoadCase{"EntriesUnderARepeatedHeaderLost",
                 "[S]\r\na=1\r\n[T]\r\nb=2\r\n[s]\r\nc=3\r\nbare\r\n[U]\r\nd=4\r\n",
                 crlfLines({"[S]", "a=1", "", "[T]", "b=2", "", "[U]", "d=4", ""})},
        LoadCase{"SectionsWithoutEntriesKept", "[A]\r\n[B]",
                 crlfLines({"[A]", "", "[B]", ""})},
        LoadCase{"NotAHeaderUnlessBracketsAtBothEnds", "[S]\r\n[x]=1\r\n[y\r\n",
                 crlfLines({"[S]", "[x]=1", "[y", ""})},
        LoadCase{"EveryLineBreakStyle", "[S]\r\na=1\rb=2\nc=3\r\n\rd=4",
                 crlfLines({"[S]", "a=1", "b=2", "c=3", "d=4", ""})},
        LoadCase{"OnlyCommentsGiveNoSections", "; a\r\n;b", ""}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(IniFileTest, DuplicateKeyReadsAndWritesTheFirstOnly) {
    TMemIniFile ini = loadUtf8("[S]\r\nk=1\r\nother=x\r\nK=2\r\n");
    EXPECT_EQ(ini.ReadString(u"S", u"K", u""), u"1");
    ini.WriteString(u"S", u"k", u"changed");
    EXPECT_EQ(ini.ReadString(u"s", u"k", u""), u"changed");
    EXPECT_EQ(ini.Serialize(),
              std::string(kUtf8Mark) + crlfLines({"[S]", "k=changed", "other=x", "K=2", ""}));
}

TEST_F(IniFileTest, RepeatedHeaderAddsNothingToTheFirstSection) {
    TMemIniFile ini = loadUtf8("[S]\r\na=1\r\n[S]\r\na=2\r\nb=3\r\n");
    EXPECT_EQ(ini.ReadString(u"S", u"a", u""), u"1");
    EXPECT_EQ(ini.ReadString(u"S", u"b", u"absent"), u"absent");
}

TEST_F(IniFileTest, BareEntryReadsAsAbsentAndBecomesAKeyEntryWhenWritten) {
    TMemIniFile ini = loadUtf8("[S]\r\n#Flag\r\nFlag\r\n");
    EXPECT_EQ(ini.ReadString(u"S", u"Flag", u"absent"), u"absent");
    EXPECT_EQ(ini.ReadInteger(u"S", u"Flag", 42), 42);
    ini.WriteString(u"S", u"FLAG", u"on");
    EXPECT_EQ(ini.ReadString(u"S", u"flag", u""), u"on");
    EXPECT_EQ(ini.Serialize(),
              std::string(kUtf8Mark) + crlfLines({"[S]", "#Flag", "Flag=on", ""}));
}

TEST_F(IniFileTest, AppendsAfterLoadedEntriesAndFindsThemAll) {
    // Lookups index a section at its first search and extend the index as
    // entries are appended: reads after a mix of loads and writes must see
    // every entry, including ones added after the index was built.
    std::string text = "[S]\r\n";
    for (int i = 0; i < 100; ++i)
        text += "k" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    TMemIniFile ini = loadUtf8(text);
    EXPECT_EQ(ini.ReadInteger(u"S", u"K50", -1), 50);
    for (int i = 100; i < 200; ++i)
        ini.WriteInteger(u"S", U16("k" + std::to_string(i)), i);
    for (int i = 0; i < 200; ++i)
        EXPECT_EQ(ini.ReadInteger(u"s", U16("K" + std::to_string(i)), -1), i) << i;
    for (int i = 0; i < 100; ++i)
        ini.WriteString(U16("T" + std::to_string(i)), u"k", U16(std::to_string(i)));
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(ini.ReadInteger(U16("t" + std::to_string(i)), u"K", -1), i) << i;
}

TEST_F(IniFileTest, LoadsAMegabyteLine) {
    std::string value(1 << 20, 'v');
    TMemIniFile ini = loadUtf8("[S]\r\nk=" + value + "\r\nnext=1");
    EXPECT_EQ(ini.ReadString(u"S", u"k", u""), U16(value));
    EXPECT_EQ(ini.ReadInteger(u"S", u"next", 0), 1);
}

TEST_F(IniFileTest, LoadsFromTheNamedFileAndKeepsTheName) {
    Dir.write("Tool.ini", "[S]\r\nk=v\r\n");
    TMemIniFile ini(Dir.file16("Tool.ini"), TextEncoding::Utf8);
    EXPECT_EQ(ini.FileName(), Dir.file16("Tool.ini"));
    EXPECT_EQ(ini.ReadString(u"S", u"k", u""), u"v");
}

// ---------------------------------------------------------------- integers

struct IntegerCase {
    std::u16string_view Text;
    std::optional<int32_t> Value;
};

class IniIntegerTest : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(IniIntegerTest, ParsesOrRejects) {
    const IntegerCase& c = GetParam();
    EXPECT_EQ(ParseIniInteger(c.Text), c.Value);

    TMemIniFile ini = TMemIniFile::FromBytes(u"x.ini", "", TextEncoding::Utf8);
    ini.WriteString(u"S", u"N", c.Text);
    EXPECT_EQ(ini.ReadInteger(u"S", u"N", 77), c.Value.value_or(77));
}

INSTANTIATE_TEST_SUITE_P(
    Values, IniIntegerTest,
    ::testing::Values(
        IntegerCase{u"12", 12}, IntegerCase{u"+12", 12}, IntegerCase{u"  12", 12},
        IntegerCase{u"  -12", -12}, IntegerCase{u"00012", 12}, IntegerCase{u"0", 0},
        IntegerCase{u"-0", 0}, IntegerCase{u"-5", -5}, IntegerCase{u"0x1F", 31},
        IntegerCase{u"0X1f", 31}, IntegerCase{u"$1F", 31}, IntegerCase{u"x1F", 31},
        IntegerCase{u"X1f", 31}, IntegerCase{u"-0x10", -16}, IntegerCase{u"+$10", 16},
        IntegerCase{u"$FFFFFFFF", -1}, IntegerCase{u"$80000000", INT32_MIN},
        IntegerCase{u"-$1", -1}, IntegerCase{u"-$FFFFFFFF", 1},
        IntegerCase{u"$000000001", 1}, IntegerCase{u"$00000000FFFFFFFF", -1},
        IntegerCase{u"2147483647", INT32_MAX}, IntegerCase{u"-2147483648", INT32_MIN},
        IntegerCase{u"00000000002147483647", INT32_MAX},
        // Invalid: the caller's default.
        IntegerCase{u"", std::nullopt}, IntegerCase{u"   ", std::nullopt},
        IntegerCase{u"12 ", std::nullopt}, IntegerCase{u"\t12", std::nullopt},
        IntegerCase{u"1.5", std::nullopt}, IntegerCase{u"true", std::nullopt},
        IntegerCase{u"12a", std::nullopt}, IntegerCase{u"1 2", std::nullopt},
        IntegerCase{u"2147483648", std::nullopt}, IntegerCase{u"-2147483649", std::nullopt},
        IntegerCase{u"99999999999999999999", std::nullopt},
        IntegerCase{u"$100000000", std::nullopt}, IntegerCase{u"0x", std::nullopt},
        IntegerCase{u"$", std::nullopt}, IntegerCase{u"x", std::nullopt},
        IntegerCase{u"-", std::nullopt}, IntegerCase{u"+", std::nullopt},
        IntegerCase{u"+-1", std::nullopt}, IntegerCase{u"--1", std::nullopt},
        IntegerCase{u"- 1", std::nullopt}, IntegerCase{u"0x1G", std::nullopt},
        IntegerCase{u"$0x1", std::nullopt}, IntegerCase{u"0x 1", std::nullopt},
        IntegerCase{u"\uFF11", std::nullopt}));

struct BoolCase {
    std::u16string_view Text;
    std::optional<bool> Value; // nullopt: the default
};

class IniBoolTest : public ::testing::TestWithParam<BoolCase> {};

TEST_P(IniBoolTest, ReadsNonZeroAsTrue) {
    const BoolCase& c = GetParam();
    TMemIniFile ini = TMemIniFile::FromBytes(u"x.ini", "", TextEncoding::Utf8);
    ini.WriteString(u"S", u"B", c.Text);
    for (bool defaultValue : {false, true})
        EXPECT_EQ(ini.ReadBool(u"S", u"B", defaultValue), c.Value.value_or(defaultValue))
            << "default " << defaultValue;
}

INSTANTIATE_TEST_SUITE_P(Values, IniBoolTest,
                         ::testing::Values(BoolCase{u"1", true}, BoolCase{u"2", true},
                                           BoolCase{u"-1", true}, BoolCase{u"$10", true},
                                           BoolCase{u"0", false}, BoolCase{u"$0", false},
                                           BoolCase{u"yes", std::nullopt},
                                           BoolCase{u"true", std::nullopt},
                                           BoolCase{u"", std::nullopt}));

TEST_F(IniFileTest, AbsentKeyOrSectionGivesTheDefault) {
    TMemIniFile ini = loadUtf8("[S]\r\nk=1\r\n");
    EXPECT_EQ(ini.ReadString(u"T", u"k", u"d"), u"d");
    EXPECT_EQ(ini.ReadString(u"S", u"j", u"d"), u"d");
    EXPECT_EQ(ini.ReadInteger(u"T", u"k", -3), -3);
    EXPECT_TRUE(ini.ReadBool(u"S", u"j", true));
    EXPECT_FALSE(ini.ReadBool(u"S", u"j", false));
}

// ---------------------------------------------------------------- encodings

TEST_F(IniFileTest, Utf8DocumentLoadsWithOrWithoutTheMark) {
    for (std::string_view mark : {std::string_view(), kUtf8Mark}) {
        TMemIniFile ini = loadUtf8(std::string(mark) + "[S\xC3\xA9]\r\nk=\xE2\x82\xAC\r\n");
        EXPECT_EQ(ini.ReadString(u"S\u00E9", u"k", u""), u"\u20AC") << "mark " << mark.size();
        EXPECT_EQ(ini.Encoding(), TextEncoding::Utf8);
        EXPECT_EQ(ini.Serialize(),
                  std::string(kUtf8Mark) + crlfLines({"[S\xC3\xA9]", "k=\xE2\x82\xAC", ""}));
    }
}

TEST_F(IniFileTest, InvalidUtf8FailsTheWholeLoad) {
    const std::u16string expected(kNoMappingMessage);
    for (std::string_view bytes : {"[S]\r\nk=caf\xE9\r\n", "\xEF\xBB\xBF[S]\r\nk=\xC0\xAF\r\n",
                                   "[S]\r\nk=\xE2\x82"}) {
        EXPECT_EQ(messageOf([&] { loadUtf8(bytes); }), expected);
    }
    Dir.write("bad.ini", "[S]\r\nk=\xE9\r\n");
    EXPECT_EQ(messageOf([&] { TMemIniFile ini(Dir.file16("bad.ini"), TextEncoding::Utf8); }),
              expected);
}

struct DetectCase {
    const char* Name;
    std::string Bytes;
    TextEncoding Encoding;
};

class IniDetectTest : public IniFileTest, public ::testing::WithParamInterface<DetectCase> {};

TEST_P(IniDetectTest, FindsTheEncodingByTheMarkAndWritesItBack) {
    const DetectCase& c = GetParam();
    Dir.write("x.ini", c.Bytes);
    TMemIniFile ini(Dir.file16("x.ini"));
    EXPECT_EQ(ini.Encoding(), c.Encoding);
    EXPECT_EQ(ini.ReadString(u"S", u"k", u""), u"caf\u00E9");
    EXPECT_EQ(ini.Serialize(), c.Bytes);
    ini.UpdateFile();
    EXPECT_EQ(ReadBytes(Dir.file("x.ini")), c.Bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Marks, IniDetectTest,
    ::testing::Values(
        DetectCase{"Utf8", "\xEF\xBB\xBF[S]\r\nk=caf\xC3\xA9\r\n\r\n", TextEncoding::Utf8},
        DetectCase{"Utf16LE",
                   std::string("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0c\0a\0f\0\xE9\0\r\0\n\0\r\0\n\0", 32),
                   TextEncoding::Utf16LE},
        DetectCase{"Utf16BE",
                   std::string("\xFE\xFF\0[\0S\0]\0\r\0\n\0k\0=\0c\0a\0f\0\xE9\0\r\0\n\0\r\0\n", 32),
                   TextEncoding::Utf16BE},
        DetectCase{"AnsiWithoutMark", "[S]\r\nk=caf\xE9\r\n\r\n", TextEncoding::Ansi}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(IniFileTest, AnsiWritesUnmappableCharactersAsQuestionMarks) {
    TMemIniFile ini(Dir.file16("x.ini"));
    EXPECT_EQ(ini.Encoding(), std::nullopt);
    ini.WriteString(u"S", u"k", u"\u00E9\u4E2D!");
    EXPECT_EQ(ini.Serialize(), crlfLines({"[S]", "k=\xE9?!", ""}));
}

TEST_F(IniFileTest, MissingFileKeepsTheGivenEncoding) {
    EXPECT_EQ(TMemIniFile(Dir.file16("none.ini"), TextEncoding::Utf8).Encoding(),
              TextEncoding::Utf8);
    EXPECT_EQ(TMemIniFile(u"").Encoding(), std::nullopt);
}

// ---------------------------------------------------------------- failures

TEST_F(IniFileTest, UnreadableFileFailsToOpen) {
    std::string path = Dir.write("x.ini", "[S]\r\nk=v\r\n");
    ::chmod(path.c_str(), 0);
    EXPECT_EQ(messageOf([&] { TMemIniFile ini(U16(path), TextEncoding::Utf8); }),
              u"Cannot open file \"" + U16(path) + u"\". " + strerror16(EACCES));
}

struct CreateFailure {
    const char* Name;
    const char* File;                   // under the temporary folder
    void (*Prepare)(const TempDir& dir); // makes the file impossible to create
    int Errno;
};

class IniCreateFailureTest : public IniFileTest,
                             public ::testing::WithParamInterface<CreateFailure> {};

TEST_P(IniCreateFailureTest, FailsAndLeavesTheOldFileAndTheDocumentAsTheyWere) {
    const CreateFailure& c = GetParam();
    c.Prepare(Dir);
    std::string path = Dir.file(c.File);
    bool existed = PathExists(path);
    std::string before = existed ? ReadBytes(path) : std::string();

    TMemIniFile ini(U16(path), TextEncoding::Utf8);
    ini.WriteString(u"S", u"k", u"new");
    std::string document = ini.Serialize();
    EXPECT_EQ(messageOf([&] { ini.UpdateFile(); }),
              u"Cannot create file \"" + U16(path) + u"\". " + strerror16(c.Errno));
    EXPECT_EQ(ini.Serialize(), document);
    EXPECT_EQ(PathExists(path), existed);
    if (existed) {
        EXPECT_EQ(ReadBytes(path), before);
    }
    // Nothing half-written stays behind.
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (std::filesystem::exists(folder)) {
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            EXPECT_EQ(entry.path().filename(), std::filesystem::path(path).filename());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Causes, IniCreateFailureTest,
    ::testing::Values(
        CreateFailure{"MissingFolder", "missing/x.ini", [](const TempDir&) {}, ENOENT},
        CreateFailure{"ReadOnlyFolder", "ro/x.ini",
                      [](const TempDir& dir) {
                          dir.write("ro/x.ini", "[Old]\r\n");
                          ::chmod(dir.file("ro").c_str(), 0555);
                      },
                      EACCES},
        CreateFailure{"ReadOnlyFile", "rw/x.ini",
                      [](const TempDir& dir) {
                          dir.write("rw/x.ini", "[Old]\r\nk=old\r\n");
                          ::chmod(dir.file("rw/x.ini").c_str(), 0444);
                      },
                      EACCES}),
    [](const auto& info) { return std::string(info.param.Name); });
