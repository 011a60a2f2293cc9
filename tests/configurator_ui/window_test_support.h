#pragma once
// What the window tests of both programs share: a stand-in user who answers
// the dialogs and remembers every message, a desktop that counts what it
// was asked for, a window built with them, and typing that reaches a field
// as a keyboard would.

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "configurator/ui/desktop_services.h"
#include "configurator/ui/main_window_services.h"
#include "configurator/ui/user_dialogs.h"
#include "link/com_errors.h"

namespace tevral::ui::uitest {

class RecordingUser : public UserDialogs {
 public:
  struct Shown {
    enum class Kind { kMessage, kError } kind;
    QString text;
  };

  void Message(QWidget*, const QString& text) override {
    shown.push_back({Shown::Kind::kMessage, text});
  }
  void Error(QWidget*, const QString& text) override {
    shown.push_back({Shown::Kind::kError, text});
  }
  bool ConfirmReplace(QWidget*, const QString& path) override {
    replace_questions.push_back(path);
    return replace_answer;
  }
  bool ConfirmLeaveUnsaved(QWidget*) override {
    ++leave_questions;
    return leave_answer;
  }
  std::optional<QString> ChooseSaveFile(QWidget*, const QString& folder) override {
    save_dialog_folders.push_back(folder);
    return save_choice;
  }
  std::optional<QString> ChooseOpenFile(QWidget*, const QString& folder) override {
    open_dialog_folders.push_back(folder);
    return open_choice;
  }

  QStringList Messages() const { return Texts(Shown::Kind::kMessage); }
  QStringList Errors() const { return Texts(Shown::Kind::kError); }

  std::vector<Shown> shown;
  std::optional<QString> save_choice;
  std::optional<QString> open_choice;
  bool replace_answer = true;
  int leave_questions = 0;
  bool leave_answer = true;
  QStringList replace_questions;
  QStringList save_dialog_folders;
  QStringList open_dialog_folders;

 private:
  QStringList Texts(Shown::Kind kind) const {
    QStringList texts;
    for (const Shown& s : shown) {
      if (s.kind == kind) texts << s.text;
    }
    return texts;
  }
};

class CountingDesktop : public DesktopServices {
 public:
  void InformationSound() override { ++sounds; }
  void OpenDeviceManager(QWidget*) override { ++device_manager_opened; }
  void OpenAddress(const QUrl& address) override { addresses.push_back(address); }

  int sounds = 0;
  int device_manager_opened = 0;
  std::vector<QUrl> addresses;
};

// A window of either program built with the stand-ins, in a program folder
// of the test's own. No system serial port is listed or opened: the port
// list is whatever the test hands in.
template <typename Window>
class WindowTestBase : public ::testing::Test {
 protected:
  // The port names the window's port list gives; tests change it before
  // Ctrl+R or before making the window.
  std::vector<std::string> ports{"/dev/ttyFAKE0", "/dev/ttyFAKE1"};
  bool port_list_fails = false;

  RecordingUser user;
  CountingDesktop desktop;
  QTemporaryDir program_folder;
  std::unique_ptr<Window> window;

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

  Window& MakeWindow() {
    window = std::make_unique<Window>(Services());
    return *window;
  }

  // Shows the window and gives it the keyboard focus, as the user finds it.
  Window& ShowWindow() {
    if (!window) MakeWindow();
    window->ShowCentred();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    return *window;
  }

  template <typename Widget = QWidget>
  Widget* Control(const char* name) {
    auto* widget = window->template findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
};

// Types text into a widget one key event per character, so letters outside
// ASCII reach the field as a keyboard would send them.
inline void TypeText(QWidget* widget, const QString& text) {
  for (const QChar character : text) {
    const QString one(character);
    QTest::sendKeyEvent(QTest::KeyAction::Press, widget, Qt::Key_unknown, one, Qt::NoModifier);
    QTest::sendKeyEvent(QTest::KeyAction::Release, widget, Qt::Key_unknown, one, Qt::NoModifier);
  }
}

}  // namespace tevral::ui::uitest
