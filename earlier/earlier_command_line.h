#pragma once
// terminal-earlier without a window, for batch work and scripts:
//
//   terminal-earlier read  --port DEVICE [--baud RATE] --out FILE
//   terminal-earlier write --port DEVICE [--baud RATE] --in FILE
//   terminal-earlier --help
//
// read fills the earlier field set from the panel and saves its 29 keys
// into FILE (created or updated, other sections kept); write loads the 29
// keys from FILE and writes them into the panel. --port and --baud take the
// place of the file's port entry. Every caption and message the window
// would show goes to the error stream as it happens, in UTF-8.
//
// Exit status: 0 success, 1 any failure, 2 wrong arguments.

#include <iosfwd>
#include <string_view>

namespace tevral::earlier {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Whether the first argument asks for the command line rather than the
// window.
bool IsEarlierCommandLineVerb(std::string_view argument);

// Runs the command in argv[1..]; usage goes to `out` for --help, everything
// else to `err`.
int RunEarlierCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err);
// The same on the standard streams.
int RunEarlierCommandLine(int argc, const char* const* argv);

}  // namespace tevral::earlier
