// Whole-file text I/O with the tool's error texts, the text-lines files and
// the rules of the What's New box.
#pragma once

#include "platform/Encoding.h"
#include "platform/Error.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

inline constexpr std::u16string_view kNoMappingMessage =
    u"No mapping for the Unicode character exists in the target multi-byte code page";
inline constexpr std::u16string_view kMemoCapacityMessage = u"Text exceeds memo capacity";

// The most UTF-16 units the What's New box takes.
inline constexpr size_t kMemoCapacity = size_t{1} << 25;

// The file's bytes; raises "Cannot open file "<path>". <reason>".
std::string ReadTextFileBytes(std::u16string_view path);

// Replaces the file atomically; raises "Cannot create file "<path>". <reason>"
// and leaves an existing file untouched.
void WriteTextFileBytes(std::u16string_view path, std::string_view bytes);

// Lines end at CR LF, lone CR or lone LF; a break at the very end adds no
// empty line; an empty text has no lines.
std::vector<std::u16string> SplitLines(std::u16string_view text);

// A text-lines file: read and written whole, remembering the encoding found
// by the last read (the ANSI code page before any).
struct TextLines {
    std::vector<std::u16string> Lines;
    TextEncoding Encoding = TextEncoding::Ansi;

    // On a UTF-8 decoding failure the lines stay as they were, but the
    // encoding has already become UTF-8.
    void LoadFromFile(std::u16string_view path);
    // Every line, the last included, followed by CR LF, after the mark.
    void SaveToFile(std::u16string_view path) const;
};

// The What's New box's text from a file: every line break becomes CR LF.
// `remembered` takes the encoding found, also when decoding then fails.
std::u16string LoadWhatsNewText(std::u16string_view path, TextEncoding& remembered);

// The box's text unchanged (no CR LF added), after the encoding's mark.
void SaveWhatsNewText(std::u16string_view path, std::u16string_view text, TextEncoding encoding);

} // namespace tarvel
