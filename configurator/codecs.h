#pragma once
// The field codecs: how a field's text becomes the data part of a write
// body and how the data pairs of a read reply become the field's text
// again. Everything here works on plain values (texts, booleans, numbers),
// never on the window, so both programs share it.
//
// A read reply is ":" + three header pairs + the data pairs + a checksum
// pair + ";". The decoders take the data through ReplyData(), which stops
// at the bytes the request asked for and never reaches the checksum pair or
// the final ";", however short the reply is.
//
// Texts are single-byte code page 1251 strings: one character, one byte.

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

// The number parser used for every field that holds a number: an optional
// sign, then decimal digits, or hexadecimal digits after "$", "0x" or "0X".
// No blanks anywhere. A decimal value outside the 32-bit signed range is
// invalid; a hexadecimal one of up to eight digits wraps into it, as the
// parser always did ("$FFFFFFFF" is -1). Throws EConvertError.
int32_t StrToInt(std::string_view text);
// The same without the throw.
std::optional<int32_t> TryStrToInt(std::string_view text);

// `value` as uppercase hexadecimal digits, at least `digits` of them.
std::string IntToHex(uint32_t value, int digits);

// ---- Reading a reply ------------------------------------------------------

// Characters of the reply before the first data pair (":" and three pairs).
inline constexpr std::size_t kReplyHeadLength = 7;

// The data pairs of a read reply to a request of `requested` bytes: what
// follows the head, at most 2 x requested characters, never the checksum
// pair and ";" that end a reply.
std::string_view ReplyData(std::string_view reply, std::size_t requested);

// Data byte `index` (from 0) as its two characters, when both are there.
std::optional<std::string_view> DataPair(std::string_view data, std::size_t index);

// A pair of hexadecimal digits (either case) as its byte value.
std::optional<uint8_t> PairValue(std::string_view pair);

// ---- Multi-byte codecs ----------------------------------------------------

// DigitBytes (the alternate dial-out number): each character c becomes
// "0" + c, so 0-9 give the bytes 00-09 and "A" (the "+" of an international
// number) gives 0A; the text ends with the byte 0F. The decoder keeps the
// second character of every pair before the first 0F.
std::string EncodeDigitBytes(std::string_view text);
std::string DecodeDigitBytes(std::string_view data);

// Text0F: each character's code as two hexadecimal digits, then 0F. The
// decoder stops at the first pair that reads exactly "0F" or at a pair that
// is not hexadecimal.
std::string EncodeText0F(std::string_view text);
std::string DecodeText0F(std::string_view data);

// Text0101: the same, ended by the two bytes 01 01. A single 01 followed by
// any other byte is the character with code 1.
std::string EncodeText0101(std::string_view text);
std::string DecodeText0101(std::string_view data);

// The keep-alive text with its suffix byte: Text0F of the text with the
// suffix's characters, when it has two or more, set just before the final
// 0F.
std::string EncodeKeepAliveText(std::string_view text, std::string_view suffix);

struct KeepAliveText {
  std::string text;
  // The suffix split off the decoded text, as two uppercase hexadecimal
  // digits; nothing when the text ended in a digit or a letter (or was
  // empty).
  std::optional<std::string> suffix;
};
// Text0F, then a last character that is not an ASCII digit or letter is
// taken off the text and becomes the suffix.
KeepAliveText DecodeKeepAliveText(std::string_view data);

// ---- Single-value codecs --------------------------------------------------

// DecimalByte: a schedule value as one byte.
std::string EncodeDecimalByte(uint8_t value);
// The byte in decimal, at least two digits ("05", "24", "100"); nothing
// when the pair is missing or not hexadecimal.
std::optional<std::string> DecodeDecimalByte(std::optional<std::string_view> pair);

// HexWord: the object number as four hexadecimal digits, high byte first.
std::string EncodeHexWord(uint16_t value);
// The first two data pairs as they stand; nothing when either is missing.
std::optional<std::string> DecodeHexWord(std::string_view data);

// ProtocolByte: item 0 (SUR-GARD) is the byte 10, item 1 (SOS 112) is 20.
std::optional<std::string> EncodeProtocolByte(int item_index);
// The item index for "10" or "20"; nothing for any other pair.
std::optional<int> DecodeProtocolByte(std::optional<std::string_view> pair);

// KeepAliveByte: the GPRS connection check, the keep-alive transmissions
// and their period (in units of 5 seconds) share one byte: 01 = no
// connection check, 00 = check without transmissions, anything else =
// both, with that period.
struct KeepAliveSetting {
  bool verify_connection = true;  // sCheckBoxVerConn
  bool send_test = true;          // CheckEnTst
  // EDIT_TestPer; nothing when the byte does not carry the period.
  std::optional<int> period;
};
std::string EncodeKeepAliveByte(bool verify_connection, bool send_test, uint8_t period);
std::optional<KeepAliveSetting> DecodeKeepAliveByte(std::optional<std::string_view> pair);

}  // namespace tevral
