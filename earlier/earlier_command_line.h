#pragma once
// terminal-earlier without a window, for batch work and scripts:
//
//   terminal-earlier read  --port DEVICE [--baud RATE] --out FILE
//   terminal-earlier write --port DEVICE [--baud RATE] --in FILE
//   terminal-earlier --help
//
// The shared parser, output and exit status, with the earlier field set,
// its 29 settings keys and its read and write sequences.

#include "configurator/command_line.h"

namespace tevral::earlier {

// The earlier program: its fields, its 29 keys, ReadFromEarlierPanel and
// WriteToEarlierPanel, the system's port list.
CommandLineProgram EarlierCommandLineProgram();

}  // namespace tevral::earlier
