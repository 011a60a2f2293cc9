#pragma once
// SerialDevice over a POSIX terminal device: the port name is the device
// path (/dev/ttyUSB0).

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

 private:
  bool IsOpen() const { return fd_ >= 0; }
  bool SetModemBits(int bits, bool on);

  int fd_ = -1;
  DeviceTimeouts timeouts_;
};

}  // namespace tevral::link::posix
