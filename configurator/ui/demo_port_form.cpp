#include "configurator/ui/demo_port_form.h"

#include <utility>

namespace tevral::ui {

PortResolvingForm::PortResolvingForm(Form& target, Resolver resolve)
    : target_(target), resolve_(std::move(resolve)) {}

std::string PortResolvingForm::Text(std::string_view name) const {
  std::string text = target_.Text(name);
  if (name == "cbPort" && resolve_) return resolve_(text);
  return text;
}

void PortResolvingForm::SetText(std::string_view name, const std::string& value) {
  target_.SetText(name, value);
}
bool PortResolvingForm::Checked(std::string_view name) const {
  return target_.Checked(name);
}
void PortResolvingForm::SetChecked(std::string_view name, bool value) {
  target_.SetChecked(name, value);
}
int PortResolvingForm::ItemIndex(std::string_view name) const {
  return target_.ItemIndex(name);
}
void PortResolvingForm::SetItemIndex(std::string_view name, int index) {
  target_.SetItemIndex(name, index);
}
void PortResolvingForm::SetItems(std::string_view name, const std::vector<std::string>& items) {
  target_.SetItems(name, items);
}
void PortResolvingForm::SetCaption(const std::string& caption) {
  target_.SetCaption(caption);
}
std::string PortResolvingForm::Caption() const {
  return target_.Caption();
}
void PortResolvingForm::SetProgressMax(int maximum) {
  target_.SetProgressMax(maximum);
}
void PortResolvingForm::StepProgress() {
  target_.StepProgress();
}
void PortResolvingForm::ResetProgress() {
  target_.ResetProgress();
}
void PortResolvingForm::ShowMessage(const std::string& text) {
  target_.ShowMessage(text);
}
void PortResolvingForm::ShowError(const std::string& message) {
  target_.ShowError(message);
}

}  // namespace tevral::ui
