// The window's handlers that hand their work to the operations of the
// libraries: launching and web links, update.txt and the projects. Each
// reads the controls, calls one operation and puts the results back.
#include "app/Unit1.h"

#include "app/ControlText.h"
#include "app/DisplayedLines.h"
#include "app/ErrorBox.h"
#include "app/FormProjectWindow.h"
#include "app/TLinkLabel.h"
#include "app/TStatusBar.h"
#include "generators/UpdateTxt.h"
#include "integration/OwnUpdater.h"
#include "integration/TestUpdater.h"
#include "integration/WebLinks.h"
#include "store/ProjectFiles.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace tarvel {

namespace {

class UpdateUrlFocus : public UpdateTxtWindow {
  public:
    explicit UpdateUrlFocus(QLineEdit* box) : Box(box) {}
    void FocusUpdateUrl() override { Box->setFocus(); }

  private:
    QLineEdit* Box;
};

MouseButton mouseButton(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return MouseButton::Left;
    case Qt::RightButton:
        return MouseButton::Right;
    case Qt::MiddleButton:
        return MouseButton::Middle;
    default:
        return MouseButton::Other;
    }
}

} // namespace

std::u16string TForm1::Caption() const {
    return windowTitle().toStdU16String();
}

void TForm1::BindOperationHandlers() {
    connect(Button2, &QPushButton::clicked, this, [this] { Guard(&TForm1::Button2Click); });
    connect(Button4, &QPushButton::clicked, this, [this] { Guard(&TForm1::Button4Click); });
    connect(Button5, &QPushButton::clicked, this, [this] { Guard(&TForm1::Button5Click); });
    connect(Button6, &QPushButton::clicked, this, [this] { Guard(&TForm1::Button6Click); });
    connect(Button7, &QPushButton::clicked, this, [this] { Guard(&TForm1::Button7Click); });
    Label15->OnClick = [this] { Guard(&TForm1::Label15Click); };
    Label18->OnClick = [this] { Guard(&TForm1::Label18Click); };
    StatusBar1->OnMouseDown = [this](Qt::MouseButton button, int x) {
        RunGuarded(DialogService, [&] { StatusBar1MouseDown(button, x); });
    };
    connect(New1, &QAction::triggered, this, [this] { Guard(&TForm1::New1Click); });
    connect(Delete1, &QAction::triggered, this, [this] { Guard(&TForm1::Delete1Click); });
    connect(OpenProjectFolder1, &QAction::triggered, this,
            [this] { Guard(&TForm1::OpenProjectFolder1Click); });
    // The user's pick only: the program's selections raise nothing.
    connect(ComboApps, &QComboBox::activated, this, [this] { Guard(&TForm1::ComboAppsChange); });
}

void TForm1::Button2Click() {
    const TestUpdaterResult result =
        TestUpdater({EditText(Edit3), ComboBox4->currentText().toStdU16String(), Caption()},
                    ShellService, DialogService);
    TargetFolder = result.TargetFolder;
    if (result.FocusMainExe)
        Edit3->setFocus();
}

void TForm1::Button4Click() {
    const DisplayedText whatsNew = DisplayedLines(Memo1);
    UpdateTxtRequest request;
    request.UpdateUrl = EditText(Edit6);
    request.NewVersion = EditText(Edit4);
    request.DownloadLink = EditText(Edit5);
    request.WhatsNewLines = whatsNew.Lines;
    request.WhatsNewEmpty = whatsNew.Empty;
    request.SupportOldVer = CheckBox10->isChecked();
    request.WindowCaption = Caption();
    UpdateUrlFocus focus(Edit6);
    CreateUpdateTxt(request, DialogService, focus);
}

void TForm1::Button5Click() {
    OpenHelpPage(ShellService);
}

void TForm1::Button7Click() {
    OpenUpdateAddress(EditText(Edit6), Caption(), ShellService, DialogService);
}

void TForm1::Label15Click() {
    OpenMoreInfoPage(ShellService);
}

void TForm1::Label18Click() {
    DialogService.ShowMessage(
        {Caption(), WhatsNewHelpText(), MessageIcon::Information, MessageButtons::Ok});
}

void TForm1::StatusBar1MouseDown(Qt::MouseButton button, int x) {
    StatusBarMouseDown(mouseButton(button), x, AppFolder, ShellService, DialogService);
}

void TForm1::Button6Click() {
    FormProjectWindow window(*this);
    tarvel::Button6Click(window, DialogService, ProjectFolder);
}

void TForm1::New1Click() {
    FormProjectWindow window(*this);
    tarvel::New1Click(window, DialogService, ProjectFolder);
}

void TForm1::Delete1Click() {
    FormProjectWindow window(*this);
    tarvel::Delete1Click(window, DialogService, ProjectFolder);
}

void TForm1::OpenProjectFolder1Click() {
    tarvel::OpenProjectFolder1Click(
        ProjectFolder, [this](const std::u16string& folder) { ShellService.OpenFolder(folder); });
}

void TForm1::ComboAppsChange() {
    FormProjectWindow window(*this);
    tarvel::ComboAppsChange(window, DialogService, ProjectFolder);
}

} // namespace tarvel
