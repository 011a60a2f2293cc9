#include "earlier/earlier_codecs.h"

#include <gtest/gtest.h>

#include <string>

#include "configurator/codecs.h"
#include "earlier/earlier_memory_map.h"

namespace tevral::earlier {

void PrintTo(const ServerEntry& e, std::ostream* os) {
  *os << "{\"" << e.address << "\", \"" << e.port << "\", " << (e.name_form ? "name" : "IP") << "}";
}

namespace {

TEST(EarlierMemoryMap, RequestBodies) {
  struct Case {
    MemoryArea area;
    const char* read;
    const char* write_prefix;
  };
  const Case cases[] = {
      {area::kNomerAlter, "00110F0000", "00120000"},
      {area::kPassword, "00110F0010", "00120010"},
      {area::kLocalPort1, "0011080070", "00120070"},
      {area::kLocalPort2, "0011080079", "00120079"},
      {area::kKeepAliveText, "00010B0015", "00020015"},
      {area::kKeepAliveByte, "0001010060", "00020060"},
      {area::kProtocol, "0001010065", "00020065"},
      {area::kServer1, "00011B0066", "00020066"},
      {area::kServer2, "00011B0086", "00020086"},
      {area::kSchedule, "00010300A0", "000200A0"},
      {area::kAccessPoint1, "00011A00D0", "000200D0"},
      {area::kAccessPoint2, "00011A00E8", "000200E8"},
      {area::kTransportFlags, "0001010109", "00020109"},
      {area::kSurGardPrefix, "0001100170", "00020170"},
      {area::kObject, "0001020200", "00020200"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.area.ReadBody(), c.read);
    EXPECT_EQ(c.area.WriteBody("AB"), std::string(c.write_prefix) + "AB");
  }
}

TEST(ServerAddress, Encodes) {
  struct Case {
    ServerEntry entry;
    const char* bytes;
  };
  const Case cases[] = {
      {{"127.0.0.1", "3030", false}, "0102070C000C000C010D030003000F"},
      {{"10.0.0.25", "80", false}, "01000C000C000C02050D08000F"},
      {{"ab.cd", "3030", true}, "0C61622E63640D333033300F"},
      {{".1", "7", false}, "0C010D070F"},  // reads back as the name form
      {{"1", "", false}, "010D0F"},
      {{"x", "", true}, "0C780D0F"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeServerAddress(c.entry), std::optional<std::string>(c.bytes)) << c.bytes;
  }
  EXPECT_EQ(area::kServer1.WriteBody(*EncodeServerAddress({"127.0.0.1", "3030", false})),
            "000200660102070C000C000C010D030003000F");
  EXPECT_EQ(area::kServer2.WriteBody(*EncodeServerAddress({"10.0.0.25", "80", false})),
            "0002008601000C000C000C02050D08000F");
}

TEST(ServerAddress, IpFormRefusesWhatIsNoDigit) {
  for (const ServerEntry& entry :
       {ServerEntry{"ab.cd", "3030", false}, ServerEntry{"1.2.3.4", "30a0", false},
        ServerEntry{"1.2.3.4", "?", false}, ServerEntry{"1.2.3.4 ", "1", false}}) {
    EXPECT_EQ(EncodeServerAddress(entry), std::nullopt) << entry.address << " " << entry.port;
  }
}

TEST(ServerAddress, Decodes) {
  struct Case {
    const char* data;
    ServerEntry entry;
  };
  const Case cases[] = {
      {"0102070C000C000C010D030003000F", {"127.0.0.1", "3030", false}},
      {"0C61622E63640D333033300F", {"ab.cd", "3030", true}},
      {"0C010D070F", {"\x01", "\x07", true}},    // an IP address that began with "."
      {"0A0C0B0D0A0F", {"10.11", "10", false}},  // bytes above 9 read as numbers
      {"0C6162", {"ab", "", true}},              // data ended without terminators
      {"0C61620F3333", {"ab", "33", true}},      // 0F ends the name too
      {"01020F0D05", {"12", "135", false}},      // 0F ends the address too
      {"", {"", "", false}},
      {"01G20D", {"1", "", false}},  // a pair that is no hexadecimal ends the entry
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecodeServerAddress(c.data), c.entry) << c.data;
  }
}

TEST(ServerAddress, DecodingStopsAtTheTwentySeventhByte) {
  // 26 name bytes after 0C fill the 27 bytes; the 0D and port beyond them
  // (the first schedule byte, for server 2) are never reached.
  std::string data = "0C";
  for (int k = 0; k < 26; ++k) data += "61";
  EXPECT_EQ(DecodeServerAddress(data + "0D330F"), (ServerEntry{std::string(26, 'a'), "", true}));
  // Ending on the 27th byte itself still gives the address.
  std::string ip;
  for (int k = 0; k < 26; ++k) ip += "01";
  EXPECT_EQ(DecodeServerAddress(ip + "0D0F").address, std::string(26, '1'));
}

TEST(ServerAddress, RoundTrips) {
  for (const ServerEntry& entry :
       {ServerEntry{"192.168.100.254", "65535", false},
        ServerEntry{"gprs.example.ua", "7779", true}, ServerEntry{"1.1.1.1", "", false},
        ServerEntry{"a", "1", true}}) {
    EXPECT_EQ(DecodeServerAddress(*EncodeServerAddress(entry)), entry) << entry.address;
  }
}

TEST(TransportFlags, EncodeAndDecode) {
  struct Case {
    bool udp1, udp2;
    const char* encoded;
  };
  const Case cases[] = {
      {false, false, "000F"}, {true, false, "010F"}, {false, true, "020F"}, {true, true, "030F"}};
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeTransportFlags({c.udp1, c.udp2}), c.encoded);
    const Transport back =
        DecodeTransportFlags(static_cast<uint8_t>(std::stoi(c.encoded, nullptr, 16) >> 8));
    EXPECT_EQ(back.udp1, c.udp1);
    EXPECT_EQ(back.udp2, c.udp2);
  }
  EXPECT_EQ(area::kTransportFlags.WriteBody(EncodeTransportFlags({true, true})), "00020109030F");
  // The other bits mean nothing.
  EXPECT_FALSE(DecodeTransportFlags(0xFC).udp1);
  EXPECT_FALSE(DecodeTransportFlags(0xFC).udp2);
  EXPECT_TRUE(DecodeTransportFlags(0xFF).udp1);
  EXPECT_TRUE(DecodeTransportFlags(0xFF).udp2);
}

TEST(EarlierKeepAlive, ByteOneTurnsOffOnlyTheConnectionCheck) {
  struct Case {
    uint8_t byte;
    bool send_test, verify;
    std::optional<std::string> period;
  };
  const Case cases[] = {{0x00, false, true, std::nullopt},
                        {0x01, true, false, std::nullopt},
                        {0x28, true, true, "40"},
                        {0x02, true, true, "2"},
                        {0xFF, true, true, "255"}};
  for (const Case& c : cases) {
    const EarlierKeepAlive got = DecodeEarlierKeepAlive(c.byte);
    EXPECT_EQ(got.send_test, c.send_test) << int(c.byte);
    EXPECT_EQ(got.verify_connection, c.verify) << int(c.byte);
    EXPECT_EQ(got.period, c.period) << int(c.byte);
  }
}

TEST(EventCodeTable, TheEightBodies) {
  const std::vector<std::string> sur_gard = {
      "0002020416021604162716271627162716271627162816281628162816281628357135713571357115711571",
      "0002022C15711571111811181118111831183118311831181110111011101110311031103110311013731373",
      "0002025413731373337333733373337311301130113011301330333011373137153215311532153115321531",
      "0002027C1551355113013301131133111308130514611305152016011354000000001621135633561344334413"
      "811381"};
  const std::vector<std::string> sos112 = {
      "0002020420032004200520062007200820092010201120122013201420152016201720182019202020212022",
      "0002022C20232024202520262027202820292030203120322033203420352036203720382039204020412042",
      "0002025420432044204520462047204820492050205120522053205420552056205720582059206020612062",
      "0002027C2063206420652066206720682069207020712072207320742075200020002078207920802081208220"
      "832084"};
  EXPECT_EQ(EventCodeBodies(SurGardEventCodes()), sur_gard);
  EXPECT_EQ(EventCodeBodies(Sos112EventCodes()), sos112);
}

TEST(EventCodeTable, ChosenByProtocol) {
  EXPECT_EQ(EventCodesForProtocol(0), &SurGardEventCodes());
  EXPECT_EQ(EventCodesForProtocol(1), &Sos112EventCodes());
  EXPECT_EQ(EventCodesForProtocol(-1), nullptr);
  EXPECT_EQ(EventCodesForProtocol(2), nullptr);
  // Entries 73 and 74 are unused in both; the SOS 112 numbers are k + 3.
  for (size_t k = 0; k < kEventCodeCount; ++k) {
    const bool unused = k == 73 || k == 74;
    EXPECT_EQ(Sos112EventCodes()[k],
              unused ? "2000" : "20" + std::to_string(100 + k + 3).substr(1));
    if (unused) {
      EXPECT_EQ(SurGardEventCodes()[k], "0000");
    }
  }
}

}  // namespace
}  // namespace tevral::earlier
