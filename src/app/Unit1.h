// The tool's one window. Its controls are the shared state of the whole
// program: the operations read the settings straight from them and write
// their results back, so the controls are public and keep their names.
#pragma once

#include "core/ProductSettings.h"
#include "generators/UpdateTxt.h"
#include "generators/UpdaterIni.h"
#include "platform/Dialogs.h"
#include "platform/Encoding.h"
#include "platform/Shell.h"

#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace tarvel {

class TLinkLabel;
class TStatusBar;

struct TForm1Setup {
    // The tool's own folder; the running program's folder when not given.
    std::optional<std::u16string> AppFolder;
    // What starts programs and opens addresses; the system's when not given.
    Shell* ShellService = nullptr;
};

class TForm1 : public QWidget, public UpdaterIniWindow, public UpdateTxtWindow {
  public:
    // The client area the layout was designed for, and the smallest outer
    // size the window may take.
    static constexpr QSize kDesignClientSize{688, 685};
    static constexpr QSize kMinimumOuterSize{700, 723};

    explicit TForm1(Dialogs& dialogs, TForm1Setup setup = {});
    ~TForm1() override;

    // The settings as the controls show them.
    TProductSettings CollectSettings() const;

    // True when a project save would store something the user changed.
    bool HasUnsavedChanges() const;

    // Brings the version box in line with the chosen version source.
    void RefreshVersionSource();

    // The current version source: the item chosen in ComboBox1, or -1.
    int32_t Method() const;

    // Runs a handler; an error escaping it is shown in the error box.
    void Guard(void (TForm1::*handler)());

    Dialogs& dialogs() const { return DialogService; }

    // The unsaved-change flag for what no edit box tracks by itself.
    bool SettingsChanged = false;
    // The tool's own folder, with its trailing separator.
    std::u16string AppFolder;
    // What the version box holds under the registry and Updater.ini sources,
    // kept while another source is shown.
    std::u16string GUID;
    std::u16string Version;
    // Where the projects live, set once at start-up.
    std::u16string ProjectFolder;
    // The product's folder, as the last Updater.ini creation or updater test
    // derived it from the main executable's path.
    std::u16string TargetFolder;
    // The encoding of the What's New file last loaded, used for every save.
    TextEncoding WhatsNewEncoding = TextEncoding::Ansi;

    // The outer size restored before the window was first shown, applied
    // once its frame is known.
    std::optional<QSize> RestoredOuterSize;

    // The window's current caption, the caption of its message boxes.
    std::u16string Caption() const;

    // Directly on the window.
    QPlainTextEdit* Memo2 = nullptr;
    QLabel* Label16 = nullptr;
    QComboBox* ComboApps = nullptr;
    QPushButton* Button6 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QCheckBox* CheckBox10 = nullptr;
    TLinkLabel* Label15 = nullptr;
    QLabel* Label17 = nullptr;
    QComboBox* ComboBox5 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button2 = nullptr;
    QComboBox* ComboBox4 = nullptr;
    QPushButton* Button5 = nullptr;
    TStatusBar* StatusBar1 = nullptr;

    // "Product Details".
    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Label19 = nullptr;
    QLineEdit* Edit9 = nullptr;
    QLabel* Label3 = nullptr;
    TLinkLabel* Label11 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QPushButton* Button3 = nullptr;
    QLabel* Label9 = nullptr;
    TLinkLabel* Label13 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLabel* Label2 = nullptr;
    TLinkLabel* Label8 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QCheckBox* CheckBox7 = nullptr;
    QCheckBox* CheckBox8 = nullptr;

    // "Update Info File".
    QLabel* Label7 = nullptr;
    QLineEdit* Edit6 = nullptr;
    QPushButton* Button7 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QLabel* Label6 = nullptr;
    TLinkLabel* Label18 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;

    // "Advanced Options".
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox4 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QCheckBox* CheckBox6 = nullptr;
    QCheckBox* CheckBox5 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QCheckBox* CheckBox9 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    TLinkLabel* Label12 = nullptr;
    QComboBox* ComboBox3 = nullptr;
    QLabel* Label10 = nullptr;
    QLineEdit* Edit7 = nullptr;
    QLabel* Label14 = nullptr;
    QLineEdit* Edit8 = nullptr;

    // The context menu of ComboApps.
    QMenu* PopupMenu1 = nullptr;
    QAction* New1 = nullptr;
    QAction* Delete1 = nullptr;
    QAction* OpenProjectFolder1 = nullptr;

    // The edit boxes in declaration order, as the unsaved-change test
    // visits them.
    std::array<QLineEdit*, 9> EditBoxes() const;

    // Handlers.
    void FormCreate();
    void FormActivate();
    void FormClose();
    void ComboBox1Change();
    void ComboBox5Change();
    void Edit2Change();
    void Button3Click();
    void Button1Click();
    void Button4Click();
    void Label18Click();
    void Button2Click();
    void Button5Click();
    void Button7Click();
    void Label15Click();
    void StatusBar1MouseDown(Qt::MouseButton button, int x);
    // CheckBox1Click to CheckBox8Click: each only marks the settings changed.
    void CheckBoxClick();
    void Memo1Change();
    void Label8Click();
    void Label11Click();
    void Label12Click();
    void Label13Click();
    void Button6Click();
    void New1Click();
    void Delete1Click();
    void OpenProjectFolder1Click();
    void ComboAppsChange();

    // What creating Updater.ini needs of the window.
    void FocusControl(UpdaterIniControl control) override;
    void TickUseDownloader() override;
    void SetTargetFolder(const std::u16string& folder) override;
    // What creating update.txt needs of the window.
    void FocusUpdateUrl() override;

  protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildControls();
    void BuildStatusBar();
    void BuildPopupMenu();
    void BindHandlers();
    void BindOperationHandlers();
    void LayOutControls();
    void UpdateMinimumSize();
    void CenterOnScreen();
    void FillLanguageList();
    void ShowHelp(std::u16string_view text);

    Dialogs& DialogService;
    TForm1Setup Setup;
    std::unique_ptr<Shell> OwnShell;
    Shell& ShellService;
    bool Activated = false;
};

// The program-wide reference to the window, set before its creation
// handler runs so that the operations can reach it.
extern TForm1* Form1;

} // namespace tarvel
