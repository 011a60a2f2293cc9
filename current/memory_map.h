#pragma once
// Where the panel keeps each setting of the current firmware, as data: the
// bank, the address, how many bytes a read fetches and how many a write may
// store.

#include <array>
#include <cstdint>
#include <string_view>

#include "configurator/memory_area.h"

namespace tevral::current::memory {

// Alternate dial-out number: up to 16 digit bytes and 0F; 15 bytes read.
inline constexpr MemoryArea kAlternateNumber{Bank::k1, 0x0000, 15, 17};
// Keep-alive text: up to 11 characters, the suffix byte and 0F; 11 read.
inline constexpr MemoryArea kKeepAliveText{Bank::k0, 0x0015, 11, 13};
// Connection check, keep-alive transmissions and their period.
inline constexpr MemoryArea kKeepAliveByte{Bank::k0, 0x0060, 1, 1};
inline constexpr MemoryArea kProtocol{Bank::k0, 0x0065, 1, 1};
// Test report period, start hour, start minute: one byte each.
inline constexpr MemoryArea kSchedule{Bank::k0, 0x00A0, 3, 3};
// Access point names: up to 22 characters and 01 01. A read fetches 26
// bytes, so the first name's read runs into the second name.
inline constexpr MemoryArea kAccessPoint1{Bank::k0, 0x00D0, 26, 24};
inline constexpr MemoryArea kAccessPoint2{Bank::k0, 0x00E8, 26, 24};
// The SUR-GARD account prefix; this program always stores "5000 18".
inline constexpr MemoryArea kSurGardPrefix{Bank::k0, 0x0170, 0, 9};
inline constexpr MemoryArea kObjectNumber{Bank::k0, 0x0200, 2, 2};

inline constexpr std::string_view kSurGardPrefixText = "5000 18";

// Bank 1 holds six server records of 48 bytes from 0x00A0: the local port
// (5 digits and 0F) at offset 0 and the server line (41 characters and 0F)
// at offset 6. A server line's read fetches 48 bytes and so reaches into
// the next record.
inline constexpr uint16_t kServerSlotBase = 0x00A0;
inline constexpr uint16_t kServerSlotSize = 0x30;
inline constexpr int kServerSlotCount = 6;
inline constexpr int kLocalPortMaxLength = 5;
inline constexpr int kServerLineMaxLength = 41;

struct ServerSlot {
  std::string_view local_port_field;
  std::string_view server_line_field;
  MemoryArea local_port;
  MemoryArea server_line;
};

// Slots 0-2 are servers 1-3 of SIM 1, slots 3-5 servers 1-3 of SIM 2.
const std::array<ServerSlot, kServerSlotCount>& ServerSlots();

}  // namespace tevral::current::memory
