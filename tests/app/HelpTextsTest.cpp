// The help behind the blue "?" labels.
#include "FormFixture.h"

#include "app/TLinkLabel.h"
#include "core/Captions.h"
#include "platform/Unicode.h"

#include <QComboBox>
#include <QLineEdit>

namespace tarvel::test {
namespace {

struct HelpCase {
    const char* Label;
    TLinkLabel* TForm1::*Member;
    std::u16string_view Text;
};

const HelpCase kHelpCases[] = {
    {"Label11", &TForm1::Label11,
     u"Select the main executable file of your product (with extension .EXE). The Updater "
     u"files (\"Updater.exe\" and \"Updater.ini\") will be created in the folder where the "
     u"main executable file is located.\r\n\r\nIf you product does not have it (or the "
     u"extension is other than .EXE), then just select any file from the folder where you want "
     u"to store the updater files."},
    {"Label13", &TForm1::Label13,
     u"Specify how the updater receives the currently installed version of the product.\r\n"
     u"Recommended - from Main Executable (if it has version information) or Updater.ini"},
    {"Label8", &TForm1::Label8,
     u"Product GUID is a reference number used as an identifier of your product.\r\nExample: "
     u"{318020E9-4E14-DAB0-1CE4-2EE91C6FF5D0}\r\n\r\nHere is how to get it from some "
     u"installers:\r\n- Tarvel Installer: see the section \"General - Parameters\"\r\n- Inno "
     u"Setup: open script file and look for \"AppId=\"\r\n- NSIS: open script file and look "
     u"for \"!define MUI_PRODUCT\"\r\n\r\nIf you don't know the GUID of your product, then "
     u"select other method \"Get Currently Installed Version from\"."},
    {"Label12", &TForm1::Label12,
     u"If a user declines an update notification for two times, the updater may prompt to "
     u"turn off notification for current version  or prompt to open the Options dialog so "
     u"user can change the update frequency or disable it."},
};

using HelpTexts = FormFixture;

TEST_F(HelpTexts, EachLabelShowsItsTextWithTheWindowCaptionAndInformationIcon) {
    // Label8 is only there while the version comes from the registry GUID.
    UserPick(Form->ComboBox1, kMethodRegistryGuid);
    Form->SettingsChanged = false;
    Form->Edit2->setModified(false);
    for (const HelpCase& help : kHelpCases) {
        SCOPED_TRACE(help.Label);
        Dialogs.Requests.clear();
        TLinkLabel* label = Form.get()->*help.Member;
        ASSERT_TRUE(label->isVisible());
        EXPECT_EQ(label->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(label, Qt::LeftButton);
        const std::vector<MessageRequest> shown = Dialogs.Messages();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].Caption, kMainWindowCaption);
        EXPECT_EQ(shown[0].Icon, MessageIcon::Information);
        EXPECT_EQ(shown[0].Buttons, MessageButtons::Ok);
        EXPECT_EQ(shown[0].Text, help.Text) << Utf16ToUtf8(shown[0].Text);
        EXPECT_FALSE(Form->HasUnsavedChanges());
    }
}

TEST_F(HelpTexts, ProductGuidHelpIsOutOfReachUnderTheOtherSources) {
    EXPECT_TRUE(Form->Label8->isHidden());
    UserPick(Form->ComboBox1, kMethodUpdaterIni);
    EXPECT_TRUE(Form->Label8->isHidden());
}

} // namespace
} // namespace tarvel::test
