// PLACEHOLDER until the generated tables land: Latin-1 only.
#include "platform/CodePage.h"

namespace tarvel {

unsigned GetACP() { return 1252; }

std::u16string AnsiToUtf16(std::string_view bytes, unsigned) {
    std::u16string out;
    for (char c : bytes)
        out.push_back(static_cast<unsigned char>(c));
    return out;
}

std::string Utf16ToAnsi(std::u16string_view text, unsigned) {
    std::string out;
    for (char16_t c : text)
        out.push_back(c < 0x100 ? static_cast<char>(c) : '?');
    return out;
}

} // namespace tarvel
