#include "app/QtDialogs.h"

#include "app/Unit1.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

namespace tarvel {

namespace {

QString Q(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QWidget* QtDialogs::Owner() {
    return Form1;
}

MessageAnswer QtDialogs::ShowMessage(const MessageRequest& request) {
    const bool yesNo = request.Buttons == MessageButtons::YesNo;
    QMessageBox box(ToQtIcon(request.Icon), Q(request.Caption), Q(request.Text),
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, Owner());
    const int answer = box.exec();
    if (!yesNo)
        return MessageAnswer::Ok;
    return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

std::optional<std::u16string> QtDialogs::OpenFile(const OpenFileRequest& request) {
    QFileDialog dialog(Owner());
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (!request.InitialFolder.empty())
        OpenFolder = Q(request.InitialFolder);
    if (!OpenFolder.isEmpty())
        dialog.setDirectory(OpenFolder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString chosen = dialog.selectedFiles().constFirst();
    OpenFolder = QFileInfo(chosen).absolutePath();
    return chosen.toStdU16String();
}

std::optional<std::u16string> QtDialogs::SaveFile(const SaveFileRequest& request) {
    QFileDialog dialog(Owner());
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The caller decides about an existing file; a name without extension
    // is used as typed.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(QString());
    dialog.selectFile(Q(request.FileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst().toStdU16String();
}

std::optional<std::u16string> QtDialogs::InputLine(const InputRequest& request) {
    bool accepted = false;
    const QString text = QInputDialog::getText(Owner(), Q(request.Caption), Q(request.Prompt),
                                               QLineEdit::Normal, Q(request.Initial), &accepted);
    if (!accepted)
        return std::nullopt;
    return text.toStdU16String();
}

} // namespace tarvel
