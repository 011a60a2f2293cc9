#include "sim/panel_sim.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <limits>
#include <map>
#include <optional>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "configurator/whole_file_writer.h"

namespace tevral::sim {

namespace {

constexpr int kLongestDelayMs = 60000;
constexpr int kLongestChunkGapMs = 1000;
constexpr int kLargestCount = 400;

struct OptionSpec {
  std::string_view name;
  bool takes_value;
};

constexpr OptionSpec kOptions[] = {
    {"--firmware", true},   {"--memory", true},     {"--limited", false},   {"--silent", false},
    {"--delay", true},      {"--fail-after", true}, {"--chunk-gap", true},  {"--chunk-size", true},
    {"--drop-pairs", true}, {"--noise", true},      {"--hang-up-at", true},
};

const OptionSpec* FindOption(std::string_view name) {
  for (const OptionSpec& option : kOptions) {
    if (option.name == name) return &option;
  }
  return nullptr;
}

// A whole decimal number from 0 to `highest`, nothing else.
std::optional<int> Count(std::string_view text, int highest) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end || value < 0 || value > highest) {
    return std::nullopt;
  }
  return value;
}

using OptionValues = std::map<std::string, std::string, std::less<>>;

struct NumberOption {
  std::string_view name;
  int lowest;
  int highest;
  int PanelSimOptions::*field;
  std::string_view what;  // "must be ..." in the usage error
};

constexpr NumberOption kNumberOptions[] = {
    {"--chunk-gap", 0, kLongestChunkGapMs, &PanelSimOptions::chunk_gap_ms,
     "milliseconds from 0 to 1000"},
    {"--chunk-size", 1, kLargestCount, &PanelSimOptions::chunk_size,
     "a number of characters from 1 to 400"},
    {"--drop-pairs", 0, kLargestCount, &PanelSimOptions::drop_pairs,
     "a number of pairs from 0 to 400"},
    {"--noise", 0, kLargestCount, &PanelSimOptions::noise, "a number of bytes from 0 to 400"},
    {"--hang-up-at", 1, std::numeric_limits<int>::max(), &PanelSimOptions::hang_up_at,
     "a request number from 1"},
};

// The options that are plain numbers within bounds; an error names the first
// one out of them.
std::optional<PanelSimUsageError> TakeNumberOptions(const OptionValues& values,
                                                    PanelSimOptions& options) {
  for (const NumberOption& option : kNumberOptions) {
    const auto it = values.find(option.name);
    if (it == values.end()) continue;
    const auto value = Count(it->second, option.highest);
    if (!value || *value < option.lowest) {
      return PanelSimUsageError{std::string(option.name) + " must be " + std::string(option.what)};
    }
    options.*option.field = *value;
  }
  return std::nullopt;
}

std::variant<OptionValues, PanelSimUsageError> CollectOptions(std::span<const std::string> args) {
  OptionValues values;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const OptionSpec* option = FindOption(name);
    if (!option) return PanelSimUsageError{"unknown argument '" + arg + "'"};
    std::string value;
    if (!option->takes_value) {
      if (equals != std::string::npos) return PanelSimUsageError{name + " takes no value"};
    } else if (equals != std::string::npos) {
      value = arg.substr(equals + 1);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    }
    if (option->takes_value && value.empty()) return PanelSimUsageError{name + " needs a value"};
    if (!values.emplace(name, value).second) {
      return PanelSimUsageError{name + " is given more than once"};
    }
  }
  return values;
}

}  // namespace

PanelSimArguments ParsePanelSimArguments(std::span<const std::string> args) {
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") return PanelSimHelp{};
  }
  auto collected = CollectOptions(args);
  if (auto* error = std::get_if<PanelSimUsageError>(&collected)) return *error;
  const auto& values = std::get<OptionValues>(collected);

  PanelSimOptions options;
  if (auto it = values.find("--firmware"); it != values.end()) {
    const auto firmware = ParseFirmware(it->second);
    if (!firmware) return PanelSimUsageError{"--firmware must be current or earlier"};
    options.firmware = *firmware;
  }
  if (auto it = values.find("--memory"); it != values.end()) options.memory_file = it->second;
  options.limited = values.contains("--limited");
  options.silent = values.contains("--silent");
  if (auto it = values.find("--delay"); it != values.end()) {
    const auto delay = Count(it->second, kLongestDelayMs);
    if (!delay) {
      return PanelSimUsageError{"--delay must be milliseconds from 0 to " +
                                std::to_string(kLongestDelayMs)};
    }
    options.delay_ms = *delay;
  }
  if (auto it = values.find("--fail-after"); it != values.end()) {
    const auto count = Count(it->second, std::numeric_limits<int>::max());
    if (!count) return PanelSimUsageError{"--fail-after must be a whole number of replies"};
    options.fail_after = *count;
  }
  if (auto error = TakeNumberOptions(values, options)) return *error;
  return options;
}

std::string LineNoise(int count) {
  static constexpr char kPattern[] = {'\xFF', '\x00', '~', '\x13', '?'};
  std::string noise;
  for (int i = 0; i < count; ++i) noise += kPattern[i % sizeof kPattern];
  return noise;
}

std::string PanelSimHelpText() {
  return R"(Usage: panel-sim [options]

Runs a simulated Tevral-1/2 panel on a pseudo-terminal and prints the
device path to open as the panel's serial port, alone on the first line of
standard output, for example:

  terminal read --port /dev/pts/5 --out panel.ini

Then it prints one line per request it receives, with the reply it sent,
until Ctrl+C or SIGTERM stops it.

Options:
  --firmware current|earlier  the panel's firmware (default current)
  --memory FILE     memory image (both banks, 131072 bytes): loaded at the
                    start when FILE exists, otherwise the panel starts
                    configured and FILE is created; saved on exit.
                    One FILE serves one panel-sim at a time.
  --limited         answer identification as older panel software does
  --silent          answer nothing
  --delay MS        wait MS milliseconds before each reply (the program
                    collects a reply 100 ms after its request)
  --fail-after N    stop answering after N replies
  --chunk-gap MS    send each reply in pieces MS milliseconds apart (2 for a
                    slow line, 16 for a USB adapter's chunks)
  --chunk-size N    characters per piece with --chunk-gap (default 1)
  --drop-pairs N    read replies lose their last N data pairs on the way
  --noise N         N bytes of line noise before each reply
  --hang-up-at N    hang the line up at request N instead of answering it,
                    as a pulled cable does (needs root); the next open works
  --help, -h        this text

Exit status: 0 after a clean stop, 1 when the memory image cannot be
loaded or saved or is in use by another panel-sim, or no pseudo-terminal
can be made, 2 for wrong arguments.
)";
}

void SetUpPanel(SimulatedPanel& panel, const PanelSimOptions& options) {
  ConfigurePanel(panel, options.firmware);
  if (!options.memory_file.empty() && std::filesystem::exists(options.memory_file)) {
    panel.Memory().LoadImage(options.memory_file.string());
  }
  PanelIdentity identity = panel.Identity();
  identity.limited = options.limited;
  panel.SetIdentity(identity);
  PanelFaults faults;
  faults.silent = options.silent;
  faults.reply_delay_ms = options.delay_ms;
  faults.stop_after = options.fail_after;
  faults.chunk_gap_ms = options.chunk_gap_ms;
  faults.chunk_size = static_cast<size_t>(options.chunk_size);
  faults.drop_data_pairs = options.drop_pairs;
  faults.garbage_before = LineNoise(options.noise);
  faults.hang_up_at = options.hang_up_at;
  panel.SetFaults(faults);
}

namespace {

std::filesystem::path LockPathFor(const std::filesystem::path& memory_file) {
  std::error_code ec;
  std::filesystem::path real = std::filesystem::weakly_canonical(memory_file, ec);
  if (ec) real = std::filesystem::absolute(memory_file, ec);
  if (ec) real = memory_file;
  real += ".lock";
  return real;
}

// Whether fd is still the file at path: a holder that was just leaving may
// have removed the lock file between our open and our lock.
bool StillLinkedAs(int fd, const std::filesystem::path& path) {
  struct stat held {};
  struct stat named {};
  return fstat(fd, &held) == 0 && stat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
         held.st_ino == named.st_ino;
}

}  // namespace

MemoryFileLock::MemoryFileLock(const std::filesystem::path& memory_file)
    : lock_path_(LockPathFor(memory_file)) {
  while (true) {
    fd_ = open(lock_path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ < 0) {
      throw std::runtime_error("cannot make the lock file " + lock_path_.string() + ": " +
                               std::strerror(errno));
    }
    if (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
      const int error = errno;
      close(fd_);
      fd_ = -1;
      if (error == EINTR) continue;
      if (error == EWOULDBLOCK) {
        throw std::runtime_error("memory image " + memory_file.string() +
                                 " is in use by another panel-sim");
      }
      throw std::runtime_error("cannot lock " + lock_path_.string() + ": " + std::strerror(error));
    }
    if (StillLinkedAs(fd_, lock_path_)) return;
    close(fd_);  // locked a file its holder had just removed: try the new one
    fd_ = -1;
  }
}

MemoryFileLock::~MemoryFileLock() {
  if (fd_ < 0) return;
  // Removed while still locked, so a newcomer either fails on our lock or
  // finds the name gone from under the file it locked and tries again.
  unlink(lock_path_.c_str());
  close(fd_);
}

void SaveMemoryImage(const PanelMemory& memory, const std::filesystem::path& path) {
  std::string image;
  image.reserve(PanelMemory::kImageSize);
  for (int bank = 0; bank < PanelMemory::kBanks; ++bank) {
    const std::vector<uint8_t> bytes = memory.Read(bank, 0, PanelMemory::kBankSize);
    image.append(bytes.begin(), bytes.end());
  }
  if (!ReplaceWholeFile(path, image)) {
    throw std::runtime_error("cannot save memory image " + path.string());
  }
}

}  // namespace tevral::sim
