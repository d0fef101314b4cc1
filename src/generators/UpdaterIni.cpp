#include "generators/UpdaterIni.h"

#include "core/Captions.h"
#include "core/IniFiles.h"
#include "generators/UpdaterIniDocument.h"
#include "generators/UpdaterIniMessages.h"
#include "generators/UpdaterIniPaths.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"

namespace tarvel {

namespace {

void show(Dialogs& dialogs, std::u16string_view caption, std::u16string_view text,
          MessageIcon icon) {
    dialogs.ShowMessage({std::u16string(caption), std::u16string(text), icon, MessageButtons::Ok});
}

// True when the run may go on to writing.
bool passesChecks(const UpdaterIniRequest& request, const std::u16string& target, Dialogs& dialogs,
                  UpdaterIniWindow& window) {
    const TProductSettings& s = request.Settings;
    UpdaterIniFacts facts;
    facts.MainExeExists = !s.MainExe.empty() && FileExists(s.MainExe);
    facts.TargetFolderExists = !target.empty() && DirectoryExists(target);
    UpdaterIniVerdict verdict = CheckUpdaterIniInput(s, request.VersionBoxText, target, facts);
    if (verdict.TargetFolderDerived)
        window.SetTargetFolder(target);
    for (const UpdaterIniWarning& warning : verdict.Warnings) {
        show(dialogs, request.WindowCaption, warning.Text, MessageIcon::Warning);
        window.FocusControl(warning.Focus);
    }
    return verdict.Proceed;
}

void addLanguageStrings(const UpdaterIniRequest& request, TMemIniFile& ini, Dialogs& dialogs) {
    auto path = FindLanguageFile(request.AppFolder, request.Settings.Language);
    if (!path) {
        show(dialogs, kApplicationTitle, kLanguageFileNotFoundMessage, MessageIcon::None);
        return;
    }
    TMemIniFile language(*path, TextEncoding::Utf8);
    CopyLanguageStrings(language, ini, request.Settings.Name);
}

} // namespace

void CreateUpdaterIni(const UpdaterIniRequest& request, Dialogs& dialogs,
                      UpdaterIniWindow& window) {
    const std::u16string target = TargetFolder(request.Settings.MainExe);
    if (!passesChecks(request, target, dialogs, window))
        return;

    TProductSettings settings = request.Settings;
    if (DownloaderImplied(settings)) {
        settings.CheckUseDownloader = true;
        window.TickUseDownloader();
    }

    const std::u16string iniPath = TargetFile(target, u"Updater.ini");
    // A file that cannot be deleted is the starting point of the new one.
    if (FileExists(iniPath))
        DeleteFile(iniPath);

    TMemIniFile ini(iniPath, TextEncoding::Utf8);
    WriteGeneralSection(ini, settings, request.VersionBoxText);
    addLanguageStrings(request, ini, dialogs);
    try {
        ini.UpdateFile();
    } catch (const Exception&) {
        show(dialogs, request.WindowCaption, CannotCreateUpdaterIniMessage(iniPath),
             MessageIcon::Error);
        return;
    }

    const std::u16string updaterSource = request.AppFolder + u"Updater.exe";
    if (!FileExists(updaterSource)) {
        show(dialogs, request.WindowCaption, kUpdaterExeNotFoundMessage, MessageIcon::Error);
        return;
    }
    if (!CopyFile(updaterSource, TargetFile(target, u"Updater.exe"), false)) {
        show(dialogs, request.WindowCaption, kErrorCopyingUpdaterMessage, MessageIcon::Error);
        return;
    }
    if (settings.CheckUseDownloader && !CopyFile(request.AppFolder + u"Downloader.exe",
                                                 TargetFile(target, u"Downloader.exe"), false))
        show(dialogs, request.WindowCaption, kErrorCopyingDownloaderMessage, MessageIcon::Error);

    show(dialogs, request.WindowCaption, UpdaterIniSuccessMessage(target),
         MessageIcon::Information);
}

} // namespace tarvel
