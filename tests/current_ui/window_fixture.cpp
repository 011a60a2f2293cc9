#include "window_fixture.h"

#include <gtest/gtest.h>

#include "configurator/ui/skin.h"

namespace tevral::ui::uitest {
namespace {

// The QApplication lives for the whole run of the test program.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "current_ui_tests";
    static char* argv[] = {name, nullptr};
    application_ = std::make_unique<QApplication>(argc, argv);
    ApplySkin(*application_);
  }
  void TearDown() override { application_.reset(); }

 private:
  std::unique_ptr<QApplication> application_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

}  // namespace tevral::ui::uitest
