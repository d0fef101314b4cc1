// The main window as the project and registry operations see it: its
// controls by name, its unsaved-change state and its placement.
#pragma once

#include "store/ProjectWindow.h"
#include "store/WindowPlacement.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace tarvel {

class TForm1;

class FormProjectWindow : public ProjectWindow, public WindowPlacement {
  public:
    explicit FormProjectWindow(TForm1& form) : Form(form) {}

    std::u16string Text(EditBox box) const override;
    void SetText(EditBox box, std::u16string_view text) override;
    void FocusBox(EditBox box) override;

    int ItemIndex(ComboBox list) const override;
    void SetItemIndex(ComboBox list, int index) override;
    std::vector<std::u16string> Items(ComboBox list) const override;

    bool Checked(CheckBox box) const override;
    void SetChecked(CheckBox box, bool checked) override;

    std::u16string MemoText() const override;
    void SetMemoText(std::u16string_view text) override;
    TextEncoding WhatsNewEncoding() const override;
    void SetWhatsNewEncoding(TextEncoding encoding) override;

    std::vector<std::u16string> ProjectItems() const override;
    void SetProjectItems(std::vector<std::u16string> items) override;
    int ProjectIndex() const override;
    void SetProjectIndex(int index) override;
    void RemoveProjectItem(int index) override;

    std::u16string RememberedGuid() const override;
    void SetRememberedGuid(std::u16string_view guid) override;
    std::u16string RememberedVersion() const override;
    void SetRememberedVersion(std::u16string_view version) override;
    void RefreshVersionSource() override;

    bool SettingsChanged() const override;
    void SetSettingsChanged(bool changed) override;
    bool HasUnsavedChanges() const override;
    void ClearModifiedFlags() override;

    bool IsMaximized() const override;
    void SetMaximized() override;
    int Left() const override;
    int Top() const override;
    int Width() const override;
    int Height() const override;
    void SetLeft(int left) override;
    void SetTop(int top) override;
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    int ScreenWidth() const override;
    int ScreenHeight() const override;

  private:
    QLineEdit* Edit(EditBox box) const;
    QComboBox* List(ComboBox list) const;
    QCheckBox* Check(CheckBox box) const;

    TForm1& Form;
};

} // namespace tarvel
