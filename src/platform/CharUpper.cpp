#include "platform/CharUpper.h"

namespace tarvel {

namespace {
#include "platform/UpperTable.inc"
} // namespace

char16_t UpperCaseUnit(char16_t unit) {
    // Two loads and an add: this runs for every character of every INI key
    // that is hashed or compared.
    return static_cast<char16_t>(unit + kUpperBlocks[kUpperBlockIndex[unit >> 8]][unit & 0xFF]);
}

std::u16string UpperCase(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out)
        c = UpperCaseUnit(c);
    return out;
}

bool SameTextIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && UpperCaseUnit(a[i]) != UpperCaseUnit(b[i]))
            return false;
    return true;
}

} // namespace tarvel
