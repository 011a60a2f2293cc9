#pragma once
// TBComPort: one serial port, opened exclusively, with the panel's line
// settings and Win32-style time-outs on every platform. Every failure is an
// EComPort carrying one fixed Ukrainian message (see com_errors.h).
//
// The operating system is reached only through SerialDevice
// (serial_device.h), implemented in posix/ and win32/.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/com_errors.h"
#include "link/com_types.h"
#include "link/serial_line.h"

namespace tevral::link {

class SerialDevice;
class TBComPort;

// Read and write time-outs in milliseconds, with the Win32 meaning:
// ReadInterval is the longest gap allowed after a received character;
// a read's overall limit is ReadTotalMultiplier x count + ReadTotalConstant
// (both 0: no overall limit); a write's is WriteTotalMultiplier x length +
// WriteTotalConstant. A negative value stands for 0xFFFFFFFF: ReadInterval
// -1 with both read totals 0 makes a read return at once with what is queued.
class TComTimeouts {
 public:
  explicit TComTimeouts(TBComPort* owner = nullptr);
  // A copy holds the values only: it belongs to no port. Assigning into a
  // port's time-outs keeps them that port's and applies them (as Assign).
  TComTimeouts(const TComTimeouts& other);
  TComTimeouts& operator=(const TComTimeouts& other);

  int32_t ReadInterval() const { return read_interval_; }
  int32_t ReadTotalMultiplier() const { return read_total_multiplier_; }
  int32_t ReadTotalConstant() const { return read_total_constant_; }
  int32_t WriteTotalMultiplier() const { return write_total_multiplier_; }
  int32_t WriteTotalConstant() const { return write_total_constant_; }

  // Each setter stores a different value and, when the owning port is open,
  // hands all five to the device at once.
  void SetReadInterval(int32_t value);
  void SetReadTotalMultiplier(int32_t value);
  void SetReadTotalConstant(int32_t value);
  void SetWriteTotalMultiplier(int32_t value);
  void SetWriteTotalConstant(int32_t value);

  // Copies the five values (not the owner).
  void Assign(const TComTimeouts& source);

 private:
  void CopyValues(const TComTimeouts& source);
  void Changed();

  TBComPort* owner_;
  int32_t read_interval_ = -1;
  int32_t read_total_multiplier_ = 0;
  int32_t read_total_constant_ = 0;
  int32_t write_total_multiplier_ = 100;
  int32_t write_total_constant_ = 1000;
};

// The four input lines of the modem status.
struct TModemLines {
  bool cts = false;
  bool dsr = false;
  bool ring = false;
  bool rlsd = false;
};

class TBComPort : public SerialLine {
 public:
  TBComPort();
  // Tests hand in a device of their own; the default is the platform's.
  explicit TBComPort(std::unique_ptr<SerialDevice> device);
  ~TBComPort() override;  // closes an open port first
  TBComPort(const TBComPort&) = delete;
  TBComPort& operator=(const TBComPort&) = delete;

  // Opens the device named by Port() and applies buffer sizes, line
  // settings and time-outs. Returns true; already open: returns true and
  // changes nothing. Throws EComPort and stays closed on failure.
  bool Open();
  // Drops DTR and RTS, cancels pending I/O, stops the line-event thread,
  // closes the device. Closed already: true, device untouched.
  bool Close() override;
  int32_t SendText(const std::string& text) override;
  int32_t ReceiveText(std::string& text, int32_t count) override;

  int32_t QueuedInputCount();
  TModemLines ModemLines();
  void SetDtrLine(bool on);
  void SetRtsLine(bool on);
  void CancelPendingIO();
  void ApplyBufferSizes();
  void ApplyLineSettings();
  void ApplyTimeouts();

  TBaudRate BaudRate() const { return baud_rate_; }
  void SetBaudRate(TBaudRate value);
  TByteSize ByteSize() const { return byte_size_; }
  void SetByteSize(TByteSize value);
  int32_t InBufSize() const { return in_buf_size_; }
  void SetInBufSize(int32_t value);  // a positive odd value is lowered by one
  int32_t OutBufSize() const { return out_buf_size_; }
  void SetOutBufSize(int32_t value);
  TParity Parity() const { return parity_; }
  void SetParity(TParity value);
  const std::string& Port() const { return port_; }
  void SetPort(const std::string& value);  // refused while open
  TSyncMethod SyncMethod() const { return sync_method_; }
  void SetSyncMethod(TSyncMethod value);  // a change is refused while open
  TStopBits StopBits() const { return stop_bits_; }
  void SetStopBits(TStopBits value);
  TComTimeouts& Timeouts() { return timeouts_; }
  const TComTimeouts& Timeouts() const { return timeouts_; }
  void SetTimeouts(const TComTimeouts& value);

  bool IsOpen() const { return is_open_; }

 private:
  // The line-event thread starts as the last step of a successful Open and
  // stops in Close after pending I/O is cancelled, before the device is
  // released. Both run on the caller's thread.
  void StartLineEvents();
  void StopLineEvents();
  // The device half of Close: DTR and RTS down, pending I/O cancelled, the
  // line-event thread stopped, the device released. Always releases; returns
  // the message of the first step that failed, if any.
  std::optional<std::string> ReleaseDevice();

  std::unique_ptr<SerialDevice> device_;
  bool is_open_ = false;
  TBaudRate baud_rate_ = TBaudRate::br9600;
  TByteSize byte_size_ = TByteSize::bs8;
  int32_t in_buf_size_ = 2048;
  int32_t out_buf_size_ = 2048;
  TParity parity_ = TParity::paNone;
  std::string port_ = "COM2";
  TSyncMethod sync_method_ = TSyncMethod::smThreadSync;
  TStopBits stop_bits_ = TStopBits::sb1;
  TComTimeouts timeouts_{this};
};

// Replaces ports with the computer's serial port names, sorted without
// regard to case. On Linux the names are device paths (/dev/ttyUSB0).
// Throws EComPort("Помилка звернення до системного реєстру") and leaves
// ports unchanged when the list cannot be read.
void ListSerialPorts(std::vector<std::string>& ports);

}  // namespace tevral::link
