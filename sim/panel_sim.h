#pragma once
// The panel-sim tool's pieces that need no process around them: its
// arguments, the panel they describe, and the memory image file.
//
//   panel-sim [--firmware current|earlier] [--memory FILE] [--limited]
//             [--silent] [--delay MS] [--fail-after N] [--chunk-gap MS]
//             [--chunk-size N] [--drop-pairs N] [--noise N] [--hang-up-at N]

#include <filesystem>
#include <span>
#include <string>
#include <variant>

#include "sim/demo_port.h"
#include "sim/simulated_panel.h"

namespace tevral::sim {

struct PanelSimOptions {
  Firmware firmware = Firmware::kCurrent;
  std::filesystem::path memory_file;  // empty: the memory lasts for the run only
  bool limited = false;               // answers identification as older software does
  bool silent = false;                // answers nothing
  int delay_ms = 0;                   // waits this long before each reply
  int fail_after = -1;                // stops answering after N replies; -1: never
  int chunk_gap_ms = 0;               // > 0: replies in pieces this far apart
  int chunk_size = 1;                 // characters per piece
  int drop_pairs = 0;                 // read replies lose this many data pairs
  int noise = 0;                      // bytes of line noise before each reply
  int hang_up_at = 0;                 // hangs the line up at this request; 0: never
};

// The line noise --noise N sends before each reply: N bytes of a pattern
// that holds neither ":" nor ";".
std::string LineNoise(int count);
struct PanelSimHelp {};
struct PanelSimUsageError {
  std::string message;
};
using PanelSimArguments = std::variant<PanelSimOptions, PanelSimHelp, PanelSimUsageError>;

// Parses the arguments after the program name. Options with a value may be
// written "--name VALUE" or "--name=VALUE"; each may be given once.
PanelSimArguments ParsePanelSimArguments(std::span<const std::string> args);

std::string PanelSimHelpText();

// Puts the options into the panel: identity, faults and memory. The memory
// comes from the image file when it exists, otherwise it is the firmware's
// configured image. Throws std::runtime_error when an existing file cannot
// be loaded (it is then left alone).
void SetUpPanel(SimulatedPanel& panel, const PanelSimOptions& options);

// Holds a memory image file for one panel-sim for as long as it lives. Two
// panels saving into one file would each overwrite the other's image when
// they stop, the last one silently winning; the second is refused instead.
// The lock is an flock on "FILE.lock" beside the image (the image itself
// is replaced by a rename on every save, which would drop a lock held on
// it); the lock file goes when the holder does. Spellings of one file
// ("panel.bin", "./panel.bin", a link to it) share one lock.
class MemoryFileLock {
 public:
  // Throws std::runtime_error naming the file when another panel holds it
  // or the lock file cannot be made.
  explicit MemoryFileLock(const std::filesystem::path& memory_file);
  ~MemoryFileLock();
  MemoryFileLock(const MemoryFileLock&) = delete;
  MemoryFileLock& operator=(const MemoryFileLock&) = delete;

  const std::filesystem::path& LockPath() const { return lock_path_; }

 private:
  std::filesystem::path lock_path_;
  int fd_ = -1;
};

// Saves the panel's memory into `path` so that the file holds either the old
// image or the whole new one, never a part: the image goes to a temporary
// file beside it that then replaces it. Throws std::runtime_error naming
// the file; no temporary file is left behind.
void SaveMemoryImage(const PanelMemory& memory, const std::filesystem::path& path);

}  // namespace tevral::sim
