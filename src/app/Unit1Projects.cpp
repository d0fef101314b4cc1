// The window's project handlers: the Save button, the product list and its
// menu. Each hands the window to one operation of the project store.
#include "app/Unit1.h"

#include "app/FormProjectWindow.h"
#include "store/ProjectFiles.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>

namespace tarvel {

std::u16string TForm1::Caption() const {
    return windowTitle().toStdU16String();
}

void TForm1::BindOperationHandlers() {
    connect(Button6, &QPushButton::clicked, this, [this] { Guard(&TForm1::Button6Click); });
    connect(New1, &QAction::triggered, this, [this] { Guard(&TForm1::New1Click); });
    connect(Delete1, &QAction::triggered, this, [this] { Guard(&TForm1::Delete1Click); });
    connect(OpenProjectFolder1, &QAction::triggered, this,
            [this] { Guard(&TForm1::OpenProjectFolder1Click); });
    // The user's pick only: the program's selections raise nothing.
    connect(ComboApps, &QComboBox::activated, this, [this] { Guard(&TForm1::ComboAppsChange); });
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
