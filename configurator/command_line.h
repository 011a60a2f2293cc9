#pragma once
// The command line of the configurator, for service work without a display
// and for scripts:
//
//   terminal read   --port DEVICE [--baud RATE] --out FILE [--trace LOG]
//   terminal write  --port DEVICE [--baud RATE] --in FILE [--set NAME=VALUE]...
//                   [--verify] [--trace LOG]
//   terminal verify --port DEVICE [--baud RATE] --in FILE [--trace LOG]
//   terminal diff   FILE FILE
//   terminal ports
//   terminal detect [--baud RATE] [DEVICE...]
//   terminal --help | --version
//
// read and write run the same sequences as the window's buttons, against a
// headless field table. Every caption change and every message the window
// would show is printed to the error stream as it happens, in UTF-8; what a
// command finds (differences, ports, answers) goes to standard output.
//
// The parser and the runner are shared: each program hands in its own
// fields, settings keys, sequences and comparison plan.

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "configurator/field_description.h"
#include "configurator/ini_file.h"
#include "configurator/panel_comparison.h"
#include "configurator/panel_session.h"
#include "configurator/settings_file.h"

namespace tevral {

// ---- What differs between the two programs ---------------------------------

struct CommandLineProgram {
  std::string name;     // as shown in the help, e.g. "terminal"
  std::string version;  // "0.7"
  FieldInventory fields;
  SettingsKeySet keys;
  std::function<bool(PanelSession&)> read;   // true after its success message
  std::function<bool(PanelSession&)> write;  // true after its success message
  ComparisonPlan comparison;
  // The computer's serial ports, for the port selector; a device that is
  // not in the list is added at its end.
  std::function<std::vector<std::string>()> list_ports;
  // The window has Open and Save with chosen files (the current program);
  // otherwise it keeps one fixed file and has only Save.
  bool chooses_files = true;
};

// The system's serial ports, the list_ports of both programs.
std::vector<std::string> SystemSerialPorts();

// ---- Arguments -------------------------------------------------------------

enum class PanelCommand { kRead, kWrite, kVerify, kDiff, kPorts, kDetect };

struct CommandLineRequest {
  PanelCommand command = PanelCommand::kRead;
  std::string port;                        // the device path, as given
  int baud_index = kDefaultBaudRateIndex;  // index in kBaudRateItems
  std::filesystem::path file;              // --out for read, --in for write and verify,
                                           // the first file of diff
  std::filesystem::path second_file;       // diff
  std::filesystem::path trace;             // --trace: frame trace to append to; empty: none
  bool verify = false;                     // write --verify
  std::vector<std::string> sets;           // write --set NAME=VALUE, in order
  std::vector<std::string> devices;        // detect
};
struct HelpRequest {
  std::string text;
};
struct VersionRequest {
  std::string text;
};
struct ArgumentError {
  std::string message;
};
using ParsedArguments =
    std::variant<CommandLineRequest, HelpRequest, VersionRequest, ArgumentError>;

// Parses the arguments after the program name. Options may be written
// "--port DEVICE" or "--port=DEVICE"; each but --set may be given once.
ParsedArguments ParseCommandLine(const CommandLineProgram& program,
                                 std::span<const std::string> args);

std::string CommandLineHelp(const CommandLineProgram& program);

// Whether the arguments after the program name ask for the window: none at
// all, or only the window's own options (--demo, --trace, --screenshot).
// Anything else is the command line's, which needs no display, so a
// mistyped verb is a usage error and never a window that cannot start.
bool IsWindowRequest(std::span<const std::string> args);

// Exit codes.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitDiffer = 3;  // verify and diff: the two disagree

// Runs one command; help, version and findings go to `out`, messages to
// `err`. With `progress`, read, write and verify keep one line on `err`
// showing the exchange they are at.
int RunCommandLine(const CommandLineProgram& program, std::span<const std::string> args,
                   std::ostream& out, std::ostream& err, bool progress = false);

// `program` with the process's arguments (argv[0] is skipped) and its
// standard output and error (see console.h: on Windows the wide command
// line, and the console the program was started from); progress only when
// standard error is a terminal.
int RunCommandLine(const CommandLineProgram& program, int argc, char** argv);

}  // namespace tevral
