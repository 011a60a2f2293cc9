#pragma once
// The one number parser of the configurator: every field that holds a
// number and every integer of a settings file is read by it, so a value
// means the same in the window, on the panel and in a file. The rule is the
// one the settings files were always read with: an optional sign, then
// decimal digits, or hexadecimal digits after "$", "0x" or "0X". No blanks
// anywhere. A decimal value outside the 32-bit signed range is invalid; a
// hexadecimal one up to 0xFFFFFFFF wraps into it ("$FFFFFFFF" is -1, and
// "-$FFFFFFFF" is 1), leading zeros not counting.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tevral {

// The number parser's error: "'%s' is not a valid integer value".
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The message of EConvertError for `text` (code page 1251); the message
// is UTF-8 like every other error's.
std::string InvalidIntegerMessage(std::string_view text);

// Throws EConvertError for a text that is no number.
int32_t StrToInt(std::string_view text);
// The same without the throw.
std::optional<int32_t> TryStrToInt(std::string_view text);

}  // namespace tevral
