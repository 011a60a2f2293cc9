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
#include <string>
#include <string_view>

#include "configurator/number_parser.h"

namespace tevral {

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

// ---- Texts the panel keeps ------------------------------------------------

// A text is stored up to its terminator (0F, or 01 01) and the panel's
// texts end at a NUL: a character below 0x20 in a text to be written would
// cut it short when it is read back, or cut the record the panel keeps. The
// code of the first such character of `text`, if any.
std::optional<uint8_t> FirstControlCharacter(std::string_view text);

// The write's refusal of such a text: "Недопустимий керуючий символ (код
// 0F) " followed by `where` (for instance "в полі \"Точка доступу 1\"").
std::string ControlCharacterRefusal(std::string_view where, uint8_t code);

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
