#pragma once
// The form a comparison's read runs against: the values go into a table of
// their own, so the window's fields stay as the engineer left them, while
// the caption, the progress bar and the messages are the window's as in any
// read. The read's closing "Прочитано успішно." is left out: the comparison
// dialog that follows says what the read found.

#include <string>

#include "configurator/field_table.h"
#include "configurator/form.h"

namespace tevral::ui {

class ComparisonReadForm : public Form {
 public:
  // `window`: the window's form (through its proxy when the read runs on a
  // worker thread). `read_success`: the message to leave out.
  ComparisonReadForm(FieldTable& values, Form& window, std::string read_success);

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
  FieldTable& values_;
  Form& window_;
  std::string read_success_;
};

}  // namespace tevral::ui
