// panel-sim: a simulated Tevral-1/2 panel on a pseudo-terminal, for trying
// the configurator, its command line or scripts with no panel at hand.
// The device path goes alone on the first line of standard output; one line
// per request follows there. Notes and errors go to standard error.

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "link/trace.h"
#include "sim/panel_sim.h"

namespace {

using tevral::sim::PanelSimOptions;

// Lines from the serving thread and the main thread never interleave.
std::mutex output_mutex;

void PrintLine(std::FILE* stream, const std::string& line) {
  std::lock_guard lock(output_mutex);
  std::fputs(line.c_str(), stream);
  std::fputc('\n', stream);
  std::fflush(stream);  // a pipe reader waits for each line as it happens
}

// The stop signals are blocked in every thread (the serving thread inherits
// the mask) and read from a signalfd, so stopping is an ordinary read on
// the main thread: no handler, no flag to poll.
int OpenStopSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGHUP);
  if (pthread_sigmask(SIG_BLOCK, &signals, nullptr) != 0) return -1;
  return signalfd(-1, &signals, SFD_CLOEXEC);
}

int WaitForStopSignal(int signal_fd) {
  signalfd_siginfo info{};
  while (true) {
    const ssize_t n = read(signal_fd, &info, sizeof info);
    if (n == static_cast<ssize_t>(sizeof info)) return static_cast<int>(info.ssi_signo);
    if (n < 0 && errno == EINTR) continue;
    return SIGTERM;  // the signalfd is broken: stop as if asked to
  }
}

int Serve(const PanelSimOptions& options) {
  const int signal_fd = OpenStopSignals();
  if (signal_fd < 0) {
    PrintLine(stderr, "panel-sim: cannot watch the stop signals");
    return 1;
  }
  // Taken before the image is read: another panel-sim on the same file
  // would otherwise overwrite this one's image when it stops, or the other
  // way round.
  std::optional<tevral::sim::MemoryFileLock> memory_lock;
  if (!options.memory_file.empty()) memory_lock.emplace(options.memory_file);
  tevral::sim::SimulatedPanel panel;
  tevral::sim::SetUpPanel(panel, options);
  // Saved once at the start as well: a file that cannot be written is
  // found now, not after a session's writes are gone.
  if (!options.memory_file.empty()) SaveMemoryImage(panel.Memory(), options.memory_file);
  panel.SetLogCallback([](const tevral::sim::RequestRecord& record) {
    PrintLine(stdout, tevral::link::TraceTimestamp() + " " + FormatRequestRecord(record));
  });
  panel.Start();
  PrintLine(stdout, panel.DevicePath());
  PrintLine(
      stderr,
      "panel-sim: " +
          std::string(options.firmware == tevral::sim::Firmware::kEarlier ? "earlier" : "current") +
          " firmware panel on " + panel.DevicePath() + "; Ctrl+C stops it");

  const int signal_number = WaitForStopSignal(signal_fd);
  panel.Stop();
  close(signal_fd);
  if (!options.memory_file.empty()) {
    SaveMemoryImage(panel.Memory(), options.memory_file);
    PrintLine(stderr, "panel-sim: memory saved to " + options.memory_file.string());
  }
  PrintLine(stderr, std::string("panel-sim: stopped by ") + strsignal(signal_number));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // A reader that goes away must not kill the panel before it saves.
  signal(SIGPIPE, SIG_IGN);
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const auto parsed = tevral::sim::ParsePanelSimArguments(args);
  if (std::holds_alternative<tevral::sim::PanelSimHelp>(parsed)) {
    std::fputs(tevral::sim::PanelSimHelpText().c_str(), stdout);
    return 0;
  }
  if (const auto* error = std::get_if<tevral::sim::PanelSimUsageError>(&parsed)) {
    PrintLine(stderr, "panel-sim: " + error->message + "\nRun 'panel-sim --help' for usage.");
    return 2;
  }
  try {
    return Serve(std::get<PanelSimOptions>(parsed));
  } catch (const std::exception& error) {
    PrintLine(stderr, std::string("panel-sim: ") + error.what());
    return 1;
  }
}
