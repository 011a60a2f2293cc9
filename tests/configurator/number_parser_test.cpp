// The one number parser: fields and settings files read every number by
// the same rule, so a value cannot mean one thing in a file and another in
// the window or on the panel.

#include "configurator/number_parser.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "configurator/ini_file.h"

namespace tevral {
namespace {

struct NumberCase {
  const char* text;
  std::optional<int32_t> value;
};

constexpr NumberCase kNumberCases[] = {
    {"0", 0},
    {"40", 40},
    {"007", 7},
    {"-5", -5},
    {"+7", 7},
    {"2147483647", INT32_MAX},
    {"-2147483648", INT32_MIN},
    {"2147483648", std::nullopt},
    {"-2147483649", std::nullopt},
    {"99999999999999999999", std::nullopt},
    // Hexadecimal after any of the three prefixes, either case of digits.
    {"$1a", 0x1A},
    {"0x1A", 0x1A},
    {"0X10", 16},
    {"$FFFF", 0xFFFF},
    // Up to 32 bits wrap into the signed range; leading zeros do not count.
    {"$FFFFFFFF", -1},
    {"0xFFFFFFFF", -1},
    {"0x000000001", 1},
    {"$100000000", std::nullopt},
    {"0x100000000", std::nullopt},
    // A sign goes before every prefix, and a negative hexadecimal value
    // wraps the same way.
    {"-0x10", -16},
    {"+0x7F", 127},
    {"-$10", -16},
    {"-$FFFFFFFF", 1},
    {"-0x80000000", INT32_MIN},
    // Not numbers.
    {"", std::nullopt},
    {"-", std::nullopt},
    {"+", std::nullopt},
    {"$", std::nullopt},
    {"0x", std::nullopt},
    {"-0x", std::nullopt},
    {"x10", std::nullopt},
    {"$-1", std::nullopt},
    {"0x+5", std::nullopt},
    {"--5", std::nullopt},
    {"+-5", std::nullopt},
    {" 5", std::nullopt},
    {"5 ", std::nullopt},
    {"1 2", std::nullopt},
    {"- 5", std::nullopt},
    {"12a", std::nullopt},
    {"0x1G", std::nullopt},
    {"1.5", std::nullopt},
    {"1e3", std::nullopt},
    {"?", std::nullopt},
    {"abc", std::nullopt},
};

TEST(NumberParser, OneRuleForEveryText) {
  for (const NumberCase& c : kNumberCases) {
    EXPECT_EQ(TryStrToInt(c.text), c.value) << '"' << c.text << '"';
  }
}

// A settings file gives a number exactly when the parser does (the file
// trims its values first, so only the cases without blanks at the ends
// stay as they are).
TEST(NumberParser, SettingsFilesReadIntegersByTheSameRule) {
  constexpr int kFallback = 424242;
  for (const NumberCase& c : kNumberCases) {
    const std::string text = c.text;
    if (text.starts_with(' ') || text.ends_with(' ')) continue;
    const IniFile file = IniFile::Parse("[s]\r\nk=" + text + "\r\n");
    EXPECT_EQ(file.ReadInteger("s", "k", kFallback), c.value.value_or(kFallback))
        << '"' << c.text << '"';
  }
}

TEST(NumberParser, ErrorNamesTheOffendingText) {
  try {
    StrToInt("$G1");
    FAIL() << "no error";
  } catch (const EConvertError& error) {
    EXPECT_STREQ(error.what(), "'$G1' is not a valid integer value");
  }
  // A field's text is code page 1251; the message, like every error, is UTF-8.
  try {
    StrToInt("\xE0\xE1");
    FAIL() << "no error";
  } catch (const EConvertError& error) {
    EXPECT_STREQ(error.what(), "'аб' is not a valid integer value");
  }
}

}  // namespace
}  // namespace tevral
