#include "link/posix/timed_io.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>

namespace tevral::link::posix {

namespace {

using Clock = std::chrono::steady_clock;
using Deadline = std::optional<Clock::time_point>;

constexpr uint32_t kMaximum = 0xFFFFFFFF;
// Limits beyond this (about 34 years) are treated as no limit, which also
// keeps the time point arithmetic from overflowing.
constexpr uint64_t kLongestLimitMs = uint64_t{1} << 40;

// The overall limit multiplier x count + constant, counted from start;
// nothing when both parts are 0 or the limit is too long to matter.
Deadline TotalDeadline(Clock::time_point start, uint32_t multiplier, uint32_t constant,
                       size_t count) {
  if (multiplier == 0 && constant == 0) return std::nullopt;
  const uint64_t per_byte = count > kLongestLimitMs ? kLongestLimitMs : count;
  const uint64_t limit_ms = uint64_t{multiplier} * per_byte + constant;
  if (limit_ms >= kLongestLimitMs) return std::nullopt;
  return start + std::chrono::milliseconds(limit_ms);
}

Deadline Earlier(Deadline a, Deadline b) {
  if (!a) return b;
  if (!b) return a;
  return std::min(*a, *b);
}

enum class Readiness { kReady, kTimedOut, kFailed };

// Waits until fd reports one of events, an error or a hang-up, or until
// the deadline passes. poll() sleeps at least the time asked, rounded up to
// whole milliseconds, so a deadline is never cut short.
Readiness WaitFor(int fd, short events, Deadline deadline) {
  for (;;) {
    int timeout_ms = -1;
    if (deadline) {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now());
      if (left.count() <= 0) return Readiness::kTimedOut;
      timeout_ms =
          static_cast<int>(std::min<std::chrono::milliseconds::rep>(left.count(), INT_MAX));
    }
    pollfd watched{fd, events, 0};
    const int result = poll(&watched, 1, timeout_ms);
    if (result < 0) {
      if (errno == EINTR) continue;
      return Readiness::kFailed;
    }
    if (result == 0) continue;  // the deadline is checked again above
    if ((watched.revents & events) != 0) return Readiness::kReady;
    // Only an error, a hang-up or a bad descriptor: nothing more will come,
    // and polling again would return at once forever.
    return Readiness::kFailed;
  }
}

struct ReadPlan {
  bool return_at_once = false;                        // take what is queued, do not wait
  bool return_on_first = false;                       // wait for the first bytes only
  Deadline total;                                     // overall limit
  std::optional<std::chrono::milliseconds> interval;  // gap after a byte
};

ReadPlan PlanRead(const DeviceTimeouts& t, size_t size, Clock::time_point start) {
  ReadPlan plan;
  if (t.read_interval == kMaximum && t.read_total_multiplier == 0 && t.read_total_constant == 0) {
    plan.return_at_once = true;
    return plan;
  }
  // Interval and multiplier both at maximum with a constant in between:
  // return as soon as anything is there, or empty after the constant.
  if (t.read_interval == kMaximum && t.read_total_multiplier == kMaximum &&
      t.read_total_constant > 0 && t.read_total_constant < kMaximum) {
    plan.return_on_first = true;
    plan.total = start + std::chrono::milliseconds(t.read_total_constant);
    return plan;
  }
  plan.total = TotalDeadline(start, t.read_total_multiplier, t.read_total_constant, size);
  if (t.read_interval != 0 && t.read_interval != kMaximum) {
    plan.interval = std::chrono::milliseconds(t.read_interval);
  }
  return plan;
}

}  // namespace

std::optional<size_t> TimedRead(int fd, char* buffer, size_t size, const DeviceTimeouts& timeouts) {
  if (size == 0) return 0;
  const ReadPlan plan = PlanRead(timeouts, size, Clock::now());
  size_t received = 0;
  Deadline gap_ends;
  for (;;) {
    const ssize_t count = read(fd, buffer + received, size - received);
    if (count > 0) {
      received += static_cast<size_t>(count);
      if (received == size || plan.return_on_first) return received;
      if (plan.interval) gap_ends = Clock::now() + *plan.interval;
      continue;  // drain what is queued before waiting
    }
    // A terminal in raw mode reads 0 only after a hang-up: the device is gone.
    if (count == 0) return std::nullopt;
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) return std::nullopt;
    if (plan.return_at_once) return received;

    switch (WaitFor(fd, POLLIN, Earlier(plan.total, gap_ends))) {
      case Readiness::kReady:
        break;
      case Readiness::kTimedOut:
        return received;
      case Readiness::kFailed:
        return std::nullopt;
    }
  }
}

std::optional<size_t> TimedWrite(int fd, const char* data, size_t size,
                                 const DeviceTimeouts& timeouts) {
  if (size == 0) return 0;
  const Deadline limit = TotalDeadline(Clock::now(), timeouts.write_total_multiplier,
                                       timeouts.write_total_constant, size);
  size_t written = 0;
  while (written < size) {
    const ssize_t count = write(fd, data + written, size - written);
    if (count > 0) {
      written += static_cast<size_t>(count);
      continue;
    }
    if (count < 0 && errno == EINTR) continue;
    if (count < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return std::nullopt;
    // The driver's queue is full: wait for room until the limit.
    switch (WaitFor(fd, POLLOUT, limit)) {
      case Readiness::kReady:
        break;
      case Readiness::kTimedOut:
        return written;
      case Readiness::kFailed:
        return std::nullopt;
    }
  }
  return written;
}

}  // namespace tevral::link::posix
