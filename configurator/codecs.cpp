#include "configurator/codecs.h"

#include "configurator/cp1251.h"

namespace tevral {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

std::optional<int> HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return std::nullopt;
}

bool IsAsciiDigitOrLetter(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Hexadecimal digits after the prefix: at most eight, wrapping into the
// signed range like the parser of the original tool chain.
std::optional<uint32_t> ParseHexDigits(std::string_view digits) {
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  uint32_t value = 0;
  for (char c : digits) {
    auto digit = HexDigitValue(c);
    if (!digit) return std::nullopt;
    value = value * 16 + static_cast<uint32_t>(*digit);
  }
  return value;
}

// Decimal digits as a magnitude; nothing when above `limit`.
std::optional<uint64_t> ParseDecimalDigits(std::string_view digits, uint64_t limit) {
  if (digits.empty()) return std::nullopt;
  uint64_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - '0');
    if (value > limit) return std::nullopt;
  }
  return value;
}

std::string EncodeBytes(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2 + 4);
  for (char c : text) out += IntToHex(static_cast<unsigned char>(c), 2);
  return out;
}

}  // namespace

std::string InvalidIntegerMessage(std::string_view text) {
  // Every error message is UTF-8 by the time it leaves here; the text comes
  // from a field, so it is code page 1251.
  return "'" + Cp1251ToUtf8(text) + "' is not a valid integer value";
}

std::optional<int32_t> TryStrToInt(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.starts_with('$') || text.starts_with("0x") || text.starts_with("0X")) {
    auto value = ParseHexDigits(text.substr(text.front() == '$' ? 1 : 2));
    if (!value) return std::nullopt;
    uint32_t bits = negative ? 0u - *value : *value;
    return static_cast<int32_t>(bits);
  }
  const uint64_t limit = negative ? uint64_t{1} << 31 : (uint64_t{1} << 31) - 1;
  auto magnitude = ParseDecimalDigits(text, limit);
  if (!magnitude) return std::nullopt;
  int64_t value = negative ? -static_cast<int64_t>(*magnitude) : static_cast<int64_t>(*magnitude);
  return static_cast<int32_t>(value);
}

int32_t StrToInt(std::string_view text) {
  auto value = TryStrToInt(text);
  if (!value) throw EConvertError(InvalidIntegerMessage(text));
  return *value;
}

std::string IntToHex(uint32_t value, int digits) {
  std::string out;
  do {
    out.insert(out.begin(), kHexDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  while (static_cast<int>(out.size()) < digits) out.insert(out.begin(), '0');
  return out;
}

std::string_view ReplyData(std::string_view reply, std::size_t requested) {
  // A reply that ends with ";" carries its checksum pair just before it.
  std::size_t end = reply.size();
  if (reply.ends_with(';')) end = end >= 3 ? end - 3 : 0;
  if (end <= kReplyHeadLength) return {};
  std::size_t length = end - kReplyHeadLength;
  if (length > 2 * requested) length = 2 * requested;
  return reply.substr(kReplyHeadLength, length);
}

std::optional<std::string_view> DataPair(std::string_view data, std::size_t index) {
  if (index > data.size() / 2 || 2 * index + 2 > data.size()) return std::nullopt;
  return data.substr(2 * index, 2);
}

std::optional<uint8_t> PairValue(std::string_view pair) {
  if (pair.size() != 2) return std::nullopt;
  auto high = HexDigitValue(pair[0]);
  auto low = HexDigitValue(pair[1]);
  if (!high || !low) return std::nullopt;
  return static_cast<uint8_t>(*high * 16 + *low);
}

std::string EncodeDigitBytes(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2 + 2);
  for (char c : text) {
    out += '0';
    out += c;
  }
  return out + "0F";
}

std::string DecodeDigitBytes(std::string_view data) {
  std::string text;
  for (std::size_t k = 0;; ++k) {
    auto pair = DataPair(data, k);
    if (!pair || *pair == "0F") break;
    text += (*pair)[1];
  }
  return text;
}

std::string EncodeText0F(std::string_view text) {
  return EncodeBytes(text) + "0F";
}

std::string DecodeText0F(std::string_view data) {
  std::string text;
  for (std::size_t k = 0;; ++k) {
    auto pair = DataPair(data, k);
    if (!pair || *pair == "0F") break;
    auto value = PairValue(*pair);
    if (!value) break;
    text += static_cast<char>(*value);
  }
  return text;
}

std::string EncodeText0101(std::string_view text) {
  return EncodeBytes(text) + "0101";
}

std::string DecodeText0101(std::string_view data) {
  std::string text;
  for (std::size_t k = 0;; ++k) {
    auto pair = DataPair(data, k);
    if (!pair) break;
    // The terminator is two bytes: only a 01 followed by another 01 ends
    // the text, and the second must lie within the data.
    auto next = DataPair(data, k + 1);
    if (*pair == "01" && next && *next == "01") break;
    auto value = PairValue(*pair);
    if (!value) break;
    text += static_cast<char>(*value);
  }
  return text;
}

std::string EncodeKeepAliveText(std::string_view text, std::string_view suffix) {
  std::string out = EncodeBytes(text);
  if (suffix.size() >= 2) out += suffix;
  return out + "0F";
}

KeepAliveText DecodeKeepAliveText(std::string_view data) {
  KeepAliveText result{DecodeText0F(data), std::nullopt};
  if (!result.text.empty() && !IsAsciiDigitOrLetter(result.text.back())) {
    result.suffix = IntToHex(static_cast<unsigned char>(result.text.back()), 2);
    result.text.pop_back();
  }
  return result;
}

std::string EncodeDecimalByte(uint8_t value) {
  return IntToHex(value, 2);
}

std::optional<std::string> DecodeDecimalByte(std::optional<std::string_view> pair) {
  if (!pair) return std::nullopt;
  auto value = PairValue(*pair);
  if (!value) return std::nullopt;
  std::string text = std::to_string(*value);
  if (text.size() < 2) text.insert(text.begin(), '0');
  return text;
}

std::string EncodeHexWord(uint16_t value) {
  return IntToHex(value, 4);
}

std::optional<std::string> DecodeHexWord(std::string_view data) {
  auto high = DataPair(data, 0);
  auto low = DataPair(data, 1);
  if (!high || !low) return std::nullopt;
  return std::string(*high) + std::string(*low);
}

std::optional<std::string> EncodeProtocolByte(int item_index) {
  if (item_index == 0) return "10";
  if (item_index == 1) return "20";
  return std::nullopt;
}

std::optional<int> DecodeProtocolByte(std::optional<std::string_view> pair) {
  if (pair == "10") return 0;
  if (pair == "20") return 1;
  return std::nullopt;
}

std::string EncodeKeepAliveByte(bool verify_connection, bool send_test, uint8_t period) {
  if (!verify_connection) return "01";
  if (!send_test) return "00";
  return IntToHex(period, 2);
}

std::optional<KeepAliveSetting> DecodeKeepAliveByte(std::optional<std::string_view> pair) {
  if (!pair) return std::nullopt;
  if (*pair == "00") return KeepAliveSetting{true, false, std::nullopt};
  if (*pair == "01") return KeepAliveSetting{false, false, std::nullopt};
  auto value = PairValue(*pair);
  if (!value) return std::nullopt;
  return KeepAliveSetting{true, true, *value};
}

}  // namespace tevral
