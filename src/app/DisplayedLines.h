// The lines a multi-line box shows: each paragraph broken where the box
// wraps it at its current width.
#pragma once

#include <string>
#include <vector>

class QPlainTextEdit;

namespace tarvel {

struct DisplayedText {
    // Without an empty last line: an empty box has none, and a text ending
    // in a line break has no empty line after its last one.
    std::vector<std::u16string> Lines;
    // Decided by the whole text, not by the lines.
    bool Empty = true;
};

DisplayedText DisplayedLines(QPlainTextEdit* box);

} // namespace tarvel
