// TMemIniFile: the in-memory INI document through which every INI-style
// file is read and written. Creating it loads the file when it exists;
// reads and writes work on memory; UpdateFile writes the whole document.
#pragma once

#include "platform/Encoding.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

// The rules for reading integers: optional leading blanks, one sign,
// decimal digits or a hexadecimal number after "$", "x", "X", "0x" or "0X",
// running to the end of the text. nullopt when the text is not such a number.
std::optional<int32_t> ParseIniInteger(std::u16string_view text);

class TMemIniFile {
public:
    explicit TMemIniFile(std::u16string fileName);
    TMemIniFile(std::u16string fileName, TextEncoding encoding);

    // A document bound to `fileName` whose content is taken from `bytes`
    // instead of the file, as though the file held them; for checking the
    // loader without the disk.
    static TMemIniFile FromBytes(std::u16string fileName, std::string_view bytes,
                                 std::optional<TextEncoding> encoding = std::nullopt);

    std::u16string ReadString(std::u16string_view section, std::u16string_view ident,
                              std::u16string_view defaultValue) const;
    int32_t ReadInteger(std::u16string_view section, std::u16string_view ident,
                        int32_t defaultValue) const;
    bool ReadBool(std::u16string_view section, std::u16string_view ident,
                  bool defaultValue) const;

    void WriteString(std::u16string_view section, std::u16string_view ident,
                     std::u16string_view value);
    void WriteInteger(std::u16string_view section, std::u16string_view ident, int32_t value);
    void WriteBool(std::u16string_view section, std::u16string_view ident, bool value);

    // Writes the document to its file in one step; raises "Cannot create
    // file ..." when it cannot, leaving an existing file untouched.
    void UpdateFile() const;

    const std::u16string& FileName() const { return Name; }
    std::optional<TextEncoding> Encoding() const { return DocEncoding; }

    // The bytes UpdateFile writes: the mark and the encoded text.
    std::string Serialize() const;

private:
    // Text lives in one arena; entries and names are spans of it, so that a
    // large file loads without an allocation per line.
    struct Span {
        uint32_t Pos = 0;
        uint32_t Len = 0;
    };
    struct Entry {
        Span Key;
        Span Value;
        bool Bare = false;
    };
    struct Section {
        Span Name;
        std::vector<Entry> Entries;
        // Open-addressing table over the folded keys (see Slot); built at
        // the first search, extended as entries are appended.
        mutable std::vector<uint64_t> KeySlots;
        mutable size_t KeyCount = 0; // occupied slots
        mutable size_t Indexed = 0;  // entries looked at so far
    };

    struct NoLoad {};
    TMemIniFile(NoLoad, std::u16string fileName, std::optional<TextEncoding> encoding);

    void load();
    void loadBytes(std::string_view bytes);
    void parse(std::u16string_view text);
    std::u16string_view text(Span s) const { return {Arena.data() + s.Pos, s.Len}; }
    Span store(std::u16string_view s);

    const Section* findSection(std::u16string_view name) const;
    Section& sectionFor(std::u16string_view name);
    void appendSectionSlot(size_t index);
    const Entry* findEntry(const Section& section, std::u16string_view key) const;
    Entry* findEntry(Section& section, std::u16string_view key);
    void indexSection(const Section& section) const;

    std::u16string Name;
    std::optional<TextEncoding> DocEncoding;
    std::u16string Arena;
    std::vector<Section> Sections;
    std::vector<uint64_t> SectionSlots; // over the folded section names
};

} // namespace tarvel
