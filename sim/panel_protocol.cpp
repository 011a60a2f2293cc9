#include "sim/panel_protocol.h"

#include <vector>

#include "link/exchanges.h"
#include "link/hex_digits.h"

namespace tevral::sim {

namespace {

using link::HexDigitValue;
using link::HexPair;

// The bytes of a text of hexadecimal digit pairs; nothing if it is not one.
std::optional<std::vector<uint8_t>> DecodePairs(std::string_view text) {
  if (text.size() % 2 != 0) return std::nullopt;
  std::vector<uint8_t> bytes;
  bytes.reserve(text.size() / 2);
  for (size_t i = 0; i < text.size(); i += 2) {
    const auto high = HexDigitValue(text[i]);
    const auto low = HexDigitValue(text[i + 1]);
    if (!high || !low) return std::nullopt;
    bytes.push_back(static_cast<uint8_t>(*high << 4 | *low));
  }
  return bytes;
}

uint16_t AddressAt(const std::vector<uint8_t>& bytes, size_t index) {
  return static_cast<uint16_t>(bytes[index] << 8 | bytes[index + 1]);
}

std::string Identify(const PanelIdentity& id) {
  if (id.limited) return CloseReply("000000");
  std::string text = "000039";
  for (const uint8_t pair : {id.type, id.version_major, id.version_minor, id.day, id.month, id.year,
                             id.hour, id.minute, id.second}) {
    text += HexPair(pair);
  }
  return CloseReply(text);
}

// bytes: 00, command, count, address high, address low.
std::optional<std::string> ReadMemory(const std::vector<uint8_t>& bytes, int bank,
                                      const PanelMemory& memory) {
  if (bytes.size() != 5) return std::nullopt;
  const uint8_t count = bytes[2];
  std::string text = "00" + HexPair(bytes[1]) + HexPair(count);
  for (const uint8_t b : memory.Read(bank, AddressAt(bytes, 3), count)) text += HexPair(b);
  return CloseReply(text);
}

// bytes: 00, command, address high, address low, data...
std::optional<std::string> WriteMemory(const std::vector<uint8_t>& bytes, int bank,
                                       PanelMemory& memory) {
  if (bytes.size() < 4) return std::nullopt;
  memory.Write(bank, AddressAt(bytes, 2), std::vector<uint8_t>(bytes.begin() + 4, bytes.end()));
  return CloseReply("00" + HexPair(bytes[1]));
}

}  // namespace

std::string CloseReply(std::string_view text) {
  return ":" + std::string(text) + link::FrameChecksum(text) + ";";
}

std::optional<std::string> AnswerRequest(std::string_view body, PanelMemory& memory,
                                         const PanelIdentity& identity) {
  const auto bytes = DecodePairs(body);
  if (!bytes || bytes->size() < 2 || (*bytes)[0] != 0x00) return std::nullopt;
  const uint8_t command = (*bytes)[1];
  switch (command) {
    case 0x39:
      return bytes->size() == 2 ? std::optional(Identify(identity)) : std::nullopt;
    case 0x08:
      return bytes->size() == 2 ? std::optional(CloseReply("0008")) : std::nullopt;
    case 0x01:
      return ReadMemory(*bytes, 0, memory);
    case 0x11:
      return ReadMemory(*bytes, 1, memory);
    case 0x02:
      return WriteMemory(*bytes, 0, memory);
    case 0x12:
      return WriteMemory(*bytes, 1, memory);
    default:
      return std::nullopt;
  }
}

}  // namespace tevral::sim
