#include "configurator/number_parser.h"

#include "configurator/cp1251.h"
#include "link/hex_digits.h"

namespace tevral {
namespace {

// The digits as a magnitude in `base`; nothing for an empty text, a
// character that is no digit, or a value above `limit`.
std::optional<uint32_t> ParseDigits(std::string_view digits, uint32_t base, uint32_t limit) {
  if (digits.empty()) return std::nullopt;
  uint64_t value = 0;
  for (const char c : digits) {
    const std::optional<int> digit = link::HexDigitValue(c);
    if (!digit || static_cast<uint32_t>(*digit) >= base) return std::nullopt;
    value = value * base + static_cast<uint64_t>(*digit);
    if (value > limit) return std::nullopt;
  }
  return static_cast<uint32_t>(value);
}

}  // namespace

std::string InvalidIntegerMessage(std::string_view text) {
  // Every error message is UTF-8 by the time it leaves here; the text comes
  // from a field, so it is code page 1251. A control character in it (a
  // settings file may put one there) is shown as \xNN: a NUL would end the
  // message where it stands, a line break would split the box's text.
  std::string shown;
  for (const char c : text) {
    const auto byte = static_cast<uint8_t>(c);
    shown += byte < 0x20 ? "\\x" + link::HexPair(byte) : std::string(1, c);
  }
  return "'" + Cp1251ToUtf8(shown) + "' is not a valid integer value";
}

std::optional<int32_t> TryStrToInt(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  std::optional<uint32_t> magnitude;
  if (text.starts_with('$') || text.starts_with("0x") || text.starts_with("0X")) {
    magnitude = ParseDigits(text.substr(text.front() == '$' ? 1 : 2), 16, 0xFFFFFFFFu);
  } else {
    magnitude = ParseDigits(text, 10, negative ? 0x80000000u : 0x7FFFFFFFu);
  }
  if (!magnitude) return std::nullopt;
  // Unsigned arithmetic wraps where the signed one would overflow.
  return static_cast<int32_t>(negative ? 0u - *magnitude : *magnitude);
}

int32_t StrToInt(std::string_view text) {
  const std::optional<int32_t> value = TryStrToInt(text);
  if (!value) throw EConvertError(InvalidIntegerMessage(text));
  return *value;
}

}  // namespace tevral
