#pragma once
// The narrow platform interface under TBComPort. One object owns at most one
// open device. Everything above it (property rules, error messages, the order
// of the open and close steps) lives in TBComPort; everything below it (file
// descriptors or handles, termios or DCB, how a time-out is waited for) lives
// in posix/ or win32/.
//
// Operations return a plain success value instead of throwing: TBComPort
// turns each failure into the EComPort message that belongs to the step.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "link/com_types.h"
#include "link/line_events.h"

namespace tevral::link {

// Why a device could not be opened. The first three get messages of their
// own; anything else is reported as a failed queue setup.
enum class OpenError {
  kNone,
  kNotFound,          // no such device
  kBusy,              // another program holds it
  kPermissionDenied,  // the user may not open it at all
  kOther,
};

// The line as the panel needs it. No flow control of any kind, no character
// replacement: the bytes pass as they come.
struct LineSettings {
  uint32_t baud = 9600;
  int data_bits = 8;  // 5 to 8
  TParity parity = TParity::paNone;
  TStopBits stop_bits = TStopBits::sb1;
};

// The five Win32-style time-outs in milliseconds; 0xFFFFFFFF is "maximum".
// Read: a read of N returns when N bytes are in, when read_interval passes
// after a byte without another, or when read_total_multiplier x N +
// read_total_constant passes (both 0: no total limit). read_interval
// 0xFFFFFFFF with both totals 0 returns at once with what is queued.
// Write: the total limit is write_total_multiplier x N + write_total_constant
// (both 0: no limit). Reaching a limit is not an error.
struct DeviceTimeouts {
  uint32_t read_interval = 0xFFFFFFFF;
  uint32_t read_total_multiplier = 0;
  uint32_t read_total_constant = 0;
  uint32_t write_total_multiplier = 100;
  uint32_t write_total_constant = 1000;
};

struct ModemStatus {
  bool cts = false;
  bool dsr = false;
  bool ring = false;
  bool rlsd = false;
};

// The stop signal of a line-event wait: manual-reset, not raised at
// creation. Raised from the owner's thread, waited for on the event thread.
// Each back end makes its own kind (an eventfd, a Win32 event), so its event
// wait can sleep on the device and the signal at once.
class StopSignal {
 public:
  virtual ~StopSignal() = default;
  virtual void Raise() = 0;
  // True once raised; false when the time passed first. No time: no limit.
  virtual bool Wait(std::optional<std::chrono::milliseconds> limit) = 0;
};

// A stop signal for devices that need nothing but itself to wait on.
class PortableStopSignal final : public StopSignal {
 public:
  void Raise() override {
    {
      std::lock_guard lock(mutex_);
      raised_ = true;
    }
    changed_.notify_all();
  }
  bool Wait(std::optional<std::chrono::milliseconds> limit) override {
    std::unique_lock lock(mutex_);
    if (!limit) {
      changed_.wait(lock, [this] { return raised_; });
      return true;
    }
    return changed_.wait_for(lock, *limit, [this] { return raised_; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool raised_ = false;
};

// How a wait for line events ended.
struct LineEventWait {
  enum class Outcome {
    kEvents,   // flags holds what happened (possibly none of the watched ones)
    kStopped,  // the stop signal was raised
    kFailed,   // the wait's result could not be obtained
  };
  Outcome outcome = Outcome::kStopped;
  uint32_t flags = 0;  // line_event::k* bits
};

class SerialDevice {
 public:
  virtual ~SerialDevice() = default;

  // Opens the named device for reading and writing, exclusively. On
  // kNone the device is open; otherwise nothing is held.
  virtual OpenError Open(const std::string& name) = 0;
  // Releases the device; harmless when nothing is open.
  virtual void Close() = 0;

  virtual bool SetupQueues(uint32_t in_size, uint32_t out_size) = 0;
  virtual bool SetLineSettings(const LineSettings& settings) = 0;
  virtual bool SetTimeouts(const DeviceTimeouts& timeouts) = 0;

  // Both return the count transferred (short when a time-out ended the
  // operation), or nothing when the platform refused it.
  virtual std::optional<size_t> Write(const char* data, size_t size) = 0;
  virtual std::optional<size_t> Read(char* buffer, size_t size) = 0;

  virtual std::optional<uint32_t> QueuedInput() = 0;
  virtual std::optional<ModemStatus> GetModemStatus() = 0;
  virtual bool SetDtr(bool on) = 0;
  virtual bool SetRts(bool on) = 0;
  // Aborts what is pending on the device.
  virtual bool Purge() = 0;

  // Line events. The event thread of an open port calls SetEventMask and
  // WaitForLineEvents and, when it ends, DiscardQueues; TakeLineErrors is
  // called wherever the events are handled. They run alongside the reads
  // and writes of the owner's thread. The defaults describe a device that
  // reports no events and no errors.

  virtual std::unique_ptr<StopSignal> MakeStopSignal() {
    return std::make_unique<PortableStopSignal>();
  }
  // Which events (line_event::k* bits) the next waits report; 0 for none.
  virtual bool SetEventMask(uint32_t /*mask*/) { return true; }
  // Sleeps until a watched event happens or stop (made by this device's
  // MakeStopSignal) is raised.
  virtual LineEventWait WaitForLineEvents(StopSignal& stop) {
    stop.Wait(std::nullopt);
    return LineEventWait{LineEventWait::Outcome::kStopped, 0};
  }
  // Reads and clears the error state: the line_error::k* bits gathered since
  // the last call; nothing when it cannot be read.
  virtual std::optional<uint32_t> TakeLineErrors() { return 0u; }
  // Discards both queues without aborting anything (the port is being let go).
  virtual bool DiscardQueues() { return true; }
};

// The back end of the platform the program was built for.
std::unique_ptr<SerialDevice> MakePlatformSerialDevice();

}  // namespace tevral::link
