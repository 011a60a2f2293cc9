#pragma once
// Everything that asks the user something or tells the user something in a
// modal box. The window talks to the user only through this interface, so a
// test can stand in for the user (record the messages, pick file names)
// while the program uses the real boxes and file dialogs.

#include <QFileDialog>
#include <QPointer>
#include <QString>
#include <optional>

class QWidget;

namespace tevral::ui {

class UserDialogs {
 public:
  virtual ~UserDialogs() = default;
  // Modal, centred on the screen, captioned with the application title, no
  // icon, one "OK".
  virtual void Message(QWidget* parent, const QString& text) = 0;
  // Same, with the error icon; text is shown as given (the caller has
  // applied the error box's full-stop rule).
  virtual void Error(QWidget* parent, const QString& text) = 0;
  // Whether an existing settings file may be replaced.
  virtual bool ConfirmReplace(QWidget* parent, const QString& path) = 0;
  // The path the user chose, nothing on cancel.
  virtual std::optional<QString> ChooseSaveFile(QWidget* parent, const QString& folder) = 0;
  virtual std::optional<QString> ChooseOpenFile(QWidget* parent, const QString& folder) = 0;
};

class QtUserDialogs : public UserDialogs {
 public:
  explicit QtUserDialogs(QString application_title);
  ~QtUserDialogs() override;

  void Message(QWidget* parent, const QString& text) override;
  void Error(QWidget* parent, const QString& text) override;
  bool ConfirmReplace(QWidget* parent, const QString& path) override;
  std::optional<QString> ChooseSaveFile(QWidget* parent, const QString& folder) override;
  std::optional<QString> ChooseOpenFile(QWidget* parent, const QString& folder) override;

 private:
  QString title_;
  // One open dialog for the life of the program: it remembers the last name.
  // A child of the window it was first shown for; QPointer notices when
  // the window has taken it down with itself.
  QPointer<QFileDialog> open_dialog_;
};

}  // namespace tevral::ui
