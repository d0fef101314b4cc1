// Feeds arbitrary bytes through every decoder and checks what can be checked
// without a second implementation: nothing crashes, decoders that must not
// fail do not, and text re-encoded as UTF-8 decodes back to itself.
#include "platform/CodePage.h"
#include "platform/Encoding.h"
#include "platform/Unicode.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void check(bool ok) {
    if (!ok)
        __builtin_trap();
}

bool hasLoneSurrogate(std::u16string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            return true;
        }
    }
    return false;
}

// Any UTF-16 text survives a trip through UTF-8 unless it has lone
// surrogates, which become U+FFFD, one per unit.
void checkUtf8RoundTrip(std::u16string_view text) {
    std::string utf8 = tarvel::Utf16ToUtf8(text);
    std::optional<std::u16string> back = tarvel::Utf8ToUtf16(utf8);
    check(back.has_value());
    if (!hasLoneSurrogate(text))
        check(*back == text);
    else
        check(back->size() == text.size());
    check(tarvel::U16(utf8) == *back);
}

void checkAnsi(std::u16string_view text, unsigned codePage) {
    std::string bytes = tarvel::Utf16ToAnsi(text, codePage);
    // Whatever a page writes, it can read again.
    std::u16string again = tarvel::AnsiToUtf16(bytes, codePage);
    check(tarvel::Utf16ToAnsi(again, codePage) == bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool once = [] {
        setenv("TARVEL_ACP", "1252", 1);
        return true;
    }();
    (void)once;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);

    tarvel::DetectedEncoding detected = tarvel::DetectEncoding(bytes);
    check(detected.MarkLength <= bytes.size());
    std::string_view body = bytes.substr(detected.MarkLength);

    for (auto encoding : {tarvel::TextEncoding::Ansi, tarvel::TextEncoding::Utf8,
                          tarvel::TextEncoding::Utf16LE, tarvel::TextEncoding::Utf16BE}) {
        std::optional<std::u16string> text = tarvel::DecodeText(body, encoding);
        check(text.has_value() || encoding == tarvel::TextEncoding::Utf8);
        if (!text)
            continue;
        checkUtf8RoundTrip(*text);
        // The UTF-16 encodings carry every unit exactly.
        if (encoding == tarvel::TextEncoding::Utf16LE || encoding == tarvel::TextEncoding::Utf16BE)
            check(tarvel::DecodeText(tarvel::EncodeText(*text, encoding), encoding) == text);
        if (encoding == tarvel::TextEncoding::Utf8)
            check(tarvel::EncodeText(*text, encoding) == body);
    }

    // Strict and lenient UTF-8 agree wherever the strict one succeeds.
    std::optional<std::u16string> strict = tarvel::Utf8ToUtf16(bytes);
    std::u16string lenient = tarvel::U16(bytes);
    if (strict)
        check(*strict == lenient);
    checkUtf8RoundTrip(lenient);

    std::u16string western = tarvel::AnsiToUtf16(bytes, 1252);
    check(western.size() == bytes.size());
    check(tarvel::Utf16ToAnsi(western, 1252) == bytes);

    std::u16string japanese = tarvel::AnsiToUtf16(bytes, 932);
    check(japanese.size() <= bytes.size());
    checkUtf8RoundTrip(japanese);
    checkAnsi(japanese, 932);

    // The bytes read as UTF-16 give every unit, surrogates included.
    std::u16string units = tarvel::Utf16LEToUtf16(bytes);
    for (unsigned page : {1252u, 1251u, 874u, 932u, 936u, 949u, 950u}) {
        std::string encoded = tarvel::Utf16ToAnsi(units, page);
        // One byte per unit in a single-byte page, at most two in the others.
        check(page >= 1250 || page == 874 ? encoded.size() == units.size()
                                          : encoded.size() <= 2 * units.size());
        checkAnsi(units, page);
    }
    return 0;
}
