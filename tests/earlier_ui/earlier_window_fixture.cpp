#include "earlier_window_fixture.h"

#include <QApplication>
#include <QFile>

#include "configurator/ui/skin.h"

namespace tevral::earlier::ui::uitest {
namespace {

// The QApplication lives for the whole run of the test program.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "earlier_ui_tests";
    static char* argv[] = {name, nullptr};
    application_ = std::make_unique<QApplication>(argc, argv);
    tevral::ui::ApplySkin(*application_);
  }
  void TearDown() override { application_.reset(); }

 private:
  std::unique_ptr<QApplication> application_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

void EarlierWindowTest::WriteSettingsFile(const QByteArray& content) const {
  QFile file(SettingsFile());
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write(content), content.size());
}

QByteArray EarlierWindowTest::ReadSettingsFile() const {
  QFile file(SettingsFile());
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace tevral::earlier::ui::uitest
