#include "configurator/field_table.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace tevral {
namespace {

[[noreturn]] void ThrowUnknown(std::string_view name) {
  throw std::logic_error("no control named " + std::string(name));
}

[[noreturn]] void ThrowWrongKind(std::string_view name) {
  throw std::logic_error("control " + std::string(name) + " has no value of that kind");
}

std::string TextShownBy(const FieldSpec& field_spec, const std::string& value) {
  if (field_spec.filter == InputFilter::kDigitsOnly && value.empty()) return "0";
  return value;
}

}  // namespace

std::string ErrorBoxText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

FieldTable::FieldTable(FieldInventory fields) : fields_(fields) {
  for (const FieldSpec& field_spec : fields_) {
    Control control{.field_spec = &field_spec};
    control.text = TextShownBy(field_spec, std::string(field_spec.default_text));
    control.checked = field_spec.default_checked;
    control.items.assign(field_spec.items.begin(), field_spec.items.end());
    const bool index_fits = field_spec.default_index >= 0 &&
                            field_spec.default_index < static_cast<int>(control.items.size());
    control.index = index_fits ? field_spec.default_index : -1;
    controls_.emplace(std::string(field_spec.name), std::move(control));
  }
}

FieldTable::Control& FieldTable::Find(std::string_view name) {
  const auto it = controls_.find(name);
  if (it == controls_.end()) ThrowUnknown(name);
  return it->second;
}

const FieldTable::Control& FieldTable::Find(std::string_view name) const {
  const auto it = controls_.find(name);
  if (it == controls_.end()) ThrowUnknown(name);
  return it->second;
}

const FieldTable::Control& FieldTable::FindOfKind(std::string_view name, FieldKind a,
                                                  FieldKind b) const {
  const Control& control = Find(name);
  if (control.field_spec->kind != a && control.field_spec->kind != b) ThrowWrongKind(name);
  return control;
}

FieldTable::Control& FieldTable::FindOfKind(std::string_view name, FieldKind a, FieldKind b) {
  Control& control = Find(name);
  if (control.field_spec->kind != a && control.field_spec->kind != b) ThrowWrongKind(name);
  return control;
}

std::string FieldTable::Text(std::string_view name) const {
  const Control& control = FindOfKind(name, FieldKind::kText, FieldKind::kChoice);
  if (control.field_spec->kind == FieldKind::kText) return control.text;
  if (control.index < 0) return {};
  return control.items[static_cast<size_t>(control.index)];
}

void FieldTable::SetText(std::string_view name, const std::string& value) {
  Control& control = FindOfKind(name, FieldKind::kText, FieldKind::kChoice);
  if (control.field_spec->kind == FieldKind::kText) {
    control.text = TextShownBy(*control.field_spec, value);
    return;
  }
  const auto it = std::find(control.items.begin(), control.items.end(), value);
  control.index = it == control.items.end() ? -1 : static_cast<int>(it - control.items.begin());
}

bool FieldTable::Checked(std::string_view name) const {
  return FindOfKind(name, FieldKind::kCheck, FieldKind::kRadio).checked;
}

void FieldTable::SetChecked(std::string_view name, bool value) {
  Control& control = FindOfKind(name, FieldKind::kCheck, FieldKind::kRadio);
  control.checked = value;
  if (!value || control.field_spec->kind != FieldKind::kRadio) return;
  for (auto& [other_name, other] : controls_) {
    if (&other != &control && other.field_spec->kind == FieldKind::kRadio &&
        other.field_spec->radio_group == control.field_spec->radio_group) {
      other.checked = false;
    }
  }
}

int FieldTable::ItemIndex(std::string_view name) const {
  return FindOfKind(name, FieldKind::kChoice, FieldKind::kChoice).index;
}

void FieldTable::SetItemIndex(std::string_view name, int index) {
  Control& control = FindOfKind(name, FieldKind::kChoice, FieldKind::kChoice);
  control.index = index >= 0 && index < static_cast<int>(control.items.size()) ? index : -1;
}

void FieldTable::SetItems(std::string_view name, const std::vector<std::string>& items) {
  Control& control = FindOfKind(name, FieldKind::kChoice, FieldKind::kChoice);
  control.items = items;
  control.index = -1;
}

const std::vector<std::string>& FieldTable::Items(std::string_view name) const {
  return FindOfKind(name, FieldKind::kChoice, FieldKind::kChoice).items;
}

const FieldSpec& FieldTable::FieldSpecOf(std::string_view name) const {
  return *Find(name).field_spec;
}

void FieldTable::SetCaption(const std::string& caption) {
  caption_ = caption;
  Record(FormEvent::Kind::kCaption, caption);
}

// A progress bar never shows a position outside 0..maximum.
void FieldTable::SetProgressMax(int maximum) {
  progress_max_ = std::max(maximum, 0);
  progress_position_ = std::min(progress_position_, progress_max_);
}

void FieldTable::StepProgress() {
  progress_position_ = std::min(progress_position_ + 1, progress_max_);
}

void FieldTable::ResetProgress() {
  progress_position_ = 0;
}

void FieldTable::ShowMessage(const std::string& text) {
  Record(FormEvent::Kind::kMessage, text);
}

void FieldTable::ShowError(const std::string& message) {
  Record(FormEvent::Kind::kError, ErrorBoxText(message));
}

void FieldTable::SetEventListener(std::function<void(const FormEvent&)> listener) {
  listener_ = std::move(listener);
}

void FieldTable::Record(FormEvent::Kind kind, std::string text) {
  events_.push_back(FormEvent{kind, std::move(text)});
  if (listener_) listener_(events_.back());
}

}  // namespace tevral
