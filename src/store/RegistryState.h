// The tool's own state in the per-user registry: the last product's name
// and the window placement, and the import of the settings that older
// versions kept in the same key.
#pragma once

#include "platform/Dialogs.h"
#include "platform/TRegistry.h"
#include "store/ProjectWindow.h"
#include "store/WindowPlacement.h"

#include <string_view>

namespace tarvel {

// HKEY_CURRENT_USER\Software\Oblenda\Tarvel Updater
inline constexpr std::u16string_view kRegistryKey = u"Software\\Oblenda\\Tarvel Updater";

// At start-up: restores the name and the placement, lists the projects and
// imports the older settings when there is none. Without the key nothing
// happens. A store file that had to be moved aside is reported once.
void LoadRegistryState(ProjectWindow& window, WindowPlacement& placement, Dialogs& dialogs,
                       std::u16string_view projectFolder);

// Copies the older versions' settings from the open key into the window;
// the first value that cannot be read ends it silently.
void ImportLegacySettings(ProjectWindow& window, const TRegistry& registry);

// At closing: writes the name and the placement, creating the key. Raises
// "Failed to set data for '<name>'" when a write fails.
void SaveRegistryState(const ProjectWindow& window, const WindowPlacement& placement,
                       Dialogs& dialogs);

} // namespace tarvel
