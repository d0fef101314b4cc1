#include "integration/TestUpdater.h"

#include "platform/FileSystem.h"
#include "platform/Paths.h"

namespace tarvel {

namespace {

void warn(Dialogs& dialogs, std::u16string_view caption, std::u16string_view text) {
    MessageRequest request;
    request.Caption = std::u16string(caption);
    request.Text = std::u16string(text);
    request.Icon = MessageIcon::Warning;
    dialogs.ShowMessage(request);
}

} // namespace

std::u16string TestSwitchParameters(std::u16string_view switches) {
    if (switches.find(u'/') == std::u16string_view::npos)
        return {};
    return std::u16string(switches);
}

TestUpdaterResult TestUpdater(const TestUpdaterInput& input, Shell& shell, Dialogs& dialogs) {
    TestUpdaterResult result;
    result.TargetFolder = ExtractFileDir(input.MainExe);
    const std::u16string& folder = result.TargetFolder;

    if (input.MainExe.empty() || !DirectoryExists(ToLongPath(folder))) {
        warn(dialogs, input.Caption, kMainExeFolderMissingText);
        result.FocusMainExe = true;
        return result;
    }
    if (!FileExists(ToLongPath(JoinPath(folder, u"Updater.exe"))) ||
        !FileExists(ToLongPath(JoinPath(folder, u"Updater.ini")))) {
        warn(dialogs, input.Caption, kUpdaterFilesMissingText);
        result.FocusMainExe = true;
        return result;
    }
    // A failed start shows nothing, as with any other start of the tool.
    shell.StartProgram(u"Updater.exe", TestSwitchParameters(input.Switches), folder);
    return result;
}

} // namespace tarvel
