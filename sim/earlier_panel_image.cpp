#include "sim/earlier_panel_image.h"

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

}  // namespace

PanelIdentity EarlierPanelIdentity() {
  PanelIdentity identity;
  identity.type = 0x01;
  identity.version_major = 0x01;
  identity.version_minor = 0x05;
  identity.day = 0x14;
  identity.month = 0x02;
  identity.year = 0x11;
  identity.hour = 0x10;
  identity.minute = 0x30;
  identity.second = 0x00;
  return identity;
}

void WriteEarlierPanelImage(PanelMemory& memory) {
  memory.Write(1, 0x0000, Bytes({0x00, 0x0A, 0x03, 0x08, 0x00, 0x0F}));
  memory.Write(1, 0x0010, Text("739164825073916", {0x0F}));
  memory.Write(1, 0x0070, Text("3030", {0x0F}));
  memory.Write(1, 0x0079, Text("4040", {0x0F}));

  memory.Write(0, 0x0015, Text("t", {0x14, 0x0F}));
  memory.Write(0, 0x0060, Bytes({0x28}));
  memory.Write(0, 0x0065, Bytes({0x10}));
  // 127.0.0.1, port 3030: digit values, 0C for ".", 0D before the port.
  memory.Write(0, 0x0066,
               Bytes({0x01, 0x02, 0x07, 0x0C, 0x00, 0x0C, 0x00, 0x0C, 0x01, 0x0D, 0x03, 0x00, 0x03,
                      0x00, 0x0F}));
  // A domain name: 0C first, then the characters, 0D and the port's digits.
  std::vector<uint8_t> server2 = Text("mon.example.ua", {0x0D});
  server2.insert(server2.begin(), 0x0C);
  const std::vector<uint8_t> port2 = Text("7779", {0x0F});
  server2.insert(server2.end(), port2.begin(), port2.end());
  memory.Write(0, 0x0086, server2);
  memory.Write(0, 0x00A0, Bytes({0x18, 0x0E, 0x11}));
  memory.Write(0, 0x00D0, Text("www.kyivstar.net", {0x01, 0x01}));
  memory.Write(0, 0x00E8, Text("www.umc.ua", {0x01, 0x01}));
  memory.Write(0, 0x0109, Bytes({0x02, 0x0F}));
  memory.Write(0, 0x0170, Text("5000 18", {0x01, 0x01}));
  memory.Write(0, 0x0200, Bytes({0x12, 0x34}));
}

}  // namespace tevral::sim
