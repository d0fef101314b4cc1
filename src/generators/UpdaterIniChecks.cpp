#include "generators/UpdaterIniChecks.h"

#include "generators/UpdaterIniMessages.h"

namespace tarvel {

namespace {

bool isBlankOnly(std::u16string_view text) {
    for (char16_t c : text)
        if (c > u' ')
            return false;
    return true;
}

UpdaterIniVerdict stopWith(UpdaterIniVerdict verdict, std::u16string_view text,
                           UpdaterIniControl focus) {
    verdict.Warnings.push_back({std::u16string(text), focus});
    verdict.Proceed = false;
    return verdict;
}

} // namespace

UpdaterIniVerdict CheckUpdaterIniInput(const TProductSettings& settings,
                                       std::u16string_view versionBoxText,
                                       std::u16string_view targetFolder,
                                       const UpdaterIniFacts& facts) {
    UpdaterIniVerdict verdict;
    if (isBlankOnly(settings.Name))
        return stopWith(verdict, kEnterProductNameMessage, UpdaterIniControl::Edit1);
    if (settings.Method == kMethodRegistryGuid && versionBoxText.empty())
        return stopWith(verdict, kEnterProductGuidMessage, UpdaterIniControl::Edit2);
    if (settings.Method == kMethodUpdaterIni && versionBoxText.empty())
        return stopWith(verdict, kEnterProductVersionMessage, UpdaterIniControl::Edit2);

    verdict.TargetFolderDerived = true;
    if (settings.Method == kMethodMainExecutable) {
        if (settings.MainExe.empty() || !facts.MainExeExists || !facts.TargetFolderExists)
            return stopWith(verdict, kSpecifyMainExeMessage, UpdaterIniControl::Edit3);
        if (versionBoxText.empty())
            verdict.Warnings.push_back(
                {std::u16string(kNoProductVersionMessage), UpdaterIniControl::Edit3});
    } else if (targetFolder.empty()) {
        return stopWith(verdict, kSpecifyMainExeMessage, UpdaterIniControl::Edit3);
    }

    if (settings.UpdateURL.empty() || settings.UpdateURL == kDefaultUpdateUrl)
        return stopWith(verdict, UpdateUrlMessage(), UpdaterIniControl::Edit6);
    verdict.Proceed = true;
    return verdict;
}

} // namespace tarvel
