// One QApplication for every window test, on the offscreen platform so no
// display is needed.
#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>
#include <memory>

namespace {

class QtEnvironment : public testing::Environment {
  public:
    void SetUp() override {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "app_tests";
        static char* argv[] = {name, nullptr};
        Application = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { Application.reset(); }

  private:
    std::unique_ptr<QApplication> Application;
};

[[maybe_unused]] testing::Environment* const kQtEnvironment =
    testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace
