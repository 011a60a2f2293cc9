#pragma once
// The command line of the configurator, for service scripts and checks
// without a display:
//
//   terminal read  --port DEVICE [--baud RATE] --out FILE [--trace LOG]
//   terminal write --port DEVICE [--baud RATE] --in FILE [--trace LOG]
//   terminal --help
//
// Both run the same sequences as the window's buttons, against a headless
// field table that starts from the window's defaults. Every caption change
// and every message the window would show is printed to the error stream
// as it happens, in UTF-8.
//
// The parser and the runner are shared: each program hands in its own
// fields, settings keys and sequences.

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "configurator/field_spec.h"
#include "configurator/ini_file.h"
#include "configurator/panel_session.h"
#include "configurator/settings_file.h"

namespace tevral {

// ---- Arguments -------------------------------------------------------------

enum class PanelCommand { kRead, kWrite };

struct CommandLineRequest {
  PanelCommand command = PanelCommand::kRead;
  std::string port;                        // the device path, as given
  int baud_index = kDefaultBaudRateIndex;  // index in kBaudRateItems
  std::filesystem::path file;              // --out for read, --in for write
  std::filesystem::path trace;             // --trace: frame trace to append to; empty: none
};
struct HelpRequest {};
struct ArgumentError {
  std::string message;
};
using ParsedArguments = std::variant<CommandLineRequest, HelpRequest, ArgumentError>;

// Parses the arguments after the program name. Options may be written
// "--port DEVICE" or "--port=DEVICE"; each may be given once.
ParsedArguments ParseCommandLine(std::span<const std::string> args);

// ---- What differs between the two programs ---------------------------------

struct CommandLineProgram {
  std::string name;  // as shown in the help, e.g. "terminal"
  FieldInventory fields;
  SettingsKeySet keys;
  std::function<bool(PanelSession&)> read;   // true after its success message
  std::function<bool(PanelSession&)> write;  // true after its success message
  // The computer's serial ports, for the port selector; a device that is
  // not in the list is added at its end.
  std::function<std::vector<std::string>()> list_ports;
};

// The system's serial ports, the list_ports of both programs.
std::vector<std::string> SystemSerialPorts();

std::string CommandLineHelp(std::string_view program_name);

// Exit codes.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Runs one command; the help goes to `out`, everything else to `err`.
int RunCommandLine(const CommandLineProgram& program, std::span<const std::string> args,
                   std::ostream& out, std::ostream& err);

// `program` with the process's arguments (argv[0] is skipped), std::cout
// and std::cerr.
int RunCommandLine(const CommandLineProgram& program, int argc, char** argv);

}  // namespace tevral
