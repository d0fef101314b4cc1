// The system ANSI code page (GetACP) and conversion to and from it, with
// Windows' own tables: no best-fit mapping, '?' for what the page cannot hold.
#pragma once

#include <string>
#include <string_view>

namespace tarvel {

constexpr unsigned kCodePageUtf8 = 65001;

// The ANSI code page of the user's locale (LC_ALL, LC_CTYPE, LANG), or the
// number in TARVEL_ACP when that is set.
unsigned GetACP();

// Never fails: every byte of the single-byte pages maps to a unit.
std::u16string AnsiToUtf16(std::string_view bytes, unsigned codePage);

// Each unit the page cannot hold becomes '?' (a pair outside the BMP "??").
std::string Utf16ToAnsi(std::u16string_view text, unsigned codePage);

} // namespace tarvel
