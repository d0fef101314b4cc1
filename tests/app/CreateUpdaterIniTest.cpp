// The "Create Updater.ini" button: the window hands its settings to the
// generator and takes back the focus moves, the downloader tick and the
// product's folder.
#include "FormFixture.h"

#include "core/Captions.h"
#include "platform/Unicode.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace tarvel::test {
namespace {

class CreateUpdaterIniButton : public FormFixture {
  protected:
    // A product whose version comes from Updater.ini, ready to be set up.
    void FillProduct() {
        Folder.write("Languages/English.txt", "[Updater]\r\nTitle=Updater\r\n");
        Folder.write("Updater.exe", "MZ updater");
        Open();
        Folder.write("product/app.exe", "MZ");
        QTest::keyClicks(Form->Edit1, QStringLiteral("Sample"));
        Form->Edit3->setText(QString::fromStdString(Folder.file("product/app.exe")));
        UserPick(Form->ComboBox1, kMethodUpdaterIni);
        QTest::keyClicks(Form->Edit2, QStringLiteral("1.0"));
        Form->Edit6->setText(QStringLiteral("https://www.sample.test/update.txt"));
    }
};

TEST_F(CreateUpdaterIniButton, AWarningMovesTheFocusToTheBoxAtFault) {
    QTest::mouseClick(Form->Button1, Qt::LeftButton);
    const std::vector<MessageRequest> shown = Dialogs.Messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Text, u"Please enter Product Name.");
    EXPECT_EQ(shown[0].Caption, kMainWindowCaption);
    EXPECT_EQ(shown[0].Icon, MessageIcon::Warning);
    EXPECT_EQ(Form->focusWidget(), Form->Edit1);
}

TEST_F(CreateUpdaterIniButton, WritesIntoTheProductsFolderAndKeepsIt) {
    FillProduct();
    QTest::mouseClick(Form->Button1, Qt::LeftButton);
    const std::vector<MessageRequest> shown = Dialogs.Messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Icon, MessageIcon::Information) << Utf16ToUtf8(shown[0].Text);
    EXPECT_EQ(Form->TargetFolder, Folder.file16("product"));
    EXPECT_TRUE(PathExists(Folder.file("product/Updater.ini")));
    EXPECT_EQ(ReadBytes(Folder.file("product/Updater.exe")), "MZ updater");
    const std::string ini = ReadBytes(Folder.file("product/Updater.ini"));
    EXPECT_NE(ini.find("AppName=Sample"), std::string::npos);
    EXPECT_NE(ini.find("AppVersion=1.0"), std::string::npos) << "the version box's text";
    EXPECT_FALSE(Form->CheckBox2->isChecked());
}

TEST_F(CreateUpdaterIniButton, AnImpliedDownloaderIsTickedVisiblyAndCountsAsAChange) {
    FillProduct();
    Folder.write("Downloader.exe", "MZ downloader");
    Form->CheckBox6->setChecked(true); // only the main executable is replaced
    Form->SettingsChanged = false;
    QTest::mouseClick(Form->Button1, Qt::LeftButton);
    EXPECT_TRUE(Form->CheckBox2->isChecked());
    EXPECT_TRUE(Form->SettingsChanged);
    EXPECT_EQ(ReadBytes(Folder.file("product/Downloader.exe")), "MZ downloader");
}

} // namespace
} // namespace tarvel::test
