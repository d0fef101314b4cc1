// The version the version box shows while it comes from the main
// executable.
#pragma once

#include <string>
#include <string_view>

namespace tarvel {

// The version kept in the version information of the file at `path`, read
// as the updater parameters ask; empty text when there is none.
std::u16string MainExeVersion(std::u16string_view path, std::u16string_view updaterParameters);

} // namespace tarvel
