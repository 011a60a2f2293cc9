#pragma once
// A simulated Tevral panel on a pseudo-terminal: the configurator opens
// DevicePath() as its serial port and talks to the panel as to real
// hardware. It serves both memory banks and the identification, and can
// misbehave on purpose (faults below) so the configurator's failure paths
// can be driven over the real serial layer.
//
// One thread serves the line, sleeping in poll() on the pseudo-terminal and
// a stop event; it costs no CPU while idle. Everything here may be called
// from any thread while it runs. Used by the tests, the window's demo mode
// and the command-line panel.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "sim/frame_parser.h"
#include "sim/panel_memory.h"
#include "sim/panel_protocol.h"
#include "sim/pseudo_terminal.h"

namespace tevral::sim {

// Ways to misbehave. Requests are counted from the start (or the last
// ClearLog) among frames with a good checksum; frames with a bad checksum
// are never answered and not counted.
struct PanelFaults {
  bool silent = false;     // answer nothing at all
  int ignore_first = 0;    // the first N requests get no answer
  int stop_after = -1;     // after N answers, answer no more (-1: never stop)
  int reply_delay_ms = 0;  // wait this long before answering
  int split_gap_ms = 0;    // > 0: send each reply in two writes this far apart
  size_t split_at = 0;     // characters in the first write; 0: half the reply
  bool drop_final_semicolon = false;
  std::string garbage_before;  // sent in the same write just before each reply
};

// One received frame and what became of it.
struct RequestRecord {
  std::string frame;  // exactly as received, ":" to ";"
  bool checksum_ok = false;
  bool answered = false;
  std::string reply;  // exactly what was sent back, faults included
};

// A one-line account of a request, for a log window or a terminal:
// "-> :0039CC; <- :0000390103011205241042078B;", or "(bad checksum)" or
// "(no answer)" in place of the reply.
std::string FormatRequestRecord(const RequestRecord& record);

class SimulatedPanel {
 public:
  using LogCallback = std::function<void(const RequestRecord&)>;

  SimulatedPanel();
  ~SimulatedPanel();  // stops first
  SimulatedPanel(const SimulatedPanel&) = delete;
  SimulatedPanel& operator=(const SimulatedPanel&) = delete;

  // Creates the pseudo-terminal and starts serving. Throws std::system_error
  // when the terminal or the stop event cannot be made, std::logic_error when
  // already started.
  void Start();
  // Stops serving and closes the terminal; a later Start makes a new one
  // (with a new device path). Does nothing when not started.
  void Stop();
  bool Running() const { return thread_.joinable(); }

  // The path the configurator opens, e.g. /dev/pts/7; empty before Start.
  std::string DevicePath() const;

  PanelMemory& Memory() { return memory_; }

  void SetIdentity(const PanelIdentity& identity);
  PanelIdentity Identity() const;
  void SetFaults(const PanelFaults& faults);
  PanelFaults Faults() const;

  // Called on the serving thread for each frame, before its reply goes out.
  void SetLogCallback(LogCallback callback);

  std::vector<RequestRecord> Requests() const;
  // Every byte received so far, noise and broken frames included (the most
  // recent 1 MiB).
  std::string ReceivedBytes() const;
  // Forgets the records, the received bytes and the fault counters.
  void ClearLog();
  // True once at least count frames have been recorded; false on time-out.
  bool WaitForRequests(size_t count, std::chrono::milliseconds timeout) const;

 private:
  void Serve();
  void HandleInput(const char* bytes, size_t size);
  void HandleFrame(const std::string& frame);
  // Decides the reply under the current faults; empty when there is none.
  std::string ReplyTo(const Frame& parts, const PanelFaults& faults, const PanelIdentity& identity);
  void SendReply(const std::string& reply, const PanelFaults& faults);
  // Writes all of data unless a stop comes first; false when stopping.
  bool WriteAll(const std::string& data);
  // Waits ms milliseconds unless a stop comes first; false when stopping.
  bool WaitUnlessStopped(int ms);

  PanelMemory memory_;
  std::unique_ptr<PseudoTerminal> terminal_;
  int stop_fd_ = -1;
  std::thread thread_;
  FrameParser parser_;  // serving thread only

  mutable std::mutex mutex_;
  mutable std::condition_variable recorded_;
  PanelIdentity identity_;
  PanelFaults faults_;
  LogCallback log_callback_;
  std::vector<RequestRecord> requests_;
  std::string received_;
  int requests_seen_ = 0;
  int answers_sent_ = 0;
};

}  // namespace tevral::sim
