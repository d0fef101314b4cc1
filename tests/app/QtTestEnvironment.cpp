// One QApplication for every window test, on the offscreen platform so no
// display is needed.
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

class QtEnvironment : public testing::Environment {
  public:
    void SetUp() override {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        // A window built outside a fixture still keeps away from the real
        // user's projects and registry file.
        // Made here, after the test main has given up root.
        Config = std::make_unique<tarvel::test::TempDir>();
        std::filesystem::create_directories(Config->path() + "/Tarvel Updater");
        setenv("XDG_CONFIG_HOME", Config->path().c_str(), 1);
        static int argc = 1;
        static char name[] = "app_tests";
        static char* argv[] = {name, nullptr};
        Application = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override {
        Application.reset();
        Config.reset();
    }

  private:
    std::unique_ptr<tarvel::test::TempDir> Config;
    std::unique_ptr<QApplication> Application;
};

[[maybe_unused]] testing::Environment* const kQtEnvironment =
    testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace
