#pragma once
// What the earlier window tests share: one QApplication for the run, the
// stand-in user and desktop of the current window's tests, and an earlier
// window built with them in a program folder of the test's own, started
// from another folder. No system serial port is listed or opened: the port
// list is whatever the test hands in.

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "configurator_ui/window_test_support.h"
#include "earlier/ui/earlier_main_window.h"
#include "link/com_errors.h"

namespace tevral::earlier::ui::uitest {

using tevral::ui::uitest::CountingDesktop;
using tevral::ui::uitest::RecordingUser;
using tevral::ui::uitest::TypeText;

class EarlierWindowTest : public ::testing::Test {
 protected:
  // Started from a folder that is not the program's, so nothing the window
  // does can lean on the working directory.
  void SetUp() override {
    ASSERT_TRUE(program_folder.isValid() && working_folder.isValid());
    previous_folder_ = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(working_folder.path()));
  }
  void TearDown() override {
    window.reset();
    QDir::setCurrent(previous_folder_);
  }

  std::vector<std::string> ports{"/dev/ttyFAKE0", "/dev/ttyFAKE1"};
  bool port_list_fails = false;

  RecordingUser user;
  CountingDesktop desktop;
  QTemporaryDir program_folder;
  QTemporaryDir working_folder;
  std::unique_ptr<TMainForm> window;

  MainFormServices Services() {
    MainFormServices services;
    services.dialogs = &user;
    services.desktop = &desktop;
    services.program_folder = program_folder.path();
    services.list_ports = [this](std::vector<std::string>& list) {
      if (port_list_fails) throw link::EComPort(link::com_message::kRegistry);
      list = ports;
    };
    return services;
  }

  TMainForm& MakeWindow() {
    window = std::make_unique<TMainForm>(Services());
    return *window;
  }

  // Shows the window and gives it the keyboard focus, as the user finds it.
  TMainForm& ShowWindow() {
    if (!window) MakeWindow();
    window->ShowCentred();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    return *window;
  }

  template <typename Widget = QWidget>
  Widget* Control(const char* name) {
    auto* widget = window->findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  // The fixed settings file beside the program.
  QString SettingsFile() const { return program_folder.filePath(QStringLiteral("zEdaza.ini")); }
  void WriteSettingsFile(const QByteArray& content) const;
  QByteArray ReadSettingsFile() const;

 private:
  QString previous_folder_;
};

}  // namespace tevral::earlier::ui::uitest
