#include "earlier/earlier_command_line.h"

#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "current/field_table.h"
#include "current/ini_file.h"
#include "current/panel_session.h"
#include "current/settings.h"
#include "earlier/earlier_fields.h"
#include "earlier/earlier_read_sequence.h"
#include "earlier/earlier_settings.h"
#include "earlier/earlier_write_sequence.h"
#include "link/exchanges.h"
#include "link/tbcomport.h"

namespace tevral::earlier {
namespace {

constexpr const char* kUsage =
    "Використання:\n"
    "  terminal-earlier read  --port DEVICE [--baud RATE] --out FILE\n"
    "  terminal-earlier write --port DEVICE [--baud RATE] --in FILE\n"
    "  terminal-earlier --help\n"
    "RATE: 110 300 600 1200 2400 4800 9600 14400 19200 38400 56000 57600 115200 128000 "
    "256000 (115200 якщо не вказано)\n";

enum class Verb { kRead, kWrite, kHelp };

struct Arguments {
  Verb verb = Verb::kHelp;
  std::string port;
  int baud_index = kDefaultBaudRateIndex;
  std::filesystem::path file;
};

// A wrong argument: the message for the user, then the usage.
struct UsageError {
  std::string message;
};

std::optional<int> BaudIndex(std::string_view rate) {
  for (size_t k = 0; k < std::size(kBaudRateItems); ++k) {
    if (kBaudRateItems[k] == rate) return static_cast<int>(k);
  }
  return std::nullopt;
}

Verb ParseVerb(std::string_view word) {
  if (word == "read") return Verb::kRead;
  if (word == "write") return Verb::kWrite;
  if (word == "--help" || word == "-h") return Verb::kHelp;
  throw UsageError{"Невідома команда: " + std::string(word)};
}

Arguments ParseArguments(int argc, const char* const* argv) {
  if (argc < 2) throw UsageError{"Не вказано команду"};
  Arguments args;
  args.verb = ParseVerb(argv[1]);
  if (args.verb == Verb::kHelp) return args;
  const std::string_view file_option = args.verb == Verb::kRead ? "--out" : "--in";
  bool have_file = false;
  for (int k = 2; k < argc; k += 2) {
    const std::string_view option = argv[k];
    if (k + 1 >= argc) throw UsageError{"Не вказано значення для " + std::string(option)};
    const std::string value = argv[k + 1];
    if (option == "--port") {
      args.port = value;
    } else if (option == "--baud") {
      const auto index = BaudIndex(value);
      if (!index) throw UsageError{"Недопустима швидкість: " + value};
      args.baud_index = *index;
    } else if (option == file_option) {
      args.file = value;
      have_file = true;
    } else {
      throw UsageError{"Невідомий параметр: " + std::string(option)};
    }
  }
  if (args.port.empty()) throw UsageError{"Не вказано --port"};
  if (!have_file || args.file.empty()) throw UsageError{"Не вказано " + std::string(file_option)};
  return args;
}

// The headless window, its port and exchanges, with every caption and
// message echoed to `err` as it is shown.
class Session {
 public:
  Session(const Arguments& args, std::ostream& err) {
    form_.SetEventListener([&err](const FormEvent& event) {
      err << event.text << '\n' << std::flush;
    });
    SelectConnection(args);
    ApplyPanelTimeouts(port_);
  }

  // The command line's --port and --baud, also over a loaded file's port.
  void SelectConnection(const Arguments& args) {
    form_.SetItems("cbPort", {args.port});
    form_.SetItemIndex("cbPort", 0);
    form_.SetItemIndex("cbBaudRate", args.baud_index);
  }

  FieldTable& Form() { return form_; }
  PanelSession& Panel() { return session_; }

 private:
  FieldTable form_{EarlierFields()};
  link::TBComPort port_;
  link::Exchanges exchanges_{port_, form_};
  PanelSession session_{form_, port_, exchanges_};
};

bool RunRead(const Arguments& args, Session& session) {
  if (!ReadFromEarlierPanel(session.Panel())) return false;
  SaveSettings(session.Form(), args.file, EarlierSettingsKeys());
  session.Form().ShowMessage(kSaveSuccessMessage);
  return true;
}

bool RunWrite(const Arguments& args, Session& session) {
  const std::optional<IniFile> file = IniFile::Load(args.file);
  if (!file) {
    session.Form().ShowError("Open Error: missing " + args.file.string());
    return false;
  }
  LoadSettings(session.Form(), *file, EarlierSettingsKeys());
  session.SelectConnection(args);
  return WriteToEarlierPanel(session.Panel());
}

// Errors the window's error box would show (the port's, a settings file
// that cannot be written) end the command with status 1.
int RunCommand(const Arguments& args, std::ostream& err) {
  Session session(args, err);
  try {
    const bool done = args.verb == Verb::kRead ? RunRead(args, session) : RunWrite(args, session);
    return done ? kExitSuccess : kExitFailure;
  } catch (const std::exception& error) {
    session.Form().ShowError(error.what());
    return kExitFailure;
  }
}

}  // namespace

bool IsEarlierCommandLineVerb(std::string_view argument) {
  return argument == "read" || argument == "write" || argument == "--help" || argument == "-h";
}

int RunEarlierCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  Arguments args;
  try {
    args = ParseArguments(argc, argv);
  } catch (const UsageError& error) {
    err << error.message << '\n' << kUsage;
    return kExitUsage;
  }
  if (args.verb == Verb::kHelp) {
    out << kUsage;
    return kExitSuccess;
  }
  return RunCommand(args, err);
}

int RunEarlierCommandLine(int argc, const char* const* argv) {
  return RunEarlierCommandLine(argc, argv, std::cout, std::cerr);
}

}  // namespace tevral::earlier
