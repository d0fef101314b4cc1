// A main window double for the project and registry-state operations: the
// controls as plain values, with the side effects the real window has
// (program-set text clears a box's modified flag, a check box or the What's
// New box set from the program marks the settings changed) and a log of the
// calls whose order matters.
#pragma once

#include "store/ProjectWindow.h"
#include "store/WindowPlacement.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace tarvel::test {

class FakeWindow : public ProjectWindow, public WindowPlacement {
  public:
    std::array<std::u16string, 9> Edits;
    std::array<bool, 9> Modified{};
    std::array<std::vector<std::u16string>, 4> Lists{{
        {u"Registry (GUID)", u"Main executable", u"Updater.ini"},
        {u"Every Start", u"Every Day", u"Every Week", u"Every Month"},
        {u"Tray", u"Window"},
        {u"English", u"German"},
    }};
    std::array<int, 4> Indexes{1, 1, 0, 0};
    std::array<bool, 10> Checks{};
    std::u16string Memo;
    TextEncoding Encoding = TextEncoding::Ansi;
    std::vector<std::u16string> Projects;
    int ProjectSelection = -1;
    std::u16string Guid, Version;
    bool Changed = false;
    std::optional<EditBox> Focused;
    // "Refresh" and the check boxes as they are set, in order.
    std::vector<std::u16string> Log;
    // What the version box shows for source 1: the executable's version.
    std::u16string ExecutableVersion = u"9.9.9.9";

    bool Maximized = false;
    int LeftEdge = 200, TopEdge = 150, FrameWidth = 640, FrameHeight = 480;
    int ScreenW = 1920, ScreenH = 1080;

    static size_t at(EditBox b) { return static_cast<size_t>(b); }
    static size_t at(ComboBox c) { return static_cast<size_t>(c); }
    static size_t at(CheckBox c) { return static_cast<size_t>(c); }

    // The user typing into a box.
    void Type(EditBox box, std::u16string_view text) {
        Edits[at(box)] = std::u16string(text);
        Modified[at(box)] = true;
    }
    std::u16string& Edit(EditBox box) { return Edits[at(box)]; }
    int& Index(ComboBox list) { return Indexes[at(list)]; }
    bool& Check(CheckBox box) { return Checks[at(box)]; }

    std::u16string Text(EditBox box) const override { return Edits[at(box)]; }
    void SetText(EditBox box, std::u16string_view text) override {
        Edits[at(box)] = std::u16string(text);
        Modified[at(box)] = false;
    }
    void FocusBox(EditBox box) override { Focused = box; }

    int ItemIndex(ComboBox list) const override { return Indexes[at(list)]; }
    void SetItemIndex(ComboBox list, int index) override {
        bool valid = index >= 0 && static_cast<size_t>(index) < Lists[at(list)].size();
        Indexes[at(list)] = valid ? index : -1;
    }
    std::vector<std::u16string> Items(ComboBox list) const override { return Lists[at(list)]; }

    bool Checked(CheckBox box) const override { return Checks[at(box)]; }
    void SetChecked(CheckBox box, bool checked) override {
        Checks[at(box)] = checked;
        Changed = true;
        std::string name = "CheckBox" + std::to_string(at(box) + 1);
        Log.push_back(std::u16string(name.begin(), name.end()));
    }

    std::u16string MemoText() const override { return Memo; }
    void SetMemoText(std::u16string_view text) override {
        Memo = std::u16string(text);
        Changed = true;
    }
    TextEncoding WhatsNewEncoding() const override { return Encoding; }
    void SetWhatsNewEncoding(TextEncoding encoding) override { Encoding = encoding; }

    std::vector<std::u16string> ProjectItems() const override { return Projects; }
    void SetProjectItems(std::vector<std::u16string> items) override {
        Projects = std::move(items);
        ProjectSelection = -1;
    }
    int ProjectIndex() const override { return ProjectSelection; }
    void SetProjectIndex(int index) override {
        ProjectSelection = index >= 0 && static_cast<size_t>(index) < Projects.size() ? index : -1;
    }
    void RemoveProjectItem(int index) override {
        Projects.erase(Projects.begin() + index);
        ProjectSelection = -1;
    }
    // The user picking a product by name.
    void Choose(std::u16string_view name) {
        for (size_t i = 0; i < Projects.size(); ++i)
            if (Projects[i] == name)
                ProjectSelection = static_cast<int>(i);
    }

    std::u16string RememberedGuid() const override { return Guid; }
    void SetRememberedGuid(std::u16string_view guid) override { Guid = std::u16string(guid); }
    std::u16string RememberedVersion() const override { return Version; }
    void SetRememberedVersion(std::u16string_view v) override { Version = std::u16string(v); }
    void RefreshVersionSource() override {
        Log.push_back(u"Refresh");
        int method = Indexes[at(ComboBox::ComboBox1)];
        Edits[at(EditBox::Edit2)] = method == 0   ? Guid
                                    : method == 2 ? Version
                                    : method == 1 ? ExecutableVersion
                                                  : u"";
    }

    bool SettingsChanged() const override { return Changed; }
    void SetSettingsChanged(bool changed) override { Changed = changed; }
    bool HasUnsavedChanges() const override {
        if (Changed)
            return true;
        for (bool m : Modified)
            if (m)
                return true;
        return false;
    }
    void ClearModifiedFlags() override { Modified.fill(false); }

    bool IsMaximized() const override { return Maximized; }
    void SetMaximized() override { Maximized = true; }
    int Left() const override { return LeftEdge; }
    int Top() const override { return TopEdge; }
    int Width() const override { return FrameWidth; }
    int Height() const override { return FrameHeight; }
    void SetLeft(int v) override { LeftEdge = v; }
    void SetTop(int v) override { TopEdge = v; }
    void SetWidth(int v) override { FrameWidth = v; }
    void SetHeight(int v) override { FrameHeight = v; }
    int ScreenWidth() const override { return ScreenW; }
    int ScreenHeight() const override { return ScreenH; }
};

} // namespace tarvel::test
