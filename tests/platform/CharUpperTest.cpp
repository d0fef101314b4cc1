#include "platform/CharUpper.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvel {
namespace {

TEST(UpperCaseUnit, FollowsTheSimpleMappingOnlyWhereItRoundTrips) {
    const std::pair<char16_t, char16_t> cases[] = {
        {u'a', u'A'}, {u'z', u'Z'}, {u'A', u'A'}, {u'0', u'0'}, {u'_', u'_'},
        {0x00E0, 0x00C0}, {0x00FE, 0x00DE}, {0x00FF, 0x0178},
        // i is I, and dotted capital I stays: no Turkish rules.
        {u'i', u'I'}, {0x0130, 0x0130},
        {0x03B1, 0x0391}, {0x0451, 0x0401}, {0x0561, 0x0531}, {0x10D0, 0x1C90},
        {0x1F00, 0x1F08}, {0x1F80, 0x1F88}, {0x2170, 0x2160}, {0x24D0, 0x24B6},
        {0xAB70, 0x13A0}, {0xFF41, 0xFF21},
        // Their upper case lower-cases to something else, so they stay.
        {0x00DF, 0x00DF}, {0x00B5, 0x00B5}, {0x0131, 0x0131}, {0x017F, 0x017F},
        {0x03C2, 0x03C2}, {0x1E9B, 0x1E9B}, {0x1FBE, 0x1FBE},
        // The title-case digraphs stay; their lower-case forms go to the capitals.
        {0x01C5, 0x01C5}, {0x01C8, 0x01C8}, {0x01CB, 0x01CB}, {0x01F2, 0x01F2},
        {0x01C6, 0x01C4}, {0x01C9, 0x01C7}, {0x01CC, 0x01CA}, {0x01F3, 0x01F1},
        {0x01C4, 0x01C4},
        // Surrogates and the ends of the range.
        {0xD800, 0xD800}, {0xDBFF, 0xDBFF}, {0xDC00, 0xDC00}, {0xDFFF, 0xDFFF},
        {0x0000, 0x0000}, {0xFFFF, 0xFFFF},
    };
    for (auto [unit, upper] : cases)
        EXPECT_EQ(static_cast<unsigned>(UpperCaseUnit(unit)), static_cast<unsigned>(upper))
            << std::hex << "U+" << static_cast<unsigned>(unit);
}

TEST(UpperCaseUnit, HoldsForTheWholeRange) {
    unsigned changed = 0;
    for (unsigned u = 0; u < 0x10000; ++u) {
        char16_t unit = static_cast<char16_t>(u);
        char16_t upper = UpperCaseUnit(unit);
        if (upper == unit)
            continue;
        ++changed;
        // An upper-case result is never changed again, and ASCII only ever
        // maps within ASCII letters (key comparisons rely on both).
        EXPECT_EQ(UpperCaseUnit(upper), upper) << std::hex << "U+" << u;
        EXPECT_EQ(u < 0x80, upper < 0x80) << std::hex << "U+" << u;
        EXPECT_FALSE(u >= 0xD800 && u <= 0xDFFF) << std::hex << "U+" << u;
    }
    // As many units as CharUpperBuffW changes.
    EXPECT_EQ(changed, 1163u);
}

TEST(UpperCase, ConvertsEachUnit) {
    EXPECT_EQ(UpperCase(u"Stra\u00DFe \u01C6 \u0101bc"), u"STRA\u00DFE \u01C4 \u0100BC");
    EXPECT_EQ(UpperCase(u"\U0001F600x"), u"\U0001F600X");
    EXPECT_EQ(UpperCase(u""), u"");
}

TEST(SameTextIgnoringCase, ComparesAfterUpperCasing) {
    struct Case {
        std::u16string A, B;
        bool Same;
    };
    const Case cases[] = {
        {u"", u"", true},
        {u"Key", u"KEY", true},
        {u"key", u"kex", false},
        {u"key", u"keys", false},
        {u"\u00E9t\u00E9", u"\u00C9T\u00C9", true},
        {u"\u0436", u"\u0416", true},
        {u"\u01C6", u"\u01C4", true},
        {u"\u01C5", u"\u01C4", false},
        {u"\u0131", u"I", false},
        {u"\u017F", u"S", false},
        {u"\u00DF", u"\u1E9E", false},
        {u"stra\u00DFe", u"STRASSE", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SameTextIgnoringCase(c.A, c.B), c.Same);
        EXPECT_EQ(SameTextIgnoringCase(c.B, c.A), c.Same);
    }
}

} // namespace
} // namespace tarvel
