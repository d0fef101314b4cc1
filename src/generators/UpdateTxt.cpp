#include "generators/UpdateTxt.h"

#include "core/ProductSettings.h"
#include "core/TextFiles.h"
#include "generators/WhatsNewSections.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"

#include <optional>

namespace tarvel {

namespace {

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// A name the file system can be given as it stands. A NUL would cut the
// name short and an unpaired surrogate has no file-system spelling, so
// either would delete and write some other file than the one reported.
bool IsUsableFileName(std::u16string_view name) {
    if (name.empty())
        return false;
    for (size_t i = 0; i < name.size(); ++i) {
        char16_t c = name[i];
        if (c == u'\0')
            return false;
        if (IsHighSurrogate(c)) {
            if (i + 1 == name.size() || !IsLowSurrogate(name[i + 1]))
                return false;
            ++i;
        } else if (IsLowSurrogate(c)) {
            return false;
        }
    }
    return true;
}

void Show(Dialogs& dialogs, const UpdateTxtRequest& request, std::u16string text,
          MessageIcon icon) {
    MessageRequest message;
    message.Caption = request.WindowCaption;
    message.Text = std::move(text);
    message.Icon = icon;
    dialogs.ShowMessage(message);
}

// The legacy lines go in front of the file as it was written, read back in
// the encoding it was written in.
void AddLegacyLines(std::u16string_view fileName, const UpdateTxtRequest& request) {
    TextLines file;
    file.LoadFromFile(fileName);
    std::vector<std::u16string> legacy = LegacyLines(request);
    file.Lines.insert(file.Lines.begin(), std::make_move_iterator(legacy.begin()),
                      std::make_move_iterator(legacy.end()));
    file.SaveToFile(fileName);
}

} // namespace

void WriteUpdateDocument(TMemIniFile& ini, const UpdateTxtRequest& request) {
    ini.WriteString(u"Update", u"Version", request.NewVersion);
    ini.WriteString(u"Update", u"URL", request.DownloadLink);
    if (!request.WhatsNewEmpty)
        WriteWhatsNewSections(ini, request.WhatsNewLines);
}

std::vector<std::u16string> LegacyLines(const UpdateTxtRequest& request) {
    std::u16string whatsNew;
    if (!request.WhatsNewEmpty)
        whatsNew = WhatsNewLegacyLine(request.WhatsNewLines);
    return {request.NewVersion, request.DownloadLink, std::move(whatsNew), std::u16string()};
}

void CreateUpdateTxt(const UpdateTxtRequest& request, Dialogs& dialogs, UpdateTxtWindow& window) {
    if (request.UpdateUrl.empty() || request.UpdateUrl == kDefaultUpdateUrl) {
        Show(dialogs, request, UpdateUrlWarningText(), MessageIcon::Warning);
        window.FocusUpdateUrl();
        return;
    }
    if (request.NewVersion.empty() || request.DownloadLink.empty()) {
        Show(dialogs, request, VersionAndLinkWarningText(), MessageIcon::Warning);
        return;
    }

    SaveFileRequest save;
    save.FileName = FileNameFromUrl(request.UpdateUrl);
    std::optional<std::u16string> chosen = dialogs.SaveFile(save);
    if (!chosen)
        return;
    const std::u16string& name = *chosen;
    if (!IsUsableFileName(name)) {
        Show(dialogs, request, UnableToSaveText(name), MessageIcon::Warning);
        return;
    }

    // The long form serves both writes, so a name of 260 characters or more
    // is read back for the legacy lines from the same file it was written to.
    const std::u16string longName = ToLongPath(name);
    // The old file goes first so that the document starts empty; where it
    // cannot go, the document takes in what it holds. Its bytes are kept so
    // that a write failing after the deletion does not lose it.
    std::optional<std::string> previous;
    if (FileExists(longName)) {
        int err = 0;
        previous = ReadWholeFile(longName, err);
        if (!DeleteFile(longName))
            previous.reset();
    }
    TMemIniFile ini(longName);
    WriteUpdateDocument(ini, request);
    try {
        ini.UpdateFile();
    } catch (const Exception&) {
        if (previous) {
            int err = 0;
            WriteWholeFile(longName, *previous, err);
        }
        Show(dialogs, request, UnableToSaveText(name), MessageIcon::Warning);
        return;
    }
    if (request.SupportOldVer)
        AddLegacyLines(longName, request);
    Show(dialogs, request, UpdateTxtSavedText(name, request.UpdateUrl), MessageIcon::Information);
}

std::u16string FileNameFromUrl(std::u16string_view url) {
    size_t pos = url.find_last_of(u"/\\");
    return std::u16string(pos == std::u16string_view::npos ? url : url.substr(pos + 1));
}

std::u16string WhatsNewHelpText() {
    return u"Use the following format (version number must be in square brackets):\r\n\r\n"
           u"[1.1]\r\nAdded new features\r\nFixed some bugs\r\n\r\n"
           u"[1.0]\r\nAdded new features\r\nFixed some bugs";
}

std::u16string UpdateUrlWarningText() {
    return u"Please enter the correct URL of Update Information File (location of the "
           u"\"update.txt\" file at your website).\r\nExample: " +
           std::u16string(kExampleUpdateUrl);
}

std::u16string VersionAndLinkWarningText() {
    return u"Please enter a new version number and a link to download it.";
}

std::u16string UnableToSaveText(std::u16string_view fileName) {
    return u"Unable to save the file:\r\n" + std::u16string(fileName);
}

std::u16string UpdateTxtSavedText(std::u16string_view fileName, std::u16string_view updateUrl) {
    return u"Saved in:\r\n" + std::u16string(fileName) + u"\r\n\r\n" +
           u"Now you neeed to upload this file \"" + ExtractFileName(fileName) +
           u"\" at your website:" + u"\r\n" + std::u16string(updateUrl);
}

} // namespace tarvel
