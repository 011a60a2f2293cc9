#pragma once
// SerialDevice over the Win32 communications functions: the port name
// (COM3) is opened as \\.\COM3 for overlapped input and output.

#include "link/win32/windows_api.h"

#include "link/serial_device.h"

namespace tevral::link::win32 {

// The stop signal as a manual-reset Win32 event, so the event wait can
// sleep on it and on the device's completion event at once.
class Win32StopSignal final : public StopSignal {
 public:
  // Nothing when the system gives no event.
  static std::unique_ptr<Win32StopSignal> Create();
  ~Win32StopSignal() override;
  Win32StopSignal(const Win32StopSignal&) = delete;
  Win32StopSignal& operator=(const Win32StopSignal&) = delete;

  void Raise() override;
  bool Wait(std::optional<std::chrono::milliseconds> limit) override;
  HANDLE Handle() const { return event_; }

 private:
  explicit Win32StopSignal(HANDLE event) : event_(event) {}
  HANDLE event_;
};

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

  std::unique_ptr<StopSignal> MakeStopSignal() override;
  bool SetEventMask(uint32_t mask) override;
  LineEventWait WaitForLineEvents(StopSignal& stop) override;
  std::optional<uint32_t> TakeLineErrors() override;
  bool DiscardQueues() override;

 private:
  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
  void AbandonEventWait(OVERLAPPED& block);
  bool Escape(DWORD function);  // EscapeCommFunction on the open device

  HANDLE handle_ = INVALID_HANDLE_VALUE;
  // Completion event of the event wait (manual-reset), present while open.
  HANDLE event_wait_done_ = nullptr;
  COMMTIMEOUTS timeouts_{};  // as last applied
};

}  // namespace tevral::link::win32
