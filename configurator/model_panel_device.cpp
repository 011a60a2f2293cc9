#include "configurator/model_panel_device.h"

#include <algorithm>
#include <string>

#include "sim/frame_parser.h"
#include "sim/panel_memory.h"
#include "sim/panel_protocol.h"

namespace tevral {

namespace {

class ModelPanelDevice final : public link::SerialDevice {
 public:
  link::OpenError Open(const std::string&) override { return link::OpenError::kNone; }
  void Close() override {
    pending_.clear();
    parser_ = sim::FrameParser();
  }
  bool SetupQueues(uint32_t, uint32_t) override { return true; }
  bool SetLineSettings(const link::LineSettings&) override { return true; }
  bool SetTimeouts(const link::DeviceTimeouts&) override { return true; }

  // Every complete frame is answered before the write returns, so the reply
  // is waiting when the exchange comes to collect it.
  std::optional<size_t> Write(const char* data, size_t size) override {
    for (const std::string& frame : parser_.Feed(std::string_view(data, size))) {
      const sim::Frame split = sim::SplitFrame(frame);
      if (!split.checksum_ok) continue;
      if (auto reply = sim::AnswerRequest(split.body, memory_, identity_)) pending_ += *reply;
    }
    return size;
  }
  std::optional<size_t> Read(char* buffer, size_t size) override {
    const size_t count = std::min(size, pending_.size());
    std::copy_n(pending_.begin(), count, buffer);
    pending_.erase(0, count);
    return count;
  }
  std::optional<uint32_t> QueuedInput() override { return static_cast<uint32_t>(pending_.size()); }
  std::optional<link::ModemStatus> GetModemStatus() override { return link::ModemStatus{}; }
  bool SetDtr(bool) override { return true; }
  bool SetRts(bool) override { return true; }
  bool Purge() override {
    pending_.clear();
    return true;
  }

 private:
  sim::PanelMemory memory_;
  sim::PanelIdentity identity_;
  sim::FrameParser parser_;
  std::string pending_;
};

}  // namespace

std::unique_ptr<link::SerialDevice> MakeModelPanelDevice() {
  return std::make_unique<ModelPanelDevice>();
}

}  // namespace tevral
