// The buttons, links and menu items that hand their work to the libraries,
// driven through the real window: what reaches the shell, the dialogs and
// the files.
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

TEST_F(Handlers, TestUpdaterStartsTheProductsUpdaterWithTheSwitchText) {
    TempDir product;
    product.write("app.exe", "x");
    product.write("Updater.exe", "x");
    product.write("Updater.ini", "x");
    Form->Edit3->setText(QString::fromStdString(product.file("app.exe")));
    struct Case {
        const char* Switches;
        std::u16string Parameters;
    };
    const Case cases[] = {
        {"Switches", u""}, {"", u""}, {"/Init", u"/Init"}, {"now /X", u"now /X"}, {"Init", u""}};
    for (const Case& c : cases) {
        Shell.Calls.clear();
        Form->ComboBox4->setEditText(QString::fromUtf8(c.Switches));
        Form->Button2->click();
        ASSERT_EQ(Calls().size(), 1u) << c.Switches;
        EXPECT_EQ(Calls()[0],
                  (ShellCall{ShellCall::Start, u"Updater.exe", c.Parameters, product.path16()}))
            << c.Switches;
    }
    EXPECT_EQ(Form->TargetFolder, product.path16());
    EXPECT_TRUE(Dialogs.Messages().empty());
}

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

TEST_F(Handlers, StatusBarLeftPanelOpensTheSiteAndTheRestStartsTheOwnUpdater) {
    Tool.write("Updater.exe", "x");
    Shell.Calls.clear();
    const int y = TStatusBar::kHeight / 2;
    QTest::mouseClick(Form->StatusBar1, Qt::RightButton, {}, QPoint(10, y));
    EXPECT_TRUE(Calls().empty());
    QTest::mouseClick(Form->StatusBar1, Qt::LeftButton, {}, QPoint(519, y));
    QTest::mouseClick(Form->StatusBar1, Qt::LeftButton, {}, QPoint(520, y));
    QTest::mouseClick(Form->StatusBar1, Qt::LeftButton, {}, QPoint(648, y));
    const std::vector<ShellCall> expected = {
        {ShellCall::Address, u"http://www.tarvel-updater.test", u"", u""},
        {ShellCall::Start, u"Updater.exe", u"", Tool.path16()},
        {ShellCall::Start, u"Updater.exe", u"", Tool.path16()},
    };
    EXPECT_EQ(Calls(), expected);
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

TEST_F(Handlers, HelpMoreInfoAndOpenReachTheBrowser) {
    Form->Button5->click();
    Form->Label15->OnClick();
    Form->Button7->click(); // the placeholder address is opened like any other
    Form->Edit6->setText(QStringLiteral("C:\\Tools\\run.exe"));
    Form->Button7->click();
    Form->Edit6->setText(QString());
    Form->Button7->click();
    const std::vector<ShellCall> expected = {
        {ShellCall::Address, u"http://www.tarvel-updater.test/how-to-use.html?vid=5.2", u"", u""},
        {ShellCall::Address, u"http://www.tarvel-updater.test/update-information-file.html", u"",
         u""},
        {ShellCall::Address, std::u16string(kDefaultUpdateUrl), u"", u""},
    };
    EXPECT_EQ(Calls(), expected);
    ASSERT_EQ(Dialogs.Messages().size(), 1u); // only the local path is refused
    EXPECT_EQ(Dialogs.Messages()[0].Icon, MessageIcon::Warning);
}

TEST_F(Handlers, WhatsNewHelpShowsTheFormat) {
    Form->Label18->OnClick();
    ASSERT_EQ(Dialogs.Messages().size(), 1u);
    EXPECT_EQ(Dialogs.Messages()[0].Text,
              u"Use the following format (version number must be in square brackets):\r\n\r\n"
              u"[1.1]\r\nAdded new features\r\nFixed some bugs\r\n\r\n[1.0]\r\nAdded new "
              u"features\r\nFixed some bugs");
    EXPECT_EQ(Dialogs.Messages()[0].Icon, MessageIcon::Information);
    EXPECT_EQ(Dialogs.Messages()[0].Caption, kMainWindowCaption);
}

// The What's New box's word wrap decides the keys: a paragraph the box
// shows on two lines becomes two keys.
TEST_F(Handlers, CreateUpdateTxtWritesTheBoxsDisplayedLines) {
    ::setenv("TARVEL_ACP", "1252", 1);
    TempDir out;
    Form->Edit6->setText(QStringLiteral("https://host.test/files/update.txt"));
    Form->Edit4->setText(QStringLiteral("1.1"));
    Form->Edit5->setText(QStringLiteral("D"));
    Form->CheckBox10->setChecked(false);
    Form->Memo1->setPlainText(QStringLiteral(
        "[1.1]\nA long note that the box cannot show on one line at its width\nShort"));
    Dialogs.SaveAnswers.push_back(out.file16("update.txt"));
    Form->Button4->click();
    ::unsetenv("TARVEL_ACP");

    const auto requests = Dialogs.Requests;
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(std::get<SaveFileRequest>(requests[0]).FileName, u"update.txt");
    const std::string file = ReadBytes(out.file("update.txt"));
    EXPECT_EQ(file.find("[Update]\r\nVersion=1.1\r\nURL=D\r\n\r\n[1.1]\r\n0=A long note"), 0u)
        << file;
    // Wrapped: the first key holds only part of the paragraph, and the
    // short line comes after more than one key.
    EXPECT_EQ(file.find("0=A long note that the box cannot show on one line at its width\r\n"),
              std::string::npos);
    EXPECT_NE(file.find("1="), std::string::npos);
    EXPECT_NE(file.find("=Short\r\n\r\n"), std::string::npos);
    EXPECT_EQ(file.find("1=Short"), std::string::npos);
    ASSERT_EQ(Dialogs.Messages().size(), 1u);
    EXPECT_EQ(Dialogs.Messages()[0].Icon, MessageIcon::Information);
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
