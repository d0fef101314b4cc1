// The window as it opens: every control's caption, state, place and tab
// position, and how the places follow the window's size.
#include "FormFixture.h"

#include "app/TLinkLabel.h"
#include "app/TStatusBar.h"
#include "core/Captions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

namespace tarvel::test {
namespace {

const char16_t kIntroduction[] =
    u"This tool will help you to integrate the update feature into your product. To make it the "
    u"following files will be used: Updater.exe, Updater.ini, and update.txt. The \"Updater.exe\" "
    u"and \"Updater.ini\" files should be located in the same folder as the main executable file "
    u"of your app.The \"update.txt\" file should be uploaded at your website when a new version "
    u"is released.\nNote: if you use Tarvel Installer, then you don't have to create the "
    u"\"Updater.ini\" file. For more details, click Help.";

enum Anchoring { Fixed, Stretch, StretchWidth, KeepBottom, KeepRight };

struct Placed {
    const char* Name;
    const char* Container; // empty: the window
    const char16_t* Text;
    QRect Design;
    Anchoring Anchors = Fixed;
};

// clang-format off
const Placed kPlaced[] = {
    {"Memo2", "", kIntroduction, {12, 8, 664, 57}, StretchWidth},
    {"Label16", "", u"Select Product:", {22, 83, 73, 13}},
    {"ComboApps", "", u"", {129, 80, 196, 21}},
    {"Button6", "", u"Save", {340, 79, 53, 23}},
    {"GroupBox1", "", u"Product Details", {12, 107, 314, 231}},
    {"GroupBox2", "", u"Update Info File", {340, 107, 336, 374}, Stretch},
    {"GroupBox3", "", u"Advanced Options", {12, 350, 313, 302}},
    {"CheckBox10", "", u"Add support for old versions (till 4.4)", {340, 489, 205, 17}, KeepBottom},
    {"Label15", "", u"More info...", {551, 490, 57, 13}, KeepBottom},
    {"Label17", "", u"Language:", {340, 516, 51, 13}, KeepBottom},
    {"ComboBox5", "", u"", {340, 535, 140, 21}, KeepBottom},
    {"Button1", "", u"Create \"Updater.ini\"", {340, 566, 140, 25}, KeepBottom},
    {"Button4", "", u"Create \"Update.txt\"", {504, 566, 136, 25}, KeepBottom},
    {"Button2", "", u"Test Updater", {340, 605, 101, 25}, KeepBottom},
    {"ComboBox4", "", u"Switches", {455, 607, 90, 21}, KeepBottom},
    {"Button5", "", u"Help", {565, 605, 75, 25}, KeepBottom},
    {"Label1", "GroupBox1", u"Name:", {14, 18, 31, 13}},
    {"Edit1", "GroupBox1", u"", {14, 36, 170, 21}},
    {"Label19", "GroupBox1", u"Edition (optional):", {208, 18, 85, 13}},
    {"Edit9", "GroupBox1", u"", {208, 36, 91, 21}},
    {"Label3", "GroupBox1", u"Main Executable File:", {14, 64, 101, 13}},
    {"Label11", "GroupBox1", u"?", {130, 64, 5, 13}},
    {"Edit3", "GroupBox1", u"", {12, 82, 253, 21}},
    {"Button3", "GroupBox1", u"...", {276, 81, 23, 23}},
    {"Label9", "GroupBox1", u"Get Currently Installed Version from:", {14, 112, 176, 13}},
    {"Label13", "GroupBox1", u"?", {195, 112, 5, 13}},
    {"ComboBox1", "GroupBox1", u"Main Executable File", {14, 130, 251, 21}},
    {"Label2", "GroupBox1", u"Version:", {14, 158, 39, 13}},
    {"Label8", "GroupBox1", u"?", {90, 158, 5, 13}},
    {"Edit2", "GroupBox1", u"", {14, 175, 251, 21}},
    {"CheckBox7", "GroupBox1", u"App installed for All Users", {14, 204, 228, 17}},
    {"CheckBox8", "GroupBox1", u"App is 64-bit", {188, 204, 77, 17}},
    {"Label7", "GroupBox2", u"URL of Update Info File (update.txt)", {14, 18, 175, 13}},
    {"Edit6", "GroupBox2", u"https://www.example-vendor.test/update.txt", {14, 36, 246, 21}, StretchWidth},
    {"Button7", "GroupBox2", u"Open", {269, 35, 53, 23}, KeepRight},
    {"Label4", "GroupBox2", u"New Version number:", {14, 64, 102, 13}},
    {"Edit4", "GroupBox2", u"1.2", {14, 82, 248, 21}, StretchWidth},
    {"Label5", "GroupBox2", u"New Version Download Link:", {14, 112, 134, 13}},
    {"Edit5", "GroupBox2", u"https://www.example-vendor.test/setup.exe", {14, 130, 248, 21}, StretchWidth},
    {"Label6", "GroupBox2", u"What's New? (optional)", {14, 158, 111, 13}},
    {"Label18", "GroupBox2", u"?", {136, 158, 5, 13}},
    {"Memo1", "GroupBox2", u"", {14, 175, 308, 188}, Stretch},
    {"CheckBox1", "GroupBox3", u"Product Name in Updater Title", {12, 18, 172, 17}},
    {"CheckBox4", "GroupBox3", u"Allow User to Change Update Options", {12, 41, 270, 17}},
    {"CheckBox2", "GroupBox3", u"Use Downloader", {12, 64, 97, 17}},
    {"CheckBox6", "GroupBox3", u"Update Main Executable only", {137, 64, 166, 17}},
    {"CheckBox5", "GroupBox3", u"Automatically Check for Updates:", {12, 89, 189, 17}},
    {"ComboBox2", "GroupBox3", u"Every Day", {32, 111, 152, 21}},
    {"CheckBox9", "GroupBox3", u"Install Updates Silently", {32, 136, 152, 17}},
    {"CheckBox3", "GroupBox3", u"Use Smart Notification:", {12, 160, 126, 17}},
    {"Label12", "GroupBox3", u"?", {144, 163, 5, 13}},
    {"ComboBox3", "GroupBox3", u"1. Prompt to turn off notification for current version", {12, 181, 281, 21}},
    {"Label10", "GroupBox3", u"Updater Parameters:", {12, 209, 101, 13}},
    {"Edit7", "GroupBox3", u"", {12, 226, 281, 21}},
    {"Label14", "GroupBox3", u"Pass Parameters to New Version URL:", {12, 255, 181, 13}},
    {"Edit8", "GroupBox3", u"", {12, 273, 281, 21}},
};
// clang-format on

QString shownText(QWidget* widget) {
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    if (auto* group = qobject_cast<QGroupBox*>(widget))
        return group->title();
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return combo->currentText();
    if (auto* memo = qobject_cast<QPlainTextEdit*>(widget))
        return memo->toPlainText();
    return QStringLiteral("<unknown kind>");
}

QRect expectedPlace(const Placed& control, QSize delta) {
    QRect place = control.Design;
    switch (control.Anchors) {
    case Fixed:
        break;
    case Stretch:
        place.setSize(place.size() + delta);
        break;
    case StretchWidth:
        place.setWidth(place.width() + delta.width());
        break;
    case KeepBottom:
        place.translate(0, delta.height());
        break;
    case KeepRight:
        place.translate(delta.width(), 0);
        break;
    }
    return place;
}

class WindowLayout : public FormFixture {
  protected:
    QWidget* Find(const char* name) const {
        return Form->findChild<QWidget*>(QString::fromLatin1(name));
    }

    // Checks every control's place for the window's current size.
    void ExpectPlaces() const {
        const QSize windowDelta = Form->size() - TForm1::kDesignClientSize;
        const QSize groupDelta = Find("GroupBox2")->size() - QSize(336, 374);
        for (const Placed& control : kPlaced) {
            SCOPED_TRACE(control.Name);
            QWidget* widget = Find(control.Name);
            ASSERT_NE(widget, nullptr);
            const bool inGroupBox2 = std::string_view(control.Container) == "GroupBox2";
            const QRect expected = expectedPlace(control, inGroupBox2 ? groupDelta : windowDelta);
            if (qobject_cast<QLabel*>(widget) || qobject_cast<QCheckBox*>(widget)) {
                // Labels and check boxes grow to show their whole caption.
                EXPECT_EQ(widget->pos(), expected.topLeft());
                EXPECT_EQ(widget->height(), expected.height());
                EXPECT_GE(widget->width(), expected.width());
                EXPECT_GE(widget->width(), widget->sizeHint().width());
            } else {
                EXPECT_EQ(widget->geometry(), expected);
            }
        }
        EXPECT_EQ(Form->StatusBar1->geometry(), QRect(0, Form->height() - 19, Form->width(), 19));
    }
};

TEST_F(WindowLayout, EveryControlHasItsCaptionAndContainer) {
    EXPECT_EQ(Text(Form->windowTitle()), kMainWindowCaption);
    for (const Placed& control : kPlaced) {
        SCOPED_TRACE(control.Name);
        QWidget* widget = Find(control.Name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(Text(shownText(widget)), control.Text);
        const QWidget* container = *control.Container ? Find(control.Container) : Form.get();
        EXPECT_EQ(widget->parentWidget(), container);
        EXPECT_EQ(widget->font().pixelSize(), 11);
    }
}

TEST_F(WindowLayout, InitialStates) {
    for (const Placed& control : kPlaced) {
        SCOPED_TRACE(control.Name);
        QWidget* widget = Find(control.Name);
        const std::string_view name = control.Name;
        EXPECT_EQ(widget->isEnabled(), name != "Edit2");
        EXPECT_EQ(widget->isVisible(), name != "Label8");
        if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            EXPECT_EQ(box->isChecked(), name == "CheckBox7" || name == "CheckBox10");
        }
        if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            EXPECT_EQ(combo->isEditable(), name == "ComboBox4");
        }
    }
    EXPECT_TRUE(Form->Memo2->isReadOnly());
    EXPECT_FALSE(Form->Memo1->isReadOnly());
    EXPECT_EQ(Form->Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(Form->Memo2->document()->blockCount(), 2) << "two paragraphs";
}

TEST_F(WindowLayout, HintsAreTooltips) {
    const std::pair<const char*, const char16_t*> hints[] = {
        {"Memo2", u"Translate"},
        {"Button6", u"Save product details"},
        {"Edit3", u"Select the main executable file of the product"},
        {"Button3", u"Browse..."},
        {"CheckBox2", u"Automatically download a new version"},
        {"Edit1", u""},
    };
    for (const auto& [name, hint] : hints)
        EXPECT_EQ(Text(Find(name)->toolTip()), hint) << name;
}

TEST_F(WindowLayout, ListsHoldTheirItemsAndSelections) {
    const auto itemsOf = [](const QComboBox* combo) {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        return items.join(u'|').toStdU16String();
    };
    EXPECT_EQ(itemsOf(Form->ComboBox1), u"Registry (by using Product GUID)|Main Executable File|"
                                        u"Updater.ini");
    EXPECT_EQ(Form->ComboBox1->currentIndex(), 1);
    EXPECT_EQ(itemsOf(Form->ComboBox2), u"on Windows Startup|Every Day|Every Week|Every Month");
    EXPECT_EQ(Form->ComboBox2->currentIndex(), 1);
    EXPECT_EQ(itemsOf(Form->ComboBox3),
              u"1. Prompt to turn off notification for current version|2. Prompt to open "
              u"Options dialog|3. Prompt #1 and #2|4. Automatically turn off notification for "
              u"current version");
    EXPECT_EQ(Form->ComboBox3->currentIndex(), 0);
    EXPECT_EQ(itemsOf(Form->ComboBox4), u"|/A|/S|/X|/F|/O|/Init|/Remove");
    EXPECT_EQ(Form->ComboBox4->currentIndex(), -1);
    EXPECT_EQ(Form->ComboApps->count(), 0);
}

TEST_F(WindowLayout, LinksAreBlueWithTheHandCursor) {
    for (const char* name : {"Label8", "Label11", "Label12", "Label13", "Label15", "Label18"}) {
        SCOPED_TRACE(name);
        auto* link = dynamic_cast<TLinkLabel*>(Find(name));
        ASSERT_NE(link, nullptr);
        EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_FALSE(link->font().underline());
    }
    EXPECT_EQ(dynamic_cast<TLinkLabel*>(Find("Label16")), nullptr);
}

TEST_F(WindowLayout, StatusBarHasTheTwoPanels) {
    const std::vector<TStatusPanel>& panels = Form->StatusBar1->Panels();
    ASSERT_EQ(panels.size(), 2u);
    EXPECT_EQ(panels[0].Width, 520);
    EXPECT_EQ(panels[0].Alignment, Qt::AlignLeft);
    EXPECT_TRUE(panels[0].Text.starts_with(u"Copyright"));
    EXPECT_EQ(panels[1].Width, 128);
    EXPECT_EQ(panels[1].Alignment, Qt::AlignRight);
    EXPECT_EQ(panels[1].Text, u"Check for Updates        ");
    EXPECT_EQ(Form->StatusBar1->PanelRect(1).left(), 520);
    EXPECT_EQ(Form->StatusBar1->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(WindowLayout, ProductListHasItsContextMenu) {
    EXPECT_EQ(Form->ComboApps->contextMenuPolicy(), Qt::CustomContextMenu);
    QStringList captions;
    for (const QAction* action : Form->PopupMenu1->actions())
        captions << action->text();
    EXPECT_EQ(captions.join(u'|'), QStringLiteral("New...|Remove...|Open Project Folder"));
    EXPECT_EQ(Form->PopupMenu1->actions().value(1), Form->Delete1);
}

TEST_F(WindowLayout, TabOrderRunsThroughTheGroupBoxes) {
    const char* const order[] = {
        "ComboApps",  "Edit1",     "Edit9",     "Edit3",     "Button3",   "ComboBox1", "Edit2",
        "CheckBox7",  "CheckBox8", "Edit6",     "Button7",   "Edit4",     "Edit5",     "Memo1",
        "CheckBox10", "Button1",   "Button4",   "Button2",   "ComboBox4", "Button5",   "CheckBox1",
        "CheckBox4",  "CheckBox2", "CheckBox6", "CheckBox5", "ComboBox2", "CheckBox9", "CheckBox3",
        "ComboBox3",  "Edit7",     "Edit8",     "Memo2",     "ComboBox5", "Button6",
    };
    QWidget* at = Find(order[0]);
    for (size_t i = 1; i < std::size(order); ++i) {
        // Skip what the chain holds besides the controls, such as inner
        // line edits and scroll bars.
        QWidget* next = at->nextInFocusChain();
        while (next->objectName().isEmpty() || next->parentWidget() == at)
            next = next->nextInFocusChain();
        EXPECT_EQ(next->objectName().toStdString(), order[i]) << "after " << order[i - 1];
        at = next;
    }
}

TEST_F(WindowLayout, OpensAtLeastAtTheMinimumOuterSize) {
    EXPECT_GE(Form->frameGeometry().width(), 700);
    EXPECT_GE(Form->frameGeometry().height(), 723);
    ExpectPlaces();
}

TEST_F(WindowLayout, CannotBeMadeSmallerThanTheMinimum) {
    Form->resize(300, 200);
    QTest::qWait(0);
    EXPECT_EQ(Form->frameGeometry().size(), TForm1::kMinimumOuterSize);
    ExpectPlaces();
}

TEST_F(WindowLayout, EnlargingMovesAndGrowsTheAnchoredControls) {
    const QRect details = Find("GroupBox1")->geometry();
    const QRect advanced = Find("GroupBox3")->geometry();
    const QRect memo1 = Form->Memo1->geometry();
    const QRect button5 = Form->Button5->geometry();
    Form->resize(Form->width() + 150, Form->height() + 90);
    QTest::qWait(0);
    ExpectPlaces();
    EXPECT_EQ(Find("GroupBox1")->geometry(), details);
    EXPECT_EQ(Find("GroupBox3")->geometry(), advanced);
    EXPECT_EQ(Form->Memo1->geometry(), memo1.adjusted(0, 0, 150, 90));
    EXPECT_EQ(Form->Button5->geometry(), button5.translated(0, 90));
    EXPECT_EQ(Form->Button7->geometry().right(),
              Find("GroupBox2")->width() - (336 - (269 + 53)) - 1);
}

} // namespace
} // namespace tarvel::test
