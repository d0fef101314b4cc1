#include "integration/OwnUpdater.h"

#include "integration/WebLinks.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"

namespace tarvel {

std::u16string ToolFolder(std::u16string_view appFolder) {
    return ExtractFileDir(appFolder);
}

void StartOwnUpdater(std::u16string_view appFolder, Shell& shell) {
    const std::u16string updater = std::u16string(appFolder) + u"Updater.exe";
    if (!FileExists(updater))
        return;
    shell.StartProgram(u"Updater.exe", u"/S", ToolFolder(appFolder));
}

void StatusBarMouseDown(MouseButton button, int x, std::u16string_view appFolder, Shell& shell,
                        Dialogs& dialogs) {
    if (button != MouseButton::Left)
        return;
    if (x < kStatusPanel0Width) {
        OpenProductSite(shell);
        return;
    }
    const std::u16string folder = ToolFolder(appFolder);
    if (!FileExists(JoinPath(folder, u"Updater.exe"))) {
        MessageRequest request;
        request.Caption = std::u16string(kOwnUpdaterMissingCaption);
        request.Text = std::u16string(kOwnUpdaterMissingText);
        request.Icon = MessageIcon::Warning;
        dialogs.ShowMessage(request);
        return;
    }
    shell.StartProgram(u"Updater.exe", u"", folder);
}

} // namespace tarvel
