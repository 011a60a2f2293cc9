#include "sim/current_panel_image.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tevral::sim {
namespace {

std::vector<uint8_t> Bytes(std::initializer_list<uint8_t> bytes) {
  return bytes;
}

// Text bytes followed by the terminator bytes.
std::vector<uint8_t> Text(std::string_view text, std::initializer_list<uint8_t> end) {
  std::vector<uint8_t> bytes(text.begin(), text.end());
  bytes.insert(bytes.end(), end);
  return bytes;
}

struct ServerRecord {
  std::string_view local_port;
  std::string_view line;  // "" for a slot with no server
};

constexpr uint16_t kServerBase = 0x00A0;
constexpr uint16_t kServerRecordSize = 0x30;
constexpr uint16_t kServerLineOffset = 6;

constexpr std::array<ServerRecord, 6> kServers = {{
    {"3030", R"("TCP","192.0.2.10",3035)"},
    {"3031", R"("UDP","mon.example.ua",7779)"},
    {"3032", ""},
    {"3033", R"("TCP","198.51.100.7",3035)"},
    {"3034", R"("UDP","mon.example.ua",7779)"},
    {"3035", ""},
}};

}  // namespace

PanelIdentity CurrentPanelIdentity() {
  return PanelIdentity{};  // 01, 03.01, 12.05.24 10:42:07, full functionality
}

void WriteCurrentPanelImage(PanelMemory& memory) {
  // The alternate number: one byte per digit, then 0F.
  memory.Write(1, 0x0000,
               Bytes({0x00, 0x04, 0x04, 0x02, 0x00, 0x00, 0x01, 0x01, 0x02, 0x02, 0x0F}));
  for (size_t slot = 0; slot < kServers.size(); ++slot) {
    const auto base = static_cast<uint16_t>(kServerBase + kServerRecordSize * slot);
    memory.Write(1, base, Text(kServers[slot].local_port, {0x0F}));
    memory.Write(1, static_cast<uint16_t>(base + kServerLineOffset),
                 Text(kServers[slot].line, {0x0F}));
  }

  memory.Write(0, 0x0015, Text("t", {0x14, 0x0F}));
  memory.Write(0, 0x0060, Bytes({0x0C}));
  memory.Write(0, 0x0065, Bytes({0x10}));
  memory.Write(0, 0x00A0, Bytes({24, 9, 30}));
  memory.Write(0, 0x00D0, Text("www.kyivstar.net", {0x01, 0x01}));
  memory.Write(0, 0x00E8, Text("internet", {0x01, 0x01}));
  memory.Write(0, 0x0170, Text("5000 18", {0x01, 0x01}));
  memory.Write(0, 0x0200, Bytes({0x12, 0x34}));
}

}  // namespace tevral::sim
