// Everything the vendor states about one product, one field per control of
// the main window, with the values a fresh window shows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvel {

inline constexpr std::u16string_view kDefaultUpdateUrl = u"https://www.example-vendor.test/update.txt";
inline constexpr std::u16string_view kDefaultDownloadLink = u"https://www.example-vendor.test/setup.exe";
// Where the URL messages point for an example.
inline constexpr std::u16string_view kExampleUpdateUrl = u"https://www.yoursite.test/update.txt";
inline constexpr std::u16string_view kProductSiteUrl = u"http://www.tarvel-updater.test";

// The version source: where the updater finds the installed version.
enum ReadMethod : int32_t {
    kMethodNone = -1,
    kMethodRegistryGuid = 0,
    kMethodMainExecutable = 1,
    kMethodUpdaterIni = 2,
};

struct TProductSettings {
    std::u16string Name;
    std::u16string AppEdition;
    std::u16string MainExe;
    int32_t Method = kMethodMainExecutable;
    std::u16string GUID;
    std::u16string Version;
    std::u16string UpdateURL{kDefaultUpdateUrl};
    std::u16string NewVersion = u"1.2";
    std::u16string DownloadLink{kDefaultDownloadLink};
    std::u16string Changes;
    std::u16string Language = u"English";
    bool RequireAdmin = true;
    bool Is64Bit = false;
    bool SupportOldVer = true;
    bool CheckUpdaterTitle = false;
    bool AllowChangeUpdate = false;
    bool CheckUseDownloader = false;
    bool ReplaceMainExe = false;
    bool AutoCheckForUpdate = false;
    int32_t UpdateFrequency = 1;
    bool AutoSilentUpdate = false;
    bool CheckSmartNotification = false;
    int32_t SmartMethod = 0;
    std::u16string UpdaterParameters;
    std::u16string URLParameters;
};

} // namespace tarvel
