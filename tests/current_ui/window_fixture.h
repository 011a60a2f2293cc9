#pragma once
// What the current window's tests share: one QApplication for the whole
// test run, the stand-in user and desktop of every window test, and a
// window built with them in a program folder of the test's own. No system serial port is listed or
// opened: the port list is whatever the test hands in.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "configurator_ui/window_test_support.h"
#include "current/ui/main_window.h"
#include "link/com_errors.h"

namespace tevral::ui::uitest {

using tevral::current::ui::TMainForm;

class WindowTest : public ::testing::Test {
 protected:
  // The port names the window's port list gives; tests change it before
  // Ctrl+R or before making the window.
  std::vector<std::string> ports{"/dev/ttyFAKE0", "/dev/ttyFAKE1"};
  bool port_list_fails = false;

  RecordingUser user;
  CountingDesktop desktop;
  QTemporaryDir program_folder;
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

  std::string FolderPath(const QString& name) const {
    return (program_folder.path() + QLatin1Char('/') + name).toStdString();
  }
};

}  // namespace tevral::ui::uitest
