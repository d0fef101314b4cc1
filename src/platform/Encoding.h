// The encodings a text file can be in, with their byte-order marks.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tarvel {

enum class TextEncoding { Ansi, Utf8, Utf16LE, Utf16BE };

struct DetectedEncoding {
    TextEncoding Encoding;
    size_t MarkLength;
};

// EF BB BF is UTF-8, else FF FE UTF-16 LE, else FE FF UTF-16 BE; no mark is
// the ANSI code page.
DetectedEncoding DetectEncoding(std::string_view bytes);

// nullopt when UTF-8 bytes are ill-formed; the other encodings never fail.
std::optional<std::u16string> DecodeText(std::string_view bytes, TextEncoding encoding);

std::string EncodeText(std::u16string_view text, TextEncoding encoding);

// The mark written before the text. The ANSI code page has none, except
// where the system code page is itself UTF-8.
std::string_view EncodingPreamble(TextEncoding encoding);

} // namespace tarvel
