#pragma once
// What the window tests of both programs share: a stand-in user who answers
// the dialogs and remembers every message, a desktop that counts what it
// was asked for, and typing that reaches a field as a keyboard would.

#include <QString>
#include <QStringList>
#include <QTest>
#include <QUrl>
#include <optional>
#include <vector>

#include "configurator/ui/desktop_services.h"
#include "configurator/ui/user_dialogs.h"

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
