#include "configurator/command_line.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <optional>
#include <ostream>

#include "configurator/console.h"
#include "configurator/field_overrides.h"
#include "configurator/field_table.h"
#include "configurator/identification_line.h"
#include "configurator/messages.h"
#include "configurator/port_probe.h"
#include "configurator/progress_line.h"
#include "link/com_errors.h"
#include "link/exchanges.h"
#include "link/port_details.h"
#include "link/tbcomport.h"
#include "link/trace.h"
#include "link/utf8_path.h"

#ifdef _WIN32
#include <io.h>

#include <cstdio>
#else
#include <unistd.h>
#endif

namespace tevral {

namespace {

namespace fs = std::filesystem;

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

// Everything a command needs to print: its findings, its messages and the
// progress line between them.
struct Output {
  std::ostream& out;
  std::ostream& err;
  ProgressLine& progress;

  void Message(const std::string& text) {
    progress.Clear();
    err << TerminalLines(text) << std::endl;
  }
  void PrintEvents(FieldTable& table) {
    table.SetEventListener([this](const FormEvent& event) { Message(event.text); });
  }
};

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

// Runs a panel sequence; an error that escapes it goes to the error box, as
// in the window. One that comes before the port is open names the port, so
// a script running over several adapters says which one failed. With a
// trace file every frame and reply is appended to it; a trace that could
// not be written is reported once the sequence is over, without changing
// its outcome (the panel was read or written all the same).
bool RunSequence(const std::function<bool(PanelSession&)>& sequence, FieldTable& form,
                 const fs::path& trace_path) {
  link::TBComPort port;
  ApplyPanelTimeouts(port);
  link::Exchanges exchanges(port, form);
  PanelSession session{form, port, exchanges};
  std::optional<link::FileTrace> trace;
  bool done = false;
  try {
    if (!trace_path.empty()) {
      trace.emplace(trace_path, [&port] { return port.Port(); });
      exchanges.SetTrace(&*trace);
    }
    done = sequence(session);
  } catch (const link::EComPort& error) {
    const bool opened = port.IsOpen();
    port.Close();
    form.ShowError(opened ? std::string(error.what())
                          : "Порт " + form.Text("cbPort") + ": " + error.what());
  } catch (const std::exception& error) {
    form.ShowError(error.what());
  }
  if (trace) {
    if (const auto failure = trace->TakeFailure()) form.ShowError(*failure);
  }
  return done;
}

// Whether a save into `path` can succeed, asked before the port is opened
// so a read is not made for nothing: an existing file must open for
// writing, a new one needs a folder that takes files.
std::optional<std::string> CheckWritable(const fs::path& path) {
  std::error_code error;
  if (fs::exists(path, error)) {
    if (fs::is_directory(path, error)) return "це папка, а не файл: " + PathToUtf8(path);
    std::ofstream probe(path, std::ios::app | std::ios::binary);
    if (!probe) return "файл не можна записати: " + PathToUtf8(path);
    return std::nullopt;
  }
  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
  if (!fs::is_directory(folder, error)) return "немає папки " + PathToUtf8(folder);
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  const fs::path test = folder / (".tevral-write-test-" + std::to_string(stamp));
  {
    std::ofstream probe(test, std::ios::binary);
    if (!probe) return "у папку не можна записати: " + PathToUtf8(folder);
  }
  fs::remove(test, error);
  return std::nullopt;
}

// Loads a settings file for a write or a comparison. A missing or
// unreadable file, and one that lacks any key, would give defaults that
// are no one's configuration: each is refused, naming what is wrong.
std::optional<FieldTable> LoadSettingsFile(const CommandLineProgram& program, const fs::path& path,
                                           Output& output) {
  if (!SettingsFileExists(path)) {
    output.Message("Файл налаштувань не знайдено: " + PathToUtf8(path));
    return std::nullopt;
  }
  std::optional<IniFile> file = IniFile::Load(path);
  if (!file) {
    output.Message("Неможливо прочитати файл налаштувань: " + PathToUtf8(path));
    return std::nullopt;
  }
  const std::vector<std::string> missing = MissingSettingsKeys(*file, program.keys);
  if (!missing.empty()) {
    output.Message(PathToUtf8(path) + ": " + std::string(kMissingKeysRefusal) + JoinKeys(missing));
    return std::nullopt;
  }
  FieldTable form(program.fields);
  LoadSettings(form, *file, program.keys);
  return form;
}

// The names the two sides of a comparison go by in its lines.
struct Sides {
  std::string left;
  std::string right;
};

// One line per difference and per setting not compared, on standard
// output; the verdict closes it.
int PrintComparison(const Comparison& comparison, const Sides& sides, const std::string& agree,
                    Output& output) {
  if (!comparison.left_refusal.empty()) {
    output.Message(sides.left + ": запис відмовився б від цих значень (" +
                   TerminalLines(comparison.left_refusal) + "); порівнюються як є.");
  }
  if (!comparison.right_refusal.empty()) {
    output.Message(sides.right + ": запис відмовився б від цих значень (" +
                   TerminalLines(comparison.right_refusal) + "); порівнюються як є.");
  }
  output.progress.Clear();
  for (const FieldDifference& d : comparison.differences) {
    output.out << d.label << ": " << sides.left << " «" << d.left_value << "», " << sides.right
               << " «" << d.right_value << "»\n";
  }
  for (const NotCompared& n : comparison.not_compared) {
    output.out << n.label << ": не порівнюється (" << n.reason << ")\n";
  }
  if (comparison.Agree()) {
    output.out << agree << "\n";
    return kExitSuccess;
  }
  output.out << "Відмінностей: " << comparison.differences.size() << ".\n";
  return kExitDiffer;
}

// Reads the panel into a table of its own, leaving `values` alone, and
// compares the two.
int ComparePanel(const CommandLineProgram& program, const CommandLineRequest& request,
                 const FieldTable& values, const Sides& sides, Output& output) {
  output.progress.SetPhase("перевірка");
  ProgressTable panel(BlankPanelTable(program.fields), output.progress);
  output.PrintEvents(panel);
  SelectConnection(program, request, panel);
  if (!RunSequence(program.read, panel, request.trace)) return kExitFailure;
  const bool limited = panel.Caption() == kLimitedCaption;
  const Comparison comparison = CompareWithPanel(values, panel, limited, program.comparison);
  return PrintComparison(comparison, sides, "Панель містить те саме, що " + sides.left + ".",
                         output);
}

int RunRead(const CommandLineProgram& program, const CommandLineRequest& request, Output& output) {
  if (auto problem = CheckWritable(request.file)) {
    output.Message("Неможливо зберегти налаштування: " + *problem);
    return kExitFailure;
  }
  output.progress.SetPhase("читання");
  ProgressTable form(program.fields, output.progress);
  output.PrintEvents(form);
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
  form.ShowMessage(kSaveSuccessMessage);
  return kExitSuccess;
}

int RunWrite(const CommandLineProgram& program, const CommandLineRequest& request, Output& output) {
  std::optional<FieldTable> loaded = LoadSettingsFile(program, request.file, output);
  if (!loaded) return kExitFailure;
  for (const std::string& assignment : request.sets) {
    if (auto refusal = ApplyFieldOverride(*loaded, program.comparison, assignment)) {
      output.Message(*refusal);
      return kExitUsage;
    }
  }
  output.progress.SetPhase("запис");
  ProgressTable form(*loaded, output.progress);
  output.PrintEvents(form);
  // The file's port position belongs to another computer's list; the
  // device on the command line decides.
  SelectConnection(program, request, form);
  if (!RunSequence(program.write, form, request.trace)) return kExitFailure;
  if (!request.verify) return kExitSuccess;
  // The read-back opens the port anew and starts with the identification,
  // as every read does: the panel has acknowledged the write's last frame,
  // so it is ready for it.
  return ComparePanel(program, request, form, {"записано", "панель"}, output);
}

int RunVerify(const CommandLineProgram& program, const CommandLineRequest& request,
              Output& output) {
  std::optional<FieldTable> loaded = LoadSettingsFile(program, request.file, output);
  if (!loaded) return kExitFailure;
  return ComparePanel(program, request, *loaded, {"файл", "панель"}, output);
}

int RunDiff(const CommandLineProgram& program, const CommandLineRequest& request, Output& output) {
  std::optional<FieldTable> left = LoadSettingsFile(program, request.file, output);
  if (!left) return kExitFailure;
  std::optional<FieldTable> right = LoadSettingsFile(program, request.second_file, output);
  if (!right) return kExitFailure;
  const Comparison comparison = CompareSettings(*left, *right, program.comparison);
  return PrintComparison(
      comparison, {PathToUtf8(request.file.filename()), PathToUtf8(request.second_file.filename())},
      "Файли містять те саме.", output);
}

int RunPorts(Output& output) {
  const std::vector<link::PortDetails> ports = link::DescribeSerialPorts();
  if (ports.empty()) {
    output.Message("Послідовних портів не знайдено.");
    return kExitSuccess;
  }
  for (const link::PortDetails& port : ports) output.out << DescribePort(port) << "\n";
  return kExitSuccess;
}

int RunDetect(const CommandLineRequest& request, Output& output) {
  std::vector<std::string> devices = request.devices;
  if (devices.empty()) devices = UsbAdapterPorts(link::DescribeSerialPorts());
  if (devices.empty()) {
    output.Message(
        "USB-адаптерів не знайдено; вбудовані порти перевіряються лише названі явно: "
        "detect ПОРТ...");
    return kExitFailure;
  }
  bool found = false;
  for (const std::string& device : devices) {
    output.progress.Clear();
    const ProbeOutcome outcome = ProbePort(device, request.baud_index);
    switch (outcome.kind) {
      case ProbeOutcome::Kind::kIdentified:
      case ProbeOutcome::Kind::kAnswered:
        found = true;
        output.out << device << ": " << outcome.text << "\n";
        break;
      case ProbeOutcome::Kind::kSilent:
        output.out << device << ": немає відповіді\n";
        break;
      case ProbeOutcome::Kind::kNotOpened:
        output.out << device << ": " << ErrorBoxText(outcome.text) << "\n";
        break;
    }
    output.out.flush();
  }
  return found ? kExitSuccess : kExitFailure;
}

bool StandardErrorIsTerminal() {
#ifdef _WIN32
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(STDERR_FILENO) != 0;
#endif
}

}  // namespace

std::vector<std::string> SystemSerialPorts() {
  std::vector<std::string> ports;
  link::ListSerialPorts(ports);
  return ports;
}

int RunCommandLine(const CommandLineProgram& program, std::span<const std::string> args,
                   std::ostream& out, std::ostream& err, bool progress) {
  ParsedArguments parsed = ParseCommandLine(program, args);
  if (const auto* help = std::get_if<HelpRequest>(&parsed)) {
    out << help->text;
    return kExitSuccess;
  }
  if (const auto* version = std::get_if<VersionRequest>(&parsed)) {
    out << version->text;
    return kExitSuccess;
  }
  if (const auto* error = std::get_if<ArgumentError>(&parsed)) {
    err << program.name << ": " << error->message << "\n"
        << "Run '" << program.name << " --help' for usage.\n";
    return kExitUsage;
  }
  const auto& request = std::get<CommandLineRequest>(parsed);
  ProgressLine line(err, progress);
  Output output{out, err, line};
  switch (request.command) {
    case PanelCommand::kRead:
      return RunRead(program, request, output);
    case PanelCommand::kWrite:
      return RunWrite(program, request, output);
    case PanelCommand::kVerify:
      return RunVerify(program, request, output);
    case PanelCommand::kDiff:
      return RunDiff(program, request, output);
    case PanelCommand::kPorts:
      return RunPorts(output);
    case PanelCommand::kDetect:
      return RunDetect(request, output);
  }
  return kExitFailure;
}

int RunCommandLine(const CommandLineProgram& program, int argc, char** argv) {
  const std::vector<std::string> args = CommandLineArguments(argc, argv);
  ConsoleStreams console;
  return RunCommandLine(program, args, console.Out(), console.Err(), StandardErrorIsTerminal());
}

}  // namespace tevral
