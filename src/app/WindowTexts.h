// The fixed texts of the main window: the introduction above the product
// list and the help behind the blue "?" labels.
#pragma once

#include <string_view>

namespace tarvel {

// The single CR is a paragraph break: the box shows two wrapped paragraphs.
inline constexpr std::u16string_view kIntroductionText =
    u"This tool will help you to integrate the update feature into your product. To make it the "
    u"following files will be used: Updater.exe, Updater.ini, and update.txt. The \"Updater.exe\" "
    u"and \"Updater.ini\" files should be located in the same folder as the main executable file "
    u"of your app.The \"update.txt\" file should be uploaded at your website when a new version "
    u"is released.\rNote: if you use Tarvel Installer, then you don't have to create the "
    u"\"Updater.ini\" file. For more details, click Help.";

inline constexpr std::u16string_view kMainExeHelpText =
    u"Select the main executable file of your product (with extension .EXE). The Updater files "
    u"(\"Updater.exe\" and \"Updater.ini\") will be created in the folder where the main "
    u"executable file is located.\r\n\r\nIf you product does not have it (or the extension is "
    u"other than .EXE), then just select any file from the folder where you want to store the "
    u"updater files.";

inline constexpr std::u16string_view kVersionSourceHelpText =
    u"Specify how the updater receives the currently installed version of the product.\r\n"
    u"Recommended - from Main Executable (if it has version information) or Updater.ini";

inline constexpr std::u16string_view kProductGuidHelpText =
    u"Product GUID is a reference number used as an identifier of your product.\r\n"
    u"Example: {318020E9-4E14-DAB0-1CE4-2EE91C6FF5D0}\r\n\r\n"
    u"Here is how to get it from some installers:\r\n"
    u"- Tarvel Installer: see the section \"General - Parameters\"\r\n"
    u"- Inno Setup: open script file and look for \"AppId=\"\r\n"
    u"- NSIS: open script file and look for \"!define MUI_PRODUCT\"\r\n\r\n"
    u"If you don't know the GUID of your product, then select other method \"Get Currently "
    u"Installed Version from\".";

// Two blanks before "or" belong to the text.
inline constexpr std::u16string_view kSmartNotificationHelpText =
    u"If a user declines an update notification for two times, the updater may prompt to turn "
    u"off notification for current version  or prompt to open the Options dialog so user can "
    u"change the update frequency or disable it.";

// The maker's notice in the left status panel.
inline constexpr std::u16string_view kMakerNotice =
    u"Copyright (c) Oblenda Software - www.tarvel-updater.test";
// Eight blanks keep the right-aligned text off the panel's edge.
inline constexpr std::u16string_view kCheckForUpdatesPanel = u"Check for Updates        ";

// Shown at the first activation when started with /A.
inline constexpr std::u16string_view kInstallerModeText =
    u"When using with Tarvel Installer, use the right section only to create \"update.txt\" "
    u"file.\r\n\r\nMake sure that the \"URL of Update Info File\" is the same as in the Tarvel "
    u"Installer project (the Updater section).";

} // namespace tarvel
