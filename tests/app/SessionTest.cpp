// Start-up and shutdown as a whole: the registry state, the projects and
// the first activation, through the real window.
#include "SessionFixture.h"

#include "app/TLinkLabel.h"
#include "platform/Unicode.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

namespace tarvel::test {
namespace {

std::u16string T(const QString& text) {
    return text.toStdU16String();
}

void Type(QLineEdit* box, const QString& text) {
    box->setFocus();
    QTest::keyClicks(box, text);
}

using Session = SessionFixture;

TEST_F(Session, FirstStartListsNothingAndClosingCreatesTheKey) {
    std::filesystem::create_directories(ProjectFolder());
    Config.write("Tarvel Updater/App/Old.ini", "\xEF\xBB\xBF[Info]\r\nName=Old\r\n");
    Start();
    EXPECT_EQ(Form->ComboApps->count(), 0);
    EXPECT_EQ(T(Form->Edit1->text()), u"");
    EXPECT_TRUE(Dialogs.Messages().empty());
    EXPECT_FALSE(Key());

    ASSERT_TRUE(Close());
    auto key = Key();
    ASSERT_TRUE(key);
    EXPECT_EQ(key->ReadString(u"Name"), u"");
    EXPECT_EQ(key->ReadInteger(u"Maximized"), 0);
    EXPECT_TRUE(key->ValueExists(u"Left"));
    EXPECT_TRUE(key->ValueExists(u"Height"));

    // The next start lists the project that was there all along.
    Start();
    ASSERT_EQ(Form->ComboApps->count(), 1);
    EXPECT_EQ(T(Form->ComboApps->itemText(0)), u"Old");
}

TEST_F(Session, NamePlacementAndProjectComeBackAfterARestart) {
    Start();
    Type(Form->Edit1, "Sample Editor");
    Type(Form->Edit7, "-x");
    Form->CheckBox8->setChecked(true);
    Form->Memo1->setPlainText("[1.1]\nFixed");
    Form->Button6->click();
    EXPECT_FALSE(Form->HasUnsavedChanges());
    ASSERT_EQ(Form->ComboApps->count(), 1);
    EXPECT_EQ(Form->ComboApps->currentIndex(), 0);

    // Inside the primary screen, so that no correction moves it back.
    Form->move(30, 0);
    Form->resize(Form->width() + 20, Form->height() + 30);
    QApplication::processEvents();
    const QRect placed = Form->frameGeometry();
    ASSERT_TRUE(Close());
    EXPECT_TRUE(Dialogs.Messages().empty()); // saved: nothing to ask

    Start();
    EXPECT_EQ(T(Form->Edit1->text()), u"Sample Editor");
    EXPECT_EQ(T(Form->Edit7->text()), u"-x");
    EXPECT_TRUE(Form->CheckBox8->isChecked());
    EXPECT_EQ(T(Form->Memo1->toPlainText()), u"[1.1]\nFixed");
    EXPECT_EQ(Form->ComboApps->currentIndex(), 0);
    EXPECT_FALSE(Form->HasUnsavedChanges());
    EXPECT_EQ(Form->frameGeometry().size(), placed.size());
    EXPECT_EQ(Form->frameGeometry().left(), placed.left());
}

TEST_F(Session, ClosingMaximizedWritesMaximizedAlone) {
    Start();
    ASSERT_TRUE(Close());
    const int32_t width = Key()->ReadInteger(u"Width");

    Start();
    Form->showMaximized();
    QApplication::processEvents();
    ASSERT_TRUE(Close());
    auto key = Key();
    EXPECT_EQ(key->ReadInteger(u"Maximized"), 1);
    EXPECT_EQ(key->ReadInteger(u"Width"), width);

    Start();
    EXPECT_TRUE(Form->windowState() & Qt::WindowMaximized);
}

TEST_F(Session, StoredPlacementIsRestoredAndCorrectedAgainstThePrimaryScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    struct Case {
        int Left, Width;
        int ExpectedLeft;
    };
    // Exactly at the screen's right edge stays; one pixel beyond moves.
    const Case cases[] = {
        {screen.width() - 700, 700, screen.width() - 700},
        {screen.width() - 699, 700, 10},
    };
    for (const Case& c : cases) {
        {
            TRegistry registry;
            ASSERT_TRUE(registry.OpenKey(kRegistryKey, true));
            registry.WriteInteger(u"Maximized", 0);
            registry.WriteInteger(u"Left", c.Left);
            registry.WriteInteger(u"Top", 0);
            registry.WriteInteger(u"Width", c.Width);
            registry.WriteInteger(u"Height", 723);
        }
        Start();
        EXPECT_EQ(Form->frameGeometry().left(), c.ExpectedLeft) << c.Left;
        EXPECT_EQ(Form->frameGeometry().width(), c.Width);
        Form.reset();
    }
}

TEST_F(Session, ALeftWithoutTopRestoresTheLeftEdgeOnly) {
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(kRegistryKey, true));
        registry.WriteInteger(u"Maximized", 0);
        registry.WriteInteger(u"Left", 33);
        registry.WriteInteger(u"Width", 710);
        registry.WriteInteger(u"Height", 730);
    }
    Start();
    EXPECT_EQ(Form->frameGeometry().left(), 33);
    EXPECT_EQ(Form->frameGeometry().width(), 710);
    EXPECT_TRUE(Dialogs.Messages().empty());
}

TEST_F(Session, ClosingWithoutChangesAsksNothingAndAfterAChangeAsks) {
    Start();
    ASSERT_TRUE(Close());
    EXPECT_TRUE(Dialogs.Messages().empty());

    Start();
    Type(Form->Edit1, "Tool");
    Dialogs.Answers.push_back(MessageAnswer::Yes);
    ASSERT_TRUE(Close());
    const auto messages = Dialogs.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text, u"Save changes for \"Tool\"?");
    EXPECT_EQ(messages[0].Icon, MessageIcon::Question);
    EXPECT_EQ(messages[0].Buttons, MessageButtons::YesNo);
    EXPECT_TRUE(std::filesystem::exists(ProjectFolder() + "/Tool.ini"));
    EXPECT_EQ(Key()->ReadString(u"Name"), u"Tool");
}

TEST_F(Session, SwitchAIsShownOnceAndDisablesTheTwoButtons) {
    const std::u16string message =
        u"When using with Tarvel Installer, use the right section only to create \"update.txt\" "
        u"file.\r\n\r\nMake sure that the \"URL of Update Info File\" is the same as in the "
        u"Tarvel Installer project (the Updater section).";
    Start({u"other", u"/a"});
    EXPECT_FALSE(Form->Button1->isEnabled());
    EXPECT_FALSE(Form->Button2->isEnabled());
    ASSERT_EQ(Dialogs.Messages().size(), 1u);
    EXPECT_EQ(Dialogs.Messages()[0].Text, message);
    EXPECT_EQ(Dialogs.Messages()[0].Icon, MessageIcon::Information);

    // A modal box closing and another activation run nothing again.
    Form->Label13->OnClick();
    Form->activateWindow();
    QApplication::processEvents();
    EXPECT_EQ(Dialogs.Messages().size(), 2u);

    Start({u"/AB", u"-A"});
    EXPECT_TRUE(Form->Button1->isEnabled());
    EXPECT_EQ(Dialogs.Messages().size(), 2u);
}

TEST_F(Session, FirstActivationStartsTheOwnUpdaterSilentlyWhenPresent) {
    Start();
    EXPECT_TRUE(Shell.Calls.empty());
    Form.reset();
    Tool.write("Updater.exe", "stub");
    Start();
    ASSERT_EQ(Shell.Calls.size(), 1u);
    EXPECT_EQ(Shell.Calls[0].Target, u"Updater.exe");
    EXPECT_EQ(Shell.Calls[0].Parameters, u"/S");
    EXPECT_EQ(Shell.Calls[0].WorkingFolder, Tool.path16());
}

TEST_F(Session, LegacyKeyIsImportedWhileNoProjectExists) {
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(kRegistryKey, true));
        registry.WriteString(u"Name", u"Legacy");
        registry.WriteString(u"MainExe", u"/opt/legacy/app");
        registry.WriteString(u"UpdateURL", u"https://legacy.test/update.txt");
        registry.WriteString(u"NewVersion", u"3.0");
        registry.WriteString(u"DownloadLink", u"https://legacy.test/setup.exe");
        registry.WriteString(u"Changes", u"[3.0]\nNew");
        registry.WriteInteger(u"Method", 2);
        registry.WriteString(u"Version", u"2.9");
        registry.WriteString(u"GUID", u"{G}");
        for (const char16_t* flag :
             {u"RequireAdmin", u"64bit", u"CheckUpdaterTitle", u"AllowChangeUpdate",
              u"CheckUseDownloader", u"AutoCheckForUpdate"})
            registry.WriteBool(flag, true);
        registry.WriteInteger(u"UpdateFrequency", 3);
        registry.WriteBool(u"AutoSilentUpdate", true);
        registry.WriteBool(u"CheckSmartNotification", true);
        registry.WriteInteger(u"SmartMethod", 2);
        registry.WriteBool(u"ReplaceMainExe", true);
        registry.WriteString(u"UpdaterParameters", u"-p");
        registry.WriteString(u"CheckUpdaterParam", u"old");
        registry.WriteString(u"URLParameters", u"new");
        registry.WriteBool(u"SupportOldVer", false);
    }
    Start();
    EXPECT_EQ(T(Form->Edit1->text()), u"Legacy");
    EXPECT_EQ(T(Form->Edit2->text()), u"2.9"); // the version source was refreshed
    EXPECT_EQ(Form->ComboBox1->currentIndex(), 2);
    EXPECT_EQ(Form->ComboBox2->currentIndex(), 3);
    EXPECT_EQ(Form->ComboBox3->currentIndex(), 2);
    EXPECT_TRUE(Form->CheckBox6->isChecked());
    EXPECT_FALSE(Form->CheckBox10->isChecked());
    EXPECT_EQ(T(Form->Edit8->text()), u"new");
    EXPECT_EQ(T(Form->Memo1->toPlainText()), u"[3.0]\nNew");
    EXPECT_FALSE(Form->HasUnsavedChanges());
    ASSERT_TRUE(Close());
    EXPECT_TRUE(Dialogs.Messages().empty());
}

TEST_F(Session, AppFolderFailureShowsTheErrorBoxAndTheWindowStillOpens) {
    std::filesystem::remove_all(Config.path() + "/Tarvel Updater");
    Start();
    ASSERT_EQ(Dialogs.Messages().size(), 1u);
    EXPECT_EQ(Dialogs.Messages()[0].Text, u"Invalid filename.");
    EXPECT_EQ(Dialogs.Messages()[0].Icon, MessageIcon::Error);
    EXPECT_TRUE(Form->isVisible());
}

} // namespace
} // namespace tarvel::test
