#include "platform/Unicode.h"

namespace tarvel {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void appendUtf16(std::u16string& out, char32_t cp) {
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
        return;
    }
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
}

// Decodes one well-formed sequence starting at `i`; returns false on any
// ill-formed sequence and leaves `i` on the offending byte.
bool decodeOne(std::string_view s, size_t& i, char32_t& cp) {
    auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char b0 = byte(i);
    if (b0 < 0x80) {
        cp = b0;
        ++i;
        return true;
    }
    size_t len;
    unsigned char lo = 0x80, hi = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
        cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        cp = b0 & 0x0F;
        if (b0 == 0xE0)
            lo = 0xA0; // overlong
        else if (b0 == 0xED)
            hi = 0x9F; // surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        cp = b0 & 0x07;
        if (b0 == 0xF0)
            lo = 0x90; // overlong
        else if (b0 == 0xF4)
            hi = 0x8F; // above U+10FFFF
    } else {
        return false;
    }
    if (s.size() - i < len)
        return false;
    for (size_t k = 1; k < len; ++k) {
        unsigned char b = byte(i + k);
        if (k == 1 ? (b < lo || b > hi) : (b < 0x80 || b > 0xBF))
            return false;
        cp = (cp << 6) | (b & 0x3F);
    }
    i += len;
    return true;
}

} // namespace

std::optional<std::u16string> Utf8ToUtf16(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    size_t i = 0;
    while (i < bytes.size()) {
        // Runs of ASCII are by far the most common case.
        while (i < bytes.size() && static_cast<unsigned char>(bytes[i]) < 0x80)
            out.push_back(static_cast<char16_t>(bytes[i++]));
        if (i == bytes.size())
            break;
        char32_t cp;
        if (!decodeOne(bytes, i, cp))
            return std::nullopt;
        appendUtf16(out, cp);
    }
    return out;
}

std::u16string U16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp;
        if (decodeOne(utf8, i, cp)) {
            appendUtf16(out, cp);
        } else {
            out.push_back(static_cast<char16_t>(kReplacement));
            ++i;
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
            continue;
        }
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = kReplacement;
        }
        if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        }
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
    return out;
}

namespace {

std::u16string fromUtf16Bytes(std::string_view bytes, bool bigEndian) {
    // A trailing odd byte cannot form a unit and is dropped.
    std::u16string out(bytes.size() / 2, u'\0');
    for (size_t k = 0; k < out.size(); ++k) {
        auto a = static_cast<unsigned char>(bytes[2 * k]);
        auto b = static_cast<unsigned char>(bytes[2 * k + 1]);
        out[k] = static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    }
    return out;
}

std::string toUtf16Bytes(std::u16string_view text, bool bigEndian) {
    std::string out(text.size() * 2, '\0');
    for (size_t k = 0; k < text.size(); ++k) {
        char hi = static_cast<char>(text[k] >> 8), lo = static_cast<char>(text[k] & 0xFF);
        out[2 * k] = bigEndian ? hi : lo;
        out[2 * k + 1] = bigEndian ? lo : hi;
    }
    return out;
}

} // namespace

std::u16string Utf16LEToUtf16(std::string_view bytes) { return fromUtf16Bytes(bytes, false); }
std::u16string Utf16BEToUtf16(std::string_view bytes) { return fromUtf16Bytes(bytes, true); }
std::string Utf16ToUtf16LE(std::u16string_view text) { return toUtf16Bytes(text, false); }
std::string Utf16ToUtf16BE(std::u16string_view text) { return toUtf16Bytes(text, true); }

} // namespace tarvel
