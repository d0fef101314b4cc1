// The version string kept in an executable's version information, as the
// version box shows it while the version comes from the main executable.
#pragma once

#include <string>
#include <string_view>

namespace tarvel {

// The string of the first translation's table: "ProductVersion", or
// "FileVersion" when `updaterParameters` contains "-usefileversion" (case
// matters). Empty text for a missing file, a file without version
// information, a missing translation or a missing string; never throws.
std::u16string ReadProductVersion(std::u16string_view path, std::u16string_view updaterParameters);

} // namespace tarvel
