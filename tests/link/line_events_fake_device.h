#pragma once
// A device whose line events are fed by the test: each Feed becomes the
// result of one event wait, in order. It records what the event machinery
// asks of it, and the owner-side helpers let a test wait for a condition
// instead of sleeping.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "link/com_thread.h"
#include "link/serial_device.h"

namespace tevral::link::testing {

inline constexpr std::chrono::seconds kGenerousBound{10};

// What the fake knows; shared with the test, which keeps it alive longer
// than the port that owns the device.
struct FakeLine {
  std::mutex mutex;
  std::condition_variable changed;

  // Fed by the test.
  std::deque<LineEventWait> waits;
  bool stop_raised = false;
  uint32_t error_bits = 0;
  uint32_t queued = 0;
  ModemStatus lines;
  bool fail_errors = false;
  bool fail_queued = false;
  bool fail_modem = false;

  // Recorded by the fake.
  std::vector<std::string> log;  // mask, wait-taken, pause, discard, close
  int error_reads = 0;
  int queued_reads = 0;
  int modem_reads = 0;
  int waiting = 0;  // event threads inside WaitForLineEvents

  void Feed(uint32_t flags) { Push(LineEventWait{LineEventWait::Outcome::kEvents, flags}); }
  void FeedFailure() { Push(LineEventWait{LineEventWait::Outcome::kFailed, 0}); }
  void Push(LineEventWait wait) {
    {
      std::lock_guard lock(mutex);
      waits.push_back(wait);
    }
    changed.notify_all();
  }

  // Waits (bounded) until predicate holds under the lock.
  template <typename Predicate>
  bool Await(Predicate predicate) {
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, kGenerousBound, [&] { return predicate(*this); });
  }

  void Note(const std::string& entry) {
    log.push_back(entry);
    changed.notify_all();
  }
};

class FakeStopSignal final : public StopSignal {
 public:
  explicit FakeStopSignal(FakeLine& line) : line_(line) {}
  void Raise() override {
    {
      std::lock_guard lock(line_.mutex);
      line_.stop_raised = true;
    }
    line_.changed.notify_all();
  }
  bool Wait(std::optional<std::chrono::milliseconds> limit) override {
    std::unique_lock lock(line_.mutex);
    if (limit) line_.Note("pause " + std::to_string(limit->count()));
    const auto raised = [this] { return line_.stop_raised; };
    if (!limit) {
      line_.changed.wait(lock, raised);
      return true;
    }
    return line_.changed.wait_for(lock, *limit, raised);
  }

 private:
  FakeLine& line_;
};

class FakeEventDevice final : public SerialDevice {
 public:
  explicit FakeEventDevice(FakeLine& line) : line_(line) {}

  OpenError Open(const std::string&) override {
    std::lock_guard lock(line_.mutex);
    line_.stop_raised = false;
    return OpenError::kNone;
  }
  void Close() override { Record("close"); }
  bool SetupQueues(uint32_t, uint32_t) override { return true; }
  bool SetLineSettings(const LineSettings&) override { return true; }
  bool SetTimeouts(const DeviceTimeouts&) override { return true; }
  std::optional<size_t> Write(const char*, size_t size) override { return size; }
  std::optional<size_t> Read(char*, size_t) override { return 0; }
  std::optional<uint32_t> QueuedInput() override {
    std::lock_guard lock(line_.mutex);
    ++line_.queued_reads;
    if (line_.fail_queued) return std::nullopt;
    return line_.queued;
  }
  std::optional<ModemStatus> GetModemStatus() override {
    std::lock_guard lock(line_.mutex);
    ++line_.modem_reads;
    if (line_.fail_modem) return std::nullopt;
    return line_.lines;
  }
  bool SetDtr(bool) override { return true; }
  bool SetRts(bool) override { return true; }
  bool Purge() override { return true; }

  std::unique_ptr<StopSignal> MakeStopSignal() override {
    return std::make_unique<FakeStopSignal>(line_);
  }
  bool SetEventMask(uint32_t mask) override {
    char text[16];
    std::snprintf(text, sizeof text, "mask %04X", mask);
    Record(text);
    return true;
  }
  // The stop wins over anything fed, as a raised StopEvent ends the loop.
  LineEventWait WaitForLineEvents(StopSignal&) override {
    std::unique_lock lock(line_.mutex);
    ++line_.waiting;
    line_.changed.notify_all();
    line_.changed.wait(lock, [this] { return line_.stop_raised || !line_.waits.empty(); });
    --line_.waiting;
    if (line_.stop_raised) return LineEventWait{LineEventWait::Outcome::kStopped, 0};
    const LineEventWait wait = line_.waits.front();
    line_.waits.pop_front();
    line_.Note("wait taken");
    return wait;
  }
  std::optional<uint32_t> TakeLineErrors() override {
    std::lock_guard lock(line_.mutex);
    ++line_.error_reads;
    if (line_.fail_errors) return std::nullopt;
    const uint32_t bits = line_.error_bits;
    line_.error_bits = 0;
    return bits;
  }
  bool DiscardQueues() override {
    Record("discard");
    return true;
  }

 private:
  void Record(const std::string& entry) {
    std::lock_guard lock(line_.mutex);
    line_.Note(entry);
  }

  FakeLine& line_;
};

// The owner's side: counts the requests for a dispatch, so a test can wait
// until the event thread has handed something over.
class CountingDispatcher final : public OwnerThreadDispatcher {
 public:
  void RequestDispatch() override {
    {
      std::lock_guard lock(mutex_);
      ++requests_;
    }
    changed_.notify_all();
  }
  bool AwaitRequests(int count) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, kGenerousBound, [&] { return requests_ >= count; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  int requests_ = 0;
};

}  // namespace tevral::link::testing
