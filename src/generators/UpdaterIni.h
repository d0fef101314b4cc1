// Creating Updater.ini: checks the product's settings, writes the updater's
// configuration into the product's folder, copies the updater programs
// beside it and reports the outcome. The main window runs it from the
// button "Create \"Updater.ini\"".
#pragma once

#include "core/ProductSettings.h"
#include "generators/UpdaterIniChecks.h"
#include "platform/Dialogs.h"

#include <string>

namespace tarvel {

// What the generator needs of the main window.
class UpdaterIniWindow {
  public:
    virtual ~UpdaterIniWindow() = default;
    // Moves the input focus to the box a warning is about.
    virtual void FocusControl(UpdaterIniControl control) = 0;
    // Ticks "Use Downloader" visibly; its click handler marks the settings
    // changed when its state changes.
    virtual void TickUseDownloader() = 0;
    // Keeps the product's folder for the updater test.
    virtual void SetTargetFolder(const std::u16string& folder) = 0;
};

struct UpdaterIniRequest {
    TProductSettings Settings;     // as the controls show them
    std::u16string VersionBoxText; // the text of the version box
    std::u16string AppFolder;      // the tool's folder, ending in a separator
    std::u16string WindowCaption;  // caption of the window's message boxes
};

// The whole run. Errors reading the language file are not caught here: they
// end the run and reach the window's error box.
void CreateUpdaterIni(const UpdaterIniRequest& request, Dialogs& dialogs, UpdaterIniWindow& window);

} // namespace tarvel
