#pragma once
// The form a window's read or write runs against when the port list holds
// names that are not device names: everything goes to the window's form,
// except that the port name the sequence opens passes through a resolver
// first. The demo mode uses it to turn "DEMO" into its pseudo-terminal's
// path while the window keeps showing "DEMO".

#include <functional>
#include <string>

#include "configurator/form.h"

namespace tevral::ui {

class PortResolvingForm : public Form {
 public:
  using Resolver = std::function<std::string(const std::string&)>;
  // An empty resolver leaves every name as it is.
  PortResolvingForm(Form& target, Resolver resolve);

  // "cbPort" gives the resolved name of the selected port.
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
  Form& target_;
  Resolver resolve_;
};

}  // namespace tevral::ui
