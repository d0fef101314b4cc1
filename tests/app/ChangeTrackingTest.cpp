// Which user and program actions count as unsaved changes.
#include "FormFixture.h"

#include "app/ControlText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <functional>

namespace tarvel::test {
namespace {

using ChangeTracking = FormFixture;

TEST_F(ChangeTracking, FreshWindowHasNothingUnsaved) {
    EXPECT_FALSE(Form->SettingsChanged);
    EXPECT_FALSE(Form->HasUnsavedChanges());
}

TEST_F(ChangeTracking, TypingIntoAnyEditBoxMarksItButProgramTextDoesNot) {
    Form->ComboBox1->setCurrentIndex(kMethodUpdaterIni);
    Form->RefreshVersionSource(); // so that Edit2 takes typing
    for (QLineEdit* box : Form->EditBoxes()) {
        SCOPED_TRACE(box->objectName().toStdString());
        box->setText(QStringLiteral("set by the program"));
        EXPECT_FALSE(box->isModified());
        EXPECT_FALSE(Form->HasUnsavedChanges());

        QTest::keyClicks(box, QStringLiteral("x"));
        EXPECT_TRUE(box->isModified());
        EXPECT_TRUE(Form->HasUnsavedChanges());
        EXPECT_FALSE(Form->SettingsChanged) << "edit boxes track themselves";

        box->setModified(false); // as a successful save leaves it
        EXPECT_FALSE(Form->HasUnsavedChanges());
    }
}

TEST_F(ChangeTracking, ProgramSettingTheSameTextKeepsTheModifiedFlag) {
    QTest::keyClicks(Form->Edit7, QStringLiteral("-usefileversion"));
    SetEditText(Form->Edit7, u"-usefileversion");
    EXPECT_TRUE(Form->Edit7->isModified());
    SetEditText(Form->Edit7, u"other");
    EXPECT_FALSE(Form->Edit7->isModified());
}

struct ChangeCase {
    const char* Name;
    std::function<void(TForm1&)> Act;
    bool Marks;
};

class ChangeEvents : public FormFixture, public testing::WithParamInterface<ChangeCase> {};

TEST_P(ChangeEvents, SetOrLeaveSettingsChanged) {
    const ChangeCase& change = GetParam();
    change.Act(*Form);
    EXPECT_EQ(Form->SettingsChanged, change.Marks);
    EXPECT_EQ(Form->HasUnsavedChanges(), change.Marks);
}

void click(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton);
}

ChangeCase checkBoxCase(const char* name, QCheckBox* TForm1::*box, bool marks) {
    return {name, [box](TForm1& form) { click(form.*box); }, marks};
}

const ChangeCase kChangeCases[] = {
    checkBoxCase("CheckBox1", &TForm1::CheckBox1, true),
    checkBoxCase("CheckBox2", &TForm1::CheckBox2, true),
    checkBoxCase("CheckBox3", &TForm1::CheckBox3, true),
    checkBoxCase("CheckBox4", &TForm1::CheckBox4, true),
    checkBoxCase("CheckBox5", &TForm1::CheckBox5, true),
    checkBoxCase("CheckBox6", &TForm1::CheckBox6, true),
    checkBoxCase("CheckBox7", &TForm1::CheckBox7, true),
    checkBoxCase("CheckBox8", &TForm1::CheckBox8, true),
    checkBoxCase("CheckBox9Untracked", &TForm1::CheckBox9, false),
    checkBoxCase("CheckBox10Untracked", &TForm1::CheckBox10, false),
    {"ProgramTicksCheckBox5", [](TForm1& form) { form.CheckBox5->setChecked(true); }, true},
    {"ProgramLeavesCheckBox7AsItWas", [](TForm1& form) { form.CheckBox7->setChecked(true); },
     false},
    {"UserPicksComboBox1", [](TForm1& form) { UserPick(form.ComboBox1, 2); }, true},
    {"ProgramSelectsComboBox1", [](TForm1& form) { form.ComboBox1->setCurrentIndex(0); }, false},
    {"UserPicksComboBox5",
     [](TForm1& form) {
         form.ComboBox5->addItems({QStringLiteral("A"), QStringLiteral("B")});
         UserPick(form.ComboBox5, 1);
     },
     true},
    {"ProgramSelectsComboBox5",
     [](TForm1& form) {
         form.ComboBox5->addItems({QStringLiteral("A"), QStringLiteral("B")});
         form.ComboBox5->setCurrentIndex(1);
     },
     false},
    {"ComboBox2Untracked", [](TForm1& form) { UserPick(form.ComboBox2, 3); }, false},
    {"ComboBox3Untracked", [](TForm1& form) { UserPick(form.ComboBox3, 2); }, false},
    {"TypingIntoMemo1", [](TForm1& form) { QTest::keyClicks(form.Memo1, QStringLiteral("[1.1]")); },
     true},
    {"ProgramTextInMemo1", [](TForm1& form) { SetMemoText(form.Memo1, u"[1.0]\r\nFixes"); }, true},
    {"ProgramLeavesMemo1AsItWas", [](TForm1& form) { SetMemoText(form.Memo1, u""); }, false},
};

INSTANTIATE_TEST_SUITE_P(Events, ChangeEvents, testing::ValuesIn(kChangeCases),
                         [](const testing::TestParamInfo<ChangeCase>& info) {
                             return std::string(info.param.Name);
                         });

TEST_F(ChangeTracking, BrowsingAndCancellingCountsAsAChange) {
    QTest::keyClicks(Form->Edit3, QStringLiteral("/nowhere/app.exe"));
    Form->Edit3->setModified(false);
    Dialogs.OpenAnswers.push_back(std::nullopt);
    QTest::mouseClick(Form->Button3, Qt::LeftButton);
    EXPECT_EQ(Text(Form->Edit3->text()), u"/nowhere/app.exe");
    EXPECT_TRUE(Form->SettingsChanged);
    EXPECT_TRUE(Form->HasUnsavedChanges());
}

TEST_F(ChangeTracking, SwitchesBoxIsNoSetting) {
    Form->ComboBox4->setFocus();
    QTest::keyClicks(Form->ComboBox4->lineEdit(), QStringLiteral("/Init"));
    UserPick(Form->ComboBox4, 2);
    EXPECT_FALSE(Form->HasUnsavedChanges());
}

} // namespace
} // namespace tarvel::test
