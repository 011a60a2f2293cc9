#include "configurator/ui/comparison_read_form.h"

#include <utility>

namespace tevral::ui {

ComparisonReadForm::ComparisonReadForm(FieldTable& values, Form& window, std::string read_success)
    : values_(values), window_(window), read_success_(std::move(read_success)) {}

std::string ComparisonReadForm::Text(std::string_view name) const {
  return values_.Text(name);
}
void ComparisonReadForm::SetText(std::string_view name, const std::string& value) {
  values_.SetText(name, value);
}
bool ComparisonReadForm::Checked(std::string_view name) const {
  return values_.Checked(name);
}
void ComparisonReadForm::SetChecked(std::string_view name, bool value) {
  values_.SetChecked(name, value);
}
int ComparisonReadForm::ItemIndex(std::string_view name) const {
  return values_.ItemIndex(name);
}
void ComparisonReadForm::SetItemIndex(std::string_view name, int index) {
  values_.SetItemIndex(name, index);
}
void ComparisonReadForm::SetItems(std::string_view name, const std::vector<std::string>& items) {
  values_.SetItems(name, items);
}

void ComparisonReadForm::SetCaption(const std::string& caption) {
  values_.SetCaption(caption);
  window_.SetCaption(caption);
}
std::string ComparisonReadForm::Caption() const {
  return values_.Caption();
}
void ComparisonReadForm::SetProgressMax(int maximum) {
  window_.SetProgressMax(maximum);
}
void ComparisonReadForm::StepProgress() {
  window_.StepProgress();
}
void ComparisonReadForm::ResetProgress() {
  window_.ResetProgress();
}
void ComparisonReadForm::ShowMessage(const std::string& text) {
  if (text != read_success_) window_.ShowMessage(text);
}
void ComparisonReadForm::ShowError(const std::string& message) {
  window_.ShowError(message);
}

}  // namespace tevral::ui
