// The folders the tool finds by itself rather than being told.
#pragma once

#include <string>

namespace tarvel {

// The folder of the running program with its trailing separator; empty
// when the system cannot say.
std::u16string AppFolder();

// The user's roaming application-data folder: $XDG_CONFIG_HOME, else
// $HOME/.config, else empty.
std::u16string RoamingAppDataFolder();

} // namespace tarvel
