#pragma once
// The headless window: a Form kept in memory, built from a field inventory.
// The command line runs the panel sequences and the settings files against
// it, and the tests use it to see what a sequence left in each field and
// which messages it showed, in order.

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "configurator/field_description.h"
#include "configurator/form.h"

namespace tevral {

// What the user would have seen happen: the caption changing, a message
// box, an error box.
struct FormEvent {
  enum class Kind { kCaption, kMessage, kError };
  Kind kind;
  std::string text;  // UTF-8; for kError the text as the error box shows it

  bool operator==(const FormEvent&) const = default;
};

class FieldTable : public Form {
 public:
  // Starts with every field at its default; the caption is empty.
  explicit FieldTable(FieldInventory fields);

  std::string Text(std::string_view name) const override;
  // A digits-only field set to "" shows "0". On a choice, selects the item
  // with exactly that text, or nothing when there is none.
  void SetText(std::string_view name, const std::string& value) override;
  bool Checked(std::string_view name) const override;
  // Checking a radio button unchecks the other buttons of its group.
  void SetChecked(std::string_view name, bool value) override;
  int ItemIndex(std::string_view name) const override;
  // An index outside the items selects nothing (-1).
  void SetItemIndex(std::string_view name, int index) override;
  void SetItems(std::string_view name, const std::vector<std::string>& items) override;
  const std::vector<std::string>& Items(std::string_view name) const;

  void SetCaption(const std::string& caption) override;
  std::string Caption() const override { return caption_; }

  void SetProgressMax(int maximum) override;
  void StepProgress() override;
  void ResetProgress() override;
  int ProgressMax() const { return progress_max_; }
  int ProgressPosition() const { return progress_position_; }

  void ShowMessage(const std::string& text) override;
  void ShowError(const std::string& message) override;

  // Everything shown so far, oldest first.
  const std::vector<FormEvent>& Events() const { return events_; }
  void ClearEvents() { events_.clear(); }
  // Called as each event happens (the command line prints them at once).
  void SetEventListener(std::function<void(const FormEvent&)> listener);

  const FieldSpec& FieldSpecOf(std::string_view name) const;
  FieldInventory Inventory() const { return fields_; }

 private:
  struct Control {
    const FieldSpec* field_spec = nullptr;
    std::string text{};
    bool checked = false;
    int index = -1;
    std::vector<std::string> items{};
  };

  // Unknown names and the wrong kind of access are programming errors:
  // both throw std::logic_error naming the control.
  Control& Find(std::string_view name);
  const Control& Find(std::string_view name) const;
  const Control& FindOfKind(std::string_view name, FieldKind a, FieldKind b) const;
  Control& FindOfKind(std::string_view name, FieldKind a, FieldKind b);
  void Record(FormEvent::Kind kind, std::string text);

  FieldInventory fields_;
  std::map<std::string, Control, std::less<>> controls_;
  std::string caption_;
  int progress_max_ = 100;
  int progress_position_ = 0;
  std::vector<FormEvent> events_;
  std::function<void(const FormEvent&)> listener_;
};

}  // namespace tevral
