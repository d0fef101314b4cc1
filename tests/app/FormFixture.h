// A shown main window over a folder of its own, with scripted dialogs.
#pragma once

#include "app/Unit1.h"
#include "support/RecordingShell.h"
#include "support/ScopedEnv.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QTest>

#include <filesystem>
#include <memory>
#include <string>

namespace tarvel::test {

// Picks another item as the user does, with the arrow keys, one item at a
// time.
inline void UserPick(QComboBox* combo, int index) {
    combo->setFocus();
    while (combo->currentIndex() < index)
        QTest::keyClick(combo, Qt::Key_Down);
    while (combo->currentIndex() > index)
        QTest::keyClick(combo, Qt::Key_Up);
}

class FormFixture : public testing::Test {
  protected:
    void SetUp() override { Open(); }

    // Builds and shows the window; the tool's folder is Folder.
    void Open() {
        Form.reset();
        // A user of its own, whose base folder the installation made.
        std::filesystem::create_directories(Config.path() + "/Tarvel Updater");
        TForm1Setup setup;
        setup.AppFolder = Folder.path16() + u"/";
        setup.ShellService = &Shell;
        Form = std::make_unique<TForm1>(Dialogs, setup);
        Form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    }

    TempDir Folder;
    TempDir Config;
    ScopedEnv ConfigHome{"XDG_CONFIG_HOME", Config.path()};
    RecordingShell Shell;
    ScriptedDialogs Dialogs;
    std::unique_ptr<TForm1> Form;
};

inline std::u16string Text(const QString& text) {
    return text.toStdU16String();
}

} // namespace tarvel::test
