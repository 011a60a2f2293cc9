#include "earlier/earlier_write_checks.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "configurator/field_table.h"
#include "earlier/earlier_fields.h"
#include "earlier/earlier_write_sequence.h"

namespace tevral::earlier {
namespace {

using Edit = std::function<void(FieldTable&)>;

Edit SetText(const char* name, std::string value) {
  return [=](FieldTable& f) { f.SetText(name, value); };
}
Edit SetChecked(const char* name, bool value) {
  return [=](FieldTable& f) { f.SetChecked(name, value); };
}
Edit Both(Edit a, Edit b) {
  return [=](FieldTable& f) { a(f), b(f); };
}

struct Case {
  const char* what;
  Edit edit;
  const char* message;  // nullptr: the write goes ahead
};

TEST(EarlierWriteChecks, TheWindowDefaultsPass) {
  FieldTable form(EarlierFields());
  EXPECT_EQ(CheckEarlierWrite(form), std::nullopt);
}

TEST(EarlierWriteChecks, LengthsOfServersAccessPointsAndKeepAliveText) {
  using namespace write_check;
  const Case cases[] = {
      {"13 characters", SetText("AdvEdit_IP_1", "127.0.0.1"), nullptr},
      {"address empty, port given", SetText("AdvEdit_IP_1", ""), kIp1},
      {"both empty", Both(SetText("AdvEdit_IP_1", ""), SetText("AdvEdit_PORT_1", "")), kIp1},
      {"18 + 5",
       Both(SetText("AdvEdit_IP_1", "123.123.123.123.12"), SetText("AdvEdit_PORT_1", "65535")),
       nullptr},
      {"19 + 5",
       Both(SetText("AdvEdit_IP_1", "123.123.123.123.123"), SetText("AdvEdit_PORT_1", "65535")),
       kIp1},
      {"name of 22, port emptied to \"0\"",
       Both(SetChecked("sCheckBox_DNS_2", true),
            Both(SetText("AdvEdit_IP_2", std::string(22, 'a')), SetText("AdvEdit_PORT_2", ""))),
       nullptr},
      {"server 2 empty", SetText("AdvEdit_IP_2", ""), kIp2},
      {"access point of 22", SetText("AdvEdit_POINT_1", std::string(22, 'p')), nullptr},
      {"access point of 23", SetText("AdvEdit_POINT_1", std::string(23, 'p')), kPoint1},
      {"access point empty", SetText("AdvEdit_POINT_2", ""), kPoint2},
      {"keep-alive text of 11", SetText("EDIT_Test", std::string(11, 't')), nullptr},
      {"keep-alive text of 12", SetText("EDIT_Test", std::string(12, 't')), kKeepAliveText},
      {"keep-alive text empty", SetText("EDIT_Test", ""), kKeepAliveText},
      // The first check that fails is the one shown.
      {"server 1 before access point",
       Both(SetText("AdvEdit_IP_1", ""), SetText("AdvEdit_POINT_1", "")), kIp1},
      {"length before characters", Both(SetText("EDIT_Test", ""), SetText("AdvEdit_Password", "?")),
       kKeepAliveText},
  };
  for (const Case& c : cases) {
    FieldTable form(EarlierFields());
    c.edit(form);
    EXPECT_EQ(CheckEarlierWrite(form),
              c.message ? std::optional<std::string>(c.message) : std::nullopt)
        << c.what;
  }
}

// What a settings file can put into a field that the panel could not take:
// each is refused before the port is opened instead of failing part way.
TEST(EarlierWriteChecks, ValuesThatWouldNotConvertOrFit) {
  using namespace write_check;
  const Case cases[] = {
      {"number with A", SetText("AdvEditNomerAlter", "A380441234567"), nullptr},
      {"number of 16", SetText("AdvEditNomerAlter", std::string(16, '9')), nullptr},
      {"number of 17", SetText("AdvEditNomerAlter", std::string(17, '9')), kNomerAlterLength},
      {"number '?'", SetText("AdvEditNomerAlter", "?"), kNomerAlterChars},
      {"number with '+'", SetText("AdvEditNomerAlter", "+380"), kNomerAlterChars},
      {"password empty", SetText("AdvEdit_Password", ""), nullptr},
      {"password letter", SetText("AdvEdit_Password", "12a4"), kPasswordChars},
      {"password of 16", SetText("AdvEdit_Password", std::string(16, '1')), kPasswordLength},
      {"local port '?'", SetText("AdvEdit_PORT_LOCAL_1", "?"), kLocalPort1Chars},
      {"local port of 6", SetText("AdvEdit_PORT_LOCAL_1", "123456"), kLocalPort1Length},
      {"local port empty", SetText("AdvEdit_PORT_LOCAL_2", ""), nullptr},
      {"local port 2 '?'", SetText("AdvEdit_PORT_LOCAL_2", "3o30"), kLocalPort2Chars},
      {"no protocol", [](FieldTable& f) { f.SetItemIndex("sComboBox_ChProtocol", -1); }, kProtocol},
      {"object lower case", SetText("AdvEdit_Object", "1a2f"), nullptr},
      {"object of 1", SetText("AdvEdit_Object", "7"), nullptr},
      {"object empty", SetText("AdvEdit_Object", ""), kObjectLength},
      {"object of 5", SetText("AdvEdit_Object", "12345"), kObjectLength},
      {"object 'G'", SetText("AdvEdit_Object", "12G4"), kObjectChars},
      {"object '$1'", SetText("AdvEdit_Object", "$1"), kObjectChars},
      {"period '?'", SetText("EDIT_TestPer", "?"), kPeriodChars},
      {"period '?', not sent", Both(SetChecked("CheckEnTst", false), SetText("EDIT_TestPer", "?")),
       kPeriodChars},
      {"period 255", SetText("EDIT_TestPer", "255"), nullptr},
      {"period 256", SetText("EDIT_TestPer", "256"), kPeriodRange},
      {"period 1", SetText("EDIT_TestPer", "1"), kPeriodRange},
      {"period 0", SetText("EDIT_TestPer", "0"), kPeriodRange},
      {"period 2", SetText("EDIT_TestPer", "2"), nullptr},
      {"period 0, no check",
       Both(SetChecked("sCheckBoxVerConn", false), SetText("EDIT_TestPer", "0")), nullptr},
      {"period 999, not sent",
       Both(SetChecked("CheckEnTst", false), SetText("EDIT_TestPer", "999")), nullptr},
      {"period '-5'", SetText("EDIT_TestPer", "-5"), kPeriodChars},
      {"suffix empty", SetText("AdvEditHeartHexSufix", ""), nullptr},
      {"suffix of 1", SetText("AdvEditHeartHexSufix", "x"), nullptr},
      {"suffix 'fe'", SetText("AdvEditHeartHexSufix", "fe"), nullptr},
      {"suffix 'zz'", SetText("AdvEditHeartHexSufix", "zz"), kSuffix},
      {"suffix of 3", SetText("AdvEditHeartHexSufix", "141"), kSuffix},
      {"prefix of 14", SetText("EDIT_SurGardPref", std::string(14, 'S')), nullptr},
      {"prefix of 15", SetText("EDIT_SurGardPref", std::string(15, 'S')), kSurGardPrefixLength},
      {"prefix empty", SetText("EDIT_SurGardPref", ""), nullptr},
      {"IP with a letter", SetText("AdvEdit_IP_1", "ab.cd"), kIp1Chars},
      {"name with DNS", Both(SetChecked("sCheckBox_DNS_1", true), SetText("AdvEdit_IP_1", "ab.cd")),
       nullptr},
      {"port '?'", SetText("AdvEdit_PORT_1", "?"), kPort1Chars},
      {"port '?' with DNS",
       Both(SetChecked("sCheckBox_DNS_1", true), SetText("AdvEdit_PORT_1", "?")), kPort1Chars},
      {"IP 2 '?'", SetText("AdvEdit_IP_2", "?"), kIp2Chars},
      {"port 2 with blank", SetText("AdvEdit_PORT_2", "30 0"), kPort2Chars},
      {"schedule '?'", SetText("AdvEdit_TestHou", "?"), kScheduleChars},
      {"schedule empty shows 0", SetText("AdvEdit_TestMin", ""), nullptr},
      {"schedule 255", SetText("AdvEdit_TestPer", "255"), nullptr},
      {"schedule 256", SetText("AdvEdit_TestMin", "256"), kScheduleRange},
      {"schedule huge", SetText("AdvEdit_TestPer", "99999999999999999999"), kScheduleRange},
  };
  for (const Case& c : cases) {
    FieldTable form(EarlierFields());
    c.edit(form);
    EXPECT_EQ(CheckEarlierWrite(form),
              c.message ? std::optional<std::string>(c.message) : std::nullopt)
        << c.what;
  }
}

TEST(EarlierWritePlan, BodiesOfTheWindowDefaults) {
  FieldTable form(EarlierFields());
  const EarlierWritePlan plan = PlanEarlierWrite(form);
  const std::vector<std::string> identified_only = {
      "001200000F",
      "00120010373339313634383235303733393136"
      "0F",
      "00120070333033300F",
      "00120079333033300F",
      "00020109000F",
  };
  const std::vector<std::string> shared = {
      "0002006510",
      "000202000000",
      "0002006028",
      "0002001574140F",
      "00020170353030302031380101",
      "000200D07777772E6B796976737461722E6E65740101",
      "000200E87777772E756D632E75610101",
      "000200660102070C000C000C010D030003000F",
      "000200860102070C000C000C010D030003000F",
      "000200A0180E11",
  };
  EXPECT_EQ(plan.identified_only, identified_only);
  EXPECT_EQ(plan.shared, shared);
  EXPECT_TRUE(plan.event_codes.empty());  // sCheckBox_IncCodes is off by default
}

TEST(EarlierWritePlan, FieldsTheBoxesAndListsChoose) {
  FieldTable form(EarlierFields());
  form.SetChecked("RadioButton_UDP_2", true);
  form.SetChecked("sCheckBox_DNS_1", true);
  form.SetText("AdvEdit_IP_1", "ab.cd");
  form.SetText("AdvEdit_Object", "1a");
  form.SetChecked("sCheckBoxVerConn", false);  // 01 whatever the period says
  form.SetText("EDIT_TestPer", "999");
  form.SetText("AdvEditNomerAlter", "0A123");
  form.SetText("AdvEditHeartHexSufix", "fe");
  form.SetItemIndex("sComboBox_ChProtocol", 1);
  form.SetChecked("sCheckBox_IncCodes", true);
  const EarlierWritePlan plan = PlanEarlierWrite(form);
  EXPECT_EQ(plan.identified_only[0], "00120000000A0102030F");
  EXPECT_EQ(plan.identified_only[4], "00020109020F");
  EXPECT_EQ(plan.shared[0], "0002006520");
  EXPECT_EQ(plan.shared[1], "00020200001A");
  EXPECT_EQ(plan.shared[2], "0002006001");
  EXPECT_EQ(plan.shared[3], "0002001574FE0F");  // bodies are uppercase
  EXPECT_EQ(plan.shared[7], "000200660C61622E63640D333033300F");
  ASSERT_EQ(plan.event_codes.size(), 4u);
  EXPECT_TRUE(plan.event_codes[0].starts_with("0002020420032004"));

  form.SetChecked("sCheckBoxVerConn", true);
  form.SetChecked("CheckEnTst", false);
  EXPECT_EQ(PlanEarlierWrite(form).shared[2], "0002006000");
}

}  // namespace
}  // namespace tevral::earlier
