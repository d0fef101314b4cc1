// The "Create Update.txt" button and the What's New help: the window hands
// over the box's displayed lines and takes back the focus move.
#include "FormFixture.h"

#include "app/ControlText.h"
#include "app/TLinkLabel.h"
#include "core/Captions.h"
#include "platform/Unicode.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace tarvel::test {
namespace {

using CreateUpdateTxtButton = FormFixture;

TEST_F(CreateUpdateTxtButton, ThePlaceholderAddressIsRefusedAndFocused) {
    QTest::mouseClick(Form->Button4, Qt::LeftButton);
    const std::vector<MessageRequest> shown = Dialogs.Messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Icon, MessageIcon::Warning);
    EXPECT_EQ(shown[0].Caption, kMainWindowCaption);
    EXPECT_EQ(Form->focusWidget(), Form->Edit6);
}

TEST_F(CreateUpdateTxtButton, AWrappedParagraphGivesOneKeyPerDisplayedLine) {
    Form->Edit6->setText(QStringLiteral("https://www.sample.test/update.txt"));
    Form->CheckBox10->setChecked(false);
    std::u16string paragraph;
    for (int i = 0; i < 30; ++i)
        paragraph += u"change" + std::u16string(1, char16_t(u'a' + i % 26)) + u" ";
    SetMemoText(Form->Memo1, u"[1.1]\r\n" + paragraph);
    Dialogs.SaveAnswers.push_back(Folder.file16("update.txt"));
    QTest::mouseClick(Form->Button4, Qt::LeftButton);

    ASSERT_EQ(Dialogs.Messages().size(), 1u);
    EXPECT_EQ(Dialogs.Messages()[0].Icon, MessageIcon::Information)
        << Utf16ToUtf8(Dialogs.Messages()[0].Text);
    const std::string written = ReadBytes(Folder.file("update.txt"));
    EXPECT_NE(written.find("[1.1]\r\n0=change"), std::string::npos) << written;
    EXPECT_NE(written.find("\r\n1=change"), std::string::npos) << "wrapped into a second key";
}

TEST_F(CreateUpdateTxtButton, WhatsNewHelpShowsTheFormat) {
    QTest::mouseClick(Form->Label18, Qt::LeftButton);
    const std::vector<MessageRequest> shown = Dialogs.Messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Icon, MessageIcon::Information);
    EXPECT_EQ(shown[0].Caption, kMainWindowCaption);
    EXPECT_EQ(shown[0].Text, u"Use the following format (version number must be in square "
                             u"brackets):\r\n\r\n[1.1]\r\nAdded new features\r\nFixed some "
                             u"bugs\r\n\r\n[1.0]\r\nAdded new features\r\nFixed some bugs");
}

} // namespace
} // namespace tarvel::test
