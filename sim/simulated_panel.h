#pragma once
// A simulated Tevral panel on a pseudo-terminal: the configurator opens
// DevicePath() as its serial port and talks to the panel as to real
// hardware. It serves both memory banks and the identification, and can
// misbehave on purpose (faults below) so the configurator's failure paths
// can be driven over the real serial layer.
//
// Two threads: one listens, sleeping in poll() on the pseudo-terminal and a
// stop event, parses frames and decides the replies; the other writes them
// out, each piece at its own time. So a reply delayed or sent slowly never
// holds up listening: a request that comes meanwhile is received, recorded
// and answered on its own schedule, the way a real panel with a slow
// transmitter behaves, and tests can wait for what the panel saw without
// guessing how long its writing takes. Replies go out in the order of their
// requests, never mixed. Both threads cost no CPU while idle. Everything
// here may be called from any thread while it runs. Used by the tests, the
// window's demo mode and the command-line panel.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
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
  int reply_delay_ms = 0;  // each reply starts this long after its request came
  int split_gap_ms = 0;    // > 0: send each reply in two writes this far apart
  size_t split_at = 0;     // characters in the first write; 0: half the reply
  // > 0: send each reply in pieces of chunk_size characters (0 counts as 1)
  // this far apart, as a slow line (a byte every 2 ms) or a USB adapter (a
  // chunk every 16 ms) delivers it.
  int chunk_gap_ms = 0;
  size_t chunk_size = 1;
  bool drop_final_semicolon = false;
  std::string garbage_before;  // sent in the same write just before each reply
  // Read replies lose this many data pairs from their end on the way; the
  // rest, the checksum pair included, comes as the panel sent it.
  int drop_data_pairs = 0;
  // The request with this number (from 1) is not answered: the line is hung
  // up instead, as when the cable is pulled out; the next open works again.
  // 0: never.
  int hang_up_at = 0;
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
  // True once every reply decided so far has been written out; false on
  // time-out.
  bool WaitUntilSent(std::chrono::milliseconds timeout) const;
  // How many times the line was hung up (hang_up_at), and whether the last
  // hang-up was refused (no right to hang up a terminal).
  int HangUps() const;
  bool HangUpRefused() const;

 private:
  using Clock = std::chrono::steady_clock;
  // A piece of output and when it goes out; a hang-up in place of bytes.
  struct Output {
    Clock::time_point at;
    std::string bytes;
    bool hang_up = false;
  };

  void Serve();
  void HandleInput(const char* bytes, size_t size);
  void HandleFrame(const std::string& frame);
  // Decides the reply under the current faults; empty when there is none.
  std::string ReplyTo(const Frame& parts, const PanelFaults& faults, const PanelIdentity& identity);
  bool HangsUpAt(const Frame& parts, const PanelFaults& faults);
  // Puts the reply's pieces into the outbox, after everything already there.
  void ScheduleReply(const std::string& reply, const PanelFaults& faults);
  void ScheduleHangUp();
  void Schedule(std::vector<Output> pieces);
  // The writing thread: takes each piece from the outbox at its time.
  void WriteOut();
  void HangUpLine();
  // Writes all of data unless a stop comes first; false when stopping.
  bool WriteAll(const std::string& data);
  // Waits ms milliseconds unless a stop comes first; false when stopping.
  bool WaitUnlessStopped(int ms);

  PanelMemory memory_;
  std::unique_ptr<PseudoTerminal> terminal_;
  int stop_fd_ = -1;
  std::thread thread_;
  std::thread writer_;
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
  int hang_ups_ = 0;
  bool hang_up_refused_ = false;

  // The outbox, shared by the two threads.
  mutable std::mutex outbox_mutex_;
  mutable std::condition_variable outbox_changed_;
  std::deque<Output> outbox_;
  Clock::time_point last_scheduled_{};
  bool writing_ = false;  // a piece is out of the box and being written
  int deciding_ = 0;      // requests recorded whose output is not in the box yet
  bool stopping_ = false;
};

}  // namespace tevral::sim
