#pragma once
// The narrow platform interface under TBComPort. One object owns at most one
// open device. Everything above it (property rules, error messages, the order
// of the open and close steps) lives in TBComPort; everything below it (file
// descriptors or handles, termios or DCB, how a time-out is waited for) lives
// in posix/ or win32/.
//
// Operations return a plain success value instead of throwing: TBComPort
// turns each failure into the EComPort message that belongs to the step.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "link/com_types.h"

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
};

// The back end of the platform the program was built for.
std::unique_ptr<SerialDevice> MakePlatformSerialDevice();

}  // namespace tevral::link
