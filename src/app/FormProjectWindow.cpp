#include "app/FormProjectWindow.h"

#include "app/ControlText.h"
#include "app/Unit1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QSignalBlocker>

namespace tarvel {

namespace {

QString Q(std::u16string_view text) {
    return QString::fromStdU16String(std::u16string(text));
}

std::vector<std::u16string> itemsOf(const QComboBox* list) {
    std::vector<std::u16string> items;
    items.reserve(static_cast<size_t>(list->count()));
    for (int i = 0; i < list->count(); ++i)
        items.push_back(list->itemText(i).toStdU16String());
    return items;
}

// The placement the window returns to when it is neither maximized nor
// minimized, with its frame, which is what the registry keeps.
QRect restoredFrame(const TForm1& form) {
    if (!(form.windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)))
        return form.frameGeometry();
    const QRect frame = form.frameGeometry();
    const QRect client = form.geometry();
    const QRect normal = form.normalGeometry();
    return normal.adjusted(frame.left() - client.left(), frame.top() - client.top(),
                           frame.right() - client.right(), frame.bottom() - client.bottom());
}

// How much wider and higher the frame is than the client area.
QSize frameExtra(const TForm1& form) {
    return form.frameGeometry().size() - form.size();
}

} // namespace

QLineEdit* FormProjectWindow::Edit(EditBox box) const {
    switch (box) {
    case EditBox::Edit1:
        return Form.Edit1;
    case EditBox::Edit2:
        return Form.Edit2;
    case EditBox::Edit3:
        return Form.Edit3;
    case EditBox::Edit4:
        return Form.Edit4;
    case EditBox::Edit5:
        return Form.Edit5;
    case EditBox::Edit6:
        return Form.Edit6;
    case EditBox::Edit7:
        return Form.Edit7;
    case EditBox::Edit8:
        return Form.Edit8;
    case EditBox::Edit9:
        return Form.Edit9;
    }
    return Form.Edit1;
}

QComboBox* FormProjectWindow::List(ComboBox list) const {
    switch (list) {
    case ComboBox::ComboBox1:
        return Form.ComboBox1;
    case ComboBox::ComboBox2:
        return Form.ComboBox2;
    case ComboBox::ComboBox3:
        return Form.ComboBox3;
    case ComboBox::ComboBox5:
        return Form.ComboBox5;
    }
    return Form.ComboBox1;
}

QCheckBox* FormProjectWindow::Check(CheckBox box) const {
    switch (box) {
    case CheckBox::CheckBox1:
        return Form.CheckBox1;
    case CheckBox::CheckBox2:
        return Form.CheckBox2;
    case CheckBox::CheckBox3:
        return Form.CheckBox3;
    case CheckBox::CheckBox4:
        return Form.CheckBox4;
    case CheckBox::CheckBox5:
        return Form.CheckBox5;
    case CheckBox::CheckBox6:
        return Form.CheckBox6;
    case CheckBox::CheckBox7:
        return Form.CheckBox7;
    case CheckBox::CheckBox8:
        return Form.CheckBox8;
    case CheckBox::CheckBox9:
        return Form.CheckBox9;
    case CheckBox::CheckBox10:
        return Form.CheckBox10;
    }
    return Form.CheckBox1;
}

std::u16string FormProjectWindow::Text(EditBox box) const {
    return EditText(Edit(box));
}

void FormProjectWindow::SetText(EditBox box, std::u16string_view text) {
    SetEditText(Edit(box), text);
}

void FormProjectWindow::FocusBox(EditBox box) {
    Edit(box)->setFocus();
}

int FormProjectWindow::ItemIndex(ComboBox list) const {
    return List(list)->currentIndex();
}

void FormProjectWindow::SetItemIndex(ComboBox list, int index) {
    QComboBox* box = List(list);
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
}

std::vector<std::u16string> FormProjectWindow::Items(ComboBox list) const {
    return itemsOf(List(list));
}

bool FormProjectWindow::Checked(CheckBox box) const {
    return Check(box)->isChecked();
}

void FormProjectWindow::SetChecked(CheckBox box, bool checked) {
    Check(box)->setChecked(checked);
}

std::u16string FormProjectWindow::MemoText() const {
    return tarvel::MemoText(Form.Memo1);
}

void FormProjectWindow::SetMemoText(std::u16string_view text) {
    tarvel::SetMemoText(Form.Memo1, text);
}

TextEncoding FormProjectWindow::WhatsNewEncoding() const {
    return Form.WhatsNewEncoding;
}

void FormProjectWindow::SetWhatsNewEncoding(TextEncoding encoding) {
    Form.WhatsNewEncoding = encoding;
}

std::vector<std::u16string> FormProjectWindow::ProjectItems() const {
    return itemsOf(Form.ComboApps);
}

void FormProjectWindow::SetProjectItems(std::vector<std::u16string> items) {
    Form.ComboApps->clear();
    for (const std::u16string& item : items)
        Form.ComboApps->addItem(Q(item));
    Form.ComboApps->setCurrentIndex(-1);
}

int FormProjectWindow::ProjectIndex() const {
    return Form.ComboApps->currentIndex();
}

void FormProjectWindow::SetProjectIndex(int index) {
    Form.ComboApps->setCurrentIndex(index >= 0 && index < Form.ComboApps->count() ? index : -1);
}

void FormProjectWindow::RemoveProjectItem(int index) {
    Form.ComboApps->removeItem(index);
    Form.ComboApps->setCurrentIndex(-1);
}

std::u16string FormProjectWindow::RememberedGuid() const {
    return Form.GUID;
}

void FormProjectWindow::SetRememberedGuid(std::u16string_view guid) {
    Form.GUID = guid;
}

std::u16string FormProjectWindow::RememberedVersion() const {
    return Form.Version;
}

void FormProjectWindow::SetRememberedVersion(std::u16string_view version) {
    Form.Version = version;
}

void FormProjectWindow::RefreshVersionSource() {
    Form.RefreshVersionSource();
}

bool FormProjectWindow::SettingsChanged() const {
    return Form.SettingsChanged;
}

void FormProjectWindow::SetSettingsChanged(bool changed) {
    Form.SettingsChanged = changed;
}

bool FormProjectWindow::HasUnsavedChanges() const {
    return Form.HasUnsavedChanges();
}

void FormProjectWindow::ClearModifiedFlags() {
    for (QLineEdit* box : Form.EditBoxes())
        box->setModified(false);
}

bool FormProjectWindow::IsMaximized() const {
    return Form.windowState() & Qt::WindowMaximized;
}

void FormProjectWindow::SetMaximized() {
    Form.setWindowState(Form.windowState() | Qt::WindowMaximized);
}

int FormProjectWindow::Left() const {
    return restoredFrame(Form).left();
}
int FormProjectWindow::Top() const {
    return restoredFrame(Form).top();
}
int FormProjectWindow::Width() const {
    return restoredFrame(Form).width();
}
int FormProjectWindow::Height() const {
    return restoredFrame(Form).height();
}

// move() places the frame's top-left corner; resize() sizes the client
// area, so the frame's extra is taken off.
void FormProjectWindow::SetLeft(int left) {
    Form.move(left, Form.frameGeometry().top());
}

void FormProjectWindow::SetTop(int top) {
    Form.move(Form.frameGeometry().left(), top);
}

void FormProjectWindow::SetWidth(int width) {
    Form.resize(width - frameExtra(Form).width(), Form.height());
    if (!Form.isVisible())
        Form.RestoredOuterSize =
            QSize(width, Form.RestoredOuterSize ? Form.RestoredOuterSize->height()
                                                : Form.frameGeometry().height());
}

void FormProjectWindow::SetHeight(int height) {
    Form.resize(Form.width(), height - frameExtra(Form).height());
    if (!Form.isVisible())
        Form.RestoredOuterSize = QSize(Form.RestoredOuterSize ? Form.RestoredOuterSize->width()
                                                              : Form.frameGeometry().width(),
                                       height);
}

int FormProjectWindow::ScreenWidth() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}

int FormProjectWindow::ScreenHeight() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() : 0;
}

} // namespace tarvel
