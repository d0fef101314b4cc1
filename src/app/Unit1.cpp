#include "app/Unit1.h"

#include "app/ControlText.h"
#include "app/DisplayedLines.h"
#include "app/ErrorBox.h"
#include "app/FormControls.h"
#include "app/FormProjectWindow.h"
#include "app/LanguageList.h"
#include "app/TLinkLabel.h"
#include "app/TStatusBar.h"
#include "app/WindowFont.h"
#include "app/WindowTexts.h"
#include "core/Captions.h"
#include "core/ProductVersion.h"
#include "integration/OwnUpdater.h"
#include "integration/TestUpdater.h"
#include "integration/WebLinks.h"
#include "platform/CommandLine.h"
#include "platform/FileSystem.h"
#include "platform/KnownFolders.h"
#include "platform/Paths.h"
#include "platform/SystemShell.h"
#include "store/ProjectFiles.h"
#include "store/ProjectFolder.h"
#include "store/RegistryState.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace tarvel {

TForm1* Form1 = nullptr;

namespace {

QString Q(std::u16string_view text) {
    return QString::fromStdU16String(std::u16string(text));
}

void applyText(QWidget* widget, const ControlEntry& entry) {
    const QString text = Q(entry.Text);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(text);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(widget)) {
        SetMemoText(memo, entry.Text);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        combo->setEditable(entry.Flags & FlagTypingAllowed);
        // Typing picks a switch; it never grows the list.
        combo->setInsertPolicy(QComboBox::NoInsert);
        for (std::u16string_view item : entry.Items)
            combo->addItem(Q(item));
        combo->setCurrentIndex(entry.Selected);
        if (combo->isEditable())
            combo->setEditText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(text);
        if (auto* check = qobject_cast<QCheckBox*>(widget))
            check->setChecked(entry.Flags & FlagChecked);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(text);
        label->setTextFormat(Qt::PlainText);
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        group->setTitle(text);
    }
}

void applyState(QWidget* widget, const ControlEntry& entry) {
    if (entry.Flags & FlagDisabled)
        widget->setEnabled(false);
    if (!entry.Hint.empty())
        widget->setToolTip(Q(entry.Hint));
    if (auto* memo = qobject_cast<QPlainTextEdit*>(widget)) {
        memo->setReadOnly(entry.Flags & FlagReadOnly);
        memo->setVerticalScrollBarPolicy(
            (entry.Flags & FlagVerticalScrollBar) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // A read-only box still takes the focus, to select and copy from.
        memo->setFocusPolicy(Qt::StrongFocus);
        if (entry.Flags & FlagGreyText) {
            QPalette grey = memo->palette();
            grey.setColor(QPalette::Text, QColor(109, 109, 109));
            memo->setPalette(grey);
        }
    }
}

// A label or check box is as wide as its caption needs, never narrower than
// designed: this font's advances, and Qt's check-box indicator, run a few
// pixels wider than the ones the layout was measured with.
QRect fitLabel(QWidget* widget, QRect place) {
    if (qobject_cast<QLabel*>(widget) || qobject_cast<QCheckBox*>(widget))
        place.setWidth(std::max(place.width(), widget->sizeHint().width()));
    return place;
}

// The focusable controls of one container in tab order, group boxes
// opened where they stand.
void collectTabChain(TForm1& form, QGroupBox* TForm1::*container, std::vector<QWidget*>& chain) {
    std::vector<const ControlEntry*> members;
    for (const ControlEntry& entry : FormControls())
        if (entry.Container == container && entry.Tab != kNoTab)
            members.push_back(&entry);
    std::stable_sort(members.begin(), members.end(),
                     [](const ControlEntry* a, const ControlEntry* b) { return a->Tab < b->Tab; });
    for (const ControlEntry* entry : members) {
        if (const auto* group = std::get_if<QGroupBox * TForm1::*>(&entry->Member)) {
            collectTabChain(form, *group, chain);
            continue;
        }
        std::visit([&](auto member) { chain.push_back(form.*member); }, entry->Member);
    }
}

} // namespace

TForm1::TForm1(Dialogs& dialogs, TForm1Setup setup)
    : DialogService(dialogs), Setup(std::move(setup)),
      OwnShell(Setup.ShellService ? nullptr : std::make_unique<SystemShell>()),
      ShellService(Setup.ShellService ? *Setup.ShellService : *OwnShell) {
    Form1 = this;
    setFont(WindowFont());
    setWindowTitle(Q(kApplicationTitle));
    BuildControls();
    BuildStatusBar();
    BuildPopupMenu();
    UpdateMinimumSize();
    resize(kDesignClientSize);
    LayOutControls();
    CenterOnScreen();
    BindHandlers();
    BindOperationHandlers();
    Guard(&TForm1::FormCreate);
}

TForm1::~TForm1() {
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::BuildControls() {
    for (const ControlEntry& entry : FormControls()) {
        QWidget* parent = entry.Container ? static_cast<QWidget*>(this->*entry.Container) : this;
        QWidget* widget = std::visit(
            [&](auto member) -> QWidget* {
                using Control =
                    std::remove_pointer_t<std::remove_reference_t<decltype(this->*member)>>;
                auto* control = new Control(parent);
                this->*member = control;
                return control;
            },
            entry.Member);
        widget->setObjectName(QString::fromLatin1(entry.Name));
        applyText(widget, entry);
        applyState(widget, entry);
        widget->setGeometry(fitLabel(widget, entry.Geometry));
        if (entry.Flags & FlagHidden)
            widget->hide();
    }
    std::vector<QWidget*> chain;
    collectTabChain(*this, nullptr, chain);
    for (size_t i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
}

void TForm1::BuildStatusBar() {
    StatusBar1 = new TStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    const auto panels = StatusPanels();
    StatusBar1->SetPanels({panels.begin(), panels.end()});
}

void TForm1::BuildPopupMenu() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    New1 = PopupMenu1->addAction(QStringLiteral("New..."));
    New1->setObjectName(QStringLiteral("New1"));
    Delete1 = PopupMenu1->addAction(QStringLiteral("Remove..."));
    Delete1->setObjectName(QStringLiteral("Delete1"));
    OpenProjectFolder1 = PopupMenu1->addAction(QStringLiteral("Open Project Folder"));
    OpenProjectFolder1->setObjectName(QStringLiteral("OpenProjectFolder1"));
    ComboApps->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ComboApps, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(ComboApps->mapToGlobal(at)); });
}

void TForm1::BindHandlers() {
    // A drop-down list reports the user's pick only; a check box and the
    // What's New box report every change, the program's included.
    connect(ComboBox1, &QComboBox::activated, this, [this] { Guard(&TForm1::ComboBox1Change); });
    connect(ComboBox5, &QComboBox::activated, this, [this] { Guard(&TForm1::ComboBox5Change); });
    connect(Edit2, &QLineEdit::textChanged, this, [this] { Guard(&TForm1::Edit2Change); });
    connect(Button3, &QPushButton::clicked, this, [this] { Guard(&TForm1::Button3Click); });
    connect(Button1, &QPushButton::clicked, this, [this] { Guard(&TForm1::Button1Click); });
    connect(Button4, &QPushButton::clicked, this, [this] { Guard(&TForm1::Button4Click); });
    connect(Button2, &QPushButton::clicked, this, [this] { Guard(&TForm1::Button2Click); });
    connect(Button5, &QPushButton::clicked, this, [this] { Guard(&TForm1::Button5Click); });
    connect(Button7, &QPushButton::clicked, this, [this] { Guard(&TForm1::Button7Click); });
    Label15->OnClick = [this] { Guard(&TForm1::Label15Click); };
    StatusBar1->OnMouseDown = [this](Qt::MouseButton button, int x) {
        RunGuarded(DialogService, [&] { StatusBar1MouseDown(button, x); });
    };
    for (QCheckBox* box :
         {CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5, CheckBox6, CheckBox7, CheckBox8})
        connect(box, &QCheckBox::toggled, this, [this] { Guard(&TForm1::CheckBoxClick); });
    connect(Memo1, &QPlainTextEdit::textChanged, this, [this] { Guard(&TForm1::Memo1Change); });
    Label8->OnClick = [this] { Guard(&TForm1::Label8Click); };
    Label11->OnClick = [this] { Guard(&TForm1::Label11Click); };
    Label12->OnClick = [this] { Guard(&TForm1::Label12Click); };
    Label13->OnClick = [this] { Guard(&TForm1::Label13Click); };
    Label18->OnClick = [this] { Guard(&TForm1::Label18Click); };
}

void TForm1::Guard(void (TForm1::*handler)()) {
    RunGuarded(DialogService, [this, handler] { (this->*handler)(); });
}

void TForm1::FormCreate() {
    SetMemoText(Memo2, kIntroductionText);
    AppFolder = Setup.AppFolder ? *Setup.AppFolder : tarvel::AppFolder();
    FillLanguageList();
    setWindowTitle(Q(kMainWindowCaption));
    PrepareProjectFolder(ProjectFolder);
    GUID.clear();
    Version.clear();
    FormProjectWindow window(*this);
    LoadRegistryState(window, window, DialogService, ProjectFolder);
    if (ComboApps->count() > 0)
        LoadProject(window, DialogService, ProjectFolder);
    SettingsChanged = false;
}

void TForm1::FillLanguageList() {
    const std::vector<std::u16string> languages = ListLanguages(AppFolder);
    for (const std::u16string& language : languages)
        ComboBox5->addItem(QString::fromStdU16String(language));
    ComboBox5->setCurrentIndex(IndexOfEnglish(languages));
}

void TForm1::FormActivate() {
    if (FindSwitch(u"/A") != 0) {
        Button1->setEnabled(false);
        Button2->setEnabled(false);
        DialogService.ShowMessage(
            {Caption(), std::u16string(kInstallerModeText), MessageIcon::Information});
    }
    StartOwnUpdater(AppFolder, ShellService);
}

void TForm1::FormClose() {
    FormProjectWindow window(*this);
    if (HasUnsavedChanges()) {
        const MessageAnswer answer =
            DialogService.ShowMessage({Caption(), u"Save changes for \"" + EditText(Edit1) + u"\"?",
                                       MessageIcon::Question, MessageButtons::YesNo});
        if (answer == MessageAnswer::Yes)
            SaveProject(window, DialogService, ProjectFolder);
    }
    SaveRegistryState(window, window, DialogService);
}

std::array<QLineEdit*, 9> TForm1::EditBoxes() const {
    return {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9};
}

bool TForm1::HasUnsavedChanges() const {
    if (SettingsChanged)
        return true;
    for (const QLineEdit* box : EditBoxes())
        if (box->isModified())
            return true;
    return false;
}

TProductSettings TForm1::CollectSettings() const {
    TProductSettings settings;
    settings.Name = EditText(Edit1);
    settings.AppEdition = EditText(Edit9);
    settings.MainExe = EditText(Edit3);
    settings.Method = Method();
    settings.GUID = GUID;
    settings.Version = Version;
    settings.UpdateURL = EditText(Edit6);
    settings.NewVersion = EditText(Edit4);
    settings.DownloadLink = EditText(Edit5);
    settings.Changes = MemoText(Memo1);
    settings.Language = ComboBox5->currentText().toStdU16String();
    settings.RequireAdmin = CheckBox7->isChecked();
    settings.Is64Bit = CheckBox8->isChecked();
    settings.SupportOldVer = CheckBox10->isChecked();
    settings.CheckUpdaterTitle = CheckBox1->isChecked();
    settings.AllowChangeUpdate = CheckBox4->isChecked();
    settings.CheckUseDownloader = CheckBox2->isChecked();
    settings.ReplaceMainExe = CheckBox6->isChecked();
    settings.AutoCheckForUpdate = CheckBox5->isChecked();
    settings.UpdateFrequency = ComboBox2->currentIndex();
    settings.AutoSilentUpdate = CheckBox9->isChecked();
    settings.CheckSmartNotification = CheckBox3->isChecked();
    settings.SmartMethod = ComboBox3->currentIndex();
    settings.UpdaterParameters = EditText(Edit7);
    settings.URLParameters = EditText(Edit8);
    return settings;
}

int32_t TForm1::Method() const {
    return ComboBox1->currentIndex();
}

void TForm1::RefreshVersionSource() {
    Label8->hide();
    const int32_t method = Method();
    Edit2->setEnabled(method != kMethodMainExecutable);
    switch (method) {
    case kMethodRegistryGuid:
        Label2->setText(QStringLiteral("Product GUID:"));
        Label8->show();
        SetEditText(Edit2, GUID);
        break;
    case kMethodMainExecutable:
        Label2->setText(QStringLiteral("Version:"));
        SetEditText(Edit2, ReadProductVersion(EditText(Edit3), EditText(Edit7)));
        break;
    case kMethodUpdaterIni:
        Label2->setText(QStringLiteral("Version:"));
        SetEditText(Edit2, Version);
        break;
    default:
        break;
    }
}

void TForm1::ComboBox1Change() {
    RefreshVersionSource();
    SettingsChanged = true;
}

void TForm1::ComboBox5Change() {
    SettingsChanged = true;
}

void TForm1::Edit2Change() {
    if (Method() == kMethodRegistryGuid)
        GUID = EditText(Edit2);
    else if (Method() == kMethodUpdaterIni)
        Version = EditText(Edit2);
}

void TForm1::Button3Click() {
    // Pressing the button counts as a change even when the dialog is
    // cancelled.
    SettingsChanged = true;
    OpenFileRequest request;
    const std::u16string mainExe = EditText(Edit3);
    if (!mainExe.empty()) {
        std::u16string folder = ExtractFileDir(mainExe);
        if (DirectoryExists(folder))
            request.InitialFolder = std::move(folder);
    }
    const std::optional<std::u16string> chosen = DialogService.OpenFile(request);
    if (!chosen)
        return;
    SetEditText(Edit3, *chosen);
    if (Method() == kMethodMainExecutable)
        SetEditText(Edit2, ReadProductVersion(*chosen, EditText(Edit7)));
}

void TForm1::Button1Click() {
    UpdaterIniRequest request;
    request.Settings = CollectSettings();
    request.VersionBoxText = EditText(Edit2);
    request.AppFolder = AppFolder;
    request.WindowCaption = windowTitle().toStdU16String();
    CreateUpdaterIni(request, DialogService, *this);
}

void TForm1::Button4Click() {
    UpdateTxtRequest request;
    request.UpdateUrl = EditText(Edit6);
    request.NewVersion = EditText(Edit4);
    request.DownloadLink = EditText(Edit5);
    DisplayedText whatsNew = DisplayedLines(Memo1);
    request.WhatsNewLines = std::move(whatsNew.Lines);
    request.WhatsNewEmpty = whatsNew.Empty;
    request.SupportOldVer = CheckBox10->isChecked();
    request.WindowCaption = windowTitle().toStdU16String();
    CreateUpdateTxt(request, DialogService, *this);
}

void TForm1::Button2Click() {
    TestUpdaterInput input;
    input.MainExe = EditText(Edit3);
    input.Switches = ComboBox4->currentText().toStdU16String();
    input.Caption = windowTitle().toStdU16String();
    const TestUpdaterResult result = TestUpdater(input, ShellService, DialogService);
    TargetFolder = result.TargetFolder;
    if (result.FocusMainExe)
        Edit3->setFocus();
}

void TForm1::Button5Click() {
    OpenHelpPage(ShellService);
}

void TForm1::Button7Click() {
    OpenUpdateAddress(EditText(Edit6), windowTitle().toStdU16String(), ShellService, DialogService);
}

void TForm1::Label15Click() {
    OpenMoreInfoPage(ShellService);
}

void TForm1::StatusBar1MouseDown(Qt::MouseButton button, int x) {
    MouseButton pressed = MouseButton::Other;
    if (button == Qt::LeftButton)
        pressed = MouseButton::Left;
    else if (button == Qt::RightButton)
        pressed = MouseButton::Right;
    else if (button == Qt::MiddleButton)
        pressed = MouseButton::Middle;
    StatusBarMouseDown(pressed, x, AppFolder, ShellService, DialogService);
}

void TForm1::FocusUpdateUrl() {
    Edit6->setFocus();
}

void TForm1::FocusControl(UpdaterIniControl control) {
    QLineEdit* box = Edit1;
    switch (control) {
    case UpdaterIniControl::Edit1:
        box = Edit1;
        break;
    case UpdaterIniControl::Edit2:
        box = Edit2;
        break;
    case UpdaterIniControl::Edit3:
        box = Edit3;
        break;
    case UpdaterIniControl::Edit6:
        box = Edit6;
        break;
    }
    box->setFocus();
}

void TForm1::TickUseDownloader() {
    CheckBox2->setChecked(true);
}

void TForm1::SetTargetFolder(const std::u16string& folder) {
    TargetFolder = folder;
}

void TForm1::CheckBoxClick() {
    SettingsChanged = true;
}

void TForm1::Memo1Change() {
    SettingsChanged = true;
}

void TForm1::ShowHelp(std::u16string_view text) {
    MessageRequest request;
    request.Caption = windowTitle().toStdU16String();
    request.Text = std::u16string(text);
    request.Icon = MessageIcon::Information;
    DialogService.ShowMessage(request);
}

void TForm1::Label8Click() {
    ShowHelp(kProductGuidHelpText);
}

void TForm1::Label11Click() {
    ShowHelp(kMainExeHelpText);
}

void TForm1::Label12Click() {
    ShowHelp(kSmartNotificationHelpText);
}

void TForm1::Label13Click() {
    ShowHelp(kVersionSourceHelpText);
}

void TForm1::Label18Click() {
    ShowHelp(WhatsNewHelpText());
}

bool TForm1::event(QEvent* event) {
    // Only the first activation counts: later ones come back from the
    // tool's own dialogs or from other applications.
    if (event->type() == QEvent::WindowActivate && !Activated) {
        Activated = true;
        const bool handled = QWidget::event(event);
        Guard(&TForm1::FormActivate);
        return handled;
    }
    return QWidget::event(event);
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOutControls();
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    UpdateMinimumSize();
    // A restored outer size could only be applied to the client area while
    // the frame did not exist; now the frame's share is known.
    if (RestoredOuterSize) {
        const QSize frame = frameGeometry().size() - size();
        resize(*RestoredOuterSize - frame);
        RestoredOuterSize.reset();
    }
}

void TForm1::closeEvent(QCloseEvent* event) {
    // An error while closing keeps the window open.
    if (RunGuarded(DialogService, [this] { FormClose(); }))
        event->accept();
    else
        event->ignore();
}

void TForm1::LayOutControls() {
    for (const ControlEntry& entry : FormControls()) {
        QWidget* container = entry.Container ? static_cast<QWidget*>(this->*entry.Container) : this;
        const ControlEntry* containerEntry = ContainerEntry(entry.Container);
        const QSize designed = containerEntry ? containerEntry->Geometry.size() : kDesignClientSize;
        QWidget* widget =
            std::visit([&](auto member) -> QWidget* { return this->*member; }, entry.Member);
        widget->setGeometry(fitLabel(
            widget, AnchoredGeometry(entry.Geometry, entry.Anchors, designed, container->size())));
    }
    StatusBar1->setGeometry(0, height() - TStatusBar::kHeight, width(), TStatusBar::kHeight);
}

void TForm1::UpdateMinimumSize() {
    // The limit is on the outer size; where the platform draws no frame the
    // two are the same.
    const QSize frame = frameGeometry().size() - geometry().size();
    setMinimumSize(kMinimumOuterSize - frame);
}

void TForm1::CenterOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect outer = frameGeometry();
    outer.moveCenter(screen->availableGeometry().center());
    move(outer.topLeft());
}

} // namespace tarvel
