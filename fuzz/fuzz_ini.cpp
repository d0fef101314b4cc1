// Loads arbitrary bytes as an INI document, with and without UTF-8 given,
// and checks that what it writes loads back to the same document: the
// written bytes are a fixed point and every name read gives the same value.
#include "core/IniFiles.h"
#include "core/TextFiles.h"
#include "platform/CharUpper.h"
#include "platform/Unicode.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using namespace tarvel;

namespace {

void check(bool ok) {
    if (!ok)
        __builtin_trap();
}

// Section names and keys to look up: the text between brackets and before
// '=' on each line of the raw input. Names that match nothing are fine too;
// they check that both documents agree on absence.
void candidateNames(std::string_view bytes, std::vector<std::u16string>& sections,
                    std::vector<std::u16string>& keys) {
    constexpr size_t kMost = 12;
    size_t pos = 0;
    while (pos < bytes.size() && (sections.size() < kMost || keys.size() < kMost)) {
        size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = bytes.size();
        std::string_view line = bytes.substr(pos, end - pos);
        pos = end + 1;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            if (sections.size() < kMost)
                sections.push_back(U16(line.substr(1, line.size() - 2)));
        } else if (size_t eq = line.find('='); eq != std::string_view::npos) {
            if (keys.size() < kMost)
                keys.push_back(U16(line.substr(0, eq)));
        } else if (!line.empty() && keys.size() < kMost) {
            keys.push_back(U16(line)); // a bare entry's key
        }
    }
}

void roundTrip(std::string_view bytes, std::optional<TextEncoding> given,
               const std::vector<std::u16string>& sections,
               const std::vector<std::u16string>& keys) {
    std::optional<TMemIniFile> first;
    try {
        first.emplace(TMemIniFile::FromBytes(u"fuzz.ini", bytes, given));
    } catch (const Exception& e) {
        // Only strict UTF-8 decoding may refuse input.
        check(e.message() == kNoMappingMessage);
        check(given == TextEncoding::Utf8 || bytes.starts_with("\xEF\xBB\xBF"));
        return;
    }
    check(first->Encoding().has_value());
    check(given ? first->Encoding() == given : true);

    std::string written = first->Serialize();
    TMemIniFile second = TMemIniFile::FromBytes(u"fuzz.ini", written, given);
    check(second.Encoding() == first->Encoding());
    check(second.Serialize() == written);

    for (const std::u16string& section : sections) {
        for (const std::u16string& key : keys) {
            std::u16string value = first->ReadString(section, key, u"\uFFFF<absent>");
            check(second.ReadString(section, key, u"\uFFFF<absent>") == value);
            std::optional<int32_t> number = ParseIniInteger(value);
            check(first->ReadInteger(section, key, 7) == (number ? *number : 7));
        }
    }

    // A write reaches the entry that reads see, and touches no other section.
    if (!sections.empty() && !keys.empty()) {
        std::u16string before = second.ReadString(sections.back(), keys.back(), u"");
        second.WriteString(sections.front(), keys.front(), u"fuzzed");
        check(second.ReadString(sections.front(), keys.front(), u"") == u"fuzzed");
        if (!SameTextIgnoringCase(sections.front(), sections.back()))
            check(second.ReadString(sections.back(), keys.back(), u"") == before);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::u16string> sections, keys;
    candidateNames(bytes, sections, keys);
    roundTrip(bytes, std::nullopt, sections, keys);
    roundTrip(bytes, TextEncoding::Utf8, sections, keys);
    return 0;
}
