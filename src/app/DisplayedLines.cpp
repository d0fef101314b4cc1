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
// its layout: the box lays out its text when its viewport is resized.
void applyPendingWidth(QPlainTextEdit* box) {
    for (QWidget* widget : {static_cast<QWidget*>(box), box->viewport()}) {
        if (!widget->testAttribute(Qt::WA_PendingResizeEvent))
            continue;
        QResizeEvent resize(widget->size(), QSize());
        QCoreApplication::sendEvent(widget, &resize);
        widget->setAttribute(Qt::WA_PendingResizeEvent, false);
    }
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
