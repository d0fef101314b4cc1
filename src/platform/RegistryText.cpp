#include "platform/RegistryText.h"

#include "platform/CharUpper.h"
#include "platform/Unicode.h"

namespace tarvel {

namespace {

constexpr std::u16string_view kHeader = u"Windows Registry Editor Version 5.00";
constexpr std::string_view kUtf16LEMark = "\xFF\xFE";
constexpr std::string_view kUtf16BEMark = "\xFE\xFF";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
// regedit breaks hex data before this column.
constexpr size_t kHexLineWidth = 76;

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

std::u16string_view trimBlanks(std::u16string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::vector<std::u16string_view> splitLines(std::u16string_view text) {
    std::vector<std::u16string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

int hexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

std::optional<uint32_t> parseHexNumber(std::u16string_view s) {
    if (s.empty() || s.size() > 8)
        return std::nullopt;
    uint32_t n = 0;
    for (char16_t c : s) {
        int d = hexDigit(c);
        if (d < 0)
            return std::nullopt;
        n = n * 16 + static_cast<uint32_t>(d);
    }
    return n;
}

std::u16string quote(std::u16string_view text) {
    std::u16string out = u"\"";
    for (char16_t c : text) {
        if (c == u'\\' || c == u'"')
            out += u'\\';
        out += c;
    }
    out += u'"';
    return out;
}

// Reads a quoted text at the start of `s`, leaving `s` after the closing
// quote; nullopt when it is not closed or holds an unknown escape.
std::optional<std::u16string> unquote(std::u16string_view& s) {
    if (s.empty() || s.front() != u'"')
        return std::nullopt;
    std::u16string out;
    for (size_t i = 1; i < s.size(); ++i) {
        char16_t c = s[i];
        if (c == u'"') {
            s.remove_prefix(i + 1);
            return out;
        }
        if (c == u'\\') {
            if (i + 1 >= s.size() || (s[i + 1] != u'\\' && s[i + 1] != u'"'))
                return std::nullopt;
            c = s[++i];
        }
        out += c;
    }
    return std::nullopt;
}

std::string stringData(std::u16string_view text) {
    std::string data = Utf16ToUtf16LE(text);
    data.append(2, '\0');
    return data;
}

// The text of REG_SZ data that a quoted string gives back byte for byte.
std::optional<std::u16string> quotableText(const std::string& data) {
    if (data.size() < 2 || data.size() % 2 != 0)
        return std::nullopt;
    std::u16string text = Utf16LEToUtf16(data);
    if (text.back() != u'\0')
        return std::nullopt;
    text.pop_back();
    for (char16_t c : text)
        if (c == u'\0' || c == u'\r' || c == u'\n')
            return std::nullopt;
    return text;
}

void appendHex(std::u16string& line, std::string_view data) {
    static const char16_t digits[] = u"0123456789abcdef";
    for (size_t i = 0; i < data.size(); ++i) {
        auto b = static_cast<unsigned char>(data[i]);
        size_t lineStart = line.rfind(u'\n');
        size_t column = line.size() - (lineStart == std::u16string::npos ? 0 : lineStart + 1);
        if (i > 0 && column + 3 > kHexLineWidth)
            line += u"\\\r\n  ";
        line += digits[b >> 4];
        line += digits[b & 15];
        if (i + 1 < data.size())
            line += u',';
    }
}

std::u16string formatValue(const RegistryValue& value) {
    std::u16string line = value.Name.empty() ? u"@" : quote(value.Name);
    line += u'=';
    if (value.Type == kRegSz) {
        if (auto text = quotableText(value.Data))
            return line + quote(*text);
    }
    if (value.Type == kRegDword && value.Data.size() == 4) {
        uint32_t n = 0;
        for (int i = 3; i >= 0; --i)
            n = (n << 8) | static_cast<unsigned char>(value.Data[static_cast<size_t>(i)]);
        static const char16_t digits[] = u"0123456789abcdef";
        line += u"dword:";
        for (int shift = 28; shift >= 0; shift -= 4)
            line += digits[(n >> shift) & 15];
        return line;
    }
    if (value.Type == kRegBinary) {
        line += u"hex:";
    } else {
        static const char16_t digits[] = u"0123456789abcdef";
        std::u16string type;
        uint32_t n = value.Type;
        do {
            type.insert(type.begin(), digits[n & 15]);
            n >>= 4;
        } while (n != 0);
        line += u"hex(" + type + u"):";
    }
    appendHex(line, value.Data);
    return line;
}

struct Parser {
    std::vector<std::u16string_view> Lines;
    size_t Next = 0;
    RegistryDocument Document;
    RegistryKeyEntry* Current = nullptr;
    std::u16string Error;

    bool fail(size_t lineIndex, std::u16string_view what) {
        Error = std::u16string(what) + u" on line " + U16(std::to_string(lineIndex + 1));
        return false;
    }

    bool keyLine(size_t index, std::u16string_view line) {
        if (line.size() < 2 || line.back() != u']')
            return fail(index, u"Unclosed key name");
        std::u16string_view path = line.substr(1, line.size() - 2);
        bool remove = !path.empty() && path.front() == u'-';
        if (remove)
            path.remove_prefix(1);
        if (!IsValidRegistryPath(path))
            return fail(index, u"Invalid key name");
        Current = nullptr;
        if (remove) {
            std::u16string below = std::u16string(path) + u'\\';
            std::erase_if(Document.Keys, [&](const RegistryKeyEntry& key) {
                return SameTextIgnoringCase(key.Path, path) ||
                       (key.Path.size() > below.size() &&
                        SameTextIgnoringCase(std::u16string_view(key.Path).substr(0, below.size()),
                                             below));
            });
            return true;
        }
        Current = FindRegistryKey(Document, path);
        if (!Current) {
            Document.Keys.push_back({std::u16string(path), {}});
            Current = &Document.Keys.back();
        }
        return true;
    }

    // The bytes of a "hex:" list, following continuation lines.
    bool hexData(size_t index, std::u16string_view rest, std::string& data) {
        for (;;) {
            rest = trimBlanks(rest);
            bool continued = !rest.empty() && rest.back() == u'\\';
            if (continued)
                rest = trimBlanks(rest.substr(0, rest.size() - 1));
            while (!rest.empty()) {
                size_t comma = rest.find(u',');
                std::u16string_view item = trimBlanks(rest.substr(0, comma));
                auto byte = parseHexNumber(item);
                if (!byte || item.size() > 2)
                    return fail(index, u"Invalid hex data");
                data += static_cast<char>(*byte);
                if (comma == std::u16string_view::npos)
                    break;
                rest.remove_prefix(comma + 1);
                rest = trimBlanks(rest);
            }
            if (!continued)
                return true;
            if (Next >= Lines.size())
                return fail(index, u"Unfinished hex data");
            index = Next;
            rest = Lines[Next++];
        }
    }

    bool valueLine(size_t index, std::u16string_view line) {
        if (!Current)
            return fail(index, u"Value outside a key");
        std::u16string name;
        if (line.front() == u'@') {
            line.remove_prefix(1);
        } else {
            auto quoted = unquote(line);
            if (!quoted)
                return fail(index, u"Invalid value name");
            name = std::move(*quoted);
        }
        line = trimBlanks(line);
        if (line.empty() || line.front() != u'=')
            return fail(index, u"Missing \"=\"");
        line = trimBlanks(line.substr(1));
        if (line == u"-") {
            std::erase_if(Current->Values, [&](const RegistryValue& v) {
                return SameTextIgnoringCase(v.Name, name);
            });
            return true;
        }
        RegistryValue value{std::move(name), kRegNone, {}};
        if (!line.empty() && line.front() == u'"') {
            auto text = unquote(line);
            if (!text || !trimBlanks(line).empty())
                return fail(index, u"Invalid string data");
            value.Type = kRegSz;
            value.Data = stringData(*text);
        } else if (line.starts_with(u"dword:")) {
            auto n = parseHexNumber(trimBlanks(line.substr(6)));
            if (!n)
                return fail(index, u"Invalid dword data");
            value.Type = kRegDword;
            for (int i = 0; i < 4; ++i)
                value.Data += static_cast<char>((*n >> (8 * i)) & 0xFF);
        } else if (line.starts_with(u"hex:")) {
            value.Type = kRegBinary;
            if (!hexData(index, line.substr(4), value.Data))
                return false;
        } else if (line.starts_with(u"hex(")) {
            size_t close = line.find(u"):");
            auto type = close == std::u16string_view::npos
                            ? std::nullopt
                            : parseHexNumber(line.substr(4, close - 4));
            if (!type)
                return fail(index, u"Invalid value type");
            value.Type = *type;
            if (!hexData(index, line.substr(close + 2), value.Data))
                return false;
        } else {
            return fail(index, u"Invalid value data");
        }
        SetRegistryValue(*Current, std::move(value));
        return true;
    }

    bool run() {
        bool headerSeen = false;
        while (Next < Lines.size()) {
            size_t index = Next;
            std::u16string_view line = trimBlanks(Lines[Next++]);
            if (line.empty() || line.front() == u';')
                continue;
            if (!headerSeen) {
                if (line != kHeader)
                    return fail(index, u"Not a registry file");
                headerSeen = true;
                continue;
            }
            bool ok = line.front() == u'[' ? keyLine(index, line) : valueLine(index, line);
            if (!ok)
                return false;
        }
        return true;
    }
};

std::optional<std::u16string> decodeFile(std::string_view bytes) {
    if (bytes.starts_with(kUtf16LEMark))
        return Utf16LEToUtf16(bytes.substr(kUtf16LEMark.size()));
    if (bytes.starts_with(kUtf16BEMark))
        return Utf16BEToUtf16(bytes.substr(kUtf16BEMark.size()));
    if (bytes.starts_with(kUtf8Mark))
        bytes.remove_prefix(kUtf8Mark.size());
    return Utf8ToUtf16(bytes);
}

} // namespace

RegistryParseResult ParseRegistryFile(std::string_view bytes) {
    if (bytes.empty())
        return {RegistryDocument{}, {}};
    if ((bytes.starts_with(kUtf16LEMark) || bytes.starts_with(kUtf16BEMark)) &&
        bytes.size() % 2 != 0)
        return {std::nullopt, u"Truncated UTF-16 text"};
    auto text = decodeFile(bytes);
    if (!text)
        return {std::nullopt, u"The text is not UTF-16 or UTF-8"};
    Parser parser;
    parser.Lines = splitLines(*text);
    if (!parser.run())
        return {std::nullopt, parser.Error};
    return {std::move(parser.Document), {}};
}

std::u16string FormatRegistryText(const RegistryDocument& document) {
    std::u16string text(kHeader);
    text += u"\r\n\r\n";
    for (const RegistryKeyEntry& key : document.Keys) {
        text += u'[' + key.Path + u"]\r\n";
        for (const RegistryValue& value : key.Values)
            text += formatValue(value) + u"\r\n";
        text += u"\r\n";
    }
    return text;
}

std::string FormatRegistryFile(const RegistryDocument& document) {
    std::string bytes(kUtf16LEMark);
    bytes += Utf16ToUtf16LE(FormatRegistryText(document));
    return bytes;
}

const RegistryKeyEntry* FindRegistryKey(const RegistryDocument& document,
                                        std::u16string_view path) {
    for (const RegistryKeyEntry& key : document.Keys)
        if (SameTextIgnoringCase(key.Path, path))
            return &key;
    return nullptr;
}

RegistryKeyEntry* FindRegistryKey(RegistryDocument& document, std::u16string_view path) {
    return const_cast<RegistryKeyEntry*>(
        FindRegistryKey(static_cast<const RegistryDocument&>(document), path));
}

bool RegistryKeyExists(const RegistryDocument& document, std::u16string_view path) {
    if (FindRegistryKey(document, path))
        return true;
    std::u16string below = std::u16string(path) + u'\\';
    for (const RegistryKeyEntry& key : document.Keys)
        if (key.Path.size() > below.size() &&
            SameTextIgnoringCase(std::u16string_view(key.Path).substr(0, below.size()), below))
            return true;
    return false;
}

RegistryKeyEntry& EnsureRegistryKey(RegistryDocument& document, std::u16string_view path) {
    for (size_t end = path.find(u'\\'); end != std::u16string_view::npos;
         end = path.find(u'\\', end + 1)) {
        std::u16string_view parent = path.substr(0, end);
        if (!FindRegistryKey(document, parent))
            document.Keys.push_back({std::u16string(parent), {}});
    }
    if (RegistryKeyEntry* key = FindRegistryKey(document, path))
        return *key;
    document.Keys.push_back({std::u16string(path), {}});
    return document.Keys.back();
}

const RegistryValue* FindRegistryValue(const RegistryKeyEntry& key, std::u16string_view name) {
    for (const RegistryValue& value : key.Values)
        if (SameTextIgnoringCase(value.Name, name))
            return &value;
    return nullptr;
}

void SetRegistryValue(RegistryKeyEntry& key, RegistryValue value) {
    for (RegistryValue& existing : key.Values) {
        if (SameTextIgnoringCase(existing.Name, value.Name)) {
            // The stored name keeps the spelling it was created with.
            existing.Type = value.Type;
            existing.Data = std::move(value.Data);
            return;
        }
    }
    key.Values.push_back(std::move(value));
}

bool IsValidRegistryPath(std::u16string_view path) {
    if (path.empty() || path.front() == u'\\' || path.back() == u'\\')
        return false;
    for (size_t i = 0; i < path.size(); ++i) {
        if (path[i] == u'\r' || path[i] == u'\n')
            return false;
        if (path[i] == u'\\' && i + 1 < path.size() && path[i + 1] == u'\\')
            return false;
    }
    return true;
}

bool IsValidRegistryValueName(std::u16string_view name) {
    return name.find_first_of(u"\r\n") == std::u16string_view::npos;
}

} // namespace tarvel
