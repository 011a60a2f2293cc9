#pragma once
// The field inventory of the current program: every control of its main
// window that holds a panel setting, plus the two connection selectors. The
// window builds its controls from it, the headless field table starts from
// its defaults, and the settings files and panel sequences name the fields
// by the control names listed here.

#include <span>
#include <string_view>

#include "configurator/field_description.h"

namespace tevral::current {

// The 25 fields of the current program in window order, then cbPort and
// cbBaudRate.
FieldInventory CurrentFields();
// The group boxes that hold them.
std::span<const GroupSpec> CurrentGroups();

// Hint of every server line: two examples of the line's form, a TCP server
// by address and a UDP server by domain name.
inline constexpr std::string_view kServerLineHint =
    "Наприклад:\n\"TCP\",\"127.0.0.1\",3035\nабо\n\"UDP\",\"server.example.com\",7779";

}  // namespace tevral::current
