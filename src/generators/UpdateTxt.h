// The update information file update.txt: the newest version, its download
// link and the What's New text, written where the vendor chooses, for
// uploading to the address that Updater.ini gives the updater.
#pragma once

#include "core/IniFiles.h"
#include "platform/Dialogs.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

// What the operation needs of the main window besides its values.
class UpdateTxtWindow {
  public:
    virtual ~UpdateTxtWindow() = default;
    virtual void FocusUpdateUrl() = 0;
};

// The window's values at the click.
struct UpdateTxtRequest {
    std::u16string UpdateUrl;    // Edit6
    std::u16string NewVersion;   // Edit4
    std::u16string DownloadLink; // Edit5
    // The What's New box's displayed lines: word-wrapped at its width, no
    // empty last line.
    std::vector<std::u16string> WhatsNewLines;
    bool WhatsNewEmpty = true; // the box's whole text is empty
    bool SupportOldVer = false;
    std::u16string WindowCaption;
};

// Button4Click: checks the values, asks where to save, writes the file and
// reports the result. Failures of the legacy rewrite, and of loading an old
// file that could not be deleted, are raised as tarvel::Exception.
void CreateUpdateTxt(const UpdateTxtRequest& request, Dialogs& dialogs, UpdateTxtWindow& window);

// [Update] Version and URL, then the What's New sections unless the box is
// empty.
void WriteUpdateDocument(TMemIniFile& ini, const UpdateTxtRequest& request);

// The four lines that updaters up to 4.4 read before the INI part: the
// version, the link, the What's New line and an empty line.
std::vector<std::u16string> LegacyLines(const UpdateTxtRequest& request);

// The text after the last slash or backslash; the whole text without one.
std::u16string FileNameFromUrl(std::u16string_view url);

// The What's New format, shown by the "?" beside the box.
std::u16string WhatsNewHelpText();

std::u16string UpdateUrlWarningText();
std::u16string VersionAndLinkWarningText();
std::u16string UnableToSaveText(std::u16string_view fileName);
std::u16string UpdateTxtSavedText(std::u16string_view fileName, std::u16string_view updateUrl);

} // namespace tarvel
