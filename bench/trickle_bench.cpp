// What collecting a reply whole costs, measured against the simulated panel
// over a real pseudo-terminal through the port component (115200 baud,
// every time-out 1 ms) with real 100 ms pauses.
//
// Prints medians of:
// - a full read of the current firmware (22 exchanges) when every reply
//   arrives in two chunks 16 ms apart, as USB adapters deliver it (also
//   with the first chunk just before the end of the pause, the second after
//   it), next to the same read over a good line and the protocol's floor of
//   22 x 100 ms;
// - one exchange whose reply is there at the end of the pause, and one
//   quiet probe of a silent line, each next to a single-receive attempt as
//   the exchanges made it before they collected replies whole (send, 100 ms,
//   one receive of up to 400 characters, and 100 ms after a failed attempt).
// Runs for about a minute and a half.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "configurator/field_table.h"
#include "configurator/panel_session.h"
#include "current/fields.h"
#include "current/read_sequence.h"
#include "link/com_errors.h"
#include "link/exchanges.h"
#include "link/tbcomport.h"
#include "sim/current_panel_image.h"
#include "sim/simulated_panel.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using tevral::link::Exchanges;
using tevral::link::TBComPort;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double WallMs(const std::function<void()>& run) {
  const auto start = Clock::now();
  run();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::vector<double> Repeat(int runs, const std::function<void()>& run) {
  std::vector<double> samples;
  for (int i = 0; i < runs; ++i) samples.push_back(WallMs(run));
  return samples;
}

void Print(const char* what, const std::vector<double>& samples, double reference_ms,
           const char* reference) {
  const double median = Median(samples);
  std::printf("%-52s runs %2zu  median %8.1f ms  min %8.1f  max %8.1f  / %s %.3f\n", what,
              samples.size(), median, *std::min_element(samples.begin(), samples.end()),
              *std::max_element(samples.begin(), samples.end()), reference, median / reference_ms);
}

// One attempt as it was: send, pause, one receive of up to 400 characters.
bool SingleReceiveAttempt(TBComPort& port, const std::string& frame) {
  port.SendText(frame);
  std::this_thread::sleep_for(100ms);
  std::string reply;
  port.ReceiveText(reply, Exchanges::kReadReplyLimit);
  if (!reply.empty() && reply.back() == ';') return true;
  std::this_thread::sleep_for(100ms);
  return false;
}

}  // namespace

int main() {
  tevral::sim::SimulatedPanel panel;
  panel.SetIdentity(tevral::sim::CurrentPanelIdentity());
  tevral::sim::WriteCurrentPanelImage(panel.Memory());
  panel.Start();

  tevral::FieldTable form(tevral::current::CurrentFields());
  form.SetItems("cbPort", {panel.DevicePath()});
  form.SetItemIndex("cbPort", 0);
  TBComPort port;
  tevral::ApplyPanelTimeouts(port);
  Exchanges exchanges(port, form);
  tevral::PanelSession session{form, port, exchanges};
  std::printf("simulated panel on %s, 115200 baud, time-outs 1 ms\n\n", panel.DevicePath().c_str());

  const double floor_ms = tevral::current::kReadExchangesIdentified * 100.0;
  const auto full_read = [&] {
    if (!tevral::current::ReadFromPanel(session)) std::printf("unexpected failure of a read\n");
  };
  const std::vector<double> good = Repeat(5, full_read);
  tevral::sim::PanelFaults two_chunks;
  two_chunks.split_gap_ms = 16;
  panel.SetFaults(two_chunks);
  const std::vector<double> chunked = Repeat(5, full_read);
  // The first chunk just before the receive starts, the second after it:
  // a single receive would have ended at the gap with half a reply.
  two_chunks.reply_delay_ms = 90;
  panel.SetFaults(two_chunks);
  const std::vector<double> straddling = Repeat(5, full_read);
  panel.SetFaults({});
  Print("full read, good line", good, floor_ms, "floor");
  Print("full read, every reply in two chunks 16 ms apart", chunked, floor_ms, "floor");
  Print("  the same, the first chunk 90 ms after the request", straddling, floor_ms, "floor");
  std::printf("%-52s %.0f ms (22 exchanges x the 100 ms pause)\n\n", "protocol floor", floor_ms);

  // A reply that is there at the end of the pause, old and new interleaved
  // so that a busy machine weighs on both alike.
  tevral::OpenPanelPort(session);
  std::vector<double> before, now;
  for (int i = 0; i < 60; ++i) {
    before.push_back(WallMs([&] { SingleReceiveAttempt(port, ":0001020200E5;"); }));
    now.push_back(WallMs([&] {
      exchanges.RequestText = "0001020200";
      exchanges.ReadExchange(tevral::link::WholeReadReply(2));
    }));
  }
  const double before_ms = Median(before);
  Print("reply there at the end of the pause, single receive", before, before_ms, "single");
  Print("reply there at the end of the pause, now", now, before_ms, "single");

  tevral::sim::PanelFaults silent;
  silent.silent = true;
  panel.SetFaults(silent);
  before.clear();
  now.clear();
  for (int i = 0; i < 3; ++i) {
    before.push_back(WallMs([&] {
      for (int attempt = 0; attempt < Exchanges::kAttempts; ++attempt) {
        SingleReceiveAttempt(port, ":0039CC;");
      }
    }));
    now.push_back(WallMs([&] {
      exchanges.QuietFailure = -1;  // keeps the port open
      exchanges.RequestText = "0039";
      exchanges.ReadExchange();
      exchanges.QuietFailure = 0;
    }));
  }
  const double silent_before_ms = Median(before);
  Print("silent line, five single-receive attempts", before, silent_before_ms, "single");
  Print("silent line, quiet probe now", now, silent_before_ms, "single");

  port.Close();
  panel.Stop();
  return 0;
}
