#pragma once
// terminal-earlier without a window, for batch work and scripts:
//
//   terminal-earlier read / write / verify / diff / ports / detect
//
// The same parser, output and exit status as terminal's command line (see
// current/command_line.h), with the earlier field set, its 29 settings
// keys and its read and write sequences.

#include "current/command_line.h"

namespace tevral::earlier {

// The earlier program: its fields, its 29 keys, ReadFromEarlierPanel and
// WriteToEarlierPanel, the system's port list.
CommandLineProgram EarlierCommandLineProgram();

// The earlier program with the process's arguments (argv[0] is skipped),
// std::cout and std::cerr.
int RunEarlierCommandLine(int argc, char** argv);

}  // namespace tevral::earlier
