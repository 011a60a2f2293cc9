#pragma once
// terminal without a window, for service scripts and checks:
//
//   terminal read / write / verify / diff / ports / detect
//
// The shared parser and runner with the current field set, its 26 settings
// keys, its read and write sequences and its comparison plan.

#include "configurator/command_line.h"

namespace tevral::current {

// The current program: its fields, its 26 keys, ReadFromPanel and
// WriteToPanel, its comparison plan, the system's port list.
CommandLineProgram CurrentCommandLineProgram();

}  // namespace tevral::current
