// The content of Updater.ini: the product's settings under [General] and
// the updater's interface strings under [Updater].
#pragma once

#include "core/IniFiles.h"
#include "core/ProductSettings.h"
#include "platform/Paths.h"

#include <string>
#include <string_view>

namespace tarvel {

// The language strings the updater knows are numbered 0 to this.
inline constexpr int kLastUpdaterString = 32;

// True when a setting needs the downloader: replacing only the main
// executable, or silent automatic updates. The rules only ever tick it.
bool DownloaderImplied(const TProductSettings& settings);

// Writes the [General] keys in their fixed order. `settings` already holds
// the downloader flag after the implied rules; `versionBoxText` is what the
// version box shows.
void WriteGeneralSection(TMemIniFile& ini, const TProductSettings& settings,
                         std::u16string_view versionBoxText, PathStyle style = kNativePathStyle);

// Where `text` holds "<AppName>" in exactly that case, the first
// placeholder found in any case is replaced by `name`; later ones stay.
std::u16string ReplaceAppName(std::u16string_view text, std::u16string_view name);

// Copies the non-empty strings 0 to 32 of the language document's
// [Updater] section into `ini`, with the product name put in.
void CopyLanguageStrings(const TMemIniFile& language, TMemIniFile& ini, std::u16string_view name);

} // namespace tarvel
