// The project handlers and the launch messages, driven through the real
// window: what reaches the files, the dialogs and the shell.
#include "SessionFixture.h"

#include "app/TLinkLabel.h"
#include "app/TStatusBar.h"
#include "core/Captions.h"
#include "platform/Unicode.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace tarvel::test {
namespace {

class Handlers : public SessionFixture {
  protected:
    void SetUp() override { Start(); }

    std::vector<ShellCall> Calls() const { return Shell.Calls; }
};

TEST_F(Handlers, TestUpdaterWithoutTheFilesWarnsAndFocusesTheMainExecutable) {
    TempDir product;
    product.write("Updater.exe", "x");
    Form->Edit3->setText(QString::fromStdString(product.file("app.exe")));
    Form->Edit1->setFocus();
    Form->Button2->click();
    ASSERT_EQ(Dialogs.Messages().size(), 1u);
    EXPECT_EQ(Dialogs.Messages()[0].Text,
              u"File \"Updater.exe\" or/and \"Updater.ini\" not found.\r\nClick the "
              u"\"Generate Updater.ini\" button.");
    EXPECT_EQ(Dialogs.Messages()[0].Caption, kMainWindowCaption);
    EXPECT_TRUE(Form->Edit3->hasFocus());
    EXPECT_TRUE(Calls().empty());
}

TEST_F(Handlers, StatusBarWithoutTheOwnUpdaterTellsToReinstall) {
    QTest::mouseClick(Form->StatusBar1, Qt::LeftButton, {}, QPoint(600, 5));
    ASSERT_EQ(Dialogs.Messages().size(), 1u);
    EXPECT_EQ(Dialogs.Messages()[0].Text,
              u"File Updater.exe is not found. Please reinstall the program.");
    EXPECT_EQ(Dialogs.Messages()[0].Caption, u"Tarvel Updater");
    EXPECT_EQ(Dialogs.Messages()[0].Icon, MessageIcon::Warning);
    EXPECT_TRUE(Calls().empty());
}

TEST_F(Handlers, SaveNewAndRemoveWorkOnTheProjectFolder) {
    Form->Edit1->setText(QStringLiteral("Tool"));
    Form->Memo1->setPlainText(QStringLiteral("notes"));
    Form->Button6->click();
    EXPECT_TRUE(std::filesystem::exists(ProjectFolder() + "/Tool.ini"));
    EXPECT_TRUE(std::filesystem::exists(ProjectFolder() + "/Tool.txt"));

    Dialogs.InputAnswers.push_back(u"Second");
    Form->New1->trigger();
    ASSERT_EQ(Form->ComboApps->count(), 2);
    EXPECT_EQ(Form->ComboApps->currentText(), QStringLiteral("Second"));

    Dialogs.Answers.push_back(MessageAnswer::Yes);
    Form->Delete1->trigger();
    EXPECT_FALSE(std::filesystem::exists(ProjectFolder() + "/Second.ini"));
    EXPECT_FALSE(std::filesystem::exists(ProjectFolder() + "/Second.txt"));
    EXPECT_EQ(Form->ComboApps->count(), 1);
    const auto messages = Dialogs.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].Text, u"Done");
    EXPECT_EQ(messages[1].Caption, kApplicationTitle);

    Form->OpenProjectFolder1->trigger();
    ASSERT_FALSE(Calls().empty());
    EXPECT_EQ(Calls().back(), (ShellCall{ShellCall::Folder, U16(ProjectFolder()), u"", u""}));
}

TEST_F(Handlers, ChoosingAnotherProductAsksToSaveTheOneLeft) {
    Config.write("Tarvel Updater/App/Other.ini",
                 "\xEF\xBB\xBF[Info]\r\nName=Other\r\nNewVersion=9.9\r\n");
    Form->Edit1->setText(QStringLiteral("Mine"));
    Form->Button6->click();
    ASSERT_EQ(Form->ComboApps->count(), 2);
    const int other = Form->ComboApps->findText(QStringLiteral("Other"));
    ASSERT_GE(other, 0);

    Form->Edit4->setFocus();
    QTest::keyClicks(Form->Edit4, QStringLiteral("5"));
    Dialogs.Answers.push_back(MessageAnswer::Yes);
    Form->ComboApps->setFocus();
    Form->ComboApps->setCurrentIndex(other);
    emit Form->ComboApps->activated(other);

    ASSERT_EQ(Dialogs.Messages().size(), 1u);
    EXPECT_EQ(Dialogs.Messages()[0].Text, u"Save changes for \"Mine\"?");
    EXPECT_EQ(Form->Edit1->text(), QStringLiteral("Other"));
    EXPECT_EQ(Form->Edit4->text(), QStringLiteral("9.9"));
    EXPECT_FALSE(Form->HasUnsavedChanges());
    EXPECT_NE(ReadBytes(ProjectFolder() + "/Mine.ini").find("NewVersion=1.25\r\n"),
              std::string::npos);
}

TEST_F(Handlers, ANameThatLeavesTheProjectFolderIsRefused) {
    Form->Edit1->setText(QStringLiteral("../escape"));
    Form->Button6->click();
    ASSERT_EQ(Dialogs.Messages().size(), 1u);
    EXPECT_EQ(Dialogs.Messages()[0].Icon, MessageIcon::Warning);
    EXPECT_FALSE(std::filesystem::exists(Config.path() + "/Tarvel Updater/escape.ini"));
    EXPECT_TRUE(Form->HasUnsavedChanges());
}

} // namespace
} // namespace tarvel::test
