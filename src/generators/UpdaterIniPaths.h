// Where the Updater.ini generator reads and writes: the product's folder
// derived from its main executable, and the language file with its
// English fallback.
#pragma once

#include "platform/Paths.h"

#include <optional>
#include <string>
#include <string_view>

namespace tarvel {

// The folder part of the main executable's path: "D:\Apps\Editor\Ed.exe"
// gives "D:\Apps\Editor", a file in a root folder keeps the root's
// separator, a bare name gives empty text.
std::u16string TargetFolder(std::u16string_view mainExe, PathStyle style = kNativePathStyle);

// targetFolder, a separator and `name`: the files written beside the product.
std::u16string TargetFile(std::u16string_view targetFolder, std::u16string_view name,
                          PathStyle style = kNativePathStyle);

// appFolder (ending in a separator) + "Languages" + separator + language + ".txt".
std::u16string LanguageFilePath(std::u16string_view appFolder, std::u16string_view language,
                                PathStyle style = kNativePathStyle);

// The chosen language's file, else the English one, else nothing.
std::optional<std::u16string> FindLanguageFile(std::u16string_view appFolder,
                                               std::u16string_view language);

} // namespace tarvel
