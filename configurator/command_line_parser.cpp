// The command line's arguments, parsed by CLI11: one subcommand per verb,
// each with its own options and --help.

#include <CLI/CLI.hpp>
#include <algorithm>
#include <optional>
#include <set>

#include "configurator/command_line.h"
#include "link/utf8_path.h"

namespace tevral {

namespace {

std::vector<std::string> RateItems() {
  return {std::begin(kBaudRateItems), std::end(kBaudRateItems)};
}

int BaudIndexOf(const std::string& rate) {
  const auto items = RateItems();
  return static_cast<int>(std::find(items.begin(), items.end(), rate) - items.begin());
}

std::string Synopsis(const std::string& name) {
  return "Usage:\n"
         "  " +
         name +
         " read   --port DEVICE [--baud RATE] --out FILE [--trace LOG]\n"
         "  " +
         name +
         " write  --port DEVICE [--baud RATE] --in FILE [--set NAME=VALUE]...\n"
         "                 [--verify] [--trace LOG]\n"
         "  " +
         name +
         " verify --port DEVICE [--baud RATE] --in FILE [--trace LOG]\n"
         "  " +
         name +
         " diff   FILE FILE\n"
         "  " +
         name +
         " ports\n"
         "  " +
         name +
         " detect [--baud RATE] [DEVICE...]\n"
         "  " +
         name +
         " [--demo] [--trace LOG]\n"
         "  " +
         name +
         " --help | --version\n"
         "\n"
         "Without a command the configurator window opens. --demo adds the port\n"
         "\"DEMO\" to its port list: a simulated panel inside the program, to try\n"
         "everything without a panel. --trace appends every frame and reply of the\n"
         "window's reads and writes to LOG. Each command has its own --help.\n";
}

std::string SaveLikeTheWindow(const CommandLineProgram& program) {
  return program.chooses_files
             ? "the settings are saved into FILE as the window's Save button saves them: "
               "FILE is taken as given (not moved into the program's folder)"
             : "the settings are saved into FILE with the keys of the program's zEdaza.ini, "
               "as the window's Save button writes them";
}

std::string LoadLikeTheWindow(const CommandLineProgram& program) {
  return program.chooses_files ? "Loads FILE as the window's Open button does"
                               : "Loads FILE as the program loads its zEdaza.ini at start";
}

std::string Footer() {
  return "Put the panel into its configuration mode (function 28) first.\n"
         "Every change of the window caption and every message the window would show\n"
         "is printed to standard error as it happens, in UTF-8; on a terminal a line\n"
         "there shows which exchange a read, write or verify is at.\n"
         "\n"
         "Exit status: 0 on success (for verify and diff: no differences); 1 after any\n"
         "failure (no answer, refused value, port or file error); 2 for wrong\n"
         "arguments; 3 when verify or diff found differences.\n";
}

// Word-wraps a subcommand's long description under its own --help.
void Explain(CLI::App& command, const std::string& text) {
  std::string wrapped;
  std::size_t column = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    const std::string word = text.substr(start, end - start);
    if (column > 0 && column + 1 + word.size() > 76) {
      wrapped += "\n";
      column = 0;
    } else if (column > 0) {
      wrapped += " ";
      ++column;
    }
    wrapped += word;
    column += word.size();
    start = end + 1;
  }
  command.footer(wrapped + "\n\n" + Footer());
}

// The options every panel command takes.
void AddConnection(CLI::App& command, CommandLineRequest& request, std::string& baud) {
  command.add_option("--port", request.port, "serial port the panel is connected to")
      ->type_name("DEVICE")
      ->required();
  command.add_option("--baud", baud, "line speed (default 115200)")
      ->type_name("RATE")
      ->check(CLI::IsMember(RateItems()));
}

void AddTrace(CLI::App& command, std::string& trace) {
  command
      .add_option("--trace", trace,
                  "append every frame sent and every reply received to LOG, one line each with "
                  "the time, the port and the outcome")
      ->type_name("LOG");
}

struct Values {
  std::string baud = std::string(kBaudRateItems[kDefaultBaudRateIndex]);
  std::string file;
  std::string trace;
  std::vector<std::string> files;
};

void DefineCommands(CLI::App& app, const CommandLineProgram& program, CommandLineRequest& request,
                    Values& values) {
  CLI::App* read = app.add_subcommand("read", "read the panel into a settings file");
  Explain(*read,
          "Reads the panel's settings. When the read completes, " + SaveLikeTheWindow(program) +
              ", created when missing, otherwise updated in place keeping its other sections, "
              "and replaced all at once. FILE is checked before the port is opened; a read "
              "that fails leaves it untouched.");
  AddConnection(*read, request, values.baud);
  read->add_option("--out", values.file, "settings file to save")->type_name("FILE")->required();
  AddTrace(*read, values.trace);

  CLI::App* write = app.add_subcommand("write", "write a settings file into the panel");
  Explain(*write, LoadLikeTheWindow(program) +
                      ", applies each --set, checks every value and writes the settings into the "
                      "panel. A FILE that does not exist or lacks any key is refused, naming the "
                      "missing keys; nothing is sent then. The port position stored in FILE is "
                      "ignored: DEVICE is used. Only what happened to the panel is printed.");
  AddConnection(*write, request, values.baud);
  write->add_option("--in", values.file, "settings file to write")->type_name("FILE")->required();
  write
      ->add_option("--set", request.sets,
                   "put VALUE into one field for this write; NAME is the control name "
                   "(AdvEdit_Object) or the label the window shows. VALUE passes the checks of "
                   "typing it into the window; a box takes 1 or 0, a list one of its items. "
                   "May be repeated.")
      ->type_name("NAME=VALUE")
      ->allow_extra_args(false);
  write->add_flag("--verify", request.verify,
                  "read the panel back after the write and compare, as verify does; exit 0 "
                  "only when the panel holds what was written");
  AddTrace(*write, values.trace);

  CLI::App* verify = app.add_subcommand("verify", "compare the panel with a settings file");
  Explain(*verify,
          "Reads the panel as a read does into a table of its own and compares it with FILE, "
          "printing one line per field that differs: its label, the file's value, the panel's "
          "value. Settings a read does not fetch are listed as not compared.");
  AddConnection(*verify, request, values.baud);
  verify->add_option("--in", values.file, "settings file to compare with")
      ->type_name("FILE")
      ->required();
  AddTrace(*verify, values.trace);

  CLI::App* diff = app.add_subcommand("diff", "compare two settings files");
  Explain(*diff, "Compares two settings files as verify compares a file with a panel, offline.");
  diff->add_option("files", values.files, "the two settings files")
      ->type_name("FILE")
      ->expected(2)
      ->required();

  CLI::App* ports = app.add_subcommand("ports", "list the serial ports");
  Explain(*ports,
          "Lists the serial ports with what the system knows of each: USB vendor "
          "and product, serial number, driver. Opens none of them.");

  CLI::App* detect = app.add_subcommand("detect", "find the port a panel answers on");
  Explain(*detect,
          "Sends the identification request quietly to each DEVICE named, or without names to "
          "each USB serial adapter in turn (never on its own to a built-in port, nor to a port "
          "another program holds), and prints which answered with what identification line.");
  detect->add_option("--baud", values.baud, "line speed (default 115200)")
      ->type_name("RATE")
      ->check(CLI::IsMember(RateItems()));
  detect->add_option("devices", request.devices, "ports to probe")->type_name("DEVICE");
}

PanelCommand CommandNamed(const std::string& name) {
  if (name == "read") return PanelCommand::kRead;
  if (name == "write") return PanelCommand::kWrite;
  if (name == "verify") return PanelCommand::kVerify;
  if (name == "diff") return PanelCommand::kDiff;
  if (name == "ports") return PanelCommand::kPorts;
  return PanelCommand::kDetect;
}

// A first word that is no command, and an option before any command, are
// named as such (the parser alone would only say a command is missing).
std::optional<std::string> FirstWordMistake(std::span<const std::string> args) {
  static const std::set<std::string> kFirstWords = {
      "read", "write", "verify", "diff", "ports", "detect", "--help", "-h", "--version"};
  if (args.empty()) return "no command given";
  const std::string& first = args[0];
  if (kFirstWords.contains(first)) return std::nullopt;
  if (first.starts_with("-")) return "unknown option '" + first.substr(0, first.find('=')) + "'";
  return "unknown command '" + first + "'";
}

}  // namespace

std::string CommandLineHelp(const CommandLineProgram& program) {
  CLI::App app(Synopsis(program.name), program.name);
  CommandLineRequest request;
  Values values;
  DefineCommands(app, program, request, values);
  app.footer(Footer());
  return app.help();
}

ParsedArguments ParseCommandLine(const CommandLineProgram& program,
                                 std::span<const std::string> args) {
  if (auto mistake = FirstWordMistake(args)) return ArgumentError{*mistake};
  CLI::App app(Synopsis(program.name), program.name);
  app.set_version_flag("--version", program.name + " " + program.version);
  app.require_subcommand(1, 1);
  app.footer(Footer());
  CommandLineRequest request;
  Values values;
  DefineCommands(app, program, request, values);

  std::vector<std::string> reversed(args.rbegin(), args.rend());  // CLI11 takes them backwards
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    return HelpRequest{app.help()};
  } catch (const CLI::CallForAllHelp&) {
    return HelpRequest{app.help("", CLI::AppFormatMode::All)};
  } catch (const CLI::CallForVersion&) {
    return VersionRequest{program.name + " " + program.version + "\n"};
  } catch (const CLI::ParseError& error) {
    std::string message = error.what();
    if (message.empty()) message = "wrong arguments";
    return ArgumentError{message};
  }
  const CLI::App* chosen = app.get_subcommands().front();
  request.command = CommandNamed(chosen->get_name());
  request.baud_index = BaudIndexOf(values.baud);
  request.file = PathFromUtf8(values.file);
  request.trace = PathFromUtf8(values.trace);
  if (values.files.size() == 2) {
    request.file = PathFromUtf8(values.files[0]);
    request.second_file = PathFromUtf8(values.files[1]);
  }
  return request;
}

bool IsWindowRequest(std::span<const std::string> args) {
  static const std::set<std::string> kWindowOptions = {"--demo", "--trace", "--screenshot"};
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string name = args[i].substr(0, args[i].find('='));
    if (!kWindowOptions.contains(name)) return false;
    if (name != "--demo" && name == args[i]) ++i;  // its value follows
  }
  return true;
}

}  // namespace tevral
