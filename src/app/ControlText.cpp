#include "app/ControlText.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>

namespace tarvel {

namespace {

// The box keeps paragraphs apart with '\n'.
QString toParagraphs(std::u16string_view text) {
    std::u16string paragraphs;
    paragraphs.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r') {
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            paragraphs += u'\n';
        } else {
            paragraphs += text[i];
        }
    }
    return QString::fromStdU16String(paragraphs);
}

// The paragraphs as stored, joined with '\n'; unlike toPlainText() this
// keeps no-break spaces as they are.
QString paragraphText(const QPlainTextEdit* box) {
    QString text;
    const QTextDocument* document = box->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block != document->begin())
            text += u'\n';
        text += block.text();
    }
    return text;
}

} // namespace

void SetEditText(QLineEdit* box, std::u16string_view text) {
    const QString wanted = QString::fromStdU16String(std::u16string(text));
    if (box->text() == wanted)
        return;
    box->setText(wanted);
}

std::u16string EditText(const QLineEdit* box) {
    return box->text().toStdU16String();
}

void SetMemoText(QPlainTextEdit* box, std::u16string_view text) {
    const QString wanted = toParagraphs(text);
    if (paragraphText(box) == wanted)
        return;
    box->setPlainText(wanted);
}

std::u16string MemoText(const QPlainTextEdit* box) {
    std::u16string text;
    for (QChar unit : paragraphText(box)) {
        if (unit == u'\n')
            text += u"\r\n";
        else
            text += unit.unicode();
    }
    return text;
}

} // namespace tarvel
