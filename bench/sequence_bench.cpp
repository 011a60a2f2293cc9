// Measures a full read and a full write of the panel, end to end: the
// headless window, the real port component over a pseudo-terminal and the
// simulated panel, with the real 100 ms pauses.
//
// Each exchange must wait 100 ms for the panel, so a read of 22 exchanges
// cannot take less than 2.2 s and a write of 25 less than 2.5 s: that is
// the floor the wall times are compared with. The CPU time shows what the
// sequence costs beyond waiting (the waits sleep, they do not spin).
// Prints medians of a few runs; takes about 30 s.

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <vector>

#include "configurator/field_table.h"
#include "configurator/panel_session.h"
#include "current/fields.h"
#include "current/read_sequence.h"
#include "current/write_sequence.h"
#include "link/exchanges.h"
#include "link/tbcomport.h"
#include "sim/simulated_panel.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 5;
constexpr double kPauseMs = 100.0;

double CpuMs(int who) {
  rusage usage{};
  getrusage(who, &usage);
  const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Samples {
  std::vector<double> wall_ms;
  std::vector<double> caller_cpu_ms;   // the thread running the sequence
  std::vector<double> process_cpu_ms;  // every thread, the simulated panel's included
};

void Report(const char* name, int exchanges, const Samples& samples) {
  const double wall = Median(samples.wall_ms);
  const double floor = exchanges * kPauseMs;
  std::printf(
      "%-6s %2d exchanges: wall %7.1f ms (min %7.1f, max %7.1f), floor %6.0f ms, "
      "ratio %.3f; CPU sequence thread %6.1f ms, whole process %6.1f ms\n",
      name, exchanges, wall, *std::min_element(samples.wall_ms.begin(), samples.wall_ms.end()),
      *std::max_element(samples.wall_ms.begin(), samples.wall_ms.end()), floor, wall / floor,
      Median(samples.caller_cpu_ms), Median(samples.process_cpu_ms));
}

Samples Measure(tevral::sim::SimulatedPanel& panel,
                const std::function<bool(tevral::PanelSession&)>& sequence) {
  Samples samples;
  for (int run = 0; run < kRuns; ++run) {
    tevral::FieldTable form(tevral::current::CurrentFields());
    form.SetItems("cbPort", {panel.DevicePath()});
    form.SetItemIndex("cbPort", 0);
    tevral::link::TBComPort port;
    tevral::ApplyPanelTimeouts(port);
    tevral::link::Exchanges exchanges(port, form);
    tevral::PanelSession session{form, port, exchanges};

    const double process_before = CpuMs(RUSAGE_SELF);
    const double caller_before = CpuMs(RUSAGE_THREAD);
    const auto start = Clock::now();
    const bool done = sequence(session);
    const auto stop = Clock::now();
    if (!done) throw std::runtime_error("the sequence did not complete");
    samples.wall_ms.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
    samples.caller_cpu_ms.push_back(CpuMs(RUSAGE_THREAD) - caller_before);
    samples.process_cpu_ms.push_back(CpuMs(RUSAGE_SELF) - process_before);
  }
  return samples;
}

}  // namespace

int main() {
  tevral::sim::SimulatedPanel panel;
  panel.Start();
  std::printf("Full sequences against the simulated panel, %d runs each, medians\n", kRuns);
  // A write first, so the read then finds a complete configuration.
  const Samples write = Measure(panel, tevral::current::WriteToPanel);
  const Samples read = Measure(panel, tevral::current::ReadFromPanel);
  Report("write", tevral::current::kWriteExchangesIdentified, write);
  Report("read", tevral::current::kReadExchangesIdentified, read);
  panel.Stop();
  return 0;
}
