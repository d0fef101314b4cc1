// The What's New box as lines: what it shows at its width, and its text
// with CR LF line breaks.
#include "FormFixture.h"

#include "app/ControlText.h"
#include "app/DisplayedLines.h"

#include <QPlainTextEdit>

namespace tarvel::test {
namespace {

using WhatsNewBox = FormFixture;

TEST_F(WhatsNewBox, EmptyBoxHasNoLines) {
    const DisplayedText shown = DisplayedLines(Form->Memo1);
    EXPECT_TRUE(shown.Empty);
    EXPECT_TRUE(shown.Lines.empty());
}

TEST_F(WhatsNewBox, LinesAsTypedWithoutAnEmptyLastLine) {
    SetMemoText(Form->Memo1, u"[1.1]\r\nAdded\r\n\r\nFixed\r\n");
    const DisplayedText shown = DisplayedLines(Form->Memo1);
    EXPECT_FALSE(shown.Empty);
    EXPECT_EQ(shown.Lines, (std::vector<std::u16string>{u"[1.1]", u"Added", u"", u"Fixed"}));
}

TEST_F(WhatsNewBox, OnlyALineBreakIsNotEmptyButHasOneEmptyLine) {
    SetMemoText(Form->Memo1, u"\r\n");
    const DisplayedText shown = DisplayedLines(Form->Memo1);
    EXPECT_FALSE(shown.Empty);
    EXPECT_EQ(shown.Lines, (std::vector<std::u16string>{u""}));
}

TEST_F(WhatsNewBox, ALongParagraphIsBrokenWhereTheBoxWrapsIt) {
    std::u16string paragraph;
    for (int i = 0; i < 40; ++i)
        paragraph += u"word" + std::u16string(1, char16_t(u'a' + i % 26)) + u" ";
    paragraph += u"end";
    SetMemoText(Form->Memo1, u"[2.0]\r\n" + paragraph);

    const DisplayedText narrow = DisplayedLines(Form->Memo1);
    ASSERT_GT(narrow.Lines.size(), 2u);
    EXPECT_EQ(narrow.Lines.front(), u"[2.0]");
    std::u16string joined;
    for (size_t i = 1; i < narrow.Lines.size(); ++i)
        joined += narrow.Lines[i];
    EXPECT_EQ(joined, paragraph) << "the pieces make the paragraph";
    for (size_t i = 1; i + 1 < narrow.Lines.size(); ++i)
        EXPECT_EQ(narrow.Lines[i].back(), u' ') << "broken at word boundaries";

    Form->resize(Form->width() + 400, Form->height());
    QTest::qWait(0);
    const DisplayedText wide = DisplayedLines(Form->Memo1);
    EXPECT_LT(wide.Lines.size(), narrow.Lines.size()) << "a wider box wraps later";
}

TEST(WhatsNewBoxUnshown, TakesItsPlacedWidthBeforeBeingShown) {
    QPlainTextEdit box;
    box.setGeometry(0, 0, 120, 100);
    SetMemoText(&box, u"one two three four five six seven eight nine ten eleven twelve");
    EXPECT_GT(DisplayedLines(&box).Lines.size(), 1u);
}

TEST_F(WhatsNewBox, TextKeepsCrLfAndNoBreakSpaces) {
    const std::u16string text = u"[1.0]\r\nA\u00A0B\r\n\r\nlast";
    SetMemoText(Form->Memo1, text);
    EXPECT_EQ(MemoText(Form->Memo1), text);
    SetMemoText(Form->Memo1, u"lone\rcr\nlf");
    EXPECT_EQ(MemoText(Form->Memo1), u"lone\r\ncr\r\nlf");
}

} // namespace
} // namespace tarvel::test
