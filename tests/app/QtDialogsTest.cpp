// The real dialogs behind the Dialogs interface, answered by a timer while
// they run their own event loop.
#include "FormFixture.h"

#include "app/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <functional>

namespace tarvel::test {
namespace {

// Runs `answer` on the modal dialog as soon as it is up.
void WhenModal(std::function<void(QWidget*)> answer) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            answer(modal);
        }
    });
    poll->start(10);
}

class QtDialogsTest : public FormFixture {
  protected:
    QtDialogs Real;
};

TEST_F(QtDialogsTest, YesNoQuestionOwnedByTheWindow) {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QWidget* owner = nullptr;
    WhenModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        owner = box->parentWidget();
        EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
        box->button(QMessageBox::Yes)->click();
    });
    const MessageAnswer answer = Real.ShowMessage(
        {u"Caption", u"Save changes?", MessageIcon::Question, MessageButtons::YesNo});
    EXPECT_EQ(answer, MessageAnswer::Yes);
    EXPECT_EQ(title, QStringLiteral("Caption"));
    EXPECT_EQ(text, QStringLiteral("Save changes?"));
    EXPECT_EQ(icon, QMessageBox::Question);
    EXPECT_EQ(owner, Form.get());
}

TEST_F(QtDialogsTest, PlainMessageHasNoIconAndOneButton) {
    WhenModal([](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(Real.ShowMessage({u"T", u"Done", MessageIcon::None, MessageButtons::Ok}),
              MessageAnswer::Ok);
}

TEST_F(QtDialogsTest, OpenDialogStartsWhereToldThenWhereItLastWas) {
    Folder.write("first/app.exe", "MZ");
    Folder.write("second/other.exe", "MZ");
    QString shownIn;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
        shownIn = dialog->directory().absolutePath();
        dialog->selectFile(QString::fromStdString(Folder.file("first/app.exe")));
        static_cast<QDialog*>(dialog)->accept();
    });
    OpenFileRequest request;
    request.InitialFolder = Folder.file16("first");
    EXPECT_EQ(Real.OpenFile(request), Folder.file16("first/app.exe"));
    EXPECT_EQ(shownIn, QString::fromStdString(Folder.file("first")));

    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        shownIn = dialog->directory().absolutePath();
        dialog->reject();
    });
    EXPECT_EQ(Real.OpenFile({}), std::nullopt);
    EXPECT_EQ(shownIn, QString::fromStdString(Folder.file("first")));
}

TEST_F(QtDialogsTest, SaveDialogProposesTheNameAndNeverAsksAboutOverwriting) {
    Folder.write("update.txt", "old");
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_TRUE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_TRUE(dialog->defaultSuffix().isEmpty());
        dialog->setDirectory(QString::fromStdString(Folder.path()));
        dialog->selectFile(QStringLiteral("update.txt"));
        static_cast<QDialog*>(dialog)->accept();
    });
    SaveFileRequest request;
    request.FileName = u"update.txt";
    EXPECT_EQ(Real.SaveFile(request), Folder.file16("update.txt"));
}

TEST_F(QtDialogsTest, InputLineGivesTheTextOrNothing) {
    WhenModal([](QWidget* modal) {
        auto* input = qobject_cast<QInputDialog*>(modal);
        ASSERT_NE(input, nullptr);
        EXPECT_EQ(input->windowTitle(), QStringLiteral("Tarvel Updater"));
        EXPECT_EQ(input->labelText(), QStringLiteral("Enter Product Name:"));
        input->setTextValue(QStringLiteral("Sample"));
        input->accept();
    });
    EXPECT_EQ(Real.InputLine({u"Tarvel Updater", u"Enter Product Name:", u""}), u"Sample");

    WhenModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    EXPECT_EQ(Real.InputLine({u"Tarvel Updater", u"Enter Product Name:", u""}), std::nullopt);
}

} // namespace
} // namespace tarvel::test
