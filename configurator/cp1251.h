#pragma once
// Code page 1251, the single-byte encoding the panel and the settings files
// use. Field values stay in it; conversion happens only at the edges (the
// widgets, the terminal output).

#include <optional>
#include <string>
#include <string_view>

namespace tevral {

// Every byte has a character (0x98, undefined in the code page, is kept as
// U+0098 so nothing is lost on a round trip).
std::string Cp1251ToUtf8(std::string_view cp1251);

// Nothing when the text holds a character with no code in 1251 or is not
// valid UTF-8.
std::optional<std::string> Utf8ToCp1251(std::string_view utf8);

// The 1251 byte of one Unicode code point, if it has one.
std::optional<char> CodePointToCp1251(char32_t code_point);

}  // namespace tevral
