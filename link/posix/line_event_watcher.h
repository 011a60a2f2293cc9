#pragma once
// Line events on a POSIX terminal. A terminal has no event mask and no
// "wait for line events" call, so the watcher derives each event from what
// the driver can tell, sleeping in poll() on the stop signal, a wake-up
// descriptor poked by the port's own reads and writes, and the device:
//
//   received characters  the queued input count grew (FIONREAD). The device
//                        is polled for input only while nothing is queued;
//                        with input sitting unread, POLLIN would hold and
//                        poll() would spin, so the count is looked at again
//                        after a read by the port or every kUnreadInputRecheck.
//   transmit queue empty the output queue (TIOCOUTQ) reached 0 after a write;
//                        looked at again after the time the queue needs to
//                        drain at the line's speed.
//   80% full             the input count reached 80% of the input queue size
//                        given to the port.
//   modem lines, ring    TIOCGICOUNT counters where the driver keeps them,
//                        otherwise the lines read with TIOCMGET, every
//                        kLineRecheck. A pseudo-terminal has neither, so
//                        these never fire there and nothing is polled for them.
//   line errors          frame, parity and overrun counters of TIOCGICOUNT;
//                        never fires where the driver does not count them.
//
// An idle port with nothing queued sleeps without a time limit.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>

#include "link/serial_device.h"

namespace tevral::link::posix {

// The stop signal as an eventfd, so a poll() can sleep on it.
class EventFdStopSignal final : public StopSignal {
 public:
  // Nothing when the system gives no descriptor.
  static std::unique_ptr<EventFdStopSignal> Create();
  ~EventFdStopSignal() override;
  EventFdStopSignal(const EventFdStopSignal&) = delete;
  EventFdStopSignal& operator=(const EventFdStopSignal&) = delete;

  void Raise() override;
  bool Wait(std::optional<std::chrono::milliseconds> limit) override;
  int Fd() const { return fd_; }

 private:
  explicit EventFdStopSignal(int fd) : fd_(fd) {}
  int fd_;
};

// What the driver's interrupt counters say (TIOCGICOUNT).
struct LineCounters {
  int cts = 0, dsr = 0, rng = 0, dcd = 0;
  int frame = 0, overrun = 0, parity = 0, brk = 0, buf_overrun = 0;
};

class LineEventWatcher {
 public:
  inline static constexpr std::chrono::milliseconds kUnreadInputRecheck{50};
  inline static constexpr std::chrono::milliseconds kLineRecheck{100};

  // Nothing when the wake-up descriptor cannot be made. fd stays the
  // device's; the watcher never closes it.
  static std::unique_ptr<LineEventWatcher> Create(int fd);
  ~LineEventWatcher();
  LineEventWatcher(const LineEventWatcher&) = delete;
  LineEventWatcher& operator=(const LineEventWatcher&) = delete;

  // The owner's thread: settings and the port's own input and output.
  void SetInputQueueSize(uint32_t size) { input_queue_size_ = size; }
  void SetBaudRate(uint32_t baud) { baud_ = baud; }
  void NoteRead();
  void NoteWrite();

  // The event thread (and the thread that starts it).
  void SetMask(uint32_t mask);
  LineEventWait Wait(EventFdStopSignal& stop);

  // Any thread: the line_error bits counted since the last call.
  std::optional<uint32_t> TakeErrors();

 private:
  LineEventWatcher(int fd, int wake_fd);
  void Poke();
  void DrainWakeups();
  uint32_t Examine();
  uint32_t ExamineInput();
  uint32_t ExamineOutput();
  uint32_t ExamineLines();
  int NextCheckMs() const;
  bool WatchesLines() const;

  const int fd_;
  const int wake_fd_;

  // Written by the owner's thread, read by the event thread.
  std::atomic<uint32_t> input_queue_size_ = 0;
  std::atomic<uint32_t> baud_ = 9600;
  std::atomic<uint64_t> reads_ = 0;
  std::atomic<uint32_t> queued_after_read_ = 0;
  std::atomic<uint64_t> writes_ = 0;

  // The event thread's own view of the line.
  uint32_t mask_ = 0;
  bool device_gone_ = false;
  uint64_t reads_seen_ = 0;
  uint32_t last_queued_ = 0;
  bool above_80_ = false;
  uint64_t writes_drained_ = 0;
  uint32_t output_queued_ = 0;
  bool has_counters_ = false;
  bool has_modem_lines_ = false;
  LineCounters event_counters_;
  int modem_bits_ = 0;

  std::mutex errors_mutex_;
  std::optional<LineCounters> cleared_counters_;
};

}  // namespace tevral::link::posix
