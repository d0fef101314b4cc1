// The pages of the product web site and the update-information address,
// opened in the default browser.
#pragma once

#include "platform/Dialogs.h"
#include "platform/Shell.h"

#include <string>
#include <string_view>

namespace tarvel {

inline constexpr std::u16string_view kOnlyWebAddressesText =
    u"Only web addresses (http:// or https://) can be opened.";

std::u16string HelpPageUrl();     // the "how to use" page
std::u16string MoreInfoPageUrl(); // the page on the update information file

// The home page; the left status panel opens it.
void OpenProductSite(Shell& shell);
// "Help" (Button5Click).
void OpenHelpPage(Shell& shell);
// "More info..." (Label15Click).
void OpenMoreInfoPage(Shell& shell);

// An address with the http:// or https:// scheme (either in any letter
// case) and something after it.
bool IsWebAddress(std::u16string_view text);

// "Open" (Button7Click): opens the update-information address when it is a
// web address. Anything else would be run or opened by the desktop as a
// local file or program, so it is refused with a warning; an empty box does
// nothing.
void OpenUpdateAddress(std::u16string_view address, std::u16string_view caption, Shell& shell,
                       Dialogs& dialogs);

} // namespace tarvel
