// The updater's languages: one per file of the tool's Languages folder.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

// The name of every entry of appFolder + "Languages" matching "*.txt"
// (folders and hidden entries included) without its last four characters,
// in the order the system lists them.
std::vector<std::u16string> ListLanguages(std::u16string_view appFolder);

// The index of "English", compared without regard to case; -1 without it.
int IndexOfEnglish(const std::vector<std::u16string>& languages);

} // namespace tarvel
