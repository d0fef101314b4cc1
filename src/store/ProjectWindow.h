// What the project operations need of the main window: its controls, the
// unsaved-change state and the remembered GUID and Version. The window
// implements it; the operations read and write the controls through it.
#pragma once

#include "platform/Encoding.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

enum class EditBox { Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9 };
// ComboBox4 is not a setting and is never touched here.
enum class ComboBox { ComboBox1, ComboBox2, ComboBox3, ComboBox5 };
enum class CheckBox {
    CheckBox1,
    CheckBox2,
    CheckBox3,
    CheckBox4,
    CheckBox5,
    CheckBox6,
    CheckBox7,
    CheckBox8,
    CheckBox9,
    CheckBox10
};

class ProjectWindow {
  public:
    virtual ~ProjectWindow() = default;

    virtual std::u16string Text(EditBox box) const = 0;
    // Text put in by the program; it does not mark the box modified.
    virtual void SetText(EditBox box, std::u16string_view text) = 0;
    // Moves the input focus to a box, after a warning about its content.
    virtual void FocusBox(EditBox box) = 0;

    virtual int ItemIndex(ComboBox list) const = 0; // -1 when nothing is selected
    // An index the list does not have leaves it without a selection.
    virtual void SetItemIndex(ComboBox list, int index) = 0;
    virtual std::vector<std::u16string> Items(ComboBox list) const = 0;

    virtual bool Checked(CheckBox box) const = 0;
    // Runs the box's click handling, as a change by the user would.
    virtual void SetChecked(CheckBox box, bool checked) = 0;

    // The What's New box; setting its text runs its change handling.
    virtual std::u16string MemoText() const = 0;
    virtual void SetMemoText(std::u16string_view text) = 0;
    // The encoding of the last companion loaded, used for every save.
    virtual TextEncoding WhatsNewEncoding() const = 0;
    virtual void SetWhatsNewEncoding(TextEncoding encoding) = 0;

    // The product list ComboApps; selecting from here raises no change.
    virtual std::vector<std::u16string> ProjectItems() const = 0;
    virtual void SetProjectItems(std::vector<std::u16string> items) = 0;
    virtual int ProjectIndex() const = 0;
    virtual void SetProjectIndex(int index) = 0;
    virtual void RemoveProjectItem(int index) = 0;

    virtual std::u16string RememberedGuid() const = 0;
    virtual void SetRememberedGuid(std::u16string_view guid) = 0;
    virtual std::u16string RememberedVersion() const = 0;
    virtual void SetRememberedVersion(std::u16string_view version) = 0;
    // Brings the version box in line with the version source.
    virtual void RefreshVersionSource() = 0;

    virtual bool SettingsChanged() const = 0;
    virtual void SetSettingsChanged(bool changed) = 0;
    virtual bool HasUnsavedChanges() const = 0;
    // Clears the modified flag of every edit box.
    virtual void ClearModifiedFlags() = 0;
};

} // namespace tarvel
