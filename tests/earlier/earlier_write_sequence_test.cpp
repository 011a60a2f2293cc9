// The earlier write over the real port against the simulated earlier panel.

#include "earlier/earlier_write_sequence.h"

#include <gtest/gtest.h>

#include "configurator/identification_line.h"
#include "earlier/earlier_codecs.h"
#include "earlier/earlier_read_sequence.h"
#include "earlier/earlier_write_checks.h"
#include "earlier_session_fixture.h"
#include "link/exchanges.h"

namespace tevral::earlier {
namespace {

using test::Bytes;
using test::EarlierSessionTest;
using test::TextBytes;

class EarlierWriteTest : public EarlierSessionTest {
 protected:
  bool Write() {
    return WriteToEarlierPanel(session_, [this](int ms) {
      pauses_.push_back(ms);
      link::RealPause()(ms);
    });
  }

  // The table's 164 bytes as the panel should hold them.
  static std::vector<uint8_t> TableBytes(const EventCodeTable& table) {
    std::string hex;
    for (std::string_view entry : table) hex += entry;
    return Bytes(hex);
  }

  std::vector<int> pauses_;
};

std::vector<std::string> Concat(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST_F(EarlierWriteTest, FullWriteWithoutEventCodes) {
  const EarlierWritePlan plan = PlanEarlierWrite(form_);
  ASSERT_TRUE(Write());

  EXPECT_EQ(RequestBodies(), Concat({{"0039"}, plan.identified_only, plan.shared}));
  EXPECT_EQ(Shown(), std::vector<std::string>{kWriteSuccessMessage});
  EXPECT_TRUE(pauses_.empty());
  EXPECT_FALSE(port_.IsOpen());
  EXPECT_EQ(form_.ProgressMax(), kWriteExchangesIdentified);
  EXPECT_EQ(form_.ProgressPosition(), 0);
  // What the panel now holds where the image had other values.
  EXPECT_EQ(Memory(1, 0x0000, 1), Bytes("0F"));  // empty emergency number
  EXPECT_EQ(Memory(1, 0x0079, 5), TextBytes("3030", "0F"));
  EXPECT_EQ(Memory(0, 0x0086, 15), Bytes("0102070C000C000C010D030003000F"));
  EXPECT_EQ(Memory(0, 0x0109, 2), Bytes("000F"));
  EXPECT_EQ(Memory(0, 0x0200, 2), Bytes("0000"));
  EXPECT_EQ(Memory(0, 0x0204, 2), Bytes("FFFF"));  // no table
}

TEST_F(EarlierWriteTest, SurGardTableThenApplyOnTheWire) {
  form_.SetChecked("sCheckBox_IncCodes", true);
  ASSERT_TRUE(Write());

  const std::vector<std::string> frames = Frames();
  ASSERT_EQ(frames.size(), 21u);
  const std::vector<std::string> bodies = EventCodeBodies(SurGardEventCodes());
  for (size_t k = 0; k < 4; ++k) {
    EXPECT_EQ(frames[16 + k], ":" + bodies[k] + link::FrameChecksum(bodies[k]) + ";");
  }
  EXPECT_EQ(frames[0], ":0039CC;");
  EXPECT_EQ(frames[20], ":0008C8;");
  EXPECT_EQ(pauses_, std::vector<int>{kApplyEventCodesPauseMs});
  EXPECT_EQ(Memory(0, 0x0204, 164), TableBytes(SurGardEventCodes()));
  EXPECT_EQ(Memory(0, 0x02A8, 1), Bytes("FF"));  // nothing past the table
  EXPECT_EQ(Shown(), std::vector<std::string>{kWriteSuccessMessage});
  // The bar restarted for the table: four parts and the apply request.
  EXPECT_EQ(form_.ProgressMax(), kEventCodeExchanges);
}

TEST_F(EarlierWriteTest, LimitedPanelWithTheSos112Table) {
  MakeLimited();
  form_.SetItemIndex("sComboBox_ChProtocol", 1);
  form_.SetChecked("sCheckBox_IncCodes", true);
  form_.SetText("AdvEdit_Password", "1");
  const EarlierWritePlan plan = PlanEarlierWrite(form_);
  ASSERT_TRUE(Write());

  // Straight to the protocol byte after the identification.
  EXPECT_EQ(RequestBodies(),
            Concat({{"0039"}, plan.shared, EventCodeBodies(Sos112EventCodes()), {"0008"}}));
  EXPECT_EQ(form_.Caption(), kLimitedCaption);
  EXPECT_EQ(Memory(0, 0x0065, 1), Bytes("20"));
  EXPECT_EQ(Memory(0, 0x0204, 164), TableBytes(Sos112EventCodes()));
  EXPECT_EQ(Memory(1, 0x0010, 16), TextBytes("739164825073916", "0F"));  // untouched
}

TEST_F(EarlierWriteTest, RefusedValueSendsNothing) {
  form_.SetText("AdvEdit_PORT_LOCAL_1", "?");  // a settings file without that key
  EXPECT_FALSE(Write());
  EXPECT_EQ(Shown(), std::vector<std::string>{write_check::kLocalPort1Chars});
  EXPECT_TRUE(panel_.Requests().empty());
  EXPECT_FALSE(port_.IsOpen());
  EXPECT_EQ(Memory(1, 0x0000, 6), Bytes("000A0308000F"));  // the emergency number stays
}

TEST_F(EarlierWriteTest, FailurePartWayKeepsWhatWasWritten) {
  sim::PanelFaults faults;
  faults.stop_after = 6;  // identification and the five identified-only bodies
  panel_.SetFaults(faults);
  form_.SetItemIndex("sComboBox_ChProtocol", 1);
  form_.SetText("AdvEdit_Password", "42");

  EXPECT_FALSE(Write());

  EXPECT_EQ(Shown(), std::vector<std::string>{link::kWriteFailureMessage});
  const std::vector<std::string> bodies = RequestBodies();
  ASSERT_EQ(bodies.size(), 6u + link::Exchanges::kAttempts);
  EXPECT_EQ(bodies.back(), "0002006520");
  EXPECT_FALSE(port_.IsOpen());
  EXPECT_EQ(form_.ProgressPosition(), 0);
  EXPECT_EQ(Memory(1, 0x0010, 3), TextBytes("42", "0F"));  // written before the failure
  EXPECT_EQ(Memory(0, 0x0065, 1), Bytes("10"));            // never reached
}

TEST_F(EarlierWriteTest, WriteThenReadGivesTheFieldsBack) {
  const std::pair<const char*, const char*> texts[] = {
      {"AdvEditNomerAlter", "A3804412345"},
      {"AdvEdit_Password", "123456789012345"},
      {"AdvEdit_PORT_LOCAL_1", "65535"},
      {"AdvEdit_PORT_LOCAL_2", "1"},
      {"AdvEdit_Object", "BEEF"},
      {"EDIT_TestPer", "255"},
      {"EDIT_Test", "ping"},
      {"AdvEditHeartHexSufix", "2E"},
      {"EDIT_SurGardPref", "12345678901234"},
      {"AdvEdit_POINT_1", "internet.operator.ua.x"},
      {"AdvEdit_POINT_2", "a"},
      {"AdvEdit_IP_1", "255.255.255.255"},
      {"AdvEdit_PORT_1", "65535"},
      {"AdvEdit_IP_2", "srv.example"},
      {"AdvEdit_PORT_2", "1"},
      {"AdvEdit_TestPer", "12"},
      {"AdvEdit_TestHou", "00"},
      {"AdvEdit_TestMin", "59"},
  };
  for (const auto& [name, text] : texts) form_.SetText(name, text);
  form_.SetChecked("sCheckBox_DNS_2", true);
  form_.SetChecked("RadioButton_UDP_1", true);
  form_.SetItemIndex("sComboBox_ChProtocol", 1);
  ASSERT_TRUE(Write());

  FieldTable back(EarlierFields());
  back.SetItems("cbPort", {panel_.DevicePath()});
  back.SetItemIndex("cbPort", 0);
  link::Exchanges exchanges(port_, back);
  PanelSession session{back, port_, exchanges};
  ASSERT_TRUE(ReadFromEarlierPanel(session));
  for (const auto& [name, text] : texts) EXPECT_EQ(back.Text(name), text) << name;
  for (const char* name :
       {"sCheckBox_DNS_1", "sCheckBox_DNS_2", "RadioButton_TCP_1", "RadioButton_UDP_1",
        "RadioButton_TCP_2", "RadioButton_UDP_2", "CheckEnTst", "sCheckBoxVerConn"}) {
    EXPECT_EQ(back.Checked(name), form_.Checked(name)) << name;
  }
  EXPECT_EQ(back.ItemIndex("sComboBox_ChProtocol"), 1);
}

}  // namespace
}  // namespace tevral::earlier
