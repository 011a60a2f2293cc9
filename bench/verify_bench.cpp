// Measures `terminal write --verify` end to end: the command line's runner
// with the settings file, the real port component over a pseudo-terminal,
// the simulated panel, the real 100 ms pauses, and the comparison through
// the panel kept in memory.
//
// Every exchange waits 100 ms for the panel: a write of 25 exchanges plus
// the read-back of 22 cannot take less than 4.7 s. That floor is what the
// wall time is compared with; the comparison itself (a write and a read
// into the in-memory panel) is timed alone as well. Prints medians of a few
// runs; takes about 30 s.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "configurator/command_line.h"
#include "configurator/field_table.h"
#include "configurator/panel_comparison.h"
#include "configurator/settings_file.h"
#include "current/current_command_line.h"
#include "current/current_comparison.h"
#include "current/fields.h"
#include "current/settings_keys.h"
#include "sim/current_panel_image.h"
#include "sim/simulated_panel.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 5;
constexpr double kPauseMs = 100.0;
constexpr int kWriteExchanges = 25;
constexpr int kReadExchanges = 22;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main() {
  using namespace tevral;
  namespace fs = std::filesystem;
  sim::SimulatedPanel panel;
  sim::WriteCurrentPanelImage(panel.Memory());
  panel.Start();
  const fs::path file = fs::temp_directory_path() / "verify_bench.ini";
  {
    FieldTable form(current::CurrentFields());
    SaveSettings(form, file, current::CurrentSettingsKeys());
  }

  const CommandLineProgram program = current::CurrentCommandLineProgram();
  std::vector<double> verify_ms;
  for (int run = 0; run < kRuns; ++run) {
    std::ostringstream out, err;
    const std::vector<std::string> args = {"write",
                                           "--port",
                                           panel.DevicePath(),
                                           "--in",
                                           file.string(),
                                           "--set",
                                           "AdvEdit_Object=" + std::to_string(1000 + run),
                                           "--verify"};
    const auto start = Clock::now();
    const int status = RunCommandLine(program, args, out, err);
    verify_ms.push_back(MsSince(start));
    if (status != kExitSuccess) {
      std::fprintf(stderr, "write --verify failed (%d):\n%s%s", status, err.str().c_str(),
                   out.str().c_str());
      return 1;
    }
  }

  std::vector<double> model_ms;
  const ComparisonPlan plan = current::CurrentComparisonPlan();
  for (int run = 0; run < kRuns * 4; ++run) {
    FieldTable values(current::CurrentFields());
    std::string refusal;
    const auto start = Clock::now();
    const FieldTable read_back = ReadBackOf(values, plan, refusal);
    model_ms.push_back(MsSince(start));
  }
  fs::remove(file);

  const double floor = (kWriteExchanges + kReadExchanges) * kPauseMs;
  const double wall = Median(verify_ms);
  std::printf(
      "write --verify: %d + %d exchanges: wall %7.1f ms (min %7.1f, max %7.1f), floor %6.0f "
      "ms, ratio %.3f\n",
      kWriteExchanges, kReadExchanges, wall, *std::min_element(verify_ms.begin(), verify_ms.end()),
      *std::max_element(verify_ms.begin(), verify_ms.end()), floor, wall / floor);
  std::printf("settings written into and read back from the panel in memory: median %.2f ms\n",
              Median(model_ms));
  return 0;
}
