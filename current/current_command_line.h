#pragma once
// terminal without a window, for service scripts and checks:
//
//   terminal read  --port DEVICE [--baud RATE] --out FILE [--trace LOG]
//   terminal write --port DEVICE [--baud RATE] --in FILE [--trace LOG]
//   terminal --help
//
// The shared parser and runner with the current field set, its 26 settings
// keys and its read and write sequences.

#include "configurator/command_line.h"

namespace tevral::current {

// The current program: its fields, its 26 keys, ReadFromPanel and
// WriteToPanel, the system's port list.
CommandLineProgram CurrentCommandLineProgram();

}  // namespace tevral::current
