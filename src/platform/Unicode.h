// UTF-8 and UTF-16 conversion. Decoding UTF-8 is strict: any ill-formed
// sequence fails the whole conversion, as MultiByteToWideChar does with
// MB_ERR_INVALID_CHARS.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvel {

// Strict decoding: overlong forms, encoded surrogates, values above U+10FFFF
// and truncated sequences give nullopt.
std::optional<std::u16string> Utf8ToUtf16(std::string_view bytes);

// An unpaired surrogate is written as U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// Convenience for text known to be valid (literals, file names from the
// system): ill-formed bytes become U+FFFD instead of failing.
std::u16string U16(std::string_view utf8);

std::u16string Utf16LEToUtf16(std::string_view bytes);
std::u16string Utf16BEToUtf16(std::string_view bytes);
std::string Utf16ToUtf16LE(std::u16string_view text);
std::string Utf16ToUtf16BE(std::u16string_view text);

} // namespace tarvel
