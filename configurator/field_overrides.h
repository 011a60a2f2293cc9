#pragma once
// Per-panel values on the command line: "--set NAME=VALUE" puts VALUE into
// one field over what the settings file gave, so one template serves a
// series of panels. NAME is the control name or the label the window shows;
// VALUE passes the checks that typing it into the window would: the field's
// character filter, its maximum length, code page 1251. A box takes 1 or 0,
// a choice the text of one of its items.

#include <optional>
#include <string>
#include <string_view>

#include "configurator/field_table.h"
#include "configurator/panel_comparison.h"

namespace tevral {

// Sets the field named by `assignment` ("NAME=VALUE", UTF-8). Returns why
// it was refused, in UTF-8, or nothing when it was set.
std::optional<std::string> ApplyFieldOverride(FieldTable& form, const ComparisonPlan& plan,
                                              std::string_view assignment);

}  // namespace tevral
