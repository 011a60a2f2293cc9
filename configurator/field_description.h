#pragma once
// The field description both programs build their windows, field tables and
// settings from: every control that holds a panel setting, plus the two
// connection selectors, described as data (control name, kind, group box,
// labels, typing rules and default).
//
// Labels, captions and hints are UTF-8 (they are only ever shown). Default
// texts of text fields are code page 1251, like every field value.

#include <span>
#include <string>
#include <string_view>

namespace tevral {

enum class FieldKind {
  kText,    // an edit field holding a single-byte string
  kCheck,   // a check box
  kChoice,  // a drop-down list that only selects
  kRadio,   // a radio button; checking one unchecks the rest of its radio group
};

// What the user may type. Filters and maximum lengths act on typing only:
// text the program puts into a field is shown unchanged.
enum class InputFilter {
  kFree,
  kDigitsOnly,  // 0-9 and the editing keys; an emptied field shows "0"
  kListed,      // only the characters of FieldSpec::allowed (and backspace)
};

enum class Alignment { kLeft, kCentre };

struct FieldSpec {
  std::string_view name{};  // control name: the field's identifier everywhere
  FieldKind kind = FieldKind::kText;
  std::string_view group{};  // control name of the group box that holds it
  // The label above or left of the field, or the caption of a check box or
  // radio button; "" when it has none.
  std::string_view label{};
  // Further fixed texts that belong to the field ("00", "в", "* 5 сек.").
  std::span<const std::string_view> side_labels{};
  std::string_view hint{};  // "" for none
  InputFilter filter = InputFilter::kFree;
  std::string_view allowed{};                 // the characters of a kListed filter
  int max_length = 0;                         // 0: no limit
  std::string_view default_text{};            // kText
  bool default_checked = false;               // kCheck, kRadio
  int default_index = -1;                     // kChoice
  std::span<const std::string_view> items{};  // kChoice
  Alignment alignment = Alignment::kLeft;
  std::string_view radio_group{};  // kRadio: buttons with the same name exclude each other
  bool enabled = true;
  bool connection = false;  // a connection selector, not a panel setting
};

struct GroupSpec {
  std::string_view name{};
  std::string_view caption{};  // "" for an uncaptioned group box
};

using FieldInventory = std::span<const FieldSpec>;

// The entry named `name`, or nullptr.
const FieldSpec* FindField(FieldInventory fields, std::string_view name);

// Whether typing the single-byte character `c` into the field is allowed
// by its filter (the length limit is the caller's: it depends on the
// current text and selection).
bool FilterAccepts(const FieldSpec& field, char c);

// Items of the speed selector; the selected index is the port's speed
// setting, 12 being 115200.
inline constexpr std::string_view kBaudRateItems[] = {
    "110",   "300",   "600",   "1200",  "2400",   "4800",   "9600",  "14400",
    "19200", "38400", "56000", "57600", "115200", "128000", "256000"};
inline constexpr int kDefaultBaudRateIndex = 12;

}  // namespace tevral
