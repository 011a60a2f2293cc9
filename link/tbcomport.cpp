#include "link/tbcomport.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <utility>

#include "link/serial_device.h"

namespace tevral::link {

namespace {

// The platform takes the time-outs unsigned; a negative setting means the
// largest value, which is what makes ReadInterval -1 "return at once".
uint32_t DeviceTimeoutValue(int32_t value) {
  return value < 0 ? 0xFFFFFFFFu : static_cast<uint32_t>(value);
}

int32_t ClampedCount(size_t count) {
  return static_cast<int32_t>(
      std::min<size_t>(count, static_cast<size_t>(std::numeric_limits<int32_t>::max())));
}

// A buffer size is kept even: a positive odd value is lowered by one.
int32_t EvenBufferSize(int32_t value) {
  return (value > 0 && value % 2 == 1) ? value - 1 : value;
}

const char* OpenErrorMessage(OpenError error) {
  switch (error) {
    case OpenError::kNotFound:
      return com_message::kNoSuchPort;
    case OpenError::kBusy:
      return com_message::kPortBusy;
    case OpenError::kPermissionDenied:
      return com_message::kPermissionDenied;
    case OpenError::kNone:
    case OpenError::kOther:
      break;
  }
  // Any other reason shows up as the first setup step failing on a device
  // that is not there, which is how engineers know this failure.
  return com_message::kSetupComm;
}

bool InRange(int32_t ordinal, int32_t last) {
  return ordinal >= 0 && ordinal <= last;
}

}  // namespace

// ---------------------------------------------------------------------------
// TComTimeouts

TComTimeouts::TComTimeouts(TBComPort* owner) : owner_(owner) {}

TComTimeouts::TComTimeouts(const TComTimeouts& other) : owner_(nullptr) {
  CopyValues(other);
}

TComTimeouts& TComTimeouts::operator=(const TComTimeouts& other) {
  Assign(other);
  return *this;
}

void TComTimeouts::SetReadInterval(int32_t value) {
  if (value == read_interval_) return;
  read_interval_ = value;
  Changed();
}

void TComTimeouts::SetReadTotalMultiplier(int32_t value) {
  if (value == read_total_multiplier_) return;
  read_total_multiplier_ = value;
  Changed();
}

void TComTimeouts::SetReadTotalConstant(int32_t value) {
  if (value == read_total_constant_) return;
  read_total_constant_ = value;
  Changed();
}

void TComTimeouts::SetWriteTotalMultiplier(int32_t value) {
  if (value == write_total_multiplier_) return;
  write_total_multiplier_ = value;
  Changed();
}

void TComTimeouts::SetWriteTotalConstant(int32_t value) {
  if (value == write_total_constant_) return;
  write_total_constant_ = value;
  Changed();
}

// Assign takes a TComTimeouts, so assigning from some other kind of object
// is stopped by the compiler rather than refused at run time. Assigning into
// the timeouts of an open port applies them at once, as every setter does;
// otherwise a port could run with time-outs other than the ones it shows.
void TComTimeouts::Assign(const TComTimeouts& source) {
  CopyValues(source);
  Changed();
}

void TComTimeouts::CopyValues(const TComTimeouts& source) {
  read_interval_ = source.read_interval_;
  read_total_multiplier_ = source.read_total_multiplier_;
  read_total_constant_ = source.read_total_constant_;
  write_total_multiplier_ = source.write_total_multiplier_;
  write_total_constant_ = source.write_total_constant_;
}

void TComTimeouts::Changed() {
  if (owner_ != nullptr) owner_->ApplyTimeouts();
}

// ---------------------------------------------------------------------------
// TBComPort: life cycle

TBComPort::TBComPort() : TBComPort(MakePlatformSerialDevice()) {}

TBComPort::TBComPort(std::unique_ptr<SerialDevice> device)
    : device_(device ? std::move(device) : MakePlatformSerialDevice()) {}

TBComPort::~TBComPort() {
  // A destructor cannot report; the device is released whatever fails.
  if (is_open_) {
    ReleaseDevice();
    is_open_ = false;
  }
}

bool TBComPort::Open() {
  if (is_open_) return true;

  const OpenError error = device_->Open(port_);
  if (error != OpenError::kNone) throw EComPort(OpenErrorMessage(error));

  is_open_ = true;
  try {
    ApplyBufferSizes();
    ApplyLineSettings();
    ApplyTimeouts();
  } catch (const EComPort&) {
    device_->Close();
    is_open_ = false;
    throw;
  }
  try {
    StartLineEvents();
  } catch (...) {
    device_->Close();
    is_open_ = false;
    throw;
  }
  return true;
}

// A failing step (a pulled USB cable makes all of them fail) is still
// reported, but the device is released anyway: keeping a dead handle open
// would leave the engineer unable to reopen the port after plugging the
// cable back in, short of restarting the program.
bool TBComPort::Close() {
  if (!is_open_) return true;
  // The event thread cannot wait for its own end. Under smNone a handler
  // runs on that thread, so it must leave closing to the owner.
  if (event_thread_ && event_thread_->IsEventThread()) {
    throw std::logic_error("TBComPort::Close called from a handler on the event thread");
  }
  const std::optional<std::string> failure = ReleaseDevice();
  is_open_ = false;
  if (failure) throw EComPort(*failure);
  return true;
}

std::optional<std::string> TBComPort::ReleaseDevice() {
  std::optional<std::string> failure;
  const auto note = [&failure](bool ok, const char* message) {
    if (!ok && !failure) failure = message;
  };
  note(device_->SetDtr(false), com_message::kEscapeCommFunction);
  note(device_->SetRts(false), com_message::kEscapeCommFunction);
  note(device_->Purge(), com_message::kPurgeComm);
  StopLineEvents();
  device_->Close();
  return failure;
}

// The event thread waits on the device without a time limit (see the back
// ends), so an open port with nobody handling its events costs no CPU.
void TBComPort::StartLineEvents() {
  LineEventSink& sink = *this;
  event_thread_ = std::make_shared<TComThread>(
      *device_, sink,
      ComThreadSettings{sync_method_, WatchedEvents(), dispatcher_, error_handler_});
}

// Under smThreadSync the owner may never have served a dispatch; TComThread's
// Stop runs it while it waits, so the event thread can end.
void TBComPort::StopLineEvents() {
  const std::shared_ptr<TComThread> thread = std::move(event_thread_);
  if (thread) thread->Stop();
}

void TBComPort::ProcessPendingEvents() {
  // The copy keeps the thread object alive if a handler closes the port.
  const std::shared_ptr<TComThread> thread = event_thread_;
  if (thread) thread->ProcessPendingEvents();
}

// ---------------------------------------------------------------------------
// TBComPort: handling of line events

void TBComPort::HandleLineEvent(TComEvent event) {
  // A handler may have closed the port; the rest of the events went with it.
  if (!is_open_) return;
  switch (event) {
    case TComEvent::evError:
      HandleLineError();
      return;
    case TComEvent::evRxChar:
      HandleReceivedCharacters();
      return;
    case TComEvent::evTxEmpty:
      HandleNotification(&EventHandlers::on_tx_empty);
      return;
    case TComEvent::evRing:
      HandleNotification(&EventHandlers::on_ring);
      return;
    case TComEvent::evCTS:
      HandleSignalChange(&EventHandlers::on_cts_change, &TModemLines::cts);
      return;
    case TComEvent::evDSR:
      HandleSignalChange(&EventHandlers::on_dsr_change, &TModemLines::dsr);
      return;
    case TComEvent::evRLSD:
      HandleSignalChange(&EventHandlers::on_rlsd_change, &TModemLines::rlsd);
      return;
    case TComEvent::evRx80Full:
      HandleNotification(&EventHandlers::on_rx80_full);
      return;
  }
}

// The error state is read, and so cleared, whether or not anyone listens:
// otherwise the same errors would be reported again with the next ones.
void TBComPort::HandleLineError() {
  const std::optional<uint32_t> bits = device_->TakeLineErrors();
  if (!bits) throw EComPort(com_message::kClearCommError);
  const TComErrors errors = ComErrorsFrom(*bits, parity_.load() != TParity::paNone);
  const TComErrorEvent handler = HandlerOf(&EventHandlers::on_error);
  if (!errors.Empty() && handler) handler(*this, errors);
}

void TBComPort::HandleReceivedCharacters() {
  const int32_t count = QueuedInputCount();
  const TRxCharEvent handler = HandlerOf(&EventHandlers::on_rx_char);
  if (count > 0 && handler) handler(*this, count);
}

void TBComPort::HandleSignalChange(TComSignalEvent EventHandlers::*handler,
                                   bool TModemLines::*line) {
  const TComSignalEvent call = HandlerOf(handler);
  if (call) call(*this, ModemLines().*line);
}

void TBComPort::HandleNotification(TNotifyEvent EventHandlers::*handler) {
  const TNotifyEvent call = HandlerOf(handler);
  if (call) call(*this);
}

// Handlers are copied out under the lock and called outside it, so one may
// be replaced (even by itself) while the event thread handles an event.
template <typename Handler>
Handler TBComPort::HandlerOf(Handler EventHandlers::*handler) const {
  std::lock_guard lock(handlers_mutex_);
  return handlers_.*handler;
}

template <typename Handler>
void TBComPort::SetHandler(Handler EventHandlers::*handler, Handler value) {
  std::lock_guard lock(handlers_mutex_);
  handlers_.*handler = std::move(value);
}

TComSignalEvent TBComPort::OnCTSChange() const {
  return HandlerOf(&EventHandlers::on_cts_change);
}
void TBComPort::SetOnCTSChange(TComSignalEvent handler) {
  SetHandler(&EventHandlers::on_cts_change, std::move(handler));
}
TComSignalEvent TBComPort::OnDSRChange() const {
  return HandlerOf(&EventHandlers::on_dsr_change);
}
void TBComPort::SetOnDSRChange(TComSignalEvent handler) {
  SetHandler(&EventHandlers::on_dsr_change, std::move(handler));
}
TComErrorEvent TBComPort::OnError() const {
  return HandlerOf(&EventHandlers::on_error);
}
void TBComPort::SetOnError(TComErrorEvent handler) {
  SetHandler(&EventHandlers::on_error, std::move(handler));
}
TNotifyEvent TBComPort::OnRing() const {
  return HandlerOf(&EventHandlers::on_ring);
}
void TBComPort::SetOnRing(TNotifyEvent handler) {
  SetHandler(&EventHandlers::on_ring, std::move(handler));
}
TComSignalEvent TBComPort::OnRLSDChange() const {
  return HandlerOf(&EventHandlers::on_rlsd_change);
}
void TBComPort::SetOnRLSDChange(TComSignalEvent handler) {
  SetHandler(&EventHandlers::on_rlsd_change, std::move(handler));
}
TNotifyEvent TBComPort::OnRx80Full() const {
  return HandlerOf(&EventHandlers::on_rx80_full);
}
void TBComPort::SetOnRx80Full(TNotifyEvent handler) {
  SetHandler(&EventHandlers::on_rx80_full, std::move(handler));
}
TRxCharEvent TBComPort::OnRxChar() const {
  return HandlerOf(&EventHandlers::on_rx_char);
}
void TBComPort::SetOnRxChar(TRxCharEvent handler) {
  SetHandler(&EventHandlers::on_rx_char, std::move(handler));
}
TNotifyEvent TBComPort::OnTxEmpty() const {
  return HandlerOf(&EventHandlers::on_tx_empty);
}
void TBComPort::SetOnTxEmpty(TNotifyEvent handler) {
  SetHandler(&EventHandlers::on_tx_empty, std::move(handler));
}

// ---------------------------------------------------------------------------
// TBComPort: input and output

int32_t TBComPort::SendText(const std::string& text) {
  if (text.empty()) return 0;
  const std::optional<size_t> written = device_->Write(text.data(), text.size());
  if (!written) throw EComPort(com_message::kWriteFailed);
  return ClampedCount(*written);
}

int32_t TBComPort::ReceiveText(std::string& text, int32_t count) {
  text.clear();
  if (count <= 0) return 0;
  text.resize(static_cast<size_t>(count));
  const std::optional<size_t> received = device_->Read(text.data(), text.size());
  if (!received) {
    text.clear();
    throw EComPort(com_message::kReadFailed);
  }
  text.resize(std::min(*received, text.size()));
  return ClampedCount(text.size());
}

int32_t TBComPort::QueuedInputCount() {
  const std::optional<uint32_t> queued = device_->QueuedInput();
  if (!queued) throw EComPort(com_message::kClearCommError);
  return ClampedCount(*queued);
}

TModemLines TBComPort::ModemLines() {
  const std::optional<ModemStatus> status = device_->GetModemStatus();
  if (!status) throw EComPort(com_message::kGetCommModemStatus);
  return TModemLines{status->cts, status->dsr, status->ring, status->rlsd};
}

void TBComPort::SetDtrLine(bool on) {
  if (!device_->SetDtr(on)) throw EComPort(com_message::kEscapeCommFunction);
}

void TBComPort::SetRtsLine(bool on) {
  if (!device_->SetRts(on)) throw EComPort(com_message::kEscapeCommFunction);
}

void TBComPort::CancelPendingIO() {
  if (!device_->Purge()) throw EComPort(com_message::kPurgeComm);
}

// ---------------------------------------------------------------------------
// TBComPort: handing the settings to the device

void TBComPort::ApplyBufferSizes() {
  if (!is_open_) return;
  // A negative size cannot be a queue; let the device refuse it as zero.
  const auto in_size = static_cast<uint32_t>(std::max(in_buf_size_, 0));
  const auto out_size = static_cast<uint32_t>(std::max(out_buf_size_, 0));
  if (!device_->SetupQueues(in_size, out_size)) throw EComPort(com_message::kSetupComm);
}

// A speed ordinal outside the table (the speed box gives -1 when nothing is
// selected) is accepted as a property value and refused here, when it would
// have to reach the line: at Open, or at once when the port is open.
void TBComPort::ApplyLineSettings() {
  if (!is_open_) return;
  const std::optional<uint32_t> rate = BaudRateValue(baud_rate_);
  const auto byte_size = static_cast<int32_t>(byte_size_);
  if (!rate || !InRange(byte_size, 3) || !InRange(static_cast<int32_t>(parity_.load()), 4) ||
      !InRange(static_cast<int32_t>(stop_bits_), 2)) {
    throw EComPort(com_message::kSetCommState);
  }
  const LineSettings settings{*rate, byte_size + 5, parity_.load(), stop_bits_};
  if (!device_->SetLineSettings(settings)) throw EComPort(com_message::kSetCommState);
}

void TBComPort::ApplyTimeouts() {
  if (!is_open_) return;
  const DeviceTimeouts timeouts{DeviceTimeoutValue(timeouts_.ReadInterval()),
                                DeviceTimeoutValue(timeouts_.ReadTotalMultiplier()),
                                DeviceTimeoutValue(timeouts_.ReadTotalConstant()),
                                DeviceTimeoutValue(timeouts_.WriteTotalMultiplier()),
                                DeviceTimeoutValue(timeouts_.WriteTotalConstant())};
  if (!device_->SetTimeouts(timeouts)) throw EComPort(com_message::kSetCommTimeouts);
}

// ---------------------------------------------------------------------------
// TBComPort: properties

void TBComPort::SetBaudRate(TBaudRate value) {
  if (value == baud_rate_) return;
  baud_rate_ = value;
  ApplyLineSettings();
}

void TBComPort::SetByteSize(TByteSize value) {
  if (value == byte_size_) return;
  byte_size_ = value;
  ApplyLineSettings();
}

void TBComPort::SetParity(TParity value) {
  if (value == parity_) return;
  parity_ = value;
  ApplyLineSettings();
}

void TBComPort::SetStopBits(TStopBits value) {
  if (value == stop_bits_) return;
  stop_bits_ = value;
  ApplyLineSettings();
}

void TBComPort::SetInBufSize(int32_t value) {
  value = EvenBufferSize(value);
  if (value == in_buf_size_) return;
  in_buf_size_ = value;
  ApplyBufferSizes();
}

void TBComPort::SetOutBufSize(int32_t value) {
  value = EvenBufferSize(value);
  if (value == out_buf_size_) return;
  out_buf_size_ = value;
  ApplyBufferSizes();
}

// The device was opened by this name; changing it while open would make the
// component describe a port it does not hold, so even the same name is
// refused.
void TBComPort::SetPort(const std::string& value) {
  if (is_open_) throw EComPort(com_message::kPropertyWhileOpen);
  port_ = value;
}

void TBComPort::SetSyncMethod(TSyncMethod value) {
  if (value == sync_method_) return;
  if (is_open_) throw EComPort(com_message::kPropertyWhileOpen);
  sync_method_ = value;
}

void TBComPort::SetTimeouts(const TComTimeouts& value) {
  timeouts_.Assign(value);
}

}  // namespace tevral::link
