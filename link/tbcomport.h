#pragma once
// TBComPort: one serial port, opened exclusively, with the panel's line
// settings and Win32-style time-outs on every platform. Every failure is an
// EComPort carrying one fixed Ukrainian message (see com_errors.h).
//
// The operating system is reached only through SerialDevice
// (serial_device.h), implemented in posix/ and win32/.
//
// While open, the port watches the line's events on a thread of its own
// (TComThread, com_thread.h) and passes them to the On* handlers on the
// thread its SyncMethod chooses.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "link/com_errors.h"
#include "link/com_thread.h"
#include "link/com_types.h"
#include "link/line_events.h"
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

// Line event handlers; the sender is the port that saw the event.
using TNotifyEvent = std::function<void(TBComPort& sender)>;
using TComSignalEvent = std::function<void(TBComPort& sender, bool state)>;
using TComErrorEvent = std::function<void(TBComPort& sender, TComErrors errors)>;
using TRxCharEvent = std::function<void(TBComPort& sender, int32_t count)>;

class TBComPort : public SerialLine, private LineEventSink {
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

  int32_t QueuedInputCount() override;
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

  // Line event handlers. Setting one only stores it (a copy), and may be
  // done at any time; each defaults to none.
  TComSignalEvent OnCTSChange() const;
  void SetOnCTSChange(TComSignalEvent handler);
  TComSignalEvent OnDSRChange() const;
  void SetOnDSRChange(TComSignalEvent handler);
  TComErrorEvent OnError() const;
  void SetOnError(TComErrorEvent handler);
  TNotifyEvent OnRing() const;
  void SetOnRing(TNotifyEvent handler);
  TComSignalEvent OnRLSDChange() const;
  void SetOnRLSDChange(TComSignalEvent handler);
  TNotifyEvent OnRx80Full() const;
  void SetOnRx80Full(TNotifyEvent handler);
  TRxCharEvent OnRxChar() const;
  void SetOnRxChar(TRxCharEvent handler);
  TNotifyEvent OnTxEmpty() const;
  void SetOnTxEmpty(TNotifyEvent handler);

  // The event thread's fixed settings.
  TThreadPriority ThreadPriority() const { return TThreadPriority::tpNormal; }
  TComEvents WatchedEvents() const { return kAllLineEvents; }
  // The running event thread; none while closed.
  const TComThread* EventThread() const { return event_thread_.get(); }

  // How the owner's thread learns that events wait for it (smThreadSync and
  // smWindowSync). A window posts ProcessPendingEvents to its event loop; with
  // no dispatcher the owner calls ProcessPendingEvents itself, and Close
  // serves a pending dispatch in any case. The dispatcher must outlive the
  // open port. Takes effect at the next Open.
  void SetOwnerDispatcher(OwnerThreadDispatcher* dispatcher) { dispatcher_ = dispatcher; }
  // Where an error raised by the handling of an event goes (the program's
  // error box); the event thread goes on either way. Without one the error
  // is dropped. Takes effect at the next Open.
  void SetApplicationErrorHandler(TApplicationErrorHandler handler) {
    error_handler_ = std::move(handler);
  }
  // On the owner's thread: handles the events waiting for it. Does nothing
  // when none wait or the port is closed.
  void ProcessPendingEvents();

 private:
  struct EventHandlers {
    TComSignalEvent on_cts_change;
    TComSignalEvent on_dsr_change;
    TComErrorEvent on_error;
    TNotifyEvent on_ring;
    TComSignalEvent on_rlsd_change;
    TNotifyEvent on_rx80_full;
    TRxCharEvent on_rx_char;
    TNotifyEvent on_tx_empty;
  };

  // LineEventSink: the handling of one reported event, on whichever thread
  // the sync method chose.
  void HandleLineEvent(TComEvent event) override;
  void HandleLineError();
  void HandleReceivedCharacters();
  void HandleSignalChange(TComSignalEvent EventHandlers::*handler, bool TModemLines::*line);
  void HandleNotification(TNotifyEvent EventHandlers::*handler);
  template <typename Handler>
  Handler HandlerOf(Handler EventHandlers::*handler) const;
  template <typename Handler>
  void SetHandler(Handler EventHandlers::*handler, Handler value);

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
  // Read by the event thread's handling under smNone, hence atomic.
  std::atomic<bool> is_open_ = false;
  TBaudRate baud_rate_ = TBaudRate::br9600;
  TByteSize byte_size_ = TByteSize::bs8;
  int32_t in_buf_size_ = 2048;
  int32_t out_buf_size_ = 2048;
  std::atomic<TParity> parity_ = TParity::paNone;
  std::string port_ = "COM2";
  TSyncMethod sync_method_ = TSyncMethod::smThreadSync;
  TStopBits stop_bits_ = TStopBits::sb1;
  TComTimeouts timeouts_{this};

  mutable std::mutex handlers_mutex_;
  EventHandlers handlers_;
  OwnerThreadDispatcher* dispatcher_ = nullptr;
  TApplicationErrorHandler error_handler_;
  // Shared so that a handler closing the port from within a dispatch does
  // not destroy the thread object under the dispatch that is running it.
  std::shared_ptr<TComThread> event_thread_;
};

// Replaces ports with the computer's serial port names, sorted without
// regard to case. On Linux the names are device paths (/dev/ttyUSB0); on
// Windows COM names, and a PC with no serial port at all has an empty list.
// Throws EComPort("Помилка звернення до системного реєстру") and leaves
// ports unchanged when the list cannot be read.
void ListSerialPorts(std::vector<std::string>& ports);

}  // namespace tevral::link
