#include "app/DisplayedLines.h"

#include <QCoreApplication>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QTextBlock>
#include <QTextLayout>

namespace tarvel {

namespace {

// A box that was placed but never shown has not yet taken its width into
// its layout; hand it the resize it is waiting for.
void applyPendingWidth(QPlainTextEdit* box) {
    if (!box->testAttribute(Qt::WA_PendingResizeEvent))
        return;
    QResizeEvent resize(box->size(), QSize());
    QCoreApplication::sendEvent(box, &resize);
    box->setAttribute(Qt::WA_PendingResizeEvent, false);
}

} // namespace

DisplayedText DisplayedLines(QPlainTextEdit* box) {
    DisplayedText result;
    QTextDocument* document = box->document();
    result.Empty = document->isEmpty();
    applyPendingWidth(box);
    auto* layout = qobject_cast<QPlainTextDocumentLayout*>(document->documentLayout());
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        // Blocks outside the visible part are laid out only on demand.
        if (layout)
            layout->ensureBlockLayout(block);
        const QString text = block.text();
        const QTextLayout* lines = block.layout();
        if (!lines || lines->lineCount() == 0) {
            result.Lines.push_back(text.toStdU16String());
            continue;
        }
        for (int i = 0; i < lines->lineCount(); ++i) {
            const QTextLine line = lines->lineAt(i);
            result.Lines.push_back(text.mid(line.textStart(), line.textLength()).toStdU16String());
        }
    }
    if (!result.Lines.empty() && result.Lines.back().empty())
        result.Lines.pop_back();
    return result;
}

} // namespace tarvel
