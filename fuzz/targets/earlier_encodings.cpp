// The earlier firmware's own encodings both ways: a server entry that the
// encoder accepts and that fits the panel's room reads back as it was
// written; the transport flags keep both servers' choice; an event-code
// table put into the panel through its write requests lies there entry by
// entry.
#include <array>
#include <string>

#include "configurator/codecs.h"
#include "earlier/earlier_codecs.h"
#include "earlier/earlier_memory_map.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_targets.h"
#include "fuzz/targets/reply_checks.h"
#include "sim/panel_memory.h"
#include "sim/panel_protocol.h"

namespace tevral::fuzz {
namespace {

using earlier::ServerEntry;

constexpr uint8_t kPortStart = 0x0D;
constexpr uint8_t kEntryEnd = 0x0F;

bool Holds(std::string_view text, uint8_t byte) {
  return text.find(static_cast<char>(byte)) != std::string_view::npos;
}

// Whether decoding can give the entry back: the name form stops its
// address at 0D or 0F and its port at 0F; the IP form shows each byte in
// decimal, so only single digits and dots return as they were; an address
// starting with "." turns into the name form.
bool ReadsBackAsWritten(const ServerEntry& entry) {
  if (entry.name_form) {
    return !Holds(entry.address, kPortStart) && !Holds(entry.address, kEntryEnd) &&
           !Holds(entry.port, kEntryEnd);
  }
  return !entry.address.starts_with(".");
}

void CheckServerEntry(const ServerEntry& entry) {
  const auto encoded = earlier::EncodeServerAddress(entry);
  if (!encoded) {
    Expect(!entry.name_form, "the name form encodes any text");
    return;
  }
  Expect(encoded->size() % 2 == 0 && encoded->ends_with("0F"), "an entry ends with 0F");
  const MemoryArea& area = earlier::area::kServer1;
  if (encoded->size() > 2u * static_cast<size_t>(area.write_bytes)) return;
  if (!ReadsBackAsWritten(entry)) return;
  const ServerEntry decoded =
      earlier::DecodeServerAddress(ReplyData(ReplyCarrying(*encoded), area.read_bytes));
  Expect(decoded == entry, "a server entry reads back as it was written");
}

void CheckTransport(uint8_t choice) {
  const earlier::Transport transport{(choice & 1u) != 0, (choice & 2u) != 0};
  const std::string encoded = earlier::EncodeTransportFlags(transport);
  const auto flags = PairValue(std::string_view(encoded).substr(0, 2));
  Expect(encoded.size() == 4 && encoded.ends_with("0F") && flags, "flags are one byte and 0F");
  const earlier::Transport decoded = earlier::DecodeTransportFlags(*flags);
  Expect(decoded.udp1 == transport.udp1 && decoded.udp2 == transport.udp2,
         "the transport flags read back");
}

bool IsHexEntry(std::string_view entry) {
  return entry.size() == 4 && entry.find_first_not_of("0123456789ABCDEFabcdef") == entry.npos;
}

// Entries come from the input: raw bytes, or mapped to hexadecimal digits
// so that most tables are well formed.
void CheckEventCodes(InputReader& input) {
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  const bool map_to_hex = input.TakeBool();
  std::array<std::string, earlier::kEventCodeCount> entries;
  earlier::EventCodeTable table{};
  for (size_t k = 0; k < entries.size(); ++k) {
    entries[k] = std::string(input.Take(4));
    if (map_to_hex) {
      for (char& c : entries[k]) c = kHexDigits[static_cast<uint8_t>(c) % 16];
    }
    table[k] = entries[k];
  }
  sim::PanelMemory memory;
  const auto bodies = earlier::EventCodeBodies(table);
  Expect(bodies.size() == 4, "a table goes out in four requests");
  size_t entry = 0;
  for (size_t part = 0; part < bodies.size(); ++part) {
    const size_t count = part == 3 ? 22 : 20;
    bool well_formed = true;
    for (size_t k = entry; k < entry + count; ++k)
      well_formed = well_formed && IsHexEntry(entries[k]);
    const auto reply = sim::AnswerRequest(bodies[part], memory, sim::PanelIdentity{});
    if (!well_formed) {
      // A short entry shifts everything after it; only a body that still
      // happens to be whole hexadecimal pairs can be taken in.
      entry += count;
      continue;
    }
    Expect(reply.has_value(), "the panel takes a well-formed table part");
    const auto stored = memory.Read(
        0, static_cast<uint16_t>(earlier::area::kEventCodes.address + 2 * entry), 2 * count);
    for (size_t k = 0; k < count; ++k) {
      const auto high = PairValue(std::string_view(entries[entry + k]).substr(0, 2));
      const auto low = PairValue(std::string_view(entries[entry + k]).substr(2, 2));
      Expect(stored[2 * k] == *high && stored[2 * k + 1] == *low, "an event code lies in place");
    }
    entry += count;
  }
}

}  // namespace

int FuzzEarlierEncodings(const uint8_t* data, size_t size) {
  InputReader input(data, size);
  const uint8_t choice = input.TakeByte();
  CheckTransport(choice);
  ServerEntry entry;
  entry.name_form = (choice & 4u) != 0;
  entry.address = std::string(input.TakeSized());
  entry.port = std::string(input.TakeSized());
  CheckServerEntry(entry);
  CheckEventCodes(input);
  return 0;
}

}  // namespace tevral::fuzz
