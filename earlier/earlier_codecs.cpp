#include "earlier/earlier_codecs.h"

#include "configurator/codecs.h"
#include "earlier/earlier_memory_map.h"

namespace tevral::earlier {
namespace {

constexpr uint8_t kDot = 0x0C;        // "." of an IP address; opens the name form
constexpr uint8_t kPortStart = 0x0D;  // between address and port
constexpr uint8_t kEntryEnd = 0x0F;

bool IsDecimalDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string HexPair(unsigned value) {
  return IntToHex(value & 0xFFu, 2);
}

// The IP form: a digit's value, or 0C for ".".
std::optional<std::string> EncodeIpAddressChars(std::string_view address) {
  std::string out;
  for (char c : address) {
    if (c == '.') {
      out += HexPair(kDot);
    } else if (IsDecimalDigit(c)) {
      out += HexPair(static_cast<unsigned>(c - '0'));
    } else {
      return std::nullopt;
    }
  }
  return out;
}

std::optional<std::string> EncodeDigitValues(std::string_view digits) {
  std::string out;
  for (char c : digits) {
    if (!IsDecimalDigit(c)) return std::nullopt;
    out += HexPair(static_cast<unsigned>(c - '0'));
  }
  return out;
}

std::string EncodeCharCodes(std::string_view text) {
  std::string out;
  for (char c : text) out += HexPair(static_cast<unsigned char>(c));
  return out;
}

// Walks the entry's data pairs, never past the 27th byte nor past the
// data; a pair that is not hexadecimal counts as the end of the data.
class EntryReader {
 public:
  explicit EntryReader(std::string_view data) : data_(data) {}
  bool AtEnd() const { return !Current().has_value(); }
  uint8_t Peek() const { return *Current(); }
  uint8_t Take() { return *Current(pos_++); }

 private:
  std::optional<uint8_t> Current(size_t index) const {
    if (index >= kServerEntryReadBytes) return std::nullopt;
    const auto pair = DataPair(data_, index);
    return pair ? PairValue(*pair) : std::nullopt;
  }
  std::optional<uint8_t> Current() const { return Current(pos_); }

  std::string_view data_;
  size_t pos_ = 0;
};

std::string DecodeNameAddress(EntryReader& in) {
  std::string address;
  while (!in.AtEnd()) {
    const uint8_t b = in.Take();
    if (b == kPortStart || b == kEntryEnd) break;
    address += static_cast<char>(b);
  }
  return address;
}

std::string DecodeNamePort(EntryReader& in) {
  std::string port;
  while (!in.AtEnd()) {
    const uint8_t b = in.Take();
    if (b == kEntryEnd) break;
    port += static_cast<char>(b);
  }
  return port;
}

// A byte that is no digit value still reads as its decimal value (0A
// gives "10"), as the panel's own display would show it.
std::string DecodeIpAddress(EntryReader& in) {
  std::string address;
  while (!in.AtEnd()) {
    const uint8_t b = in.Take();
    if (b == kPortStart || b == kEntryEnd) break;
    address += b == kDot ? std::string(".") : std::to_string(b);
  }
  return address;
}

std::string DecodeIpPort(EntryReader& in) {
  std::string port;
  while (!in.AtEnd()) {
    const uint8_t b = in.Take();
    if (b == kEntryEnd) break;
    port += std::to_string(b);
  }
  return port;
}

}  // namespace

std::optional<std::string> EncodeServerAddress(const ServerEntry& entry) {
  if (entry.name_form) {
    return HexPair(kDot) + EncodeCharCodes(entry.address) + HexPair(kPortStart) +
           EncodeCharCodes(entry.port) + HexPair(kEntryEnd);
  }
  const auto address = EncodeIpAddressChars(entry.address);
  const auto port = EncodeDigitValues(entry.port);
  if (!address || !port) return std::nullopt;
  return *address + HexPair(kPortStart) + *port + HexPair(kEntryEnd);
}

ServerEntry DecodeServerAddress(std::string_view data) {
  EntryReader in(data);
  ServerEntry entry;
  if (!in.AtEnd() && in.Peek() == kDot) {
    in.Take();
    entry.name_form = true;
    entry.address = DecodeNameAddress(in);
    entry.port = DecodeNamePort(in);
  } else {
    entry.address = DecodeIpAddress(in);
    entry.port = DecodeIpPort(in);
  }
  return entry;
}

std::string EncodeTransportFlags(Transport transport) {
  const unsigned flags = (transport.udp1 ? 1u : 0u) + (transport.udp2 ? 2u : 0u);
  return HexPair(flags) + HexPair(kEntryEnd);
}

Transport DecodeTransportFlags(uint8_t flags) {
  return Transport{(flags & 1u) != 0, (flags & 2u) != 0};
}

EarlierKeepAlive DecodeEarlierKeepAlive(uint8_t value) {
  EarlierKeepAlive setting;
  if (value == 0x00) {
    setting.send_test = false;
  } else if (value == 0x01) {
    setting.verify_connection = false;
  } else {
    setting.period = std::to_string(value);
  }
  return setting;
}

namespace {

// Contact ID events for SUR-GARD: a qualifier digit (1 new event, 3 restore)
// and the three-digit event code; entries 73 and 74 are unused.
constexpr EventCodeTable kSurGard = {
    "1602", "1604", "1627", "1627", "1627", "1627", "1627", "1627", "1628", "1628", "1628", "1628",
    "1628", "1628", "3571", "3571", "3571", "3571", "1571", "1571", "1571", "1571", "1118", "1118",
    "1118", "1118", "3118", "3118", "3118", "3118", "1110", "1110", "1110", "1110", "3110", "3110",
    "3110", "3110", "1373", "1373", "1373", "1373", "3373", "3373", "3373", "3373", "1130", "1130",
    "1130", "1130", "1330", "3330", "1137", "3137", "1532", "1531", "1532", "1531", "1532", "1531",
    "1551", "3551", "1301", "3301", "1311", "3311", "1308", "1305", "1461", "1305", "1520", "1601",
    "1354", "0000", "0000", "1621", "1356", "3356", "1344", "3344", "1381", "1381",
};

// SOS 112 event numbers: 20 and k + 3 for entry k; entries 73 and 74 unused.
constexpr EventCodeTable kSos112 = {
    "2003", "2004", "2005", "2006", "2007", "2008", "2009", "2010", "2011", "2012", "2013", "2014",
    "2015", "2016", "2017", "2018", "2019", "2020", "2021", "2022", "2023", "2024", "2025", "2026",
    "2027", "2028", "2029", "2030", "2031", "2032", "2033", "2034", "2035", "2036", "2037", "2038",
    "2039", "2040", "2041", "2042", "2043", "2044", "2045", "2046", "2047", "2048", "2049", "2050",
    "2051", "2052", "2053", "2054", "2055", "2056", "2057", "2058", "2059", "2060", "2061", "2062",
    "2063", "2064", "2065", "2066", "2067", "2068", "2069", "2070", "2071", "2072", "2073", "2074",
    "2075", "2000", "2000", "2078", "2079", "2080", "2081", "2082", "2083", "2084",
};

}  // namespace

const EventCodeTable& SurGardEventCodes() {
  return kSurGard;
}
const EventCodeTable& Sos112EventCodes() {
  return kSos112;
}

std::vector<std::string> EventCodeBodies(const EventCodeTable& table) {
  // Entries per request; the last request carries the remaining 22.
  constexpr std::array<size_t, 4> kPartSizes = {20, 20, 20, 22};
  std::vector<std::string> bodies;
  size_t entry = 0;
  for (size_t part_size : kPartSizes) {
    const auto address = static_cast<uint16_t>(area::kEventCodes.address + 2 * entry);
    std::string data;
    for (size_t k = 0; k < part_size; ++k) data += table[entry + k];
    bodies.push_back(WriteBody(area::kEventCodes.bank, address, data));
    entry += part_size;
  }
  return bodies;
}

const EventCodeTable* EventCodesForProtocol(int protocol_index) {
  switch (protocol_index) {
    case 0:
      return &kSurGard;
    case 1:
      return &kSos112;
    default:
      return nullptr;
  }
}

}  // namespace tevral::earlier
