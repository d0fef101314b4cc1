// The buttons, the link and the status bar that start the updater or open
// pages: each reaches the shell with what the window shows.
#include "FormFixture.h"

#include "app/TLinkLabel.h"
#include "app/TStatusBar.h"
#include "integration/WebLinks.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace tarvel::test {
namespace {

using LaunchWiring = FormFixture;

ShellCall address(std::u16string target) {
    return {ShellCall::Address, std::move(target), {}, {}};
}

TEST_F(LaunchWiring, PagesOpenFromHelpMoreInfoAndOpen) {
    QTest::mouseClick(Form->Button5, Qt::LeftButton);
    QTest::mouseClick(Form->Label15, Qt::LeftButton);
    Form->Edit6->setText(QStringLiteral("https://www.sample.test/update.txt"));
    QTest::mouseClick(Form->Button7, Qt::LeftButton);
    EXPECT_EQ(Shell.Calls,
              (std::vector<ShellCall>{address(HelpPageUrl()), address(MoreInfoPageUrl()),
                                      address(u"https://www.sample.test/update.txt")}));
    EXPECT_TRUE(Dialogs.Messages().empty());
}

TEST_F(LaunchWiring, StatusBarPanelsOpenTheSiteOrStartTheOwnUpdater) {
    Folder.write("Updater.exe", "MZ");
    QTest::mousePress(Form->StatusBar1, Qt::LeftButton, {}, QPoint(10, 9));
    QTest::mousePress(Form->StatusBar1, Qt::LeftButton, {}, QPoint(600, 9));
    QTest::mousePress(Form->StatusBar1, Qt::RightButton, {}, QPoint(600, 9));
    ASSERT_EQ(Shell.Calls.size(), 2u);
    EXPECT_EQ(Shell.Calls[0], address(std::u16string(kProductSiteUrl)));
    EXPECT_EQ(Shell.Calls[1].What, ShellCall::Start);
    EXPECT_EQ(Shell.Calls[1].Parameters, u"");
}

TEST_F(LaunchWiring, TestUpdaterStartsTheProductsCopyWithTheTypedSwitch) {
    Folder.write("product/app.exe", "MZ");
    Folder.write("product/Updater.exe", "MZ");
    Folder.write("product/Updater.ini", "[General]\r\n");
    Form->Edit3->setText(QString::fromStdString(Folder.file("product/app.exe")));
    Form->ComboBox4->setFocus();
    Form->ComboBox4->lineEdit()->selectAll();
    QTest::keyClicks(Form->ComboBox4->lineEdit(), QStringLiteral("now /Init"));
    QTest::mouseClick(Form->Button2, Qt::LeftButton);
    ASSERT_EQ(Shell.Calls.size(), 1u) << Dialogs.Messages().size();
    EXPECT_EQ(Shell.Calls[0].What, ShellCall::Start);
    EXPECT_EQ(Shell.Calls[0].Parameters, u"now /Init");
    EXPECT_EQ(Shell.Calls[0].WorkingFolder, Folder.file16("product"));
    EXPECT_EQ(Form->TargetFolder, Folder.file16("product"));
}

TEST_F(LaunchWiring, TestUpdaterWithoutTheFolderFocusesTheMainExecutable) {
    Form->Edit3->setText(QStringLiteral("/no/such/folder/app.exe"));
    QTest::mouseClick(Form->Button2, Qt::LeftButton);
    EXPECT_TRUE(Shell.Calls.empty());
    ASSERT_EQ(Dialogs.Messages().size(), 1u);
    EXPECT_EQ(Form->focusWidget(), Form->Edit3);
}

} // namespace
} // namespace tarvel::test
