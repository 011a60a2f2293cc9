#pragma once
// Where the earlier firmware keeps each setting: bank, address, the bytes a
// read fetches and the most a write stores (terminators included). The
// request bodies are built by the shared MemoryArea.

#include <cstddef>

#include "configurator/memory_area.h"

namespace tevral::earlier::area {

// Bank 1. A 16-digit number's terminator falls on the first password
// byte, which the password write that follows puts right again.
inline constexpr MemoryArea kNomerAlter{Bank::k1, 0x0000, 15, 17};
inline constexpr MemoryArea kPassword{Bank::k1, 0x0010, 15, 16};
inline constexpr MemoryArea kLocalPort1{Bank::k1, 0x0070, 8, 6};
inline constexpr MemoryArea kLocalPort2{Bank::k1, 0x0079, 8, 6};

// Bank 0.
inline constexpr MemoryArea kKeepAliveText{Bank::k0, 0x0015, 11, 13};
inline constexpr MemoryArea kKeepAliveByte{Bank::k0, 0x0060, 1, 1};
inline constexpr MemoryArea kProtocol{Bank::k0, 0x0065, 1, 1};
// A server entry takes at most 26 bytes; the 27-byte read of server 2 also
// covers the first schedule byte, which the decoder never reaches.
inline constexpr MemoryArea kServer1{Bank::k0, 0x0066, 27, 26};
inline constexpr MemoryArea kServer2{Bank::k0, 0x0086, 27, 26};
inline constexpr MemoryArea kSchedule{Bank::k0, 0x00A0, 3, 3};
inline constexpr MemoryArea kAccessPoint1{Bank::k0, 0x00D0, 26, 24};
inline constexpr MemoryArea kAccessPoint2{Bank::k0, 0x00E8, 26, 24};
// The write sends the flag byte and a 0F after it (0x0109 and 0x010A); the
// read fetches the flag byte alone.
inline constexpr MemoryArea kTransportFlags{Bank::k0, 0x0109, 1, 2};
// A read fetches 16 bytes, so 14 characters and the 01 01 terminator are
// all that can come back; the write stores no longer prefix.
inline constexpr MemoryArea kSurGardPrefix{Bank::k0, 0x0170, 16, 16};
inline constexpr MemoryArea kObject{Bank::k0, 0x0200, 2, 2};
// 82 two-byte event codes, 0x0204 to 0x02A7, never read back.
inline constexpr MemoryArea kEventCodes{Bank::k0, 0x0204, 0, 164};

// Room for the texts the write stores, terminators left out.
inline constexpr size_t kNomerAlterMaxDigits = 16;
inline constexpr size_t kPasswordMaxDigits = 15;
inline constexpr size_t kLocalPortMaxDigits = 5;
inline constexpr size_t kSurGardPrefixMaxChars = 14;

}  // namespace tevral::earlier::area
