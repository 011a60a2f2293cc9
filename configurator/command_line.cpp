#include "configurator/command_line.h"

#include <algorithm>
#include <exception>
#include <iostream>
#include <map>
#include <optional>

#include "configurator/field_table.h"
#include "link/exchanges.h"
#include "link/tbcomport.h"
#include "link/trace.h"

namespace tevral {

namespace {

// ---- Parsing ---------------------------------------------------------------

bool IsHelp(std::string_view arg) {
  return arg == "--help" || arg == "-h";
}

std::optional<int> BaudIndex(std::string_view rate) {
  const auto* begin = std::begin(kBaudRateItems);
  const auto* end = std::end(kBaudRateItems);
  const auto* found = std::find(begin, end, rate);
  if (found == end) return std::nullopt;
  return static_cast<int>(found - begin);
}

std::string RateList() {
  std::string list;
  for (std::string_view rate : kBaudRateItems) {
    if (!list.empty()) list += ", ";
    list += rate;
  }
  return list;
}

// Collects "--name value" and "--name=value" pairs; every option takes a
// value and may be given once.
std::variant<std::map<std::string, std::string>, ArgumentError> CollectOptions(
    std::span<const std::string> args, std::span<const std::string_view> known) {
  std::map<std::string, std::string> options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!arg.starts_with("--")) return ArgumentError{"unexpected argument '" + arg + "'"};
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    if (std::find(known.begin(), known.end(), name) == known.end()) {
      return ArgumentError{"unknown option '" + name + "'"};
    }
    std::string value;
    if (equals != std::string::npos) {
      value = arg.substr(equals + 1);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      return ArgumentError{"option " + name + " needs a value"};
    }
    if (value.empty()) return ArgumentError{"option " + name + " needs a value"};
    if (!options.emplace(name, value).second) {
      return ArgumentError{"option " + name + " is given more than once"};
    }
  }
  return options;
}

// ---- Running ----------------------------------------------------------------

// The window shows message lines joined by CR LF; a terminal wants LF.
std::string TerminalLines(std::string text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

// The connection selectors point at the given device: the port list is the
// computer's, with the device added when it is not among them (a USB
// adapter that just came, a pseudo-terminal).
void SelectConnection(const CommandLineProgram& program, const CommandLineRequest& request,
                      FieldTable& form) {
  std::vector<std::string> ports;
  try {
    if (program.list_ports) ports = program.list_ports();
  } catch (const std::exception&) {
    ports.clear();  // the list only decides the saved position
  }
  auto found = std::find(ports.begin(), ports.end(), request.port);
  const int index = static_cast<int>(found - ports.begin());
  if (found == ports.end()) ports.push_back(request.port);
  form.SetItems("cbPort", ports);
  form.SetItemIndex("cbPort", index);
  form.SetItemIndex("cbBaudRate", request.baud_index);
}

// Runs the panel sequence; an error that escapes it goes to the error box,
// as in the window. With a trace file every frame and reply is appended to it.
bool RunSequence(const std::function<bool(PanelSession&)>& sequence, FieldTable& form,
                 const std::filesystem::path& trace_path) {
  link::TBComPort port;
  ApplyPanelTimeouts(port);
  link::Exchanges exchanges(port, form);
  PanelSession session{form, port, exchanges};
  std::optional<link::FileTrace> trace;
  try {
    if (!trace_path.empty()) {
      trace.emplace(trace_path, [&port] { return port.Port(); });
      exchanges.SetTrace(&*trace);
    }
    return sequence(session);
  } catch (const std::exception& error) {
    form.ShowError(error.what());
    return false;
  }
}

int RunRead(const CommandLineProgram& program, const CommandLineRequest& request,
            FieldTable& form) {
  SelectConnection(program, request, form);
  // Nothing touches the file unless the read completed: a broken-off read
  // leaves a mixture of old and new values that must not be kept.
  if (!RunSequence(program.read, form, request.trace)) return kExitFailure;
  try {
    SaveSettings(form, request.file, program.keys);
  } catch (const std::exception& error) {
    form.ShowError(error.what());
    return kExitFailure;
  }
  form.ShowMessage("Збережено успішно.");
  return kExitSuccess;
}

int RunWrite(const CommandLineProgram& program, const CommandLineRequest& request, FieldTable& form,
             std::ostream& err) {
  // Loading a missing file would quietly give every key its default; a
  // write of those would be no one's configuration.
  if (!SettingsFileExists(request.file)) {
    err << "Файл налаштувань не знайдено: " << request.file.string() << "\n";
    return kExitFailure;
  }
  std::optional<IniFile> file = IniFile::Load(request.file);
  if (!file) {
    err << "Неможливо прочитати файл налаштувань: " << request.file.string() << "\n";
    return kExitFailure;
  }
  LoadSettings(form, *file, program.keys);
  form.ShowMessage("Відкрито успішно.");
  // The file's port position belongs to another computer's list; the
  // device on the command line decides.
  SelectConnection(program, request, form);
  return RunSequence(program.write, form, request.trace) ? kExitSuccess : kExitFailure;
}

}  // namespace

ParsedArguments ParseCommandLine(std::span<const std::string> args) {
  if (std::any_of(args.begin(), args.end(), [](const std::string& a) { return IsHelp(a); })) {
    return HelpRequest{};
  }
  if (args.empty()) return ArgumentError{"no command given"};
  CommandLineRequest request;
  std::string_view file_option;
  if (args[0] == "read") {
    request.command = PanelCommand::kRead;
    file_option = "--out";
  } else if (args[0] == "write") {
    request.command = PanelCommand::kWrite;
    file_option = "--in";
  } else {
    return ArgumentError{"unknown command '" + args[0] + "'"};
  }
  const std::string_view known[] = {"--port", "--baud", file_option, "--trace"};
  auto collected = CollectOptions(args.subspan(1), known);
  if (auto* error = std::get_if<ArgumentError>(&collected)) return *error;
  auto& options = std::get<std::map<std::string, std::string>>(collected);

  if (!options.contains("--port")) return ArgumentError{"--port DEVICE is required"};
  request.port = options["--port"];
  const std::string file_key(file_option);
  if (!options.contains(file_key)) return ArgumentError{file_key + " FILE is required"};
  request.file = options[file_key];
  if (options.contains("--baud")) {
    auto index = BaudIndex(options["--baud"]);
    if (!index) {
      return ArgumentError{"--baud must be one of " + RateList() + " (not '" + options["--baud"] +
                           "')"};
    }
    request.baud_index = *index;
  }
  if (options.contains("--trace")) request.trace = options["--trace"];
  return request;
}

std::string CommandLineHelp(std::string_view program_name) {
  const std::string name(program_name);
  std::string help = "Usage:\n";
  help += "  " + name + " read  --port DEVICE [--baud RATE] --out FILE [--trace LOG]\n";
  help += "  " + name + " write --port DEVICE [--baud RATE] --in FILE [--trace LOG]\n";
  help += "  " + name + " [--demo] [--trace LOG]\n";
  help += "  " + name + " --help\n";
  help += R"(
Without a command the configurator window opens. --demo adds the port
"DEMO" to its port list: a simulated panel inside the program, to try
everything without a panel. --trace appends every frame and reply of the
window's reads and writes to LOG.

read   Reads the panel's settings through the serial port DEVICE (for
       example /dev/ttyUSB0), starting from the window's default values.
       When the read completes, the settings are saved into FILE exactly
       as the window's Save button saves them: FILE is taken as given
       (not moved into the program's folder), created when missing,
       otherwise updated in place keeping its other sections, and
       replaced all at once. A read that fails leaves FILE untouched.
write  Loads FILE as the window's Open button does, over the window's
       default values, checks every value, and writes the settings into
       the panel through DEVICE. A FILE that does not exist is an error;
       nothing is sent then. The port position stored in FILE is ignored:
       DEVICE is used.

Options:
  --port DEVICE  serial port the panel is connected to (required)
  --baud RATE    line speed (default 115200), one of
)";
  help += "                 " + RateList() + "\n";
  help += R"(  --out FILE     settings file to save (read)
  --in FILE      settings file to load (write)
  --trace LOG    append every frame sent and every reply received to LOG,
                 one line each with the time, the port and the outcome
  --help, -h     this text
Options may also be written --name=value.

Put the panel into its configuration mode (function 28) first.
Every change of the window caption and every message the window would
show is printed to standard error as it happens, in UTF-8.

Exit status: 0 after "Прочитано успішно." (and the save) or
"Записано успішно."; 1 after any failure (no answer, refused value,
port or file error, missing FILE); 2 for wrong arguments.
)";
  return help;
}

std::vector<std::string> SystemSerialPorts() {
  std::vector<std::string> ports;
  link::ListSerialPorts(ports);
  return ports;
}

int RunCommandLine(const CommandLineProgram& program, std::span<const std::string> args,
                   std::ostream& out, std::ostream& err) {
  ParsedArguments parsed = ParseCommandLine(args);
  if (std::holds_alternative<HelpRequest>(parsed)) {
    out << CommandLineHelp(program.name);
    return kExitSuccess;
  }
  if (auto* error = std::get_if<ArgumentError>(&parsed)) {
    err << program.name << ": " << error->message << "\n"
        << "Run '" << program.name << " --help' for usage.\n";
    return kExitUsage;
  }
  const auto& request = std::get<CommandLineRequest>(parsed);

  FieldTable form(program.fields);
  form.SetEventListener(
      [&err](const FormEvent& event) { err << TerminalLines(event.text) << std::endl; });
  return request.command == PanelCommand::kRead ? RunRead(program, request, form)
                                                : RunWrite(program, request, form, err);
}

int RunCommandLine(const CommandLineProgram& program, int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  return RunCommandLine(program, args, std::cout, std::cerr);
}

}  // namespace tevral
