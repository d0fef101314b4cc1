#include "app/LanguageList.h"

#include "platform/CharUpper.h"
#include "platform/FileSystem.h"

namespace tarvel {

std::vector<std::u16string> ListLanguages(std::u16string_view appFolder) {
    std::u16string folder(appFolder);
    folder += u"Languages";
    std::vector<std::u16string> languages;
    for (std::u16string& name : FindFiles(folder, u"*.txt")) {
        name.resize(name.size() >= 4 ? name.size() - 4 : 0);
        languages.push_back(std::move(name));
    }
    return languages;
}

int IndexOfEnglish(const std::vector<std::u16string>& languages) {
    for (size_t i = 0; i < languages.size(); ++i)
        if (SameTextIgnoringCase(languages[i], u"English"))
            return static_cast<int>(i);
    return -1;
}

} // namespace tarvel
