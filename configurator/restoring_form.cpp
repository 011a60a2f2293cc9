#include "configurator/restoring_form.h"

#include <algorithm>

namespace tevral {

RestoringForm::RestoringForm(Form& target) : target_(target) {}

bool RestoringForm::Remembered(std::string_view name) const {
  return std::any_of(before_.begin(), before_.end(),
                     [&](const Before& before) { return before.name == name; });
}

void RestoringForm::Restore() {
  // Unchecked states first: a radio button checked afterwards then cannot
  // be undone by its group unchecking the other one.
  for (const Before& before : before_) {
    if (before.kind == Kind::kChecked && !before.checked) target_.SetChecked(before.name, false);
  }
  for (const Before& before : before_) {
    switch (before.kind) {
      case Kind::kText:
        target_.SetText(before.name, before.text);
        break;
      case Kind::kChecked:
        if (before.checked) target_.SetChecked(before.name, true);
        break;
      case Kind::kItemIndex:
        target_.SetItemIndex(before.name, before.index);
        break;
    }
  }
  before_.clear();
}

std::string RestoringForm::Text(std::string_view name) const {
  return target_.Text(name);
}

void RestoringForm::SetText(std::string_view name, const std::string& value) {
  if (!Remembered(name)) before_.push_back({std::string(name), Kind::kText, target_.Text(name)});
  target_.SetText(name, value);
}

bool RestoringForm::Checked(std::string_view name) const {
  return target_.Checked(name);
}

void RestoringForm::SetChecked(std::string_view name, bool value) {
  if (!Remembered(name)) {
    before_.push_back({std::string(name), Kind::kChecked, {}, target_.Checked(name)});
  }
  target_.SetChecked(name, value);
}

int RestoringForm::ItemIndex(std::string_view name) const {
  return target_.ItemIndex(name);
}

void RestoringForm::SetItemIndex(std::string_view name, int index) {
  if (!Remembered(name)) {
    before_.push_back({std::string(name), Kind::kItemIndex, {}, false, target_.ItemIndex(name)});
  }
  target_.SetItemIndex(name, index);
}

void RestoringForm::SetItems(std::string_view name, const std::vector<std::string>& items) {
  target_.SetItems(name, items);
}

void RestoringForm::SetCaption(const std::string& caption) {
  target_.SetCaption(caption);
}

std::string RestoringForm::Caption() const {
  return target_.Caption();
}

void RestoringForm::SetProgressMax(int maximum) {
  target_.SetProgressMax(maximum);
}

void RestoringForm::StepProgress() {
  target_.StepProgress();
}

void RestoringForm::ResetProgress() {
  target_.ResetProgress();
}

void RestoringForm::ShowMessage(const std::string& text) {
  target_.ShowMessage(text);
}

void RestoringForm::ShowError(const std::string& message) {
  target_.ShowError(message);
}

bool RunRestoringFieldsOnFailure(PanelSession& session,
                                 const std::function<bool(PanelSession&)>& read) {
  RestoringForm journal(session.form);
  PanelSession journaled{journal, session.port, session.exchanges};
  try {
    if (read(journaled)) return true;
  } catch (...) {
    // The read's own error is the one the user must see; one from putting
    // the fields back (the window gone) would only hide it.
    try {
      journal.Restore();
    } catch (...) {
    }
    throw;
  }
  journal.Restore();
  return false;
}

}  // namespace tevral
