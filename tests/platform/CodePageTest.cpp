#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tarvel {
namespace {

// Clears the variables GetACP reads and puts back what was there, so that
// one test's locale never leaks into another.
class CodePageEnvironment : public testing::Test {
protected:
    static constexpr const char* kNames[] = {"TARVEL_ACP", "LC_ALL", "LC_CTYPE", "LANG"};

    void SetUp() override {
        for (const char* name : kNames) {
            const char* value = std::getenv(name);
            saved_.push_back(value ? std::optional<std::string>(value) : std::nullopt);
            unsetenv(name);
        }
    }
    void TearDown() override {
        for (size_t k = 0; k < saved_.size(); ++k) {
            if (saved_[k])
                setenv(kNames[k], saved_[k]->c_str(), 1);
            else
                unsetenv(kNames[k]);
        }
    }
    static void set(const char* name, const char* value) {
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }

private:
    std::vector<std::optional<std::string>> saved_;
};

struct LocaleCase {
    const char* LcAll;
    const char* LcCtype;
    const char* Lang;
    unsigned Expected;
};

using AnsiCodePage = CodePageEnvironment;

TEST_F(AnsiCodePage, FollowsTheLanguageOfTheFirstLocaleVariableSet) {
    const LocaleCase cases[] = {
        {nullptr, nullptr, nullptr, 1252},
        {nullptr, nullptr, "C", 1252},
        {nullptr, nullptr, "POSIX", 1252},
        {nullptr, nullptr, "en_US.UTF-8", 1252},
        {nullptr, nullptr, "de_DE@euro", 1252},
        {nullptr, nullptr, "cs_CZ.UTF-8", 1250},
        {nullptr, nullptr, "pl_PL", 1250},
        {nullptr, nullptr, "sq_AL.UTF-8", 1250},
        {nullptr, nullptr, "ru_RU.KOI8-R", 1251},
        {nullptr, nullptr, "sr_RS@latin", 1251},
        {nullptr, nullptr, "kk_KZ", 1251},
        {nullptr, nullptr, "el_GR.UTF-8", 1253},
        {nullptr, nullptr, "tr_TR", 1254},
        {nullptr, nullptr, "az_AZ", 1254},
        {nullptr, nullptr, "he_IL", 1255},
        {nullptr, nullptr, "fa_IR", 1256},
        {nullptr, nullptr, "ur_PK", 1256},
        {nullptr, nullptr, "lv_LV", 1257},
        {nullptr, nullptr, "vi_VN", 1258},
        {nullptr, nullptr, "th_TH.UTF-8", 874},
        {nullptr, nullptr, "ja_JP.eucJP", 932},
        {nullptr, nullptr, "zh_CN.UTF-8", 936},
        {nullptr, nullptr, "zh_SG", 936},
        {nullptr, nullptr, "zh", 936},
        {nullptr, nullptr, "zh_TW.UTF-8", 950},
        {nullptr, nullptr, "zh_HK", 950},
        {nullptr, nullptr, "ko_KR.EUC-KR", 949},
        // "es" begins like "et" and "ur" is not "uk": whole language codes only.
        {nullptr, nullptr, "es_ES", 1252},
        {nullptr, nullptr, "ukr", 1252},
        // LC_ALL over LC_CTYPE over LANG; an empty value counts as unset.
        {"ja_JP", "ru_RU", "el_GR", 932},
        {nullptr, "ru_RU", "el_GR", 1251},
        {"", "", "el_GR", 1253},
        {"", "tr_TR", "", 1254},
        {"C", "ru_RU", nullptr, 1252},
    };
    for (const LocaleCase& c : cases) {
        set("LC_ALL", c.LcAll);
        set("LC_CTYPE", c.LcCtype);
        set("LANG", c.Lang);
        EXPECT_EQ(GetACP(), c.Expected)
            << "LC_ALL=" << (c.LcAll ? c.LcAll : "(unset)")
            << " LC_CTYPE=" << (c.LcCtype ? c.LcCtype : "(unset)")
            << " LANG=" << (c.Lang ? c.Lang : "(unset)");
    }
}

TEST_F(AnsiCodePage, TarvelAcpOverridesTheLocaleWhenItNamesAKnownPage) {
    set("LANG", "ru_RU.UTF-8");
    const std::pair<const char*, unsigned> cases[] = {
        {"65001", 65001}, {"1252", 1252}, {"932", 932}, {"874", 874},
        // Not a number, or a page without a table: the locale decides.
        {"", 1251}, {"utf8", 1251}, {"1252x", 1251}, {"437", 1251}, {"-1", 1251},
        {"99999999999999999999", 1251},
    };
    for (auto [value, expected] : cases) {
        set("TARVEL_ACP", value);
        EXPECT_EQ(GetACP(), expected) << "TARVEL_ACP=" << value;
    }
}

// --- Single-byte pages -------------------------------------------------------

struct SpotValue {
    unsigned char Byte;
    char16_t Unit;
};

struct SingleBytePageCase {
    unsigned CodePage;
    std::vector<SpotValue> Spots;
};

const SingleBytePageCase kSingleBytePages[] = {
    {874, {{0x80, 0x20AC}, {0xA1, 0x0E01}, {0xDF, 0x0E3F}, {0xFF, 0xF8C8}}},
    {1250, {{0x80, 0x20AC}, {0x8A, 0x0160}, {0xD0, 0x0110}, {0xFF, 0x02D9}}},
    {1251, {{0x80, 0x0402}, {0xAA, 0x0404}, {0xC0, 0x0410}, {0xFF, 0x044F}}},
    {1252, {{0x80, 0x20AC}, {0x81, 0x0081}, {0x8D, 0x008D}, {0x9F, 0x0178}, {0xFF, 0x00FF}}},
    {1253, {{0xAA, 0xF8F9}, {0xC0, 0x0390}, {0xFF, 0xF8FB}}},
    {1254, {{0xD0, 0x011E}, {0xFD, 0x0131}}},
    {1255, {{0xAA, 0x00D7}, {0xC0, 0x05B0}, {0xE0, 0x05D0}, {0xFF, 0xF896}}},
    {1256, {{0x81, 0x067E}, {0xC1, 0x0621}, {0xFF, 0x06D2}}},
    {1257, {{0xAA, 0x0156}, {0xC0, 0x0104}, {0xFF, 0x02D9}}},
    {1258, {{0xCC, 0x0300}, {0xD2, 0x0309}, {0xDE, 0x0303}}},
};

std::string allBytes() {
    std::string bytes(256, '\0');
    for (int b = 0; b < 256; ++b)
        bytes[b] = static_cast<char>(b);
    return bytes;
}

TEST(SingleByteCodePages, DecodeEveryByteAndEncodeItBack) {
    const std::string bytes = allBytes();
    for (const SingleBytePageCase& page : kSingleBytePages) {
        SCOPED_TRACE(page.CodePage);
        std::u16string units = AnsiToUtf16(bytes, page.CodePage);
        ASSERT_EQ(units.size(), 256u);
        for (int b = 0; b < 0x80; ++b)
            EXPECT_EQ(units[b], b) << "ASCII byte " << b;
        for (const SpotValue& spot : page.Spots)
            EXPECT_EQ(static_cast<unsigned>(units[spot.Byte]), static_cast<unsigned>(spot.Unit))
                << "byte " << static_cast<unsigned>(spot.Byte);
        EXPECT_EQ(std::set<char16_t>(units.begin(), units.end()).size(), 256u)
            << "two bytes share a unit";
        EXPECT_EQ(Utf16ToAnsi(units, page.CodePage), bytes);
    }
}

TEST(SingleByteCodePages, EveryUnitOutsideThePageBecomesAQuestionMark) {
    std::u16string everyUnit(0x10000, u'\0');
    for (unsigned u = 0; u < 0x10000; ++u)
        everyUnit[u] = static_cast<char16_t>(u);
    const std::string bytes = allBytes();
    for (const SingleBytePageCase& page : kSingleBytePages) {
        SCOPED_TRACE(page.CodePage);
        std::u16string units = AnsiToUtf16(bytes, page.CodePage);
        std::string encoded = Utf16ToAnsi(everyUnit, page.CodePage);
        ASSERT_EQ(encoded.size(), everyUnit.size());
        for (unsigned u = 0; u < 0x10000; ++u) {
            size_t byte = units.find(static_cast<char16_t>(u));
            char expected = byte == std::u16string::npos ? '?' : static_cast<char>(byte);
            if (encoded[u] != expected) {
                ADD_FAILURE() << "unit " << std::hex << u;
                break;
            }
        }
    }
}

TEST(SingleByteCodePages, CharactersThePageLacksAreQuestionMarks) {
    struct Case {
        unsigned CodePage;
        std::u16string Text;
        std::string Expected;
    };
    const Case cases[] = {
        // No best fit: Ł is not written as L, nor Ω as W.
        {1252, u"\u0141\u03A9\u20AC", "??\x80"},
        {1251, u"\u00E9\u0416", "?\xC6"},
        {1250, u"\u00E0\u0159", "?\xF8"},
        // A pair outside the BMP is two units, so two '?'.
        {1252, u"a\U0001F600b", "a??b"},
        {874, u"\U00020000", "??"},
        // Lone surrogates.
        {1253, std::u16string{u'\xD800', u'x', u'\xDFFF'}, "?x?"},
        {1252, u"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Utf16ToAnsi(c.Text, c.CodePage), c.Expected) << "code page " << c.CodePage;
}

TEST(SingleByteCodePages, AnUnknownPageIsTreatedAsWestern) {
    EXPECT_EQ(AnsiToUtf16("\x80\x9F", 437), u"\u20AC\u0178");
    EXPECT_EQ(Utf16ToAnsi(u"\u20AC\u0416", 437), "\x80?");
}

// --- UTF-8 as the ANSI page --------------------------------------------------

TEST(Utf8AnsiCodePage, ConvertsAsUtf8AndNeverFails) {
    EXPECT_EQ(AnsiToUtf16("\xE6\x97\xA5", kCodePageUtf8), u"\u65E5");
    EXPECT_EQ(AnsiToUtf16("a\xFF" "b", kCodePageUtf8), u"a\uFFFDb");
    EXPECT_EQ(Utf16ToAnsi(u"\u65E5\U0001F600", kCodePageUtf8), "\xE6\x97\xA5\xF0\x9F\x98\x80");
}

// --- Double-byte pages -------------------------------------------------------

struct DoubleByteCase {
    unsigned CodePage;
    std::u16string Text;
    std::string Bytes;
};

TEST(DoubleByteCodePages, ConvertBothWays) {
    const DoubleByteCase cases[] = {
        {932, u"\u65E5\u672C", "\x93\xFA\x96\x7B"},
        // Windows' 932 keeps ASCII as ASCII: 5C is the backslash, not the yen.
        {932, u"C:\\dir~1", "C:\\dir~1"},
        {932, u"\uFF76\u3042", "\xB6\x82\xA0"},
        {932, u"\uFF5E\u2225", "\x81\x60\x81\x61"},
        {936, u"\u4E2D\u6587", "\xD6\xD0\xCE\xC4"},
        {936, u"\u20AC", "\x80"},
        {949, u"\uD55C\uAD6D", "\xC7\xD1\xB1\xB9"},
        {950, u"\u4E2D\u6587", "\xA4\xA4\xA4\xE5"},
        {950, u"", ""},
    };
    for (const DoubleByteCase& c : cases) {
        SCOPED_TRACE(c.CodePage);
        EXPECT_EQ(Utf16ToAnsi(c.Text, c.CodePage), c.Bytes);
        EXPECT_EQ(AnsiToUtf16(c.Bytes, c.CodePage), c.Text);
    }
}

TEST(DoubleByteCodePages, CharactersThePageLacksAreOneQuestionMarkPerUnit) {
    const DoubleByteCase cases[] = {
        {932, u"\u00E9", "?"},
        // No best fit from the look-alikes of the Shift-JIS wave dash and yen.
        {932, u"\u301C\u00A5", "??"},
        {932, u"\u65E5\U0001F600\u672C", "\x93\xFA??\x96\x7B"},
        {936, u"\uD55C", "?"},
        {949, u"\u00E9x", "?x"},
        {950, u"\U00020000", "??"},
        {932, std::u16string{u'\xDC00', u'a', u'\xD800'}, "?a?"},
    };
    for (const DoubleByteCase& c : cases)
        EXPECT_EQ(Utf16ToAnsi(c.Text, c.CodePage), c.Bytes) << "code page " << c.CodePage;
}

TEST(DoubleByteCodePages, IllFormedBytesAreSubstitutedAndTheRestKept) {
    const DoubleByteCase cases[] = {
        // A lead byte cut off at the end.
        {932, u"A\uFFFD", "A\x81"},
        // A lead byte followed by a byte that cannot trail it.
        {932, u"\uFFFD x", "\x81\x20x"},
        {936, u"\u4E2D\uFFFD", "\xD6\xD0\xD6"},
        {949, u"\uFFFD", "\xC7"},
    };
    for (const DoubleByteCase& c : cases)
        EXPECT_EQ(AnsiToUtf16(c.Bytes, c.CodePage), c.Text) << "code page " << c.CodePage;
}

TEST(DoubleByteCodePages, LongTextAndRepeatedUseGiveTheSameResult) {
    std::u16string text;
    std::string bytes;
    for (int k = 0; k < 5000; ++k) {
        text += u"\u65E5\u672Cx\U0001F600";
        bytes += "\x93\xFA\x96\x7Bx??";
    }
    // A cut-off lead byte at the end of one call must not leak into the next.
    EXPECT_EQ(AnsiToUtf16("\x93", 932), u"\uFFFD");
    EXPECT_EQ(Utf16ToAnsi(text, 932), bytes);
    std::u16string decoded = AnsiToUtf16(bytes, 932);
    EXPECT_EQ(decoded.size(), 5000u * 5);
    EXPECT_EQ(decoded.substr(decoded.size() - 5), u"\u65E5\u672Cx??");
}

} // namespace
} // namespace tarvel
