#pragma once
// Hexadecimal digits as the protocol writes them: frames, checksums,
// request bodies and the trace all use two uppercase digits per byte, and
// every reader takes either case.

#include <cstdint>
#include <optional>
#include <string>

namespace tevral::link {

inline constexpr char kUpperHexDigits[] = "0123456789ABCDEF";

// The byte as two uppercase hexadecimal digits.
inline std::string HexPair(std::uint8_t byte) {
  return {kUpperHexDigits[byte >> 4], kUpperHexDigits[byte & 0x0F]};
}

// The value of one hexadecimal digit of either case; nothing for any other
// character.
constexpr std::optional<int> HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return std::nullopt;
}

}  // namespace tevral::link
