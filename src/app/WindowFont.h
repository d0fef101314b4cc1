// The font of the window and its controls: Tahoma at 11 pixels, from the
// copy Wine ships when the system has it, else Liberation Sans, whose
// metrics are close enough that the fixed-width labels are not clipped.
#pragma once

#include <QFont>

namespace tarvel {

inline constexpr int kWindowFontPixels = 11;

QFont WindowFont();

} // namespace tarvel
