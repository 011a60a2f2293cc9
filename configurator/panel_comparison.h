#pragma once
// Comparing what a panel holds with settings (a file, the window): field by
// field, by the labels the window shows, as a read sees the panel.
//
// Settings are never compared with the panel as they stand: they are first
// written into a panel kept in memory and read back from it, with the
// program's own sequences. That gives exactly what a read of a panel
// holding them would show, so the losses the panel's memory imposes (an
// alternate number read back to 15 digits, a period that is not stored
// while the connection check is off) are never reported as differences,
// and a real difference is never hidden behind one.

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "configurator/field_description.h"
#include "configurator/field_table.h"
#include "configurator/panel_session.h"

namespace tevral {

// A field that a read fetches, with the label a user knows it by.
struct ComparedField {
  std::string_view name{};
  std::string_view label{};  // UTF-8, as the window shows the field
  // Fetched only from an identified panel: a panel of limited functionality
  // does not give it.
  bool identified_only = false;
};

// Something a write stores that no read fetches.
struct UnreadSetting {
  std::string_view label{};   // UTF-8
  std::string_view reason{};  // UTF-8
};

// What comparing needs of a program: its fields, its sequences and which of
// its fields a read fetches.
struct ComparisonPlan {
  FieldInventory fields{};
  std::function<bool(PanelSession&)> read;
  std::function<bool(PanelSession&)> write;
  std::span<const ComparedField> compared{};
  std::span<const UnreadSetting> unread{};
  // The message a complete read ends with; the window's comparison leaves
  // it out, since its dialog says what the read found.
  std::string_view read_success{};
};

struct FieldDifference {
  std::string name;
  std::string label;        // UTF-8
  std::string left_value;   // UTF-8, as shown (the file's or the window's)
  std::string right_value;  // UTF-8, as shown (the panel's or the second file's)
};

struct NotCompared {
  std::string label;   // UTF-8
  std::string reason;  // UTF-8
};

struct Comparison {
  std::vector<FieldDifference> differences;
  std::vector<NotCompared> not_compared;
  // Set when the settings could not be written as they stand (a write would
  // refuse them): the refusal, and the values were compared unconverted.
  std::string left_refusal;
  std::string right_refusal;

  bool Agree() const { return differences.empty(); }
};

// A headless window with every panel setting blank (texts "", boxes and
// radio buttons off, choices unselected) and the connection selectors
// pointing at `port`. A read into it leaves blank exactly what it did not
// fetch.
FieldTable BlankPanelTable(FieldInventory fields, const std::string& port = "MODEL");

// Copies every panel setting of `source` into `target` (same inventory).
void CopyPanelSettings(const Form& source, FieldTable& target);

// What a read would show from a panel holding what a write of `values`
// stores. When the write refuses the values, `refusal` receives its message
// and the values are returned as they stand.
FieldTable ReadBackOf(const Form& values, const ComparisonPlan& plan, std::string& refusal);

// Compares settings (`left`, written and read back first) with what a read
// of a panel left in `panel`. `panel_limited`: the panel did not identify
// itself, so the identified-only fields were not fetched.
Comparison CompareWithPanel(const Form& left, const FieldTable& panel, bool panel_limited,
                            const ComparisonPlan& plan);

// Compares two sets of settings, both written and read back first.
Comparison CompareSettings(const Form& left, const Form& right, const ComparisonPlan& plan);

// A field's value as the comparison shows it, in UTF-8: a text as it
// stands, a box "так" or "ні", a choice its item or "(не вибрано)".
std::string ShownValue(const Form& form, const FieldSpec& field);

// Finds a compared field by control name or by its label (case and a
// trailing ":" do not matter); nullptr when none.
const ComparedField* FindComparedField(const ComparisonPlan& plan, std::string_view name_or_label);

}  // namespace tevral
