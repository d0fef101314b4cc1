#include "core/ProductVersion.h"

#include "platform/FileSystem.h"
#include "platform/VersionInfo.h"

#include <cstdio>
#include <vector>

namespace tarvel {

namespace {

// "%04X%04X": the language, then the code page, upper-case hexadecimal.
std::u16string languageCodePage(uint32_t translation) {
    char text[9];
    std::snprintf(text, sizeof text, "%04X%04X", translation & 0xFFFFu, translation >> 16);
    return std::u16string(text, text + 8);
}

} // namespace

std::u16string ReadProductVersion(std::u16string_view path, std::u16string_view updaterParameters) {
    try {
        if (!FileExists(path))
            return {};
        uint32_t size = GetFileVersionInfoSize(path);
        if (size == 0)
            return {};
        std::vector<uint8_t> buffer(size);
        if (!GetFileVersionInfo(path, buffer))
            return {};

        std::u16string langCodePage;
        if (std::optional<VersionValue> translations =
                VerQueryValue(buffer, u"\\VarFileInfo\\Translation")) {
            std::vector<uint32_t> entries = VersionDwords(*translations);
            if (!entries.empty())
                langCodePage = languageCodePage(entries.front());
        }

        bool fileVersion = updaterParameters.find(u"-usefileversion") != std::u16string_view::npos;
        std::u16string query = u"\\StringFileInfo\\" + langCodePage +
                               (fileVersion ? u"\\FileVersion" : u"\\ProductVersion");
        std::optional<VersionValue> value = VerQueryValue(buffer, query);
        return value ? VersionText(*value) : std::u16string();
    } catch (...) {
        // Only running out of memory can get here; the box then stays empty.
        return {};
    }
}

} // namespace tarvel
