#include "generators/UpdaterIniPaths.h"

#include "platform/FileSystem.h"

namespace tarvel {

std::u16string TargetFolder(std::u16string_view mainExe, PathStyle style) {
    return ExtractFileDir(mainExe, style);
}

std::u16string TargetFile(std::u16string_view targetFolder, std::u16string_view name,
                          PathStyle style) {
    return JoinPath(targetFolder, name, style);
}

std::u16string LanguageFilePath(std::u16string_view appFolder, std::u16string_view language,
                                PathStyle style) {
    std::u16string path(appFolder);
    path += u"Languages";
    path += PathDelimiter(style);
    path += language;
    path += u".txt";
    return path;
}

std::optional<std::u16string> FindLanguageFile(std::u16string_view appFolder,
                                               std::u16string_view language) {
    std::u16string chosen = LanguageFilePath(appFolder, language);
    if (FileExists(chosen))
        return chosen;
    std::u16string english = LanguageFilePath(appFolder, u"English");
    if (FileExists(english))
        return english;
    return std::nullopt;
}

} // namespace tarvel
