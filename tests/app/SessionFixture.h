// A whole run of the tool: a user with a configuration folder of their own,
// the tool's folder, scripted dialogs and a shell that only records. Start()
// builds and shows the window as the program entry does; Close() closes it.
#pragma once

#include "app/Unit1.h"
#include "platform/CommandLine.h"
#include "platform/TRegistry.h"
#include "store/RegistryState.h"
#include "support/RecordingShell.h"
#include "support/ScopedEnv.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace tarvel::test {

class SessionFixture : public testing::Test {
  protected:
    SessionFixture() {
        // The tool's base folder is made by its installation; the App
        // folder below it is the tool's own business.
        std::filesystem::create_directories(Config.path() + "/Tarvel Updater");
    }
    ~SessionFixture() override {
        Form.reset();
        SetCommandLineArguments(std::vector<std::u16string>{});
    }

    void Start(std::vector<std::u16string> arguments = {}) {
        Form.reset();
        SetCommandLineArguments(std::move(arguments));
        TForm1Setup setup;
        setup.AppFolder = Tool.path16() + u"/";
        setup.ShellService = &Shell;
        Form = std::make_unique<TForm1>(Dialogs, setup);
        Form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
        Form->activateWindow();
        QApplication::processEvents();
    }

    // Closes the window as the user does; true when it closed.
    bool Close() {
        const bool closed = Form->close();
        QApplication::processEvents();
        return closed;
    }

    std::string ProjectFolder() const { return Config.path() + "/Tarvel Updater/App"; }

    // The registry key as a later start would find it; nullopt without it.
    std::optional<TRegistry> Key() const {
        TRegistry registry;
        if (!registry.OpenKey(kRegistryKey, false))
            return std::nullopt;
        return registry;
    }

    TempDir Config;
    TempDir Tool;
    ScopedEnv ConfigHome{"XDG_CONFIG_HOME", Config.path()};
    ScriptedDialogs Dialogs;
    RecordingShell Shell;
    std::unique_ptr<TForm1> Form;
};

} // namespace tarvel::test
