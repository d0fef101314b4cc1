#include "core/TextFiles.h"

#include "platform/FileSystem.h"
#include "platform/Unicode.h"

#include <unistd.h>

namespace tarvel {

namespace {

// The full path for messages.
std::u16string fullPath(std::u16string_view path) {
    if (path.starts_with(u"/"))
        return std::u16string(path);
    char buffer[4096];
    if (!::getcwd(buffer, sizeof buffer))
        return std::u16string(path);
    return U16(buffer) + u"/" + std::u16string(path);
}

std::u16string decodeOrThrow(std::string_view bytes, TextEncoding encoding) {
    std::optional<std::u16string> text = DecodeText(bytes, encoding);
    if (!text)
        throw Exception(std::u16string(kNoMappingMessage));
    return std::move(*text);
}

} // namespace

std::string ReadTextFileBytes(std::u16string_view path) {
    int err = 0;
    std::optional<std::string> bytes = ReadWholeFile(path, err);
    if (!bytes)
        throw Exception(u"Cannot open file \"" + fullPath(path) + u"\". " + SystemErrorMessage(err));
    return std::move(*bytes);
}

void WriteTextFileBytes(std::u16string_view path, std::string_view bytes) {
    int err = 0;
    if (!WriteWholeFile(path, bytes, err))
        throw Exception(u"Cannot create file \"" + fullPath(path) + u"\". " +
                        SystemErrorMessage(err));
}

std::vector<std::u16string> SplitLines(std::u16string_view text) {
    std::vector<std::u16string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of(u"\r\n", pos);
        if (end == std::u16string_view::npos) {
            lines.emplace_back(text.substr(pos));
            break;
        }
        lines.emplace_back(text.substr(pos, end - pos));
        pos = end + 1;
        if (text[end] == u'\r' && pos < text.size() && text[pos] == u'\n')
            ++pos;
    }
    return lines;
}

void TextLines::LoadFromFile(std::u16string_view path) {
    std::string bytes = ReadTextFileBytes(path);
    DetectedEncoding found = DetectEncoding(bytes);
    Encoding = found.Encoding;
    Lines = SplitLines(decodeOrThrow(std::string_view(bytes).substr(found.MarkLength), Encoding));
}

void TextLines::SaveToFile(std::u16string_view path) const {
    std::u16string text;
    for (const std::u16string& line : Lines) {
        text += line;
        text += u"\r\n";
    }
    std::string bytes(EncodingPreamble(Encoding));
    bytes += EncodeText(text, Encoding);
    WriteTextFileBytes(path, bytes);
}

std::u16string LoadWhatsNewText(std::u16string_view path, TextEncoding& remembered) {
    std::string bytes = ReadTextFileBytes(path);
    DetectedEncoding found = DetectEncoding(bytes);
    remembered = found.Encoding;
    std::u16string decoded = decodeOrThrow(std::string_view(bytes).substr(found.MarkLength),
                                           found.Encoding);
    std::u16string text;
    text.reserve(decoded.size() + decoded.size() / 16);
    for (size_t i = 0; i < decoded.size(); ++i) {
        char16_t c = decoded[i];
        if (c == u'\r' || c == u'\n') {
            text += u"\r\n";
            if (c == u'\r' && i + 1 < decoded.size() && decoded[i + 1] == u'\n')
                ++i;
        } else {
            text += c;
        }
    }
    if (text.size() > kMemoCapacity)
        throw Exception(std::u16string(kMemoCapacityMessage));
    return text;
}

void SaveWhatsNewText(std::u16string_view path, std::u16string_view text, TextEncoding encoding) {
    std::string bytes(EncodingPreamble(encoding));
    bytes += EncodeText(text, encoding);
    WriteTextFileBytes(path, bytes);
}

} // namespace tarvel
