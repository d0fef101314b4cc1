// Text the program puts into the window's boxes, with the rules of the
// platform's own controls: a box set to the text it already shows changes
// nothing, and a box the program changes is no longer marked as edited.
#pragma once

#include <string>
#include <string_view>

class QLineEdit;
class QPlainTextEdit;

namespace tarvel {

void SetEditText(QLineEdit* box, std::u16string_view text);
std::u16string EditText(const QLineEdit* box);

// Line breaks (CR LF, lone CR, lone LF) separate paragraphs.
void SetMemoText(QPlainTextEdit* box, std::u16string_view text);
// The paragraphs joined with CR LF, none after the last.
std::u16string MemoText(const QPlainTextEdit* box);

} // namespace tarvel
