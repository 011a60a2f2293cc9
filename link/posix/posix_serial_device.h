#pragma once
// SerialDevice over a POSIX terminal device: the port name is the device
// path (/dev/ttyUSB0).

#include <memory>

#include "link/posix/line_event_watcher.h"
#include "link/serial_device.h"

namespace tevral::link::posix {

class PosixSerialDevice final : public SerialDevice {
 public:
  PosixSerialDevice() = default;
  ~PosixSerialDevice() override;
  PosixSerialDevice(const PosixSerialDevice&) = delete;
  PosixSerialDevice& operator=(const PosixSerialDevice&) = delete;

  OpenError Open(const std::string& name) override;
  void Close() override;
  bool SetupQueues(uint32_t in_size, uint32_t out_size) override;
  bool SetLineSettings(const LineSettings& settings) override;
  bool SetTimeouts(const DeviceTimeouts& timeouts) override;
  std::optional<size_t> Write(const char* data, size_t size) override;
  std::optional<size_t> Read(char* buffer, size_t size) override;
  std::optional<uint32_t> QueuedInput() override;
  std::optional<ModemStatus> GetModemStatus() override;
  bool SetDtr(bool on) override;
  bool SetRts(bool on) override;
  bool Purge() override;

  std::unique_ptr<StopSignal> MakeStopSignal() override;
  bool SetEventMask(uint32_t mask) override;
  LineEventWait WaitForLineEvents(StopSignal& stop) override;
  std::optional<uint32_t> TakeLineErrors() override;
  bool DiscardQueues() override;

 private:
  bool IsOpen() const { return fd_ >= 0; }
  bool SetModemBits(int bits, bool on);

  int fd_ = -1;
  DeviceTimeouts timeouts_;
  // Present while open: derives line events from the terminal and hears of
  // this device's own reads and writes.
  std::unique_ptr<LineEventWatcher> watcher_;
};

}  // namespace tevral::link::posix
