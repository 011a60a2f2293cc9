#pragma once
// Encodings that only the earlier firmware uses: the server entry (IP or
// domain-name form), the transport flag byte, the event-code tables and
// the way this firmware's keep-alive byte reads back.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tevral::earlier {

// One monitoring server: the address field, the server port field and the
// DNS check box of one server group.
struct ServerEntry {
  std::string address;
  std::string port;
  bool name_form = false;  // a domain name rather than a dotted IP address

  bool operator==(const ServerEntry&) const = default;
};

// IP form: each address character as its digit value, "." as 0C, then 0D,
// each port digit as its value, 0F. Name form: 0C, the address's character
// codes, 0D, the port's character codes, 0F. Nothing when the IP form meets
// an address character other than a digit or ".", or a port character that
// is no digit.
std::optional<std::string> EncodeServerAddress(const ServerEntry& entry);

// Decodes the data pairs of a read reply, at most the first 27 bytes; an
// address that runs to the end leaves the port empty, and a pair that is
// not hexadecimal ends the entry where it stands.
ServerEntry DecodeServerAddress(std::string_view data);

inline constexpr size_t kServerEntryReadBytes = 27;

// Which server talks UDP; TCP otherwise.
struct Transport {
  bool udp1 = false;
  bool udp2 = false;
};

// The flag byte (bit 0 server 1, bit 1 server 2) followed by "0F".
std::string EncodeTransportFlags(Transport transport);
Transport DecodeTransportFlags(uint8_t flags);

// The keep-alive byte as this firmware reads it back: 00 switches the
// transmissions off, 01 switches only the connection check off, any other
// value is the period in units of 5 seconds with both on.
struct EarlierKeepAlive {
  bool send_test = true;              // CheckEnTst
  bool verify_connection = true;      // sCheckBoxVerConn
  std::optional<std::string> period;  // EDIT_TestPer, only for a period value
};
EarlierKeepAlive DecodeEarlierKeepAlive(uint8_t value);

// Event codes the panel sends for its 82 events, one table per protocol,
// each entry four hexadecimal digits written as they stand.
inline constexpr size_t kEventCodeCount = 82;
using EventCodeTable = std::array<std::string_view, kEventCodeCount>;
const EventCodeTable& SurGardEventCodes();
const EventCodeTable& Sos112EventCodes();

// The four write bodies of a table: 20, 20, 20 and 22 entries at 0x0204,
// 0x022C, 0x0254 and 0x027C.
std::vector<std::string> EventCodeBodies(const EventCodeTable& table);

// The table that goes with a protocol selection (0 SUR-GARD, 1 SOS 112).
const EventCodeTable* EventCodesForProtocol(int protocol_index);

// Sent 200 ms after the last table part: the panel takes the new codes in.
inline constexpr std::string_view kApplyEventCodesBody = "0008";
inline constexpr int kApplyEventCodesPauseMs = 200;

}  // namespace tevral::earlier
