#include "generators/UpdaterIniDocument.h"

#include "platform/CharUpper.h"

namespace tarvel {

namespace {

constexpr std::u16string_view kGeneral = u"General";
constexpr std::u16string_view kUpdater = u"Updater";
constexpr std::u16string_view kPlaceholder = u"<AppName>";

std::u16string decimal(int value) {
    std::u16string text;
    for (char c : std::to_string(value))
        text += static_cast<char16_t>(c);
    return text;
}

} // namespace

bool DownloaderImplied(const TProductSettings& settings) {
    return settings.ReplaceMainExe || (settings.AutoCheckForUpdate && settings.AutoSilentUpdate);
}

void WriteGeneralSection(TMemIniFile& ini, const TProductSettings& s,
                         std::u16string_view versionBoxText, PathStyle style) {
    std::u16string_view none;
    ini.WriteString(kGeneral, u"AppName", s.Name);
    if (!s.AppEdition.empty())
        ini.WriteString(kGeneral, u"AppEdition", s.AppEdition);
    ini.WriteString(kGeneral, u"AppVersion", s.Method == kMethodUpdaterIni ? versionBoxText : none);
    ini.WriteString(kGeneral, u"GUID", s.Method == kMethodRegistryGuid ? versionBoxText : none);
    ini.WriteString(kGeneral, u"MainExe", ExtractFileName(s.MainExe, style));
    ini.WriteInteger(kGeneral, u"ReadMethod", s.Method);
    ini.WriteString(kGeneral, u"UpdateURL", s.UpdateURL);
    ini.WriteBool(kGeneral, u"AllUsers", s.RequireAdmin);
    ini.WriteBool(kGeneral, u"Admin", s.RequireAdmin);
    ini.WriteBool(kGeneral, u"x64", s.Is64Bit);
    ini.WriteBool(kGeneral, u"CheckUpdaterTitle", s.CheckUpdaterTitle);
    ini.WriteBool(kGeneral, u"AllowChangeUpdate", s.AllowChangeUpdate);
    ini.WriteBool(kGeneral, u"CheckUseDownloader", s.CheckUseDownloader);
    ini.WriteBool(kGeneral, u"ReplaceMainExecutable", s.ReplaceMainExe);
    ini.WriteBool(kGeneral, u"AutoCheckUpdate", s.AutoCheckForUpdate);
    ini.WriteInteger(kGeneral, u"UpdateFrequency", s.UpdateFrequency);
    ini.WriteBool(kGeneral, u"AutoSilentUpdate", s.AutoSilentUpdate);
    ini.WriteBool(kGeneral, u"CheckSmartNotification", s.CheckSmartNotification);
    ini.WriteInteger(kGeneral, u"UpdateSmartMethod", s.SmartMethod);
    ini.WriteString(kGeneral, u"UpdaterParameters", s.UpdaterParameters);
    ini.WriteString(kGeneral, u"URLParameters", s.URLParameters);
}

std::u16string ReplaceAppName(std::u16string_view text, std::u16string_view name) {
    std::u16string result(text);
    if (text.find(kPlaceholder) == std::u16string_view::npos)
        return result;
    for (size_t i = 0; i + kPlaceholder.size() <= text.size(); ++i) {
        if (SameTextIgnoringCase(text.substr(i, kPlaceholder.size()), kPlaceholder)) {
            result.replace(i, kPlaceholder.size(), name);
            break;
        }
    }
    return result;
}

void CopyLanguageStrings(const TMemIniFile& language, TMemIniFile& ini, std::u16string_view name) {
    for (int i = 0; i <= kLastUpdaterString; ++i) {
        std::u16string key = decimal(i);
        std::u16string text = ReplaceAppName(language.ReadString(kUpdater, key, u""), name);
        if (!text.empty())
            ini.WriteString(kUpdater, key, text);
    }
}

} // namespace tarvel
