// The window's controls as data: kind, container, caption, initial state,
// hint, geometry at 96 dpi, anchors and tab position. The window is built
// by walking this table, and the layout follows it on every resize.
#pragma once

#include "app/Anchors.h"
#include "app/TStatusBar.h"
#include "app/Unit1.h"

#include <span>
#include <string_view>
#include <variant>

namespace tarvel {

// The member a row creates; its type says which kind of control it is.
using ControlMember =
    std::variant<QLineEdit * TForm1::*, QComboBox * TForm1::*, QCheckBox * TForm1::*,
                 QPushButton * TForm1::*, QLabel * TForm1::*, TLinkLabel * TForm1::*,
                 QGroupBox * TForm1::*, QPlainTextEdit * TForm1::*>;

enum ControlFlag : unsigned {
    FlagChecked = 1,
    FlagDisabled = 2,
    FlagHidden = 4,
    FlagReadOnly = 8,
    FlagGreyText = 16,
    FlagVerticalScrollBar = 32,
    FlagTypingAllowed = 64,
};

inline constexpr int kNoTab = -1;
inline constexpr int kNoSelection = -1;

struct ControlEntry {
    const char* Name;
    ControlMember Member;
    // The group box holding the control; null for the window itself.
    QGroupBox* TForm1::*Container;
    std::u16string_view Text;
    QRect Geometry;
    unsigned Anchors = kAnchorsDefault;
    int Tab = kNoTab;
    std::u16string_view Hint = {};
    unsigned Flags = 0;
    std::span<const std::u16string_view> Items = {};
    int Selected = kNoSelection;
};

// Containers come before the controls they hold.
std::span<const ControlEntry> FormControls();

std::span<const TStatusPanel> StatusPanels();

// The row of a container, or null for the window.
const ControlEntry* ContainerEntry(QGroupBox* TForm1::*container);

} // namespace tarvel
