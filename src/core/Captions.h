// The tool's names as the user sees them.
#pragma once

#include <string_view>

namespace tarvel {

// The application title: caption of the plain messages and of the error box.
inline constexpr std::u16string_view kApplicationTitle = u"Tarvel Updater - Configuration Tool";
// The main window's caption once it is created; caption of its message boxes.
inline constexpr std::u16string_view kMainWindowCaption =
    u"Tarvel Updater Pro 5.2 - Configuration Tool";

} // namespace tarvel
