#include "platform/TRegistry.h"

#include "platform/Error.h"
#include "platform/Unicode.h"

namespace tarvel {

namespace {

[[noreturn]] void fail(std::u16string_view format, std::u16string_view name) {
    std::u16string text(format);
    text.replace(text.find(u"%s"), 2, name);
    throw Exception(std::move(text));
}

} // namespace

bool TRegistry::OpenKey(std::u16string_view subKey, bool canCreate) {
    Key = canCreate ? RegistryKey::Create(subKey) : RegistryKey::Open(subKey);
    return Key.has_value();
}

std::optional<RegistryData> TRegistry::query(std::u16string_view name) const {
    return Key ? Key->QueryValue(name) : std::nullopt;
}

bool TRegistry::ValueExists(std::u16string_view name) const {
    return query(name).has_value();
}

std::u16string TRegistry::ReadString(std::u16string_view name) const {
    std::optional<RegistryData> data = query(name);
    if (!data || data->Bytes.empty())
        return {};
    if (data->Type != kRegSz && data->Type != kRegExpandSz)
        fail(u"Invalid data type for '%s'", name);
    std::string_view bytes = data->Bytes;
    // A stray odd byte cannot be half a character.
    std::u16string text = Utf16LEToUtf16(bytes.substr(0, bytes.size() & ~size_t{1}));
    if (size_t nul = text.find(u'\0'); nul != std::u16string::npos)
        text.resize(nul);
    return text;
}

int32_t TRegistry::ReadInteger(std::u16string_view name) const {
    std::optional<RegistryData> data = query(name);
    if (!data || data->Bytes.size() > 4)
        fail(u"Failed to get data for '%s'", name);
    if (data->Type != kRegDword)
        fail(u"Invalid data type for '%s'", name);
    // Fewer than four bytes would leave part of the number undefined.
    if (data->Bytes.size() != 4)
        fail(u"Failed to get data for '%s'", name);
    uint32_t n = 0;
    for (int i = 3; i >= 0; --i)
        n = (n << 8) | static_cast<unsigned char>(data->Bytes[static_cast<size_t>(i)]);
    return static_cast<int32_t>(n);
}

void TRegistry::write(std::u16string_view name, uint32_t type, std::string_view bytes) {
    if (!Key || !Key->SetValue(name, type, bytes))
        fail(u"Failed to set data for '%s'", name);
}

void TRegistry::WriteString(std::u16string_view name, std::u16string_view value) {
    std::string bytes = Utf16ToUtf16LE(value);
    bytes.append(2, '\0');
    write(name, kRegSz, bytes);
}

void TRegistry::WriteInteger(std::u16string_view name, int32_t value) {
    auto n = static_cast<uint32_t>(value);
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>((n >> (8 * i)) & 0xFF);
    write(name, kRegDword, bytes);
}

} // namespace tarvel
