// The registry file: keys with typed values, kept in the text that regedit
// exports and imports ("Windows Registry Editor Version 5.00", UTF-16 LE
// with its mark, CR LF), so that a user can read it and regedit can load it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

// The value types; any other number is kept as raw bytes with its type.
enum RegistryType : uint32_t {
    kRegNone = 0,
    kRegSz = 1,
    kRegExpandSz = 2,
    kRegBinary = 3,
    kRegDword = 4,
    kRegMultiSz = 7,
    kRegQword = 11,
};

// Data as the system stores it: REG_SZ is UTF-16 LE with its closing NUL,
// REG_DWORD four bytes little-endian.
struct RegistryValue {
    std::u16string Name; // empty for the key's default value ("@")
    uint32_t Type = kRegNone;
    std::string Data;
};

struct RegistryKeyEntry {
    std::u16string Path; // full path from its root, e.g. "HKEY_CURRENT_USER\Software"
    std::vector<RegistryValue> Values;
};

struct RegistryDocument {
    std::vector<RegistryKeyEntry> Keys; // in file order
};

struct RegistryParseResult {
    std::optional<RegistryDocument> Document;
    std::u16string Error; // what was wrong and on which line, when Document is empty
};

// UTF-16 LE with a mark, or UTF-8 with or without one (a file saved by a
// text editor); an empty file is an empty document.
RegistryParseResult ParseRegistryFile(std::string_view bytes);

// The text, then encoded as UTF-16 LE with its mark.
std::u16string FormatRegistryText(const RegistryDocument& document);
std::string FormatRegistryFile(const RegistryDocument& document);

// Key and value names compare without regard to case, as the system does.
RegistryKeyEntry* FindRegistryKey(RegistryDocument& document, std::u16string_view path);
const RegistryKeyEntry* FindRegistryKey(const RegistryDocument& document, std::u16string_view path);
// A key exists also when only a key below it is listed.
bool RegistryKeyExists(const RegistryDocument& document, std::u16string_view path);
// The key, created with every missing key above it.
RegistryKeyEntry& EnsureRegistryKey(RegistryDocument& document, std::u16string_view path);
const RegistryValue* FindRegistryValue(const RegistryKeyEntry& key, std::u16string_view name);
void SetRegistryValue(RegistryKeyEntry& key, RegistryValue value);

// A path the file can hold: non-empty components, no line breaks.
bool IsValidRegistryPath(std::u16string_view path);
// A value name the file can hold: no line breaks.
bool IsValidRegistryValueName(std::u16string_view name);

} // namespace tarvel
