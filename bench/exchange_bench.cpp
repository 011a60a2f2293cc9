// Measures the exchanges against the simulated panel over a real
// pseudo-terminal, through the port component with the window's settings
// (115200 baud, every time-out 1 ms) and real 100 ms pauses.
//
// Prints, from repeated runs: the wall time of one answered exchange and its
// ratio to the 100 ms pause that every attempt must wait; what a panel that
// never answers costs per exchange; and the CPU time spent while the
// exchanges wait, which should be next to nothing (the waits sleep in poll
// and in the pause, they do not spin). Runs for about 20 s.

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "link/com_errors.h"
#include "link/exchange_host.h"
#include "link/exchanges.h"
#include "link/tbcomport.h"
#include "sim/simulated_panel.h"

namespace {

using tevral::link::Exchanges;
using tevral::link::TBComPort;
using Clock = std::chrono::steady_clock;

class QuietHost : public tevral::link::ExchangeHost {
 public:
  void StepProgress() override {}
  void ResetProgress() override {}
  void ShowMessage(const std::string&) override {}
};

double CpuMs(int who) {
  rusage usage{};
  getrusage(who, &usage);
  const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Sample {
  double wall_ms;
  double process_cpu_ms;  // every thread, the panel's included
  double caller_cpu_ms;   // the thread running the exchange
};

Sample Measure(const std::function<void()>& exchange) {
  const double process_before = CpuMs(RUSAGE_SELF);
  const double caller_before = CpuMs(RUSAGE_THREAD);
  const auto start = Clock::now();
  exchange();
  const double wall = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  return {wall, CpuMs(RUSAGE_SELF) - process_before, CpuMs(RUSAGE_THREAD) - caller_before};
}

void OpenLikeTheWindow(TBComPort& port, const std::string& path) {
  port.Close();
  port.SetPort(path);
  port.SetBaudRate(tevral::link::TBaudRate::br115200);
  tevral::link::TComTimeouts timeouts;
  timeouts.SetReadInterval(1);
  timeouts.SetReadTotalMultiplier(1);
  timeouts.SetReadTotalConstant(1);
  timeouts.SetWriteTotalMultiplier(1);
  timeouts.SetWriteTotalConstant(1);
  port.SetTimeouts(timeouts);
  port.Open();
}

void Report(const char* what, const std::vector<Sample>& samples, double floor_ms) {
  std::vector<double> wall, process, caller;
  for (const Sample& s : samples) {
    wall.push_back(s.wall_ms);
    process.push_back(s.process_cpu_ms);
    caller.push_back(s.caller_cpu_ms);
  }
  const double median_wall = Median(wall);
  std::printf(
      "%-44s runs %2zu  median wall %8.1f ms  min %8.1f  max %8.1f  ratio to %.0f ms %.3f\n", what,
      samples.size(), median_wall, *std::min_element(wall.begin(), wall.end()),
      *std::max_element(wall.begin(), wall.end()), floor_ms, median_wall / floor_ms);
  std::printf("%-44s          median CPU  %8.2f ms (process)  %6.2f ms (caller)  CPU/wall %.4f\n",
              "", Median(process), Median(caller), Median(process) / median_wall);
}

}  // namespace

int main() {
  tevral::sim::SimulatedPanel panel;
  panel.Start();
  TBComPort port;
  QuietHost host;
  Exchanges ex(port, host);
  try {
    OpenLikeTheWindow(port, panel.DevicePath());
  } catch (const tevral::link::EComPort& e) {
    std::fprintf(stderr, "cannot open the simulated panel's line: %s\n", e.what());
    return 1;
  }
  std::printf("simulated panel on %s, 115200 baud, time-outs 1 ms\n\n", panel.DevicePath().c_str());

  const auto answered = [&](const std::string& body, int runs) {
    std::vector<Sample> samples;
    for (int i = 0; i < runs; ++i) {
      samples.push_back(Measure([&] {
        ex.RequestText = body;
        ex.ReadExchange();
      }));
      if (ex.ExchangeFailed != 0 || ex.ReplyText.empty()) std::printf("unexpected failure\n");
    }
    return samples;
  };
  Report("ReadExchange, identification \"0039\"", answered("0039", 15), 100);
  Report("ReadExchange, 48 bytes of bank 1", answered("00113000A6", 15), 100);

  std::vector<Sample> writes;
  for (int i = 0; i < 15; ++i) {
    writes.push_back(Measure([&] {
      ex.RequestText = "0002006510";
      ex.FrameRequest();
      ex.WriteExchange();
    }));
  }
  Report("WriteExchange, 1 byte", writes, 100);

  // A panel that never answers: five attempts, each send + 100 ms + a
  // receive that runs to its overall limit + 100 ms.
  tevral::sim::PanelFaults silent;
  silent.silent = true;
  panel.SetFaults(silent);
  std::vector<Sample> silent_reads;
  for (int i = 0; i < 3; ++i) {
    silent_reads.push_back(Measure([&] {
      ex.QuietFailure = -1;  // keeps the port open for the next run
      ex.RequestText = "0039";
      ex.ReadExchange();
      ex.QuietFailure = 0;
    }));
  }
  Report("ReadExchange, silent panel (5 x 100+401+100)", silent_reads, 5 * (100 + 401 + 100));

  std::vector<Sample> silent_writes;
  for (int i = 0; i < 3; ++i) {
    OpenLikeTheWindow(port, panel.DevicePath());  // a failed write closes the port
    silent_writes.push_back(Measure([&] {
      ex.RequestText = ":0002006510EE;";
      ex.WriteExchange();
    }));
  }
  Report("WriteExchange, silent panel (5 x 100+41+100)", silent_writes, 5 * (100 + 41 + 100));

  std::printf(
      "\nratio: wall time over the time the exchange must wait by its own rules; CPU/wall near 0\n"
      "means the waits sleep rather than spin.\n");
  port.Close();
  panel.Stop();
  return 0;
}
