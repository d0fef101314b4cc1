#include "platform/Encoding.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace tarvel {
namespace {

// Fixes the ANSI code page through TARVEL_ACP for one test and puts the
// variable back afterwards.
class AnsiPage {
public:
    explicit AnsiPage(const char* value) {
        if (const char* old = std::getenv("TARVEL_ACP"))
            saved_ = old;
        setenv("TARVEL_ACP", value, 1);
    }
    ~AnsiPage() {
        if (saved_)
            setenv("TARVEL_ACP", saved_->c_str(), 1);
        else
            unsetenv("TARVEL_ACP");
    }
    AnsiPage(const AnsiPage&) = delete;
    AnsiPage& operator=(const AnsiPage&) = delete;

private:
    std::optional<std::string> saved_;
};

TEST(DetectEncoding, RecognisesEachMark) {
    struct Case {
        std::string Bytes;
        TextEncoding Encoding;
        size_t MarkLength;
    };
    const Case cases[] = {
        {"\xEF\xBB\xBFkey=1", TextEncoding::Utf8, 3},
        {"\xEF\xBB\xBF", TextEncoding::Utf8, 3},
        {"\xFF\xFEk\0", TextEncoding::Utf16LE, 2},
        {"\xFE\xFF\0k", TextEncoding::Utf16BE, 2},
        // A UTF-32 LE mark begins like the UTF-16 LE one.
        {std::string("\xFF\xFE\0\0", 4), TextEncoding::Utf16LE, 2},
        {"key=1", TextEncoding::Ansi, 0},
        {"", TextEncoding::Ansi, 0},
        {"\xEF\xBB", TextEncoding::Ansi, 0},
        {"\xFF", TextEncoding::Ansi, 0},
        {"\xBB\xEF\xBF", TextEncoding::Ansi, 0},
        {"x\xEF\xBB\xBF", TextEncoding::Ansi, 0},
    };
    for (const Case& c : cases) {
        DetectedEncoding detected = DetectEncoding(c.Bytes);
        EXPECT_EQ(detected.Encoding, c.Encoding) << testing::PrintToString(c.Bytes);
        EXPECT_EQ(detected.MarkLength, c.MarkLength) << testing::PrintToString(c.Bytes);
    }
}

TEST(DecodeText, RejectsIllFormedUtf8) {
    const std::string cases[] = {
        "\xC0\x80",         // overlong NUL
        "\xE0\x80\x80",     // overlong
        "\xED\xA0\x80",     // an encoded surrogate
        "\xF4\x90\x80\x80", // above U+10FFFF
        "\xE2\x82",         // cut off
        "ok\xE2\x82",       // cut off after good text
        "\x80",             // a lone continuation byte
        "\xFF",
    };
    for (const std::string& bytes : cases)
        EXPECT_EQ(DecodeText(bytes, TextEncoding::Utf8), std::nullopt)
            << testing::PrintToString(bytes);
}

TEST(DecodeText, DecodesEachEncoding) {
    AnsiPage page("1252");
    EXPECT_EQ(DecodeText("k\xE2\x82\xAC", TextEncoding::Utf8), u"k\u20AC");
    EXPECT_EQ(DecodeText(std::string("k\0\xAC\x20", 4), TextEncoding::Utf16LE), u"k\u20AC");
    EXPECT_EQ(DecodeText(std::string("\0k\x20\xAC", 4), TextEncoding::Utf16BE), u"k\u20AC");
    EXPECT_EQ(DecodeText("k\x80\x81", TextEncoding::Ansi), u"k\u20AC\u0081");
}

TEST(DecodeText, AnsiFollowsTheSystemPage) {
    AnsiPage page("1251");
    EXPECT_EQ(DecodeText("\xC0", TextEncoding::Ansi), u"\u0410");
    EXPECT_EQ(EncodeText(u"\u0410\u00E9", TextEncoding::Ansi), "\xC0?");
}

TEST(EncodeText, WritesLoneSurrogatesAsReplacementInUtf8) {
    const std::u16string text{u'a', u'\xD800', u'b', u'\xDC00'};
    EXPECT_EQ(EncodeText(text, TextEncoding::Utf8), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
    // UTF-16 carries any unit as it is.
    EXPECT_EQ(EncodeText(text, TextEncoding::Utf16LE), std::string("a\0\0\xD8" "b\0\0\xDC", 8));
    EXPECT_EQ(EncodeText(text, TextEncoding::Utf16BE), std::string("\0a\xD8\0\0b\xDC\0", 8));
}

TEST(EncodingPreamble, GivesTheMarkOfEachEncoding) {
    AnsiPage page("1252");
    EXPECT_EQ(EncodingPreamble(TextEncoding::Utf8), "\xEF\xBB\xBF");
    EXPECT_EQ(EncodingPreamble(TextEncoding::Utf16LE), "\xFF\xFE");
    EXPECT_EQ(EncodingPreamble(TextEncoding::Utf16BE), "\xFE\xFF");
    EXPECT_EQ(EncodingPreamble(TextEncoding::Ansi), "");
}

TEST(EncodingWithUtf8AsTheAnsiPage, MarksTheTextAndNeverFailsToDecode) {
    AnsiPage page("65001");
    EXPECT_EQ(EncodingPreamble(TextEncoding::Ansi), "\xEF\xBB\xBF");
    EXPECT_EQ(DecodeText("a\xFF" "b", TextEncoding::Ansi), u"a\uFFFDb");
    EXPECT_EQ(DecodeText("\xE6\x97\xA5", TextEncoding::Ansi), u"\u65E5");
    EXPECT_EQ(EncodeText(u"\u65E5\U0001F600", TextEncoding::Ansi),
              "\xE6\x97\xA5\xF0\x9F\x98\x80");
    // Strict UTF-8 stays strict.
    EXPECT_EQ(DecodeText("a\xFF" "b", TextEncoding::Utf8), std::nullopt);
}

TEST(EncodingRoundTrip, EachEncodingGivesBackWhatItWrote) {
    AnsiPage page("932");
    const std::u16string text = u"[\u65E5\u672C]\r\nkey=\u30C6\u30B9\u30C8";
    for (TextEncoding encoding : {TextEncoding::Ansi, TextEncoding::Utf8, TextEncoding::Utf16LE,
                                  TextEncoding::Utf16BE}) {
        std::string bytes = std::string(EncodingPreamble(encoding)) + EncodeText(text, encoding);
        DetectedEncoding detected = DetectEncoding(bytes);
        EXPECT_EQ(detected.Encoding, encoding);
        EXPECT_EQ(DecodeText(std::string_view(bytes).substr(detected.MarkLength), encoding), text);
    }
}

} // namespace
} // namespace tarvel
