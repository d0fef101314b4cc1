#include "app/MainExeVersion.h"

namespace tarvel {

std::u16string MainExeVersion(std::u16string_view path, std::u16string_view updaterParameters) {
    // TODO(window): the version information reader is not in this build
    // yet; until it is, the box shows no version.
    (void)path;
    (void)updaterParameters;
    return {};
}

} // namespace tarvel
