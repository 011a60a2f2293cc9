#include "link/posix/line_event_watcher.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>

#if defined(__linux__)
#include <linux/serial.h>
#endif

namespace tevral::link::posix {

namespace {

using Clock = std::chrono::steady_clock;

int EventFd() {
  return eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
}

// The driver's interrupt counters; false where it keeps none (a
// pseudo-terminal, most platforms other than Linux).
bool ReadCounters(int fd, LineCounters& counters) {
#if defined(__linux__) && defined(TIOCGICOUNT)
  serial_icounter_struct raw{};
  if (ioctl(fd, TIOCGICOUNT, &raw) != 0) return false;
  counters = LineCounters{raw.cts,     raw.dsr,    raw.rng, raw.dcd,        raw.frame,
                          raw.overrun, raw.parity, raw.brk, raw.buf_overrun};
  return true;
#else
  (void)fd;
  (void)counters;
  return false;
#endif
}

uint32_t QueuedInput(int fd) {
  int queued = 0;
  if (ioctl(fd, FIONREAD, &queued) != 0 || queued < 0) return 0;
  return static_cast<uint32_t>(queued);
}

int PollTimeoutMs(std::optional<std::chrono::milliseconds> limit, Clock::time_point start) {
  if (!limit) return -1;
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(start + *limit - Clock::now());
  return static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(left.count(), 0, INT_MAX));
}

constexpr uint32_t kLineFlags =
    line_event::kCts | line_event::kDsr | line_event::kRlsd | line_event::kRing;

}  // namespace

// ---------------------------------------------------------------------------
// EventFdStopSignal

std::unique_ptr<EventFdStopSignal> EventFdStopSignal::Create() {
  const int fd = EventFd();
  if (fd < 0) return nullptr;
  return std::unique_ptr<EventFdStopSignal>(new EventFdStopSignal(fd));
}

EventFdStopSignal::~EventFdStopSignal() {
  close(fd_);
}

// Never read back: once raised, the descriptor stays readable, which is
// what makes the signal manual-reset.
void EventFdStopSignal::Raise() {
  const uint64_t one = 1;
  [[maybe_unused]] const ssize_t written = write(fd_, &one, sizeof one);
}

bool EventFdStopSignal::Wait(std::optional<std::chrono::milliseconds> limit) {
  const Clock::time_point start = Clock::now();
  for (;;) {
    pollfd watched{fd_, POLLIN, 0};
    const int result = poll(&watched, 1, PollTimeoutMs(limit, start));
    if (result > 0) return true;
    if (result == 0) return false;
    if (errno != EINTR) return false;
  }
}

// ---------------------------------------------------------------------------
// LineEventWatcher: life and the owner's side

std::unique_ptr<LineEventWatcher> LineEventWatcher::Create(int fd) {
  const int wake_fd = EventFd();
  if (wake_fd < 0) return nullptr;
  return std::unique_ptr<LineEventWatcher>(new LineEventWatcher(fd, wake_fd));
}

LineEventWatcher::LineEventWatcher(int fd, int wake_fd) : fd_(fd), wake_fd_(wake_fd) {
  LineCounters counters;
  if (ReadCounters(fd_, counters)) cleared_counters_ = counters;
}

LineEventWatcher::~LineEventWatcher() {
  close(wake_fd_);
}

// The count left after the port's read becomes the new baseline, so
// characters arriving next are new even when fewer than were there before.
// (Characters arriving between the read and this count are reported with
// the next arrival.)
void LineEventWatcher::NoteRead() {
  queued_after_read_.store(QueuedInput(fd_), std::memory_order_relaxed);
  reads_.fetch_add(1, std::memory_order_release);
  Poke();
}

void LineEventWatcher::NoteWrite() {
  writes_.fetch_add(1, std::memory_order_release);
  Poke();
}

void LineEventWatcher::Poke() {
  const uint64_t one = 1;
  [[maybe_unused]] const ssize_t written = write(wake_fd_, &one, sizeof one);
}

void LineEventWatcher::DrainWakeups() {
  uint64_t count = 0;
  [[maybe_unused]] const ssize_t got = read(wake_fd_, &count, sizeof count);
}

// ---------------------------------------------------------------------------
// LineEventWatcher: the event thread's side

// Events start from the line as it is now: characters already queued or a
// line already up are not news.
void LineEventWatcher::SetMask(uint32_t mask) {
  mask_ = mask;
  if (mask == 0) return;
  device_gone_ = false;
  reads_seen_ = reads_.load(std::memory_order_acquire);
  last_queued_ = QueuedInput(fd_);
  const uint64_t size = input_queue_size_.load();
  above_80_ = size > 0 && uint64_t{last_queued_} * 5 >= size * 4;
  writes_drained_ = writes_.load(std::memory_order_acquire);
  output_queued_ = 0;
  has_counters_ = ReadCounters(fd_, event_counters_);
  has_modem_lines_ = !has_counters_ && ioctl(fd_, TIOCMGET, &modem_bits_) == 0;
}

LineEventWait LineEventWatcher::Wait(EventFdStopSignal& stop) {
  for (;;) {
    const uint32_t flags = Examine() & mask_;
    if (flags != 0) return LineEventWait{LineEventWait::Outcome::kEvents, flags};

    pollfd watched[3] = {{stop.Fd(), POLLIN, 0}, {wake_fd_, POLLIN, 0}, {fd_, POLLIN, 0}};
    // With input queued the device stays readable; polling it would return
    // at once, again and again.
    const bool watch_device = !device_gone_ && last_queued_ == 0;
    const nfds_t count = watch_device ? 3 : 2;
    const int result = poll(watched, count, NextCheckMs());
    if (result < 0) {
      if (errno == EINTR) continue;
      return LineEventWait{LineEventWait::Outcome::kFailed, 0};
    }
    if (watched[0].revents != 0) return LineEventWait{LineEventWait::Outcome::kStopped, 0};
    if (watched[1].revents != 0) DrainWakeups();
    // A hung-up line (the cable pulled, the far end of a pseudo-terminal
    // closed) reports POLLHUP for good; the device is not polled again, or
    // the wait would spin until the port is closed.
    if (watch_device && (watched[2].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
      device_gone_ = true;
    }
  }
}

uint32_t LineEventWatcher::Examine() {
  return ExamineInput() | ExamineOutput() | ExamineLines();
}

uint32_t LineEventWatcher::ExamineInput() {
  const uint32_t queued = QueuedInput(fd_);
  const uint64_t reads = reads_.load(std::memory_order_acquire);
  if (reads != reads_seen_) {
    reads_seen_ = reads;
    last_queued_ = std::min(last_queued_, queued_after_read_.load(std::memory_order_relaxed));
  }
  uint32_t flags = queued > last_queued_ ? line_event::kRxChar : 0;
  last_queued_ = queued;

  const uint64_t size = input_queue_size_.load();
  const bool above = size > 0 && uint64_t{queued} * 5 >= size * 4;
  if (above && !above_80_) flags |= line_event::kRx80Full;
  above_80_ = above;
  return flags;
}

uint32_t LineEventWatcher::ExamineOutput() {
  const uint64_t writes = writes_.load(std::memory_order_acquire);
  output_queued_ = 0;
  if (writes == writes_drained_) return 0;
  int queued = 0;
  const bool known = ioctl(fd_, TIOCOUTQ, &queued) == 0;
  if (known && queued > 0) {
    output_queued_ = static_cast<uint32_t>(queued);
    return 0;
  }
  writes_drained_ = writes;
  // A driver that cannot tell its output count never reports the event.
  return known ? line_event::kTxEmpty : 0;
}

uint32_t LineEventWatcher::ExamineLines() {
  if (!WatchesLines()) return 0;
  uint32_t flags = 0;
  if (has_counters_) {
    LineCounters now;
    if (!ReadCounters(fd_, now)) return 0;
    const LineCounters& was = event_counters_;
    if (now.cts != was.cts) flags |= line_event::kCts;
    if (now.dsr != was.dsr) flags |= line_event::kDsr;
    if (now.dcd != was.dcd) flags |= line_event::kRlsd;
    if (now.rng != was.rng) flags |= line_event::kRing;
    // Line-status errors; a break or an overflowing queue is kept for the
    // next reading of the error state but raises no event of its own.
    if (now.frame != was.frame || now.overrun != was.overrun || now.parity != was.parity) {
      flags |= line_event::kError;
    }
    event_counters_ = now;
    return flags;
  }
  int bits = 0;
  if (ioctl(fd_, TIOCMGET, &bits) != 0) return 0;
  const int changed = bits ^ modem_bits_;
  if ((changed & TIOCM_CTS) != 0) flags |= line_event::kCts;
  if ((changed & TIOCM_DSR) != 0) flags |= line_event::kDsr;
  if ((changed & TIOCM_CD) != 0) flags |= line_event::kRlsd;
  if ((changed & bits & TIOCM_RNG) != 0) flags |= line_event::kRing;  // the ring starting
  modem_bits_ = bits;
  return flags;
}

bool LineEventWatcher::WatchesLines() const {
  if (has_counters_) return (mask_ & (kLineFlags | line_event::kError)) != 0;
  return has_modem_lines_ && (mask_ & kLineFlags) != 0;
}

int LineEventWatcher::NextCheckMs() const {
  std::optional<int64_t> ms;
  const auto sooner = [&ms](int64_t candidate) { ms = ms ? std::min(*ms, candidate) : candidate; };
  if (last_queued_ > 0) sooner(kUnreadInputRecheck.count());
  if (output_queued_ > 0) {
    // Ten bits a character; the queue is looked at when it should be empty.
    const uint64_t baud = std::max<uint32_t>(baud_.load(), 1);
    const auto drain_ms = static_cast<int64_t>(uint64_t{output_queued_} * 10 * 1000 / baud + 1);
    sooner(std::clamp<int64_t>(drain_ms, 1, kUnreadInputRecheck.count()));
  }
  if (WatchesLines()) sooner(kLineRecheck.count());
  return ms ? static_cast<int>(*ms) : -1;
}

// ---------------------------------------------------------------------------
// LineEventWatcher: the error state

std::optional<uint32_t> LineEventWatcher::TakeErrors() {
  std::lock_guard lock(errors_mutex_);
  if (!cleared_counters_) return 0u;  // the driver counts no errors
  LineCounters now;
  if (!ReadCounters(fd_, now)) return std::nullopt;
  const LineCounters& was = *cleared_counters_;
  uint32_t bits = 0;
  if (now.frame != was.frame) bits |= line_error::kFrame;
  if (now.parity != was.parity) bits |= line_error::kRxParity;
  if (now.overrun != was.overrun) bits |= line_error::kOverrun;
  if (now.brk != was.brk) bits |= line_error::kBreak;
  if (now.buf_overrun != was.buf_overrun) bits |= line_error::kRxOver;
  cleared_counters_ = now;
  return bits;
}

}  // namespace tevral::link::posix
