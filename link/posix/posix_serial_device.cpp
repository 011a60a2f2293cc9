#include "link/posix/posix_serial_device.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "link/posix/arbitrary_rate.h"
#include "link/posix/open_errors.h"
#include "link/posix/termios_settings.h"
#include "link/posix/timed_io.h"

namespace tevral::link::posix {

namespace {

// A pseudo-terminal has no modem lines and answers their ioctls with ENOTTY
// (some drivers with EINVAL). That is "no lines", not a failed port: test
// tools and simulated panels live on pseudo-terminals.
bool NoModemLines(int error) {
  return error == ENOTTY || error == EINVAL;
}

}  // namespace

PosixSerialDevice::~PosixSerialDevice() {
  Close();
}

// The lock is taken before anything is changed on the device, so a port
// that another program holds keeps its settings. flock covers other programs
// of ours and most terminal programs; TIOCEXCL stops any other open by a
// user without root rights.
OpenError PosixSerialDevice::Open(const std::string& name) {
  Close();
  const int fd = open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return OpenErrorFromErrno(errno);

  const auto fail = [fd](OpenError error) {
    close(fd);
    return error;
  };
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) return fail(OpenErrorFromErrno(errno));
  // Not a terminal (a plain file, a folder's entry, a pipe): refuse it before
  // touching it further.
  termios settings{};
  if (tcgetattr(fd, &settings) != 0) return fail(OpenError::kOther);
  if (ioctl(fd, TIOCEXCL) != 0) return fail(OpenError::kOther);

  MakeRaw(settings);
  if (tcsetattr(fd, TCSANOW, &settings) != 0) {
    ioctl(fd, TIOCNXCL);
    return fail(OpenError::kOther);
  }
  std::unique_ptr<LineEventWatcher> watcher = LineEventWatcher::Create(fd);
  if (!watcher) {
    ioctl(fd, TIOCNXCL);
    return fail(OpenError::kOther);
  }
  fd_ = fd;
  watcher_ = std::move(watcher);
  return OpenError::kNone;
}

// Exclusive mode is a property of the terminal, not of this descriptor: a
// pseudo-terminal or a port kept open by someone else would stay locked
// against everyone but root after we are gone. So it is undone explicitly.
void PosixSerialDevice::Close() {
  if (!IsOpen()) return;
  watcher_.reset();
  ioctl(fd_, TIOCNXCL);
  close(fd_);  // also releases the flock
  fd_ = -1;
}

// Linux sizes the driver's queues itself; there is nothing to set. The
// input size is kept for the 80%-full event.
bool PosixSerialDevice::SetupQueues(uint32_t in_size, uint32_t) {
  if (!IsOpen()) return false;
  watcher_->SetInputQueueSize(in_size);
  return true;
}

// A pseudo-terminal keeps only 8 data bits without parity; glibc notices
// that the kernel dropped the rest and tcsetattr fails, so such a request is
// refused like any setting the line cannot carry.
bool PosixSerialDevice::SetLineSettings(const LineSettings& line) {
  if (!IsOpen()) return false;
  termios settings{};
  if (tcgetattr(fd_, &settings) != 0) return false;
  if (!ComposeLineSettings(line, settings)) return false;
  if (tcsetattr(fd_, TCSANOW, &settings) != 0) return false;
  if (!StandardSpeed(line.baud) && !SetArbitraryRate(fd_, line.baud)) return false;
  watcher_->SetBaudRate(line.baud);

  // DTR and RTS are up while the port is open; Close drops them.
  return SetModemBits(TIOCM_DTR | TIOCM_RTS, true);
}

bool PosixSerialDevice::SetTimeouts(const DeviceTimeouts& timeouts) {
  if (!IsOpen()) return false;
  timeouts_ = timeouts;
  return true;
}

std::optional<size_t> PosixSerialDevice::Write(const char* data, size_t size) {
  if (!IsOpen()) return std::nullopt;
  const std::optional<size_t> written = TimedWrite(fd_, data, size, timeouts_);
  if (written.value_or(0) > 0) watcher_->NoteWrite();
  return written;
}

std::optional<size_t> PosixSerialDevice::Read(char* buffer, size_t size) {
  if (!IsOpen()) return std::nullopt;
  const std::optional<size_t> received = TimedRead(fd_, buffer, size, timeouts_);
  if (received.value_or(0) > 0) watcher_->NoteRead();
  return received;
}

std::optional<uint32_t> PosixSerialDevice::QueuedInput() {
  if (!IsOpen()) return std::nullopt;
  int queued = 0;
  if (ioctl(fd_, FIONREAD, &queued) != 0 || queued < 0) return std::nullopt;
  return static_cast<uint32_t>(queued);
}

std::optional<ModemStatus> PosixSerialDevice::GetModemStatus() {
  if (!IsOpen()) return std::nullopt;
  int bits = 0;
  if (ioctl(fd_, TIOCMGET, &bits) != 0) {
    if (NoModemLines(errno)) return ModemStatus{};
    return std::nullopt;
  }
  return ModemStatus{(bits & TIOCM_CTS) != 0, (bits & TIOCM_DSR) != 0, (bits & TIOCM_RNG) != 0,
                     (bits & TIOCM_CD) != 0};
}

bool PosixSerialDevice::SetDtr(bool on) {
  return IsOpen() && SetModemBits(TIOCM_DTR, on);
}

bool PosixSerialDevice::SetRts(bool on) {
  return IsOpen() && SetModemBits(TIOCM_RTS, on);
}

bool PosixSerialDevice::SetModemBits(int bits, bool on) {
  if (ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &bits) == 0) return true;
  return NoModemLines(errno);
}

// Reads and writes complete in the calling thread, so nothing is ever left
// pending to abort; what remains is what the driver still holds, and that
// is discarded both ways, as the port is about to be let go.
bool PosixSerialDevice::Purge() {
  return IsOpen() && tcflush(fd_, TCIOFLUSH) == 0;
}

// ---------------------------------------------------------------------------
// Line events (see line_event_watcher.h)

std::unique_ptr<StopSignal> PosixSerialDevice::MakeStopSignal() {
  if (std::unique_ptr<EventFdStopSignal> signal = EventFdStopSignal::Create()) return signal;
  return SerialDevice::MakeStopSignal();
}

bool PosixSerialDevice::SetEventMask(uint32_t mask) {
  if (!IsOpen()) return false;
  watcher_->SetMask(mask);
  return true;
}

// A stop signal of another kind (made when no eventfd could be had) cannot
// share a poll() with the device: the wait then only waits for the stop.
LineEventWait PosixSerialDevice::WaitForLineEvents(StopSignal& stop) {
  auto* pollable = dynamic_cast<EventFdStopSignal*>(&stop);
  if (!IsOpen() || pollable == nullptr) return SerialDevice::WaitForLineEvents(stop);
  return watcher_->Wait(*pollable);
}

std::optional<uint32_t> PosixSerialDevice::TakeLineErrors() {
  if (!IsOpen()) return std::nullopt;
  return watcher_->TakeErrors();
}

bool PosixSerialDevice::DiscardQueues() {
  return IsOpen() && tcflush(fd_, TCIOFLUSH) == 0;
}

}  // namespace tevral::link::posix

namespace tevral::link {

std::unique_ptr<SerialDevice> MakePlatformSerialDevice() {
  return std::make_unique<posix::PosixSerialDevice>();
}

}  // namespace tevral::link
