// The tool's own copy of the updater, in the tool's folder: started
// silently when the window first shows, and on demand from the status bar.
#pragma once

#include "platform/Dialogs.h"
#include "platform/Shell.h"

#include <string>
#include <string_view>

namespace tarvel {

enum class MouseButton { Left, Right, Middle, Other };

// The left status panel's width; it does not change with the window's.
inline constexpr int kStatusPanel0Width = 520;

inline constexpr std::u16string_view kOwnUpdaterMissingCaption = u"Tarvel Updater";
inline constexpr std::u16string_view kOwnUpdaterMissingText =
    u"File Updater.exe is not found. Please reinstall the program.";

// The tool's folder without its final separator (a root keeps it).
std::u16string ToolFolder(std::u16string_view appFolder);

// Starts appFolder's Updater.exe with "/S"; does nothing, silently, when
// there is none.
void StartOwnUpdater(std::u16string_view appFolder, Shell& shell);

// A press on the status bar at horizontal position `x`: the left panel
// opens the product site, anything right of it starts the own updater
// without parameters. Only the left button counts.
void StatusBarMouseDown(MouseButton button, int x, std::u16string_view appFolder, Shell& shell,
                        Dialogs& dialogs);

} // namespace tarvel
