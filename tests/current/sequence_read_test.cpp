// The read from the panel, run over the real port against the simulated
// panel: what a known memory image puts in every field, which requests go
// out, and what a panel that is limited, silent or stops half way leaves.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "current/identification.h"
#include "current/read_sequence.h"
#include "sequence_fixture.h"

namespace tevral::current {
namespace {

using panel_test::Bytes;
using panel_test::TextBytes;

std::vector<uint8_t> WithTerminator(std::string_view text, std::string_view terminator) {
  std::vector<uint8_t> bytes = TextBytes(text);
  for (uint8_t b : Bytes(terminator)) bytes.push_back(b);
  return bytes;
}

std::string ServerLine(int slot) {
  return "\"TCP\",\"10.0.0." + std::to_string(slot) + "\",303" + std::to_string(slot);
}

const std::vector<std::string> kAllReadBodies = {
    "0039",       "00110F0000", "0001010065", "0039",       "0001020200", "0001010060",
    "00010B0015", "00011A00D0", "00011A00E8", "00010300A0", "00110600A0", "00110600D0",
    "0011060100", "0011060130", "0011060160", "0011060190", "00113000A6", "00113000D6",
    "0011300106", "0011300136", "0011300166", "0011300196"};

class ReadSequenceTest : public panel_test::PanelSessionTest {
 protected:
  // A panel configured with a distinct value in every place.
  void StoreKnownImage() {
    sim::PanelMemory& memory = panel_.Memory();
    memory.Write(1, 0x0000, Bytes("00 0A 01 02 03 0F"));
    memory.Write(0, 0x0015, Bytes("74 14 0F"));
    memory.Write(0, 0x0060, Bytes("28"));
    memory.Write(0, 0x0065, Bytes("20"));
    memory.Write(0, 0x00A0, Bytes("01 00 05"));
    memory.Write(0, 0x00D0, WithTerminator("internet", "0101"));
    memory.Write(0, 0x00E8, WithTerminator("apn.two", "0101"));
    memory.Write(0, 0x0200, Bytes("12 AB"));
    for (int slot = 0; slot < 6; ++slot) {
      const auto base = static_cast<uint16_t>(0x00A0 + 0x30 * slot);
      memory.Write(1, base, WithTerminator("303" + std::to_string(slot), "0F"));
      memory.Write(1, base + 6, WithTerminator(ServerLine(slot), "0F"));
    }
  }

  // Values that no field of the known image holds, so every replaced field shows.
  void FillFormWithOtherValues() {
    for (const auto& [name, value] : kOtherTexts) form_.SetText(name, value);
    form_.SetItemIndex("sComboBox_ChProtocol", 0);
  }

  std::map<std::string, std::string> Texts() const {
    std::map<std::string, std::string> texts;
    for (const auto& [name, unused] : kOtherTexts) texts[name] = form_.Text(name);
    return texts;
  }

  const std::map<std::string, std::string> kOtherTexts = {
      {"AdvEdit_Object", "0000"},
      {"AdvEdit_TestPer", "24"},
      {"AdvEdit_TestHou", "14"},
      {"AdvEdit_TestMin", "17"},
      {"EDIT_Test", "old"},
      {"AdvEditHeartHexSufix", "99"},
      {"EDIT_TestPer", "7"},
      {"AdvEdit_POINT_1", "old1"},
      {"AdvEdit_POINT_2", "old2"},
      {"AdvEditNomerAlter", "999"},
      {"AdvEdit_LocalPortSim1Serv1", "1"},
      {"AdvEdit_LocalPortSim1Serv2", "2"},
      {"AdvEdit_LocalPortSim1Serv3", "3"},
      {"AdvEdit_LocalPortSim2Serv1", "4"},
      {"AdvEdit_LocalPortSim2Serv2", "5"},
      {"AdvEdit_LocalPortSim2Serv3", "6"},
      {"AdvEdit_Sim1Serv1", "s1"},
      {"AdvEdit_Sim1Serv2", "s2"},
      {"AdvEdit_Sim1Serv3", "s3"},
      {"AdvEdit_Sim2Serv1", "s4"},
      {"AdvEdit_Sim2Serv2", "s5"},
      {"AdvEdit_Sim2Serv3", "s6"},
  };
};

TEST_F(ReadSequenceTest, KnownImageFillsEveryField) {
  StoreKnownImage();
  FillFormWithOtherValues();
  form_.SetChecked("sCheckBoxVerConn", false);

  ASSERT_TRUE(ReadFromPanel(session_));

  std::map<std::string, std::string> expected = {
      {"AdvEdit_Object", "12AB"},
      {"AdvEdit_TestPer", "01"},
      {"AdvEdit_TestHou", "00"},
      {"AdvEdit_TestMin", "05"},
      {"EDIT_Test", "t"},
      {"AdvEditHeartHexSufix", "14"},
      {"EDIT_TestPer", "40"},
      {"AdvEdit_POINT_1", "internet"},
      {"AdvEdit_POINT_2", "apn.two"},
      {"AdvEditNomerAlter", "0A123"},
  };
  const char* const ports[] = {"AdvEdit_LocalPortSim1Serv1", "AdvEdit_LocalPortSim1Serv2",
                               "AdvEdit_LocalPortSim1Serv3", "AdvEdit_LocalPortSim2Serv1",
                               "AdvEdit_LocalPortSim2Serv2", "AdvEdit_LocalPortSim2Serv3"};
  const char* const lines[] = {"AdvEdit_Sim1Serv1", "AdvEdit_Sim1Serv2", "AdvEdit_Sim1Serv3",
                               "AdvEdit_Sim2Serv1", "AdvEdit_Sim2Serv2", "AdvEdit_Sim2Serv3"};
  for (int slot = 0; slot < 6; ++slot) {
    expected[ports[slot]] = "303" + std::to_string(slot);
    expected[lines[slot]] = ServerLine(slot);
  }
  EXPECT_EQ(Texts(), expected);
  EXPECT_EQ(form_.ItemIndex("sComboBox_ChProtocol"), 1);
  EXPECT_TRUE(form_.Checked("sCheckBoxVerConn"));
  EXPECT_TRUE(form_.Checked("CheckEnTst"));

  EXPECT_EQ(RequestBodies(), kAllReadBodies);
  EXPECT_EQ(Events(), (std::vector<FormEvent>{
                          {FormEvent::Kind::kCaption, form_.Caption()},
                          {FormEvent::Kind::kMessage, "Прочитано успішно."},
                      }));
  EXPECT_NE(form_.Caption().find("(визначено: t.01, v.03.01"), std::string::npos);
  EXPECT_EQ(form_.ProgressMax(), 22);
  EXPECT_EQ(form_.ProgressPosition(), 0);
  EXPECT_FALSE(port_.IsOpen());
}

TEST_F(ReadSequenceTest, ValuesAtTheEdgesOfTheirPlaces) {
  struct Case {
    const char* keep_alive_byte;
    bool verify;
    bool send;
  };
  // 00: check without transmissions; 01: no check. Neither carries a
  // period, so the period stays as the read emptied it.
  const Case cases[] = {{"00", true, false}, {"01", false, false}};
  sim::PanelMemory& memory = panel_.Memory();
  // Sixteen digits stored, fifteen read.
  memory.Write(1, 0x0000, Bytes("01 02 03 04 05 06 07 08 09 00 01 02 03 04 05 06 0F"));
  memory.Write(0, 0x0015, Bytes("74 2E 0F"));
  memory.Write(0, 0x0065, Bytes("30"));  // no protocol of this program
  memory.Write(0, 0x00A0, Bytes("00 64 3B"));
  // A full 22-character name: its read reaches the next name, and stops at 01 01.
  memory.Write(0, 0x00D0, WithTerminator(std::string(22, 'a'), "0101"));
  memory.Write(0, 0x00E8, WithTerminator("b", "0101"));
  // A local port of six bytes with no terminator: all six are read.
  memory.Write(1, 0x00A0, TextBytes("123456"));
  // A full 41-character server line, followed by the next record's port.
  const std::string line41 = "\"UDP\",\"" + std::string(24, 'x') + ".com\",7779";
  ASSERT_EQ(line41.size(), 41u);
  memory.Write(1, 0x00A6, WithTerminator(line41, "0F"));
  memory.Write(1, 0x00D0, WithTerminator("3035", "0F"));

  for (const Case& c : cases) {
    memory.Write(0, 0x0060, Bytes(c.keep_alive_byte));
    form_.SetItemIndex("sComboBox_ChProtocol", 1);
    ASSERT_TRUE(ReadFromPanel(session_));
    EXPECT_EQ(form_.Checked("sCheckBoxVerConn"), c.verify) << c.keep_alive_byte;
    EXPECT_EQ(form_.Checked("CheckEnTst"), c.send) << c.keep_alive_byte;
    EXPECT_EQ(form_.Text("EDIT_TestPer"), "0") << c.keep_alive_byte;
  }
  EXPECT_EQ(form_.Text("AdvEditNomerAlter"), "123456789012345");
  EXPECT_EQ(form_.Text("EDIT_Test"), "t");
  EXPECT_EQ(form_.Text("AdvEditHeartHexSufix"), "2E");
  EXPECT_EQ(form_.ItemIndex("sComboBox_ChProtocol"), 1);
  EXPECT_EQ(form_.Text("AdvEdit_TestPer"), "00");
  EXPECT_EQ(form_.Text("AdvEdit_TestHou"), "100");
  EXPECT_EQ(form_.Text("AdvEdit_TestMin"), "59");
  EXPECT_EQ(form_.Text("AdvEdit_POINT_1"), std::string(22, 'a'));
  EXPECT_EQ(form_.Text("AdvEdit_POINT_2"), "b");
  EXPECT_EQ(form_.Text("AdvEdit_LocalPortSim1Serv1"), "123456");
  EXPECT_EQ(form_.Text("AdvEdit_Sim1Serv1"), line41);
  EXPECT_EQ(form_.Text("AdvEdit_LocalPortSim1Serv2"), "3035");
}

TEST_F(ReadSequenceTest, PanelThatDoesNotIdentifySkipsNumberAndProtocol) {
  // The five attempts of the quiet identification go unanswered; the panel
  // answers everything after them.
  StoreKnownImage();
  sim::PanelFaults faults;
  faults.ignore_first = 5;
  panel_.SetFaults(faults);
  form_.SetItemIndex("sComboBox_ChProtocol", 0);
  form_.SetText("AdvEditNomerAlter", "999");

  ASSERT_TRUE(ReadFromPanel(session_));

  std::vector<std::string> expected(5, "0039");
  expected.insert(expected.end(), kAllReadBodies.begin() + 3, kAllReadBodies.end());
  EXPECT_EQ(RequestBodies(), expected);
  EXPECT_EQ(form_.Text("AdvEditNomerAlter"), "");
  EXPECT_EQ(form_.ItemIndex("sComboBox_ChProtocol"), 0);
  EXPECT_EQ(form_.Text("AdvEdit_Object"), "12AB");
  EXPECT_EQ(form_.Text("AdvEdit_Sim2Serv3"), ServerLine(5));
  EXPECT_EQ(Events(), (std::vector<FormEvent>{
                          {FormEvent::Kind::kCaption, std::string(kLimitedCaption)},
                          {FormEvent::Kind::kMessage, std::string(kUpdateNotice)},
                          {FormEvent::Kind::kMessage, "Прочитано успішно."},
                      }));
  EXPECT_EQ(form_.ProgressMax(), 20);
}

TEST_F(ReadSequenceTest, SilentPanel) {
  sim::PanelFaults faults;
  faults.silent = true;
  panel_.SetFaults(faults);
  FillFormWithOtherValues();
  form_.SetItemIndex("sComboBox_ChProtocol", 1);
  const auto before = Texts();

  EXPECT_FALSE(ReadFromPanel(session_));

  EXPECT_EQ(Events(), (std::vector<FormEvent>{
                          {FormEvent::Kind::kCaption, std::string(kLimitedCaption)},
                          {FormEvent::Kind::kMessage, std::string(kUpdateNotice)},
                          {FormEvent::Kind::kMessage, link::kReadFailureMessage},
                      }));
  auto expected = before;
  for (const char* emptied : {"AdvEditNomerAlter", "EDIT_Test", "AdvEditHeartHexSufix",
                              "AdvEdit_POINT_1", "AdvEdit_POINT_2"}) {
    expected[emptied] = "";
  }
  expected["EDIT_TestPer"] = "0";
  EXPECT_EQ(Texts(), expected);
  EXPECT_FALSE(form_.Checked("sCheckBoxVerConn"));
  EXPECT_FALSE(form_.Checked("CheckEnTst"));
  EXPECT_EQ(form_.ItemIndex("sComboBox_ChProtocol"), 1);
  EXPECT_FALSE(port_.IsOpen());
  EXPECT_EQ(form_.ProgressPosition(), 0);
}

TEST_F(ReadSequenceTest, StopAtTheFirstServerLine) {
  // Sixteen answers take the read through the six local ports; the first
  // server line is never answered.
  StoreKnownImage();
  FillFormWithOtherValues();
  sim::PanelFaults faults;
  faults.stop_after = 16;
  panel_.SetFaults(faults);

  EXPECT_FALSE(ReadFromPanel(session_));

  EXPECT_EQ(form_.Text("AdvEdit_LocalPortSim1Serv1"), "3030");
  EXPECT_EQ(form_.Text("AdvEdit_LocalPortSim2Serv3"), "3035");
  for (const char* line : {"AdvEdit_Sim1Serv1", "AdvEdit_Sim1Serv2", "AdvEdit_Sim1Serv3",
                           "AdvEdit_Sim2Serv1", "AdvEdit_Sim2Serv2", "AdvEdit_Sim2Serv3"}) {
    EXPECT_EQ(form_.Text(line), kOtherTexts.at(line)) << line;
  }
  EXPECT_EQ(form_.Text("AdvEdit_POINT_2"), "apn.two");
  EXPECT_EQ(Events().back(), (FormEvent{FormEvent::Kind::kMessage, link::kReadFailureMessage}));
  EXPECT_EQ(RequestBodies().size(), 16u + 5u);
  EXPECT_FALSE(port_.IsOpen());
  EXPECT_EQ(form_.ProgressPosition(), 0);
}

}  // namespace
}  // namespace tevral::current
