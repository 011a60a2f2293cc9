#pragma once
// The window seen as a Form: every value is read from and written to the
// widget of that control name, converting between the panel's code page
// 1251 and the widgets' Unicode at this edge only. Must be used on the GUI
// thread; a sequence on a worker thread goes through FormProxy.

#include <QPointer>
#include <QWidget>

#include "configurator/form.h"
#include "configurator/ui/user_dialogs.h"

class QProgressBar;

namespace tevral::ui {

class QtForm : public Form {
 public:
  // window holds the controls (found by objectName) and carries the
  // caption; the progress bar is the child named progress_bar_name.
  QtForm(QWidget* window, UserDialogs& dialogs,
         QString progress_bar_name = QStringLiteral("ProgressbarWrite"));

  std::string Text(std::string_view name) const override;
  void SetText(std::string_view name, const std::string& value) override;
  bool Checked(std::string_view name) const override;
  void SetChecked(std::string_view name, bool value) override;
  int ItemIndex(std::string_view name) const override;
  void SetItemIndex(std::string_view name, int index) override;
  void SetItems(std::string_view name, const std::vector<std::string>& items) override;

  void SetCaption(const std::string& caption) override;
  std::string Caption() const override;
  void SetProgressMax(int maximum) override;
  void StepProgress() override;
  void ResetProgress() override;
  void ShowMessage(const std::string& text) override;
  void ShowError(const std::string& message) override;

 private:
  // An unknown name, or a control of another kind, is a programming error:
  // std::logic_error naming the control.
  template <typename Widget>
  Widget* Find(std::string_view name) const;
  QProgressBar* ProgressBar() const;

  QPointer<QWidget> window_;
  UserDialogs& dialogs_;
  QString progress_bar_name_;
};

}  // namespace tevral::ui
