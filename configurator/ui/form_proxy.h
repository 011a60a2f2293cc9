#pragma once
// A Form for a panel sequence running on a worker thread: every call is
// carried to the GUI thread and waits there for its turn, so the widgets
// are only ever touched by the thread that owns them while the sequence
// itself stays a plain synchronous series of calls.

#include <QPointer>

#include "configurator/form.h"

class QObject;

namespace tevral::ui {

class FormProxy : public Form {
 public:
  // gui_context: any object living on the GUI thread (the window).
  FormProxy(Form& target, QObject* gui_context);

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
  // Runs call on the GUI thread and waits; what it throws is thrown here.
  template <typename Call>
  auto OnGuiThread(Call call) const -> decltype(call());

  Form& target_;
  QPointer<QObject> gui_context_;
};

}  // namespace tevral::ui
