// Upper-casing per UTF-16 unit, as CharUpperBuffW does it: the simple
// upper-case mapping, applied only where lower-casing the result gives the
// unit back. Used to compare names without regard to letter case.
#pragma once

#include <string>
#include <string_view>

namespace tarvel {

char16_t UpperCaseUnit(char16_t unit);
std::u16string UpperCase(std::u16string_view text);

// Equal after upper-casing both, unit by unit.
bool SameTextIgnoringCase(std::u16string_view a, std::u16string_view b);

} // namespace tarvel
