// "Test Updater": starts the updater that was set up in the product's folder,
// with the switch chosen for the test.
#pragma once

#include "platform/Dialogs.h"
#include "platform/Shell.h"

#include <string>

namespace tarvel {

struct TestUpdaterInput {
    std::u16string MainExe;  // the main executable's path as typed (Edit3)
    std::u16string Switches; // the switch box's text (ComboBox4)
    std::u16string Caption;  // the window's caption, for the messages
};

struct TestUpdaterResult {
    // The folder of the main executable; set on every run, checks or not.
    std::u16string TargetFolder;
    // The box of the main executable is at fault and takes the focus.
    bool FocusMainExe = false;
};

inline constexpr std::u16string_view kMainExeFolderMissingText =
    u"Folder of the main executable file does not exist.";
inline constexpr std::u16string_view kUpdaterFilesMissingText =
    u"File \"Updater.exe\" or/and \"Updater.ini\" not found.\r\n"
    u"Click the \"Generate Updater.ini\" button.";

// The parameters the updater gets for a switch box text: the text whole and
// untouched when it holds a '/', else none.
std::u16string TestSwitchParameters(std::u16string_view switches);

TestUpdaterResult TestUpdater(const TestUpdaterInput& input, Shell& shell, Dialogs& dialogs);

} // namespace tarvel
