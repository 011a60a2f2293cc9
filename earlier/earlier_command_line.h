#pragma once
// terminal-earlier without a window, for batch work and scripts:
//
//   terminal-earlier read / write / verify / diff / ports / detect
//
// The shared parser, output and exit status, with the earlier field set,
// its 29 settings keys and its read and write sequences.

#include "configurator/command_line.h"

namespace tevral::earlier {

// The earlier program: its fields, its 29 keys, ReadFromEarlierPanel and
// WriteToEarlierPanel, the system's port list.
CommandLineProgram EarlierCommandLineProgram();

}  // namespace tevral::earlier
