// The application-wide error box: what the user sees of an error that no
// handler dealt with itself, after which the event loop goes on.
#pragma once

#include "platform/Dialogs.h"

#include <functional>
#include <string>

namespace tarvel {

// The description with a full stop added when its last character has a
// higher code than '.', so "x" gives "x." but "x!", "x)" and "x\"" stay.
std::u16string ErrorBoxText(std::u16string description);

// Error icon, OK button, the application title as caption.
void ShowErrorBox(Dialogs& dialogs, std::u16string description);

// Runs `handler`; an error escaping it ends it there and is shown in the
// error box. Returns false when that happened.
bool RunGuarded(Dialogs& dialogs, const std::function<void()>& handler);

} // namespace tarvel
