// The per-user folder that holds the project files.
#pragma once

#include <string>

namespace tarvel {

// The user's roaming application-data folder; empty when unavailable.
std::u16string GetAppDataFolder();

// The text of an I/O error by its Windows code: 2 "File not found",
// 3 "Invalid filename", 4 "Too many open files", 5 "File access denied",
// otherwise "I/O error <code>".
std::u16string IoErrorText(int code);

// Sets `projectFolder` to <app data>/Tarvel Updater/App. When that folder
// is missing it is created (one level) and the older project files of
// <app data>/Tarvel Updater are moved into it, "UNINSTALL*.ini" excepted.
// When it cannot be created, raises EInOutError with the code's text and
// leaves `projectFolder` at <app data>/Tarvel Updater.
void PrepareProjectFolder(std::u16string& projectFolder);

} // namespace tarvel
