// PLACEHOLDER until the generated table lands: ASCII only.
#include "platform/CharUpper.h"

namespace tarvel {

char16_t UpperCaseUnit(char16_t unit) {
    return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - 32) : unit;
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
