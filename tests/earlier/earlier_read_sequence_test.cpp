// The earlier read over the real port against the simulated earlier panel.

#include "earlier/earlier_read_sequence.h"

#include <gtest/gtest.h>

#include "configurator/identification_line.h"
#include "earlier_session_fixture.h"
#include "link/exchanges.h"

namespace tevral::earlier {
namespace {

using test::EarlierSessionTest;

const char* const kCaption =
    "Тевраль-1/2 GSM GPRS конфігуратор (визначено: t.01, v.01.05 від 14.02.11 в 10:30:00)";

TEST_F(EarlierSessionTest, FullReadOfAnIdentifiedPanel) {
  // Values the read must replace.
  form_.SetItemIndex("sComboBox_ChProtocol", 1);
  form_.SetText("AdvEdit_Password", "1");
  form_.SetText("AdvEdit_PORT_LOCAL_2", "1");
  form_.SetChecked("RadioButton_UDP_1", true);
  form_.SetChecked("sCheckBox_DNS_1", true);
  form_.SetText("AdvEdit_TestMin", "59");

  ASSERT_TRUE(ReadFromEarlierPanel(session_));

  const std::vector<std::string> bodies = {"0039",       "00110F0000", "0001010065", "00110F0010",
                                           "0011080070", "0011080079", "0001010109", "0001020200",
                                           "0001010060", "00010B0015", "0001100170", "00011A00D0",
                                           "00011A00E8", "00011B0066", "00011B0086", "00010300A0"};
  EXPECT_EQ(RequestBodies(), bodies);
  const std::pair<const char*, const char*> texts[] = {
      {"AdvEditNomerAlter", "0A380"},
      {"AdvEdit_Password", "739164825073916"},
      {"AdvEdit_PORT_LOCAL_1", "3030"},
      {"AdvEdit_PORT_LOCAL_2", "4040"},
      {"AdvEdit_Object", "1234"},
      {"EDIT_TestPer", "40"},
      {"EDIT_Test", "t"},
      {"AdvEditHeartHexSufix", "14"},
      {"EDIT_SurGardPref", "5000 18"},
      {"AdvEdit_POINT_1", "www.kyivstar.net"},
      {"AdvEdit_POINT_2", "www.umc.ua"},
      {"AdvEdit_IP_1", "127.0.0.1"},
      {"AdvEdit_PORT_1", "3030"},
      {"AdvEdit_IP_2", "mon.example.ua"},
      {"AdvEdit_PORT_2", "7779"},
      {"AdvEdit_TestPer", "24"},
      {"AdvEdit_TestHou", "14"},
      {"AdvEdit_TestMin", "17"},
  };
  for (const auto& [name, text] : texts) EXPECT_EQ(form_.Text(name), text) << name;
  const std::pair<const char*, bool> checks[] = {
      {"CheckEnTst", true},         {"sCheckBoxVerConn", true},  {"sCheckBox_DNS_1", false},
      {"sCheckBox_DNS_2", true},    {"RadioButton_TCP_1", true}, {"RadioButton_UDP_1", false},
      {"RadioButton_TCP_2", false}, {"RadioButton_UDP_2", true},
  };
  for (const auto& [name, checked] : checks) EXPECT_EQ(form_.Checked(name), checked) << name;
  EXPECT_EQ(form_.ItemIndex("sComboBox_ChProtocol"), 0);

  EXPECT_EQ(form_.Caption(), kCaption);
  EXPECT_EQ(Shown(), std::vector<std::string>{kReadSuccessMessage});  // no update notice
  EXPECT_EQ(form_.ProgressMax(), kReadExchangesIdentified);
  EXPECT_EQ(form_.ProgressPosition(), 0);
  EXPECT_FALSE(port_.IsOpen());
}

TEST_F(EarlierSessionTest, LimitedPanelGoesStraightToTheObjectNumber) {
  MakeLimited();
  form_.SetItemIndex("sComboBox_ChProtocol", 1);
  form_.SetText("AdvEdit_Password", "111");
  form_.SetText("AdvEdit_PORT_LOCAL_1", "5");
  form_.SetChecked("RadioButton_UDP_1", true);

  ASSERT_TRUE(ReadFromEarlierPanel(session_));

  const std::vector<std::string> bodies = {"0039",       "0001020200", "0001010060", "00010B0015",
                                           "0001100170", "00011A00D0", "00011A00E8", "00011B0066",
                                           "00011B0086", "00010300A0"};
  EXPECT_EQ(RequestBodies(), bodies);
  EXPECT_EQ(form_.Caption(), kLimitedCaption);
  EXPECT_EQ(Shown(), std::vector<std::string>{kReadSuccessMessage});
  // What only an identified panel gives keeps its value; the emergency
  // number was emptied at the start.
  EXPECT_EQ(form_.ItemIndex("sComboBox_ChProtocol"), 1);
  EXPECT_EQ(form_.Text("AdvEdit_Password"), "111");
  EXPECT_EQ(form_.Text("AdvEdit_PORT_LOCAL_1"), "5");
  EXPECT_TRUE(form_.Checked("RadioButton_UDP_1"));
  EXPECT_EQ(form_.Text("AdvEditNomerAlter"), "");
  EXPECT_EQ(form_.Text("AdvEdit_Object"), "1234");
  EXPECT_EQ(form_.ProgressMax(), kReadExchangesLimited);
}

TEST_F(EarlierSessionTest, KeepAliveByteAsThisFirmwareReadsIt) {
  struct Case {
    uint8_t byte;
    bool send_test, verify;
    const char* period;
  };
  const Case cases[] = {{0x01, true, false, "0"}, {0x00, false, true, "0"}};
  for (const Case& c : cases) {
    panel_.Memory().Write(0, 0x0060, {c.byte});
    form_.SetText("EDIT_TestPer", "77");
    ASSERT_TRUE(ReadFromEarlierPanel(session_));
    EXPECT_EQ(form_.Checked("CheckEnTst"), c.send_test) << int(c.byte);
    EXPECT_EQ(form_.Checked("sCheckBoxVerConn"), c.verify) << int(c.byte);
    EXPECT_EQ(form_.Text("EDIT_TestPer"), c.period) << int(c.byte);
  }
}

TEST_F(EarlierSessionTest, ReadStopsAtTheFirstFailedExchange) {
  sim::PanelFaults faults;
  faults.stop_after = 8;  // answers up to the object number, then nothing
  panel_.SetFaults(faults);
  form_.SetText("AdvEdit_TestPer", "01");

  EXPECT_FALSE(ReadFromEarlierPanel(session_));

  EXPECT_EQ(Shown(), std::vector<std::string>{link::kReadFailureMessage});
  const std::vector<std::string> bodies = RequestBodies();
  ASSERT_EQ(bodies.size(), 8u + link::Exchanges::kAttempts);
  EXPECT_EQ(bodies.back(), "0001010060");
  EXPECT_FALSE(port_.IsOpen());
  EXPECT_EQ(form_.ProgressPosition(), 0);
  // Read before the failure: kept. Emptied and not reached: empty.
  EXPECT_EQ(form_.Text("AdvEdit_Object"), "1234");
  EXPECT_EQ(form_.Text("AdvEdit_Password"), "739164825073916");
  for (const char* name : {"EDIT_Test", "AdvEditHeartHexSufix", "EDIT_SurGardPref", "AdvEdit_IP_1",
                           "AdvEdit_POINT_1", "AdvEdit_IP_2", "AdvEdit_POINT_2"}) {
    EXPECT_EQ(form_.Text(name), "") << name;
  }
  for (const char* name : {"EDIT_TestPer", "AdvEdit_PORT_1", "AdvEdit_PORT_2"}) {
    EXPECT_EQ(form_.Text(name), "0") << name;  // digits-only fields show an empty text as 0
  }
  EXPECT_FALSE(form_.Checked("CheckEnTst"));
  EXPECT_FALSE(form_.Checked("sCheckBoxVerConn"));
  EXPECT_EQ(form_.Text("AdvEdit_TestPer"), "01");  // not reached, not emptied
}

TEST_F(EarlierSessionTest, SilentPanelFailsAtTheFirstReportedExchange) {
  sim::PanelFaults faults;
  faults.silent = true;
  panel_.SetFaults(faults);

  EXPECT_FALSE(ReadFromEarlierPanel(session_));

  // The quiet identification reports nothing; the object number does.
  EXPECT_EQ(form_.Caption(), kLimitedCaption);
  EXPECT_EQ(Shown(), std::vector<std::string>{link::kReadFailureMessage});
  const std::vector<std::string> bodies = RequestBodies();
  ASSERT_EQ(bodies.size(), 2u * link::Exchanges::kAttempts);
  EXPECT_EQ(bodies.front(), "0039");
  EXPECT_EQ(bodies.back(), "0001020200");
  EXPECT_FALSE(port_.IsOpen());
  // The unanswered identification did not count: nine exchanges were left.
  EXPECT_EQ(form_.ProgressMax(), kReadExchangesLimited - 1);
}

}  // namespace
}  // namespace tevral::earlier
