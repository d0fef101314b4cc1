#include "core/IniFiles.h"

#include "core/TextFiles.h"
#include "platform/CharUpper.h"
#include "platform/FileSystem.h"

#include <utility>

namespace tarvel {

namespace {

bool isBlank(char16_t c) { return c <= u' '; }

std::u16string_view trim(std::u16string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Names are mostly ASCII; folding those here saves a call per unit. The
// platform's upper-casing maps ASCII the same way.
inline char16_t foldUnit(char16_t c) {
    if (c < 0x80)
        return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
    return UpperCaseUnit(c);
}

inline bool sameFolded(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && foldUnit(a[i]) != foldUnit(b[i]))
            return false;
    return true;
}

uint64_t foldedHash(std::u16string_view s) {
    uint64_t h = 1469598103934665603ull;
    for (char16_t c : s) {
        h ^= foldUnit(c);
        h *= 1099511628211ull;
    }
    return h ^ (h >> 29);
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

// A slot of the open-addressing tables holds the low 32 bits of a name's
// hash above its index + 1, 0 being empty: probing compares names only where
// the hashes agree, and growing needs no rehashing of the names.
uint64_t makeSlot(uint32_t index, uint64_t hash) {
    return (static_cast<uint64_t>(static_cast<uint32_t>(hash)) << 32) | (uint64_t{index} + 1);
}
uint32_t slotIndex(uint64_t slot) { return static_cast<uint32_t>(slot) - 1; }
uint32_t slotHash(uint64_t slot) { return static_cast<uint32_t>(slot >> 32); }

void place(std::vector<uint64_t>& slots, uint64_t slot) {
    size_t mask = slots.size() - 1;
    size_t i = slotHash(slot) & mask;
    while (slots[i])
        i = (i + 1) & mask;
    slots[i] = slot;
}

// Adds `index` under `hash`, growing the table to keep its load under one
// half.
void tableInsert(std::vector<uint64_t>& slots, size_t& count, uint32_t index, uint64_t hash) {
    if ((count + 1) * 2 > slots.size()) {
        std::vector<uint64_t> old = std::move(slots);
        slots.assign(old.empty() ? 16 : old.size() * 2, 0);
        for (uint64_t v : old)
            if (v)
                place(slots, v);
    }
    place(slots, makeSlot(index, hash));
    ++count;
}

// The index stored under `hash` whose name `matches`, or -1.
template <typename Matches>
int64_t tableFind(const std::vector<uint64_t>& slots, uint64_t hash, Matches matches) {
    if (slots.empty())
        return -1;
    size_t mask = slots.size() - 1;
    uint32_t tag = static_cast<uint32_t>(hash);
    for (size_t i = tag & mask; slots[i]; i = (i + 1) & mask)
        if (slotHash(slots[i]) == tag && matches(slotIndex(slots[i])))
            return slotIndex(slots[i]);
    return -1;
}

} // namespace

std::optional<int32_t> ParseIniInteger(std::u16string_view s) {
    size_t i = 0;
    while (i < s.size() && s[i] == u' ')
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        negative = s[i++] == u'-';
    bool hex = false;
    if (i < s.size() && (s[i] == u'$' || s[i] == u'x' || s[i] == u'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == u'0' && (s[i + 1] == u'x' || s[i + 1] == u'X')) {
        hex = true;
        i += 2;
    }
    if (i == s.size())
        return std::nullopt; // empty, a sign alone, or a prefix without digits
    if (hex) {
        uint32_t pattern = 0;
        int significant = 0;
        for (; i < s.size(); ++i) {
            int d = hexDigit(s[i]);
            if (d < 0)
                return std::nullopt;
            if (significant || d)
                ++significant;
            if (significant > 8)
                return std::nullopt;
            pattern = (pattern << 4) | static_cast<uint32_t>(d);
        }
        return static_cast<int32_t>(negative ? 0u - pattern : pattern);
    }
    uint64_t magnitude = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < u'0' || s[i] > u'9')
            return std::nullopt;
        magnitude = magnitude * 10 + (s[i] - u'0');
        if (magnitude > 2147483648ull)
            return std::nullopt;
    }
    if (negative)
        return static_cast<int32_t>(-static_cast<int64_t>(magnitude));
    if (magnitude > 2147483647ull)
        return std::nullopt;
    return static_cast<int32_t>(magnitude);
}

TMemIniFile::TMemIniFile(std::u16string fileName) : Name(std::move(fileName)) { load(); }

TMemIniFile::TMemIniFile(std::u16string fileName, TextEncoding encoding)
    : Name(std::move(fileName)), DocEncoding(encoding) {
    load();
}

TMemIniFile::TMemIniFile(NoLoad, std::u16string fileName, std::optional<TextEncoding> encoding)
    : Name(std::move(fileName)), DocEncoding(encoding) {}

TMemIniFile TMemIniFile::FromBytes(std::u16string fileName, std::string_view bytes,
                                   std::optional<TextEncoding> encoding) {
    TMemIniFile ini(NoLoad{}, std::move(fileName), encoding);
    ini.loadBytes(bytes);
    return ini;
}

void TMemIniFile::load() {
    if (Name.empty() || !FileExists(Name))
        return;
    loadBytes(ReadTextFileBytes(Name));
}

void TMemIniFile::loadBytes(std::string_view bytes) {
    size_t skip = 0;
    TextEncoding encoding;
    if (DocEncoding) {
        encoding = *DocEncoding;
        DetectedEncoding found = DetectEncoding(bytes);
        if (found.Encoding == encoding && encoding != TextEncoding::Ansi)
            skip = found.MarkLength;
    } else {
        DetectedEncoding found = DetectEncoding(bytes);
        encoding = found.Encoding;
        skip = found.MarkLength;
    }
    std::optional<std::u16string> decoded =
        DecodeText(bytes.substr(skip), encoding);
    if (!decoded)
        throw Exception(std::u16string(kNoMappingMessage));
    DocEncoding = encoding;
    Arena = std::move(*decoded);
    parse(Arena);
}

void TMemIniFile::parse(std::u16string_view all) {
    const char16_t* base = all.data();
    Section* current = nullptr;
    bool skipping = false;
    size_t pos = 0;
    while (pos < all.size()) {
        size_t end = pos;
        while (end < all.size() && all[end] != u'\r' && all[end] != u'\n')
            ++end;
        std::u16string_view line = trim(all.substr(pos, end - pos));
        pos = end + 1;
        if (end + 1 < all.size() && all[end] == u'\r' && all[end + 1] == u'\n')
            ++pos;
        if (line.empty() || line.front() == u';')
            continue;
        auto spanOf = [&](std::u16string_view s) {
            return Span{static_cast<uint32_t>(s.data() - base), static_cast<uint32_t>(s.size())};
        };
        if (line.size() >= 2 && line.front() == u'[' && line.back() == u']') {
            std::u16string_view name = trim(line.substr(1, line.size() - 2));
            if (findSection(name)) {
                skipping = true;
                continue;
            }
            skipping = false;
            Sections.push_back(Section{spanOf(name), {}, {}, 0, 0});
            appendSectionSlot(Sections.size() - 1);
            current = &Sections.back();
            continue;
        }
        if (!current || skipping)
            continue;
        size_t eq = line.find(u'=');
        Entry entry;
        if (eq == std::u16string_view::npos) {
            entry.Key = spanOf(line);
            entry.Bare = true;
        } else {
            std::u16string_view key = line.substr(0, eq), value = line.substr(eq + 1);
            while (!key.empty() && isBlank(key.back()))
                key.remove_suffix(1);
            while (!value.empty() && isBlank(value.front()))
                value.remove_prefix(1);
            entry.Key = spanOf(key);
            entry.Value = spanOf(value);
        }
        current->Entries.push_back(entry);
    }
}

TMemIniFile::Span TMemIniFile::store(std::u16string_view s) {
    Span span{static_cast<uint32_t>(Arena.size()), static_cast<uint32_t>(s.size())};
    Arena.append(s);
    return span;
}

void TMemIniFile::appendSectionSlot(size_t index) {
    size_t count = index; // every earlier section is in the table
    tableInsert(SectionSlots, count, static_cast<uint32_t>(index),
                foldedHash(text(Sections[index].Name)));
}

const TMemIniFile::Section* TMemIniFile::findSection(std::u16string_view name) const {
    int64_t i = tableFind(SectionSlots, foldedHash(name),
                          [&](uint32_t k) { return sameFolded(text(Sections[k].Name), name); });
    return i < 0 ? nullptr : &Sections[static_cast<size_t>(i)];
}

TMemIniFile::Section& TMemIniFile::sectionFor(std::u16string_view name) {
    if (const Section* s = findSection(name))
        return const_cast<Section&>(*s);
    Span span = store(name);
    Sections.push_back(Section{span, {}, {}, 0, 0});
    appendSectionSlot(Sections.size() - 1);
    return Sections.back();
}

void TMemIniFile::indexSection(const Section& section) const {
    for (size_t i = section.Indexed; i < section.Entries.size(); ++i) {
        std::u16string_view key = text(section.Entries[i].Key);
        uint64_t h = foldedHash(key);
        // An entry whose key the table already holds does not displace the
        // first one: reads and writes reach the first.
        if (tableFind(section.KeySlots, h, [&](uint32_t k) {
                return sameFolded(text(section.Entries[k].Key), key);
            }) < 0)
            tableInsert(section.KeySlots, section.KeyCount, static_cast<uint32_t>(i), h);
    }
    section.Indexed = section.Entries.size();
}

const TMemIniFile::Entry* TMemIniFile::findEntry(const Section& section,
                                                 std::u16string_view key) const {
    indexSection(section);
    int64_t i = tableFind(section.KeySlots, foldedHash(key), [&](uint32_t k) {
        return sameFolded(text(section.Entries[k].Key), key);
    });
    return i < 0 ? nullptr : &section.Entries[static_cast<size_t>(i)];
}

TMemIniFile::Entry* TMemIniFile::findEntry(Section& section, std::u16string_view key) {
    return const_cast<Entry*>(std::as_const(*this).findEntry(std::as_const(section), key));
}

std::u16string TMemIniFile::ReadString(std::u16string_view section, std::u16string_view ident,
                                       std::u16string_view defaultValue) const {
    const Section* s = findSection(section);
    const Entry* e = s ? findEntry(*s, ident) : nullptr;
    if (!e || e->Bare)
        return std::u16string(defaultValue);
    return std::u16string(text(e->Value));
}

int32_t TMemIniFile::ReadInteger(std::u16string_view section, std::u16string_view ident,
                                 int32_t defaultValue) const {
    std::optional<int32_t> v = ParseIniInteger(ReadString(section, ident, u""));
    return v ? *v : defaultValue;
}

bool TMemIniFile::ReadBool(std::u16string_view section, std::u16string_view ident,
                           bool defaultValue) const {
    return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TMemIniFile::WriteString(std::u16string_view section, std::u16string_view ident,
                              std::u16string_view value) {
    Section& s = sectionFor(section);
    if (Entry* e = findEntry(s, ident)) {
        e->Value = store(value);
        e->Bare = false;
        return;
    }
    Entry entry;
    entry.Key = store(ident);
    entry.Value = store(value);
    s.Entries.push_back(entry);
}

void TMemIniFile::WriteInteger(std::u16string_view section, std::u16string_view ident,
                               int32_t value) {
    std::string digits = std::to_string(value);
    WriteString(section, ident, std::u16string(digits.begin(), digits.end()));
}

void TMemIniFile::WriteBool(std::u16string_view section, std::u16string_view ident, bool value) {
    WriteString(section, ident, value ? u"1" : u"0");
}

std::string TMemIniFile::Serialize() const {
    std::u16string out;
    size_t estimate = 0;
    for (const Section& s : Sections)
        estimate += s.Name.Len + 6 + s.Entries.size() * 3;
    out.reserve(estimate + Arena.size());
    for (const Section& s : Sections) {
        out += u'[';
        out += text(s.Name);
        out += u"]\r\n";
        for (const Entry& e : s.Entries) {
            out += text(e.Key);
            if (!e.Bare) {
                out += u'=';
                out += text(e.Value);
            }
            out += u"\r\n";
        }
        out += u"\r\n";
    }
    TextEncoding encoding = DocEncoding.value_or(TextEncoding::Ansi);
    std::string bytes(EncodingPreamble(encoding));
    bytes += EncodeText(out, encoding);
    return bytes;
}

void TMemIniFile::UpdateFile() const { WriteTextFileBytes(Name, Serialize()); }

} // namespace tarvel
