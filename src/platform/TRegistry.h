// The registry accessor: one open key at a time and the typed reads and
// writes with their rules. Reads of a missing or mistyped value raise
// "Failed to get data for '<name>'" or "Invalid data type for '<name>'";
// a failed write raises "Failed to set data for '<name>'".
#pragma once

#include "platform/Registry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvel {

class TRegistry {
  public:
    // Opens a key below HKEY_CURRENT_USER, creating it (with every missing
    // key above it) when `canCreate`. False when that fails; not an error.
    bool OpenKey(std::u16string_view subKey, bool canCreate);
    void CloseKey() { Key.reset(); }
    bool IsOpen() const { return Key.has_value(); }

    bool ValueExists(std::u16string_view name) const;

    // Missing or empty data reads as empty text; REG_SZ and REG_EXPAND_SZ
    // (not expanded) end at their first NUL.
    std::u16string ReadString(std::u16string_view name) const;
    // A REG_DWORD of exactly four bytes, as a signed value.
    int32_t ReadInteger(std::u16string_view name) const;
    bool ReadBool(std::u16string_view name) const { return ReadInteger(name) != 0; }

    void WriteString(std::u16string_view name, std::u16string_view value);
    void WriteInteger(std::u16string_view name, int32_t value);
    void WriteBool(std::u16string_view name, bool value) { WriteInteger(name, value ? 1 : 0); }

  private:
    std::optional<RegistryData> query(std::u16string_view name) const;
    void write(std::u16string_view name, uint32_t type, std::string_view bytes);

    std::optional<RegistryKey> Key;
};

} // namespace tarvel
