#include "link/win32/win32_serial_device.h"

#include <algorithm>
#include <chrono>

#include "link/win32/open_errors.h"

namespace tevral::link::win32 {

namespace {

// One overlapped operation: a private completion event, manual-reset and
// starting signalled, released however the operation ends.
class Overlapped {
 public:
  Overlapped() { block_.hEvent = CreateEventA(nullptr, TRUE, TRUE, nullptr); }
  ~Overlapped() {
    if (block_.hEvent != nullptr) CloseHandle(block_.hEvent);
  }
  Overlapped(const Overlapped&) = delete;
  Overlapped& operator=(const Overlapped&) = delete;

  bool Ready() const { return block_.hEvent != nullptr; }
  OVERLAPPED* Block() { return &block_; }

  // Waits without a time limit (the device's time-outs bound the operation)
  // and takes the count transferred; nothing when it cannot be obtained.
  // Windows ends a timed-out operation as a success with a short count;
  // wine ends it with STATUS_TIMEOUT, which GetOverlappedResult turns into
  // ERROR_TIMEOUT with the count still given. Both are a time-out, and a
  // time-out is never an error.
  std::optional<size_t> Finish(HANDLE device) {
    WaitForSingleObject(block_.hEvent, INFINITE);
    DWORD transferred = 0;
    if (!GetOverlappedResult(device, &block_, &transferred, FALSE) &&
        GetLastError() != ERROR_TIMEOUT) {
      return std::nullopt;
    }
    return static_cast<size_t>(transferred);
  }

 private:
  OVERLAPPED block_{};
};

// A started operation either completed at once or is pending; anything
// else is a refusal.
bool Started(BOOL result) {
  return result || GetLastError() == ERROR_IO_PENDING;
}

DWORD ClampedSize(size_t size) {
  return static_cast<DWORD>(std::min<size_t>(size, MAXDWORD));
}

// A device without modem lines (a pseudo-terminal behind wine, some virtual
// COM port drivers) refuses their requests as unsupported. That is "no
// lines", not a failed port.
bool NoModemLines(DWORD error) {
  return error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION;
}

// ReadInterval "maximum" with both read totals 0: a read returns at once
// with what is queued.
bool ReturnsAtOnce(const COMMTIMEOUTS& timeouts) {
  return timeouts.ReadIntervalTimeout == MAXDWORD && timeouts.ReadTotalTimeoutMultiplier == 0 &&
         timeouts.ReadTotalTimeoutConstant == 0;
}

}  // namespace

Win32SerialDevice::~Win32SerialDevice() {
  Close();
}

// Opened for reading and writing, without sharing (that is the exclusive
// access), only if it exists, for overlapped input and output.
OpenError Win32SerialDevice::Open(const std::string& name) {
  Close();
  const std::string path = "\\\\.\\" + name;
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OVERLAPPED, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return OpenErrorFromWin32(GetLastError());
  HANDLE event_wait_done = CreateEventA(nullptr, TRUE, TRUE, nullptr);
  if (event_wait_done == nullptr) {
    CloseHandle(handle);
    return OpenError::kOther;
  }
  handle_ = handle;
  event_wait_done_ = event_wait_done;
  return OpenError::kNone;
}

void Win32SerialDevice::Close() {
  if (!IsOpen()) return;
  CloseHandle(handle_);
  handle_ = INVALID_HANDLE_VALUE;
  CloseHandle(event_wait_done_);
  event_wait_done_ = nullptr;
  timeouts_ = COMMTIMEOUTS{};
}

bool Win32SerialDevice::SetupQueues(uint32_t in_size, uint32_t out_size) {
  return IsOpen() && SetupComm(handle_, in_size, out_size);
}

// A block that is all zero but for these fields: binary mode, parity
// checking when a parity is chosen, DTR and RTS on while open, no flow
// control of any kind (flag word 0x1011, 0x1013 with parity), and the usual
// XON and XOFF characters although XON/XOFF is off.
bool Win32SerialDevice::SetLineSettings(const LineSettings& line) {
  if (!IsOpen()) return false;
  DCB dcb{};
  dcb.DCBlength = sizeof(DCB);
  dcb.BaudRate = line.baud;
  dcb.fBinary = 1;
  dcb.fParity = line.parity != TParity::paNone ? 1 : 0;
  dcb.fDtrControl = DTR_CONTROL_ENABLE;
  dcb.fRtsControl = RTS_CONTROL_ENABLE;
  dcb.ByteSize = static_cast<BYTE>(line.data_bits);
  dcb.Parity = static_cast<BYTE>(line.parity);       // NOPARITY .. SPACEPARITY
  dcb.StopBits = static_cast<BYTE>(line.stop_bits);  // ONESTOPBIT .. TWOSTOPBITS
  dcb.XonChar = 0x11;
  dcb.XoffChar = 0x13;
  return SetCommState(handle_, &dcb) != FALSE;
}

bool Win32SerialDevice::SetTimeouts(const DeviceTimeouts& t) {
  if (!IsOpen()) return false;
  COMMTIMEOUTS timeouts{};
  timeouts.ReadIntervalTimeout = t.read_interval;
  timeouts.ReadTotalTimeoutMultiplier = t.read_total_multiplier;
  timeouts.ReadTotalTimeoutConstant = t.read_total_constant;
  timeouts.WriteTotalTimeoutMultiplier = t.write_total_multiplier;
  timeouts.WriteTotalTimeoutConstant = t.write_total_constant;
  if (!SetCommTimeouts(handle_, &timeouts)) return false;
  timeouts_ = timeouts;
  return true;
}

std::optional<size_t> Win32SerialDevice::Write(const char* data, size_t size) {
  if (!IsOpen()) return std::nullopt;
  Overlapped operation;
  if (!operation.Ready()) return std::nullopt;
  if (!Started(WriteFile(handle_, data, ClampedSize(size), nullptr, operation.Block()))) {
    return std::nullopt;
  }
  return operation.Finish(handle_);
}

std::optional<size_t> Win32SerialDevice::Read(char* buffer, size_t size) {
  if (!IsOpen()) return std::nullopt;
  // Windows completes a read that returns at once with what is queued,
  // even nothing; wine leaves it pending until a byte comes. Asking for no
  // more than is queued gives the same result on both.
  if (ReturnsAtOnce(timeouts_)) {
    const std::optional<uint32_t> queued = QueuedInput();
    if (!queued) return std::nullopt;
    size = std::min<size_t>(size, *queued);
    if (size == 0) return 0;
  }
  Overlapped operation;
  if (!operation.Ready()) return std::nullopt;
  if (!Started(ReadFile(handle_, buffer, ClampedSize(size), nullptr, operation.Block()))) {
    return std::nullopt;
  }
  return operation.Finish(handle_);
}

std::optional<uint32_t> Win32SerialDevice::QueuedInput() {
  if (!IsOpen()) return std::nullopt;
  DWORD errors = 0;
  COMSTAT status{};
  if (!ClearCommError(handle_, &errors, &status)) return std::nullopt;
  return static_cast<uint32_t>(status.cbInQue);
}

std::optional<ModemStatus> Win32SerialDevice::GetModemStatus() {
  if (!IsOpen()) return std::nullopt;
  DWORD bits = 0;
  if (!GetCommModemStatus(handle_, &bits)) {
    if (NoModemLines(GetLastError())) return ModemStatus{};
    return std::nullopt;
  }
  return ModemStatus{(bits & MS_CTS_ON) != 0, (bits & MS_DSR_ON) != 0, (bits & MS_RING_ON) != 0,
                     (bits & MS_RLSD_ON) != 0};
}

bool Win32SerialDevice::SetDtr(bool on) {
  return Escape(on ? SETDTR : CLRDTR);
}

bool Win32SerialDevice::SetRts(bool on) {
  return Escape(on ? SETRTS : CLRRTS);
}

bool Win32SerialDevice::Escape(DWORD function) {
  if (!IsOpen()) return false;
  return EscapeCommFunction(handle_, function) || NoModemLines(GetLastError());
}

bool Win32SerialDevice::Purge() {
  return IsOpen() && PurgeComm(handle_, PURGE_TXABORT | PURGE_RXABORT);
}

// ---------------------------------------------------------------------------
// Line events

std::unique_ptr<Win32StopSignal> Win32StopSignal::Create() {
  HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (event == nullptr) return nullptr;
  return std::unique_ptr<Win32StopSignal>(new Win32StopSignal(event));
}

Win32StopSignal::~Win32StopSignal() {
  CloseHandle(event_);
}

void Win32StopSignal::Raise() {
  SetEvent(event_);
}

bool Win32StopSignal::Wait(std::optional<std::chrono::milliseconds> limit) {
  DWORD timeout = INFINITE;
  if (limit) {
    timeout = static_cast<DWORD>(std::clamp<std::chrono::milliseconds::rep>(
        limit->count(), 0, static_cast<std::chrono::milliseconds::rep>(INFINITE - 1)));
  }
  return WaitForSingleObject(event_, timeout) == WAIT_OBJECT_0;
}

std::unique_ptr<StopSignal> Win32SerialDevice::MakeStopSignal() {
  if (std::unique_ptr<Win32StopSignal> signal = Win32StopSignal::Create()) return signal;
  return SerialDevice::MakeStopSignal();
}

bool Win32SerialDevice::SetEventMask(uint32_t mask) {
  return IsOpen() && SetCommMask(handle_, mask) != FALSE;
}

// One overlapped WaitCommEvent, waited for together with the stop signal.
// The flags and the OVERLAPPED block live in this frame, so a wait that is
// left pending (stopped, or the wait itself failing) is cancelled and its
// completion awaited before returning: the driver must not write into them
// afterwards.
LineEventWait Win32SerialDevice::WaitForLineEvents(StopSignal& stop) {
  auto* signal = dynamic_cast<Win32StopSignal*>(&stop);
  if (!IsOpen() || signal == nullptr) return SerialDevice::WaitForLineEvents(stop);

  OVERLAPPED block{};
  block.hEvent = event_wait_done_;
  DWORD flags = 0;
  if (WaitCommEvent(handle_, &flags, &block)) {
    return LineEventWait{LineEventWait::Outcome::kEvents, static_cast<uint32_t>(flags)};
  }
  if (GetLastError() != ERROR_IO_PENDING) return LineEventWait{LineEventWait::Outcome::kFailed, 0};

  const HANDLE waited[2] = {signal->Handle(), event_wait_done_};
  const DWORD which = WaitForMultipleObjects(2, waited, FALSE, INFINITE);
  if (which != WAIT_OBJECT_0 + 1) {
    AbandonEventWait(block);
    return LineEventWait{
        which == WAIT_OBJECT_0 ? LineEventWait::Outcome::kStopped : LineEventWait::Outcome::kFailed,
        0};
  }
  DWORD unused = 0;
  if (!GetOverlappedResult(handle_, &block, &unused, FALSE)) {
    return LineEventWait{LineEventWait::Outcome::kFailed, 0};
  }
  return LineEventWait{LineEventWait::Outcome::kEvents, static_cast<uint32_t>(flags)};
}

void Win32SerialDevice::AbandonEventWait(OVERLAPPED& block) {
  CancelIoEx(handle_, &block);
  DWORD unused = 0;
  GetOverlappedResult(handle_, &block, &unused, TRUE);
}

std::optional<uint32_t> Win32SerialDevice::TakeLineErrors() {
  if (!IsOpen()) return std::nullopt;
  DWORD errors = 0;
  COMSTAT status{};
  if (!ClearCommError(handle_, &errors, &status)) return std::nullopt;
  return static_cast<uint32_t>(errors);
}

bool Win32SerialDevice::DiscardQueues() {
  return IsOpen() && PurgeComm(handle_, PURGE_TXCLEAR | PURGE_RXCLEAR);
}

}  // namespace tevral::link::win32

namespace tevral::link {

std::unique_ptr<SerialDevice> MakePlatformSerialDevice() {
  return std::make_unique<win32::Win32SerialDevice>();
}

}  // namespace tevral::link
