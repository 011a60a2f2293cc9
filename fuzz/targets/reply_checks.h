#pragma once
// Checks both programs' reply targets share: the data a decoder is given,
// the length a decoded text may have, and that a decoded text written back
// reads back the same.
#include <cstddef>
#include <string>
#include <string_view>

#include "configurator/field_table.h"
#include "configurator/memory_area.h"

namespace tevral::fuzz {

// The data pairs of `reply` for `area`, checked to lie after the head and
// before the checksum pair, never beyond the bytes the area reads.
std::string_view CheckedReplyData(std::string_view reply, const MemoryArea& area);

// A text decoded from `area` holds at most one character per byte read.
void CheckDecodedLength(std::string_view text, const MemoryArea& area, std::string_view what);

// A text without control characters, encoded by `encode` and decoded again
// as a reply of `area` would be, comes back unchanged when it fits.
using TextEncoder = std::string (*)(std::string_view);
using TextDecoder = std::string (*)(std::string_view);
void CheckTextRoundTrip(std::string_view text, const MemoryArea& area, TextEncoder encode,
                        TextDecoder decode, std::string_view what);

// The schedule, the object number and the protocol, which both programs
// keep alike: decoded from `reply` as their areas are read, checked, and
// put into `form`.
struct NumberAreas {
  const MemoryArea& schedule;
  const MemoryArea& object;
  const MemoryArea& protocol;
};
void DecodeSharedNumbers(std::string_view reply, const NumberAreas& areas, FieldTable& form);

// A reply of `area` carrying the data pairs `data`, as a panel sends it.
std::string ReplyCarrying(std::string_view data);

}  // namespace tevral::fuzz
