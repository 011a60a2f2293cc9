#pragma once
// SerialDevice over the Win32 communications functions: the port name
// (COM3) is opened as \\.\COM3 for overlapped input and output.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "link/serial_device.h"

namespace tevral::link::win32 {

class Win32SerialDevice final : public SerialDevice {
 public:
  Win32SerialDevice() = default;
  ~Win32SerialDevice() override;
  Win32SerialDevice(const Win32SerialDevice&) = delete;
  Win32SerialDevice& operator=(const Win32SerialDevice&) = delete;

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
  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace tevral::link::win32
