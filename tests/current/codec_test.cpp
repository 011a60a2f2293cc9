// The field codecs on the byte patterns the panel really stores, and on the
// short and odd replies a decoder must survive without reading past them.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "configurator/codecs.h"
#include "current/memory_map.h"

namespace tevral::current {
namespace {

// A well-formed read reply around `data`: ":" + header + data + checksum + ";".
std::string Reply(const std::string& data) {
  return ":000000" + data + "CS;";
}

TEST(StrToIntTest, AcceptsDecimalAndHexAndRejectsTheRest) {
  struct Case {
    const char* text;
    std::optional<int32_t> value;
  };
  const Case cases[] = {
      {"0", 0},
      {"40", 40},
      {"-5", -5},
      {"+7", 7},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"2147483648", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"$1a", 0x1A},
      {"0x1A", 0x1A},
      {"0X10", 16},
      {"$FFFF", 0xFFFF},
      {"$FFFFFFFF", -1},  // eight hex digits wrap into the signed range
      {"$100000000", std::nullopt},
      {"", std::nullopt},
      {"$", std::nullopt},
      {"0x", std::nullopt},
      {" 5", std::nullopt},
      {"5 ", std::nullopt},
      {"?", std::nullopt},
      {"1e3", std::nullopt},
      {"$-1", std::nullopt},
      {"-", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TryStrToInt(c.text), c.value) << '"' << c.text << '"';
  }
}

TEST(StrToIntTest, ErrorNamesTheOffendingText) {
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

TEST(ReplyDataTest, StopsAtRequestedBytesAndNeverTakesTheChecksum) {
  struct Case {
    const char* reply;
    std::size_t requested;
    const char* data;
  };
  const Case cases[] = {
      {":0000007414CS;", 0, ""},
      {":000000741401CS;", 3, "741401"},
      {":000000741401CS;", 2, "7414"},  // more sent than asked: only what was asked
      {":0000007414CS;", 3, "7414"},    // short reply: checksum and ";" are not data
      {":000000CS;", 3, ""},
      {":00;", 3, ""},
      {";", 3, ""},
      {"", 3, ""},
      {":00000074", 3, "74"},  // unterminated: what is there
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReplyData(c.reply, c.requested), c.data) << c.reply;
  }
}

TEST(ReplyDataTest, PairNeedsBothCharacters) {
  EXPECT_EQ(DataPair("741", 0), std::optional<std::string_view>("74"));
  EXPECT_EQ(DataPair("741", 1), std::nullopt);
  EXPECT_EQ(DataPair("", 0), std::nullopt);
  EXPECT_EQ(DataPair("74", static_cast<std::size_t>(-1)), std::nullopt);
}

TEST(DigitBytesTest, EncodesAndDecodes) {
  EXPECT_EQ(EncodeDigitBytes("0A123"), "000A0102030F");
  EXPECT_EQ(EncodeDigitBytes(""), "0F");
  struct Case {
    const char* data;
    const char* text;
  };
  const Case cases[] = {
      {"000A0102030F", "0A123"},
      {"0F0102", ""},
      {"050A", "5A"},  // no terminator: up to the last data byte
      {"0501020304050607080900010203040506", "512345678901234"},
      {"050", "5"},  // an odd character is never half a pair
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecodeDigitBytes(ReplyData(Reply(c.data), memory::kAlternateNumber.read_bytes)),
              c.text)
        << c.data;
  }
}

TEST(Text0FTest, EncodesAndDecodes) {
  EXPECT_EQ(EncodeText0F("3035"), "333033350F");
  EXPECT_EQ(EncodeText0F("\xCF"), "CF0F");  // a 1251 letter is one byte
  EXPECT_EQ(EncodeText0F(""), "0F");
  struct Case {
    std::string data;
    std::size_t requested;
    std::string text;
  };
  const std::string server = "\"TCP\",\"127.0.0.1\",3035";
  const Case cases[] = {
      {"333033350F", 6, "3035"},
      {"313233343536", 6, "123456"},      // six bytes, no terminator
      {"3132333435363738", 6, "123456"},  // never past the requested bytes
      {EncodeText0F(server) + "3930", 48, server},
      {"0F41", 6, ""},
      {"410f42", 6,
       "A\x0f"
       "B"},               // the terminator test is exact: lowercase is a byte
      {"41ZZ42", 6, "A"},  // a pair that is no number ends the text
      {"3", 6, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecodeText0F(ReplyData(Reply(c.data), c.requested)), c.text) << c.data;
  }
}

TEST(Text0101Test, EncodesAndDecodes) {
  EXPECT_EQ(EncodeText0101(memory::kSurGardPrefixText), "353030302031380101");
  const std::string name22(22, 'w');
  EXPECT_EQ(EncodeText0101(name22).size(), 2u * 24u);
  struct Case {
    std::string data;
    std::string text;
  };
  const Case cases[] = {
      {EncodeText0101(name22) + "6162", name22},
      {"41010142", "A"},
      {"41014201", std::string("A\x01") + "B\x01"},  // a lone 01 is a character
      {"4101", "A\x01"},  // the second 01 lies beyond the data: not a terminator
      {"0101", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecodeText0101(ReplyData(Reply(c.data), c.data.size() / 2)), c.text) << c.data;
  }
  // A 01 01 after the requested bytes is the checksum's business, not ours.
  EXPECT_EQ(DecodeText0101(ReplyData(Reply("41010101"), 2)), "A\x01");
}

TEST(KeepAliveTextTest, SuffixGoesBeforeTheTerminator) {
  struct Case {
    const char* text;
    const char* suffix;
    const char* data;
  };
  const Case cases[] = {
      {"t", "14", "74140F"},
      {"t", "", "740F"},
      {"t", "1", "740F"},  // one character adds nothing
      {"test", "2E", "746573742E0F"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeKeepAliveText(c.text, c.suffix), c.data) << c.text << " $" << c.suffix;
  }
}

TEST(KeepAliveTextTest, DecodeSplitsOffATrailingNonAlphanumeric) {
  struct Case {
    const char* data;
    const char* text;
    std::optional<std::string> suffix;
  };
  const Case cases[] = {
      {"74140F", "t", "14"},
      {"746573740F", "test", std::nullopt},
      {"742E0F", "t", "2E"},
      {"74410F", "tA", std::nullopt},  // "A" is a letter: it stays in the text
      {"0F", "", std::nullopt},        // nothing to split
      {"14", "", "14"},
      {"74C00F", "t", "C0"},  // a 1251 letter is not an ASCII letter
      {"7474747474747474747474", "ttttttttttt", std::nullopt},
  };
  for (const Case& c : cases) {
    KeepAliveText decoded =
        DecodeKeepAliveText(ReplyData(Reply(c.data), memory::kKeepAliveText.read_bytes));
    EXPECT_EQ(decoded.text, c.text) << c.data;
    EXPECT_EQ(decoded.suffix, c.suffix) << c.data;
  }
}

TEST(SingleValueCodecTest, DecimalByte) {
  EXPECT_EQ(EncodeDecimalByte(24), "18");
  EXPECT_EQ(EncodeDecimalByte(255), "FF");
  struct Case {
    std::optional<std::string_view> pair;
    std::optional<std::string> text;
  };
  const Case cases[] = {
      {"18", "24"},  {"0E", "14"},         {"11", "17"},
      {"01", "01"},  {"00", "00"},         {"05", "05"},
      {"64", "100"}, {"ZZ", std::nullopt}, {std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeDecimalByte(c.pair), c.text);
}

TEST(SingleValueCodecTest, HexWord) {
  EXPECT_EQ(EncodeHexWord(0x7), "0007");
  EXPECT_EQ(EncodeHexWord(0x1A), "001A");
  EXPECT_EQ(EncodeHexWord(0xFFFF), "FFFF");
  EXPECT_EQ(DecodeHexWord(ReplyData(Reply("0007"), 2)), "0007");
  EXPECT_EQ(DecodeHexWord(ReplyData(Reply("00"), 2)), std::nullopt);
}

TEST(SingleValueCodecTest, ProtocolByte) {
  EXPECT_EQ(EncodeProtocolByte(0), "10");
  EXPECT_EQ(EncodeProtocolByte(1), "20");
  EXPECT_EQ(EncodeProtocolByte(-1), std::nullopt);
  EXPECT_EQ(EncodeProtocolByte(2), std::nullopt);
  EXPECT_EQ(DecodeProtocolByte("10"), 0);
  EXPECT_EQ(DecodeProtocolByte("20"), 1);
  EXPECT_EQ(DecodeProtocolByte("30"), std::nullopt);
  EXPECT_EQ(DecodeProtocolByte(std::nullopt), std::nullopt);
}

TEST(SingleValueCodecTest, KeepAliveByte) {
  struct EncodeCase {
    bool verify;
    bool send;
    uint8_t period;
    const char* byte;
  };
  const EncodeCase encode_cases[] = {
      {true, true, 40, "28"},
      {false, true, 40, "01"},  // no connection check: nothing else counts
      {true, false, 40, "00"},
      {true, true, 255, "FF"},
  };
  for (const EncodeCase& c : encode_cases) {
    EXPECT_EQ(EncodeKeepAliveByte(c.verify, c.send, c.period), c.byte);
  }
  struct DecodeCase {
    std::optional<std::string_view> pair;
    std::optional<KeepAliveSetting> setting;
  };
  const DecodeCase decode_cases[] = {
      {"00", KeepAliveSetting{true, false, std::nullopt}},
      {"01", KeepAliveSetting{false, false, std::nullopt}},
      {"28", KeepAliveSetting{true, true, 40}},
      {"FF", KeepAliveSetting{true, true, 255}},
      {"G0", std::nullopt},
      {std::nullopt, std::nullopt},
  };
  for (const DecodeCase& c : decode_cases) {
    auto decoded = DecodeKeepAliveByte(c.pair);
    ASSERT_EQ(decoded.has_value(), c.setting.has_value());
    if (!decoded) continue;
    EXPECT_EQ(decoded->verify_connection, c.setting->verify_connection);
    EXPECT_EQ(decoded->send_test, c.setting->send_test);
    EXPECT_EQ(decoded->period, c.setting->period);
  }
}

TEST(MemoryMapTest, BodiesOfTheMap) {
  struct Case {
    std::string body;
    const char* expected;
  };
  const auto& slots = memory::ServerSlots();
  const Case cases[] = {
      {memory::kAlternateNumber.ReadBody(), "00110F0000"},
      {memory::kKeepAliveText.ReadBody(), "00010B0015"},
      {memory::kKeepAliveByte.ReadBody(), "0001010060"},
      {memory::kProtocol.ReadBody(), "0001010065"},
      {memory::kSchedule.ReadBody(), "00010300A0"},
      {memory::kAccessPoint1.ReadBody(), "00011A00D0"},
      {memory::kAccessPoint2.ReadBody(), "00011A00E8"},
      {memory::kObjectNumber.ReadBody(), "0001020200"},
      {memory::kProtocol.WriteBody("10"), "0002006510"},
      {memory::kSurGardPrefix.WriteBody(EncodeText0101(memory::kSurGardPrefixText)),
       "00020170353030302031380101"},
      {slots[0].local_port.ReadBody(), "00110600A0"},
      {slots[0].server_line.ReadBody(), "00113000A6"},
      {slots[2].local_port.WriteBody(""), "00120100"},
      {slots[5].local_port.ReadBody(), "0011060190"},
      {slots[5].server_line.ReadBody(), "0011300196"},
      {slots[5].server_line.WriteBody(""), "00120196"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.body, c.expected);
  EXPECT_EQ(slots[3].local_port_field, "AdvEdit_LocalPortSim2Serv1");
  EXPECT_EQ(slots[3].server_line_field, "AdvEdit_Sim2Serv1");
}

}  // namespace
}  // namespace tevral::current
