#include "platform/Encoding.h"

#include "platform/CodePage.h"
#include "platform/Unicode.h"

namespace tarvel {

namespace {
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEMark = "\xFF\xFE";
constexpr std::string_view kUtf16BEMark = "\xFE\xFF";
} // namespace

DetectedEncoding DetectEncoding(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark))
        return {TextEncoding::Utf8, kUtf8Mark.size()};
    if (bytes.starts_with(kUtf16LEMark))
        return {TextEncoding::Utf16LE, kUtf16LEMark.size()};
    if (bytes.starts_with(kUtf16BEMark))
        return {TextEncoding::Utf16BE, kUtf16BEMark.size()};
    return {TextEncoding::Ansi, 0};
}

std::optional<std::u16string> DecodeText(std::string_view bytes, TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf8:
        return Utf8ToUtf16(bytes);
    case TextEncoding::Utf16LE:
        return Utf16LEToUtf16(bytes);
    case TextEncoding::Utf16BE:
        return Utf16BEToUtf16(bytes);
    case TextEncoding::Ansi:
        break;
    }
    // Decoding from the ANSI code page never fails, not even where that page
    // is UTF-8: ill-formed bytes then become U+FFFD.
    unsigned acp = GetACP();
    if (acp == kCodePageUtf8)
        return U16(bytes);
    return AnsiToUtf16(bytes, acp);
}

std::string EncodeText(std::u16string_view text, TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf8:
        return Utf16ToUtf8(text);
    case TextEncoding::Utf16LE:
        return Utf16ToUtf16LE(text);
    case TextEncoding::Utf16BE:
        return Utf16ToUtf16BE(text);
    case TextEncoding::Ansi:
        break;
    }
    unsigned acp = GetACP();
    if (acp == kCodePageUtf8)
        return Utf16ToUtf8(text);
    return Utf16ToAnsi(text, acp);
}

std::string_view EncodingPreamble(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf8:
        return kUtf8Mark;
    case TextEncoding::Utf16LE:
        return kUtf16LEMark;
    case TextEncoding::Utf16BE:
        return kUtf16BEMark;
    case TextEncoding::Ansi:
        break;
    }
    return GetACP() == kCodePageUtf8 ? kUtf8Mark : std::string_view{};
}

} // namespace tarvel
