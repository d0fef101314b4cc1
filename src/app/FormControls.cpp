#include "app/FormControls.h"

#include "app/WindowTexts.h"
#include "core/ProductSettings.h"

namespace tarvel {

namespace {

constexpr unsigned kLeftTopRight = AnchorLeft | AnchorTop | AnchorRight;
constexpr unsigned kAllSides = AnchorLeft | AnchorTop | AnchorRight | AnchorBottom;
constexpr unsigned kLeftBottom = AnchorLeft | AnchorBottom;
constexpr unsigned kTopRight = AnchorTop | AnchorRight;

constexpr std::u16string_view kMethodItems[] = {
    u"Registry (by using Product GUID)",
    u"Main Executable File",
    u"Updater.ini",
};
constexpr std::u16string_view kSwitchItems[] = {
    u"", u"/A", u"/S", u"/X", u"/F", u"/O", u"/Init", u"/Remove",
};
constexpr std::u16string_view kFrequencyItems[] = {
    u"on Windows Startup",
    u"Every Day",
    u"Every Week",
    u"Every Month",
};
constexpr std::u16string_view kSmartMethodItems[] = {
    u"1. Prompt to turn off notification for current version",
    u"2. Prompt to open Options dialog",
    u"3. Prompt #1 and #2",
    u"4. Automatically turn off notification for current version",
};

using F = TForm1;
constexpr QGroupBox* TForm1::*kWindow = nullptr;

// clang-format off
const ControlEntry kControls[] = {
    // Directly on the window.
    {"Memo2", &F::Memo2, kWindow, u"", {12, 8, 664, 57}, kLeftTopRight, 11, u"Translate",
     FlagReadOnly | FlagGreyText},
    {"Label16", &F::Label16, kWindow, u"Select Product:", {22, 83, 73, 13}},
    {"ComboApps", &F::ComboApps, kWindow, u"", {129, 80, 196, 21}, kAnchorsDefault, 0},
    {"Button6", &F::Button6, kWindow, u"Save", {340, 79, 53, 23}, kAnchorsDefault, 13,
     u"Save product details"},
    {"GroupBox1", &F::GroupBox1, kWindow, u"Product Details", {12, 107, 314, 231},
     kAnchorsDefault, 1},
    {"GroupBox2", &F::GroupBox2, kWindow, u"Update Info File", {340, 107, 336, 374}, kAllSides, 2},
    {"GroupBox3", &F::GroupBox3, kWindow, u"Advanced Options", {12, 350, 313, 302},
     kAnchorsDefault, 9},
    {"CheckBox10", &F::CheckBox10, kWindow, u"Add support for old versions (till 4.4)",
     {340, 489, 205, 17}, kLeftBottom, 3, u"", FlagChecked},
    {"Label15", &F::Label15, kWindow, u"More info...", {551, 490, 57, 13}, kLeftBottom},
    {"Label17", &F::Label17, kWindow, u"Language:", {340, 516, 51, 13}, kLeftBottom},
    {"ComboBox5", &F::ComboBox5, kWindow, u"", {340, 535, 140, 21}, kLeftBottom, 12},
    {"Button1", &F::Button1, kWindow, u"Create \"Updater.ini\"", {340, 566, 140, 25}, kLeftBottom,
     4},
    {"Button4", &F::Button4, kWindow, u"Create \"Update.txt\"", {504, 566, 136, 25}, kLeftBottom,
     5},
    {"Button2", &F::Button2, kWindow, u"Test Updater", {340, 605, 101, 25}, kLeftBottom, 6},
    {"ComboBox4", &F::ComboBox4, kWindow, u"Switches", {455, 607, 90, 21}, kLeftBottom, 7, u"",
     FlagTypingAllowed, kSwitchItems, kNoSelection},
    {"Button5", &F::Button5, kWindow, u"Help", {565, 605, 75, 25}, kLeftBottom, 8},

    // "Product Details".
    {"Label1", &F::Label1, &F::GroupBox1, u"Name:", {14, 18, 31, 13}},
    {"Edit1", &F::Edit1, &F::GroupBox1, u"", {14, 36, 170, 21}, kAnchorsDefault, 0},
    {"Label19", &F::Label19, &F::GroupBox1, u"Edition (optional):", {208, 18, 85, 13}},
    {"Edit9", &F::Edit9, &F::GroupBox1, u"", {208, 36, 91, 21}, kAnchorsDefault, 1},
    {"Label3", &F::Label3, &F::GroupBox1, u"Main Executable File:", {14, 64, 101, 13}},
    {"Label11", &F::Label11, &F::GroupBox1, u"?", {130, 64, 5, 13}},
    {"Edit3", &F::Edit3, &F::GroupBox1, u"", {12, 82, 253, 21}, kAnchorsDefault, 2,
     u"Select the main executable file of the product"},
    {"Button3", &F::Button3, &F::GroupBox1, u"...", {276, 81, 23, 23}, kAnchorsDefault, 3,
     u"Browse..."},
    {"Label9", &F::Label9, &F::GroupBox1, u"Get Currently Installed Version from:",
     {14, 112, 176, 13}},
    {"Label13", &F::Label13, &F::GroupBox1, u"?", {195, 112, 5, 13}},
    {"ComboBox1", &F::ComboBox1, &F::GroupBox1, u"", {14, 130, 251, 21}, kAnchorsDefault, 4, u"",
     0, kMethodItems, kMethodMainExecutable},
    {"Label2", &F::Label2, &F::GroupBox1, u"Version:", {14, 158, 39, 13}},
    {"Label8", &F::Label8, &F::GroupBox1, u"?", {90, 158, 5, 13}, kAnchorsDefault, kNoTab, u"",
     FlagHidden},
    {"Edit2", &F::Edit2, &F::GroupBox1, u"", {14, 175, 251, 21}, kAnchorsDefault, 5, u"",
     FlagDisabled},
    {"CheckBox7", &F::CheckBox7, &F::GroupBox1, u"App installed for All Users",
     {14, 204, 228, 17}, kAnchorsDefault, 6, u"", FlagChecked},
    {"CheckBox8", &F::CheckBox8, &F::GroupBox1, u"App is 64-bit", {188, 204, 77, 17},
     kAnchorsDefault, 7},

    // "Update Info File".
    {"Label7", &F::Label7, &F::GroupBox2, u"URL of Update Info File (update.txt)",
     {14, 18, 175, 13}},
    {"Edit6", &F::Edit6, &F::GroupBox2, kDefaultUpdateUrl, {14, 36, 246, 21}, kLeftTopRight, 0},
    {"Button7", &F::Button7, &F::GroupBox2, u"Open", {269, 35, 53, 23}, kTopRight, 1},
    {"Label4", &F::Label4, &F::GroupBox2, u"New Version number:", {14, 64, 102, 13}},
    {"Edit4", &F::Edit4, &F::GroupBox2, u"1.2", {14, 82, 248, 21}, kLeftTopRight, 2},
    {"Label5", &F::Label5, &F::GroupBox2, u"New Version Download Link:", {14, 112, 134, 13}},
    {"Edit5", &F::Edit5, &F::GroupBox2, kDefaultDownloadLink, {14, 130, 248, 21}, kLeftTopRight,
     3},
    {"Label6", &F::Label6, &F::GroupBox2, u"What's New? (optional)", {14, 158, 111, 13}},
    {"Label18", &F::Label18, &F::GroupBox2, u"?", {136, 158, 5, 13}},
    {"Memo1", &F::Memo1, &F::GroupBox2, u"", {14, 175, 308, 188}, kAllSides, 4, u"",
     FlagVerticalScrollBar},

    // "Advanced Options".
    {"CheckBox1", &F::CheckBox1, &F::GroupBox3, u"Product Name in Updater Title",
     {12, 18, 172, 17}, kAnchorsDefault, 0},
    {"CheckBox4", &F::CheckBox4, &F::GroupBox3, u"Allow User to Change Update Options",
     {12, 41, 270, 17}, kAnchorsDefault, 1},
    {"CheckBox2", &F::CheckBox2, &F::GroupBox3, u"Use Downloader", {12, 64, 97, 17},
     kAnchorsDefault, 2, u"Automatically download a new version"},
    {"CheckBox6", &F::CheckBox6, &F::GroupBox3, u"Update Main Executable only",
     {137, 64, 166, 17}, kAnchorsDefault, 3},
    {"CheckBox5", &F::CheckBox5, &F::GroupBox3, u"Automatically Check for Updates:",
     {12, 89, 189, 17}, kAnchorsDefault, 4},
    {"ComboBox2", &F::ComboBox2, &F::GroupBox3, u"", {32, 111, 152, 21}, kAnchorsDefault, 5, u"",
     0, kFrequencyItems, 1},
    {"CheckBox9", &F::CheckBox9, &F::GroupBox3, u"Install Updates Silently", {32, 136, 152, 17},
     kAnchorsDefault, 6},
    {"CheckBox3", &F::CheckBox3, &F::GroupBox3, u"Use Smart Notification:", {12, 160, 126, 17},
     kAnchorsDefault, 7},
    {"Label12", &F::Label12, &F::GroupBox3, u"?", {144, 163, 5, 13}},
    {"ComboBox3", &F::ComboBox3, &F::GroupBox3, u"", {12, 181, 281, 21}, kAnchorsDefault, 8, u"",
     0, kSmartMethodItems, 0},
    {"Label10", &F::Label10, &F::GroupBox3, u"Updater Parameters:", {12, 209, 101, 13}},
    {"Edit7", &F::Edit7, &F::GroupBox3, u"", {12, 226, 281, 21}, kAnchorsDefault, 9},
    {"Label14", &F::Label14, &F::GroupBox3, u"Pass Parameters to New Version URL:",
     {12, 255, 181, 13}},
    {"Edit8", &F::Edit8, &F::GroupBox3, u"", {12, 273, 281, 21}, kAnchorsDefault, 10},
};

const TStatusPanel kPanels[] = {
    {520, Qt::AlignLeft, std::u16string(kMakerNotice)},
    {128, Qt::AlignRight, std::u16string(kCheckForUpdatesPanel)},
};
// clang-format on

} // namespace

std::span<const ControlEntry> FormControls() {
    return kControls;
}

std::span<const TStatusPanel> StatusPanels() {
    return kPanels;
}

const ControlEntry* ContainerEntry(QGroupBox* TForm1::*container) {
    if (!container)
        return nullptr;
    for (const ControlEntry& entry : kControls) {
        const auto* member = std::get_if<QGroupBox * TForm1::*>(&entry.Member);
        if (member && *member == container)
            return &entry;
    }
    return nullptr;
}

} // namespace tarvel
