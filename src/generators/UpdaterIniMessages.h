// The texts the Updater.ini generator shows, character for character.
#pragma once

#include "core/ProductSettings.h"

#include <string>
#include <string_view>

namespace tarvel {

inline constexpr std::u16string_view kEnterProductNameMessage = u"Please enter Product Name.";
inline constexpr std::u16string_view kEnterProductGuidMessage = u"Please enter Product GUID.";
inline constexpr std::u16string_view kEnterProductVersionMessage = u"Please enter Product Version.";
inline constexpr std::u16string_view kSpecifyMainExeMessage =
    u"Please specify the main executable file (or any other) from your application folder.\r\n"
    u"The updater files \"Updater.exe\" and \"Updater.ini\" will be created in that folder.";
inline constexpr std::u16string_view kNoProductVersionMessage =
    u"Warning: The current Main Executable file doesn't have Product Version.";
inline constexpr std::u16string_view kLanguageFileNotFoundMessage =
    u"Error: Language file not found.";
inline constexpr std::u16string_view kUpdaterExeNotFoundMessage =
    u"File \"Updater.exe\" not found.\r\nPlease reinstall Tarvel Updater.";
inline constexpr std::u16string_view kErrorCopyingUpdaterMessage =
    u"Error copying file \"Updater.exe\"";
inline constexpr std::u16string_view kErrorCopyingDownloaderMessage =
    u"Error copying file \"Downloader.exe\"";

// Asks for the address of update.txt, with an example of one.
std::u16string UpdateUrlMessage();

// The report of a failed write of `iniPath` (the folder and "Updater.ini").
std::u16string CannotCreateUpdaterIniMessage(std::u16string_view iniPath);

std::u16string UpdaterIniSuccessMessage(std::u16string_view targetFolder);

} // namespace tarvel
