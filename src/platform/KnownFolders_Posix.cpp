#include "platform/KnownFolders.h"

#include "platform/Paths.h"
#include "platform/Unicode.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace tarvel {

std::u16string AppFolder() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    return ExtractFilePath(U16(self.string()));
}

std::u16string RoamingAppDataFolder() {
    // An empty variable counts as unset, as the XDG rules say.
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
        return U16(config);
    if (const char* home = std::getenv("HOME"); home && *home)
        return JoinPath(U16(home), u".config");
    return {};
}

} // namespace tarvel
