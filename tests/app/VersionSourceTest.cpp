// The version box: one shared box for the product GUID, the executable's
// version and the Updater.ini version, each remembered apart.
#include "FormFixture.h"

#include "app/TLinkLabel.h"
#include "platform/Error.h"
#include "platform/Unicode.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tarvel::test {
namespace {

using VersionSource = FormFixture;

TEST_F(VersionSource, StartsOnTheMainExecutableWithTheBoxDisabled) {
    EXPECT_EQ(Form->Method(), kMethodMainExecutable);
    EXPECT_FALSE(Form->Edit2->isEnabled());
    EXPECT_EQ(Text(Form->Label2->text()), u"Version:");
    EXPECT_TRUE(Form->Label8->isHidden());
}

TEST_F(VersionSource, GuidAndVersionSurviveSwitchingBackAndForth) {
    UserPick(Form->ComboBox1, kMethodRegistryGuid);
    EXPECT_TRUE(Form->Edit2->isEnabled());
    EXPECT_EQ(Text(Form->Label2->text()), u"Product GUID:");
    EXPECT_TRUE(Form->Label8->isVisible());
    QTest::keyClicks(Form->Edit2, QStringLiteral("{1234}"));

    UserPick(Form->ComboBox1, kMethodUpdaterIni);
    EXPECT_EQ(Text(Form->Label2->text()), u"Version:");
    EXPECT_TRUE(Form->Label8->isHidden());
    EXPECT_EQ(Text(Form->Edit2->text()), u"");
    QTest::keyClicks(Form->Edit2, QStringLiteral("2.0"));

    UserPick(Form->ComboBox1, kMethodRegistryGuid);
    EXPECT_EQ(Text(Form->Edit2->text()), u"{1234}");
    EXPECT_TRUE(Form->Label8->isVisible());
    EXPECT_FALSE(Form->Edit2->isModified()) << "the program changed the text";

    UserPick(Form->ComboBox1, kMethodUpdaterIni);
    EXPECT_EQ(Text(Form->Edit2->text()), u"2.0");
    EXPECT_EQ(Form->GUID, u"{1234}");
    EXPECT_EQ(Form->Version, u"2.0");
}

TEST_F(VersionSource, MainExecutableShowsItsVersionAndKeepsTheOthers) {
    Form->GUID = u"{G}";
    Form->Version = u"3.1";
    Form->ComboBox1->setCurrentIndex(kMethodUpdaterIni);
    Form->RefreshVersionSource();
    ASSERT_EQ(Text(Form->Edit2->text()), u"3.1");

    UserPick(Form->ComboBox1, kMethodMainExecutable);
    EXPECT_FALSE(Form->Edit2->isEnabled());
    EXPECT_EQ(Text(Form->Label2->text()), u"Version:");
    // No file is chosen, so there is no version and no message.
    EXPECT_EQ(Text(Form->Edit2->text()), u"");
    EXPECT_TRUE(Dialogs.Requests.empty());
    EXPECT_EQ(Form->GUID, u"{G}");
    EXPECT_EQ(Form->Version, u"3.1");
    EXPECT_TRUE(Form->SettingsChanged);
}

TEST_F(VersionSource, WithNoMethodTheBoxIsOpenButForgetful) {
    Form->ComboBox1->setCurrentIndex(kMethodRegistryGuid);
    Form->GUID = u"{G}";
    Form->RefreshVersionSource();
    Form->ComboBox1->setCurrentIndex(-1);
    Form->RefreshVersionSource();
    EXPECT_TRUE(Form->Edit2->isEnabled());
    EXPECT_TRUE(Form->Label8->isHidden());
    EXPECT_EQ(Text(Form->Edit2->text()), u"{G}");
    EXPECT_EQ(Text(Form->Label2->text()), u"Product GUID:");

    QTest::keyClicks(Form->Edit2, QStringLiteral("-typed"));
    EXPECT_EQ(Form->GUID, u"{G}");
    EXPECT_EQ(Form->Version, u"");
}

// The browse button: where the dialog opens, and what a chosen file does.
class Browse : public FormFixture {
  protected:
    OpenFileRequest LastOpenRequest() const {
        for (auto it = Dialogs.Requests.rbegin(); it != Dialogs.Requests.rend(); ++it)
            if (const auto* open = std::get_if<OpenFileRequest>(&*it))
                return *open;
        ADD_FAILURE() << "no open-file dialog";
        return {};
    }
};

TEST_F(Browse, OpensInTheFolderOfAnExistingMainExecutable) {
    Folder.write("product/app.exe", "MZ");
    Form->Edit3->setText(QString::fromStdString(Folder.file("product/app.exe")));
    Dialogs.OpenAnswers.push_back(std::nullopt);
    QTest::mouseClick(Form->Button3, Qt::LeftButton);
    EXPECT_EQ(LastOpenRequest().InitialFolder, Folder.file16("product"));
}

TEST_F(Browse, AFileInTheRootFolderOpensTheRootWithItsSeparator) {
    Form->Edit3->setText(QStringLiteral("/app.exe"));
    Dialogs.OpenAnswers.push_back(std::nullopt);
    QTest::mouseClick(Form->Button3, Qt::LeftButton);
    EXPECT_EQ(LastOpenRequest().InitialFolder, u"/");
}

TEST_F(Browse, AMissingFolderOrEmptyPathKeepsTheDialogsOwnFolder) {
    for (const char* mainExe : {"", "/no/such/folder/app.exe", "app.exe"}) {
        SCOPED_TRACE(mainExe);
        Form->Edit3->setText(QString::fromUtf8(mainExe));
        Dialogs.OpenAnswers.push_back(std::nullopt);
        QTest::mouseClick(Form->Button3, Qt::LeftButton);
        EXPECT_EQ(LastOpenRequest().InitialFolder, u"");
    }
}

TEST_F(Browse, AChosenFileBecomesTheMainExecutable) {
    Folder.write("bin/tool", "not an executable");
    Dialogs.OpenAnswers.push_back(Folder.file16("bin/tool"));
    QTest::keyClicks(Form->Edit3, QStringLiteral("typed"));
    QTest::mouseClick(Form->Button3, Qt::LeftButton);
    EXPECT_EQ(Text(Form->Edit3->text()), Folder.file16("bin/tool"));
    EXPECT_FALSE(Form->Edit3->isModified());
    EXPECT_TRUE(Form->SettingsChanged);
    // Without version information the box stays empty, without a message.
    EXPECT_EQ(Text(Form->Edit2->text()), u"");
    EXPECT_EQ(Dialogs.Messages().size(), 0u);
}

TEST_F(Browse, UnderAnotherMethodTheChosenFileLeavesTheBoxAlone) {
    Form->Version = u"4.0";
    Form->ComboBox1->setCurrentIndex(kMethodUpdaterIni);
    Form->RefreshVersionSource();
    Dialogs.OpenAnswers.push_back(Folder.file16("any"));
    QTest::mouseClick(Form->Button3, Qt::LeftButton);
    EXPECT_EQ(Text(Form->Edit2->text()), u"4.0");
}

std::u16string PeFixture(const char* name) {
    return U16(std::string(TARVEL_TEST_DATA_DIR) + "/pe/" + name);
}

TEST_F(Browse, AChosenExecutableShowsItsVersionAsTheParametersAsk) {
    Dialogs.OpenAnswers.push_back(PeFixture("pe32-plain.exe"));
    QTest::mouseClick(Form->Button3, Qt::LeftButton);
    EXPECT_EQ(Text(Form->Edit2->text()), u"2.0");

    // Changing the parameters alone leaves the box until the next refresh.
    QTest::keyClicks(Form->Edit7, QStringLiteral("-usefileversion"));
    EXPECT_EQ(Text(Form->Edit2->text()), u"2.0");
    Dialogs.OpenAnswers.push_back(PeFixture("pe32-plain.exe"));
    QTest::mouseClick(Form->Button3, Qt::LeftButton);
    EXPECT_EQ(Text(Form->Edit2->text()), u"2.0.1");
}

TEST_F(VersionSource, SwitchingToTheMainExecutableReadsTheTypedPath) {
    Form->ComboBox1->setCurrentIndex(kMethodUpdaterIni);
    Form->RefreshVersionSource();
    Form->Edit3->setText(QString::fromStdU16String(PeFixture("two-translations.exe")));
    EXPECT_EQ(Text(Form->Edit2->text()), u"") << "typing a path refreshes nothing";
    UserPick(Form->ComboBox1, kMethodMainExecutable);
    // The table of the first translation, not the first table.
    EXPECT_EQ(Text(Form->Edit2->text()), u"1.2.3.4");
}

} // namespace
} // namespace tarvel::test
