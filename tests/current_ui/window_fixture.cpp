#include "window_fixture.h"

#include <gtest/gtest.h>

#include "current/ui/skin.h"

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

void TypeText(QWidget* widget, const QString& text) {
  for (const QChar character : text) {
    const QString one(character);
    QTest::sendKeyEvent(QTest::KeyAction::Press, widget, Qt::Key_unknown, one, Qt::NoModifier);
    QTest::sendKeyEvent(QTest::KeyAction::Release, widget, Qt::Key_unknown, one, Qt::NoModifier);
  }
}

}  // namespace tevral::ui::uitest
