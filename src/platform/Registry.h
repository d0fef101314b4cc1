// The per-user registry store that stands in for HKEY_CURRENT_USER: one
// file, registry.reg in the "Oblenda" folder of the roaming application
// data, read and written whole. Every write is a read-modify-write under an
// exclusive lock, replacing the file atomically, so that two instances of
// the tool never lose each other's keys. A file that cannot be understood is
// never overwritten: it is moved aside and a notice is kept for the user.
#pragma once

#include "platform/RegistryText.h"

#include <optional>
#include <string>
#include <string_view>

namespace tarvel {

struct RegistryData {
    uint32_t Type = kRegNone;
    std::string Bytes;
};

// An open key below HKEY_CURRENT_USER. Its values are those the file held
// when it was opened or last written through it.
class RegistryKey {
  public:
    // The key when it exists; nothing when it is missing or the store
    // cannot be read.
    static std::optional<RegistryKey> Open(std::u16string_view subKey);
    // The key, created with every missing key above it; nothing when the
    // store cannot be written.
    static std::optional<RegistryKey> Create(std::u16string_view subKey);

    std::optional<RegistryData> QueryValue(std::u16string_view name) const;
    // Stores the value; false when the store cannot be written.
    bool SetValue(std::u16string_view name, uint32_t type, std::string_view bytes);

    const std::u16string& SubKey() const { return Path; }

  private:
    RegistryKey(std::u16string subKey, RegistryKeyEntry entry)
        : Path(std::move(subKey)), Entry(std::move(entry)) {}

    std::u16string Path;
    RegistryKeyEntry Entry;
};

// The store's file; empty when there is no roaming application-data folder.
std::u16string RegistryFilePath();

// The notice about a store file that could not be read and was moved aside,
// given once: later calls return nothing until it happens again.
std::optional<std::u16string> TakeRegistryNotice();

} // namespace tarvel
