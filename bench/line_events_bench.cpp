// What an open port's event thread costs while the port just sits there.
// The port is opened on a pseudo-terminal made here, and held for a while in
// each state; the process's CPU time (user + system, getrusage) and its
// voluntary context switches (each one a wake-up of some thread) are taken
// over the hold. The main thread sleeps throughout, so what is counted is the
// event thread. Prints the median of several holds per state.
// The first states use smThreadSync, the programs' setting.
//
// Usage: line_events_bench [seconds-per-hold] [holds]   (defaults 1 and 5)

#include <fcntl.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "link/tbcomport.h"

namespace {

using tevral::link::TBComPort;

class Pty {
 public:
  Pty() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    char name[128] = {};
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0 ||
        ptsname_r(master_, name, sizeof name) != 0) {
      throw std::runtime_error("cannot create a pseudo-terminal");
    }
    slave_path_ = name;
  }
  ~Pty() { HangUp(); }
  Pty(const Pty&) = delete;
  Pty& operator=(const Pty&) = delete;

  const std::string& SlavePath() const { return slave_path_; }
  void Send(const std::string& bytes) const {
    if (write(master_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
      throw std::runtime_error("write to the master failed");
    }
  }
  void HangUp() {
    if (master_ >= 0) close(master_);
    master_ = -1;
  }

 private:
  int master_ = -1;
  std::string slave_path_;
};

struct Usage {
  double cpu_ms = 0;
  long wakeups = 0;
};

Usage ProcessUsage() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
  return Usage{ms(usage.ru_utime) + ms(usage.ru_stime), usage.ru_nvcsw};
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// prepare sets the state up (and may open the port); the hold is measured.
struct State {
  const char* name;
  std::function<void(Pty&, TBComPort&)> prepare;
};

void Measure(const State& state, std::chrono::milliseconds hold, int holds) {
  std::vector<double> cpu_per_s;
  std::vector<double> wakeups_per_s;
  for (int i = 0; i < holds; ++i) {
    Pty pty;
    TBComPort port;
    port.SetPort(pty.SlavePath());
    state.prepare(pty, port);
    // Let the thread settle into its wait before counting.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const Usage before = ProcessUsage();
    std::this_thread::sleep_for(hold);
    const Usage after = ProcessUsage();
    const double seconds = std::chrono::duration<double>(hold).count();
    cpu_per_s.push_back((after.cpu_ms - before.cpu_ms) / seconds);
    // The main thread's own sleep accounts for one switch per hold.
    wakeups_per_s.push_back((after.wakeups - before.wakeups - 1) / seconds);
    try {
      port.Close();
    } catch (const std::exception&) {
      // A hung-up line cannot have its lines dropped; the port is released.
    }
  }
  std::printf("%-34s  CPU %7.3f ms/s (%6.3f%% of a core)  wake-ups %6.1f /s\n", state.name,
              Median(cpu_per_s), Median(cpu_per_s) / 10.0, Median(wakeups_per_s));
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 1.0;
  const int holds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  const auto hold = std::chrono::milliseconds(static_cast<long>(seconds * 1000));

  const State states[] = {
      {"port closed (no thread)", [](Pty&, TBComPort&) {}},
      {"open, nothing arriving", [](Pty&, TBComPort& port) { port.Open(); }},
      {"open, 100 characters unread",
       [](Pty& pty, TBComPort& port) {
         port.Open();
         pty.Send(std::string(100, 'U'));
       }},
      {"open, line hung up",
       [](Pty& pty, TBComPort& port) {
         port.Open();
         pty.HangUp();
       }},
      // With smThreadSync (the programs' setting) and nobody serving the
      // dispatch, the first arrival parks the thread until Close. Under
      // smNone it handles the arrival itself and goes on watching a queue
      // that stays unread: the periodic re-check is what is measured here.
      {"smNone, nothing arriving",
       [](Pty&, TBComPort& port) {
         port.SetSyncMethod(tevral::link::TSyncMethod::smNone);
         port.Open();
       }},
      {"smNone, 100 characters unread",
       [](Pty& pty, TBComPort& port) {
         port.SetSyncMethod(tevral::link::TSyncMethod::smNone);
         port.Open();
         pty.Send(std::string(100, 'U'));
       }},
      {"smNone, line hung up",
       [](Pty& pty, TBComPort& port) {
         port.SetSyncMethod(tevral::link::TSyncMethod::smNone);
         port.Open();
         pty.HangUp();
       }},
  };
  std::printf("Port held open on a pseudo-terminal, %d holds of %.1f s each, medians:\n", holds,
              seconds);
  for (const State& state : states) Measure(state, hold, holds);
  return 0;
}
