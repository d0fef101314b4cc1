#include "platform/Unicode.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace tarvel {
namespace {

struct Utf8Case {
    std::string Bytes;
    std::u16string Text;
};

// The edges of each sequence length and of the ranges that are excluded.
const Utf8Case kWellFormed[] = {
    {"", u""},
    {std::string("\0", 1), std::u16string(1, u'\0')},
    {"\x7F", u"\x7F"},
    {"\xC2\x80", u"\u0080"},
    {"\xDF\xBF", u"\u07FF"},
    {"\xE0\xA0\x80", u"\u0800"},
    {"\xED\x9F\xBF", u"\uD7FF"},
    {"\xEE\x80\x80", u"\uE000"},
    {"\xEF\xBF\xBD", u"\uFFFD"},
    {"\xEF\xBF\xBF", u"\uFFFF"},
    {"\xF0\x90\x80\x80", u"\U00010000"},
    {"\xF0\x9F\x98\x80", u"\U0001F600"},
    {"\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
    {"a\xC3\xA9" "b\xE2\x82\xAC" "c", u"a\u00E9b\u20ACc"},
};

TEST(Utf8ToUtf16, DecodesWellFormedText) {
    for (const Utf8Case& c : kWellFormed)
        EXPECT_EQ(Utf8ToUtf16(c.Bytes), c.Text) << testing::PrintToString(c.Bytes);
}

TEST(Utf16ToUtf8, EncodesWellFormedText) {
    for (const Utf8Case& c : kWellFormed)
        EXPECT_EQ(Utf16ToUtf8(c.Text), c.Bytes) << testing::PrintToString(c.Bytes);
}

TEST(Utf8ToUtf16, RejectsEveryIllFormedSequence) {
    const std::string cases[] = {
        "\xC0\x80", "\xC1\xBF",                  // overlong two-byte
        "\xE0\x80\x80", "\xE0\x9F\xBF",          // overlong three-byte
        "\xF0\x80\x80\x80", "\xF0\x8F\xBF\xBF",  // overlong four-byte
        "\xED\xA0\x80", "\xED\xBF\xBF",          // encoded surrogates
        "\xF4\x90\x80\x80", "\xF5\x80\x80\x80",  // above U+10FFFF
        "\xF8\x88\x80\x80\x80", "\xFE", "\xFF",  // bytes never used
        "\x80", "\xBF",                          // continuation without a lead
        "\xC2", "\xE2\x82", "\xF0\x9F\x98",      // cut off
        "\xE2\x28\xA1", "\xC2\x41",              // a lead followed by a non-continuation
        "text\xC3", "\xC3text",
    };
    for (const std::string& bytes : cases)
        EXPECT_EQ(Utf8ToUtf16(bytes), std::nullopt) << testing::PrintToString(bytes);
}

TEST(Utf8ToUtf16, RoundTripsEveryScalarValue) {
    for (char32_t cp = 1; cp <= 0x10FFFF; cp += (cp < 0x10000 ? 1 : 0x3F)) {
        if (cp >= 0xD800 && cp <= 0xDFFF)
            continue;
        std::u16string text;
        if (cp < 0x10000) {
            text.push_back(static_cast<char16_t>(cp));
        } else {
            text.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
            text.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        }
        std::optional<std::u16string> back = Utf8ToUtf16(Utf16ToUtf8(text));
        if (back != text) {
            ADD_FAILURE() << std::hex << "U+" << static_cast<unsigned>(cp);
            break;
        }
    }
}

TEST(Utf16ToUtf8, WritesUnpairedSurrogatesAsReplacement) {
    struct Case {
        std::u16string Text;
        std::string Bytes;
    };
    const Case cases[] = {
        {{u'\xD800'}, "\xEF\xBF\xBD"},
        {{u'\xDC00'}, "\xEF\xBF\xBD"},
        {{u'a', u'\xDBFF'}, "a\xEF\xBF\xBD"},
        // Low before high is two strays, not a pair.
        {{u'\xDC00', u'\xD800'}, "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {{u'\xD800', u'\xD800', u'\xDC00'}, "\xEF\xBF\xBD\xF0\x90\x80\x80"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Utf16ToUtf8(c.Text), c.Bytes);
}

TEST(U16, ReplacesIllFormedBytesAndKeepsTheRest) {
    const Utf8Case cases[] = {
        {"plain \xC3\xA9", u"plain \u00E9"},
        {"a\xFF" "b", u"a\uFFFDb"},
        {"\x80\x80", u"\uFFFD\uFFFD"},
        {"\xED\xA0\x80!", u"\uFFFD\uFFFD\uFFFD!"},
        {"x\xF0\x9F\x98\x80" "\xC0", u"x\U0001F600\uFFFD"},
    };
    for (const Utf8Case& c : cases)
        EXPECT_EQ(U16(c.Bytes), c.Text) << testing::PrintToString(c.Bytes);
}

TEST(Utf16Bytes, ConvertInBothByteOrders) {
    const std::u16string text = u"A\u20AC\U0001F600";
    const std::string le("A\0\xAC\x20\x3D\xD8\x00\xDE", 8);
    const std::string be("\0A\x20\xAC\xD8\x3D\xDE\x00", 8);
    EXPECT_EQ(Utf16ToUtf16LE(text), le);
    EXPECT_EQ(Utf16ToUtf16BE(text), be);
    EXPECT_EQ(Utf16LEToUtf16(le), text);
    EXPECT_EQ(Utf16BEToUtf16(be), text);
    // A trailing odd byte cannot form a unit.
    EXPECT_EQ(Utf16LEToUtf16(le + 'x'), text);
    EXPECT_EQ(Utf16BEToUtf16("x"), u"");
}

} // namespace
} // namespace tarvel
