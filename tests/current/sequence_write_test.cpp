// The write to the panel, run over the real port against the simulated
// panel: the exact bytes a write leaves in both banks, the panel that does
// not identify, the write that breaks off, and the values refused before
// the port is opened.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "configurator/codecs.h"
#include "current/identification.h"
#include "current/write_sequence.h"
#include "sequence_fixture.h"

namespace tevral::current {
namespace {

using panel_test::Bytes;
using panel_test::TextBytes;

// A memory image that starts erased and is then given the listed writes.
struct ExpectedImage {
  std::vector<uint8_t> banks[2] = {std::vector<uint8_t>(sim::PanelMemory::kBankSize, 0xFF),
                                   std::vector<uint8_t>(sim::PanelMemory::kBankSize, 0xFF)};
  void Put(int bank, uint16_t address, const std::vector<uint8_t>& bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) banks[bank][address + i] = bytes[i];
  }
};

std::vector<uint8_t> Join(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const std::string kAccessPoint22 = "internet.example.com.u";

class WriteSequenceTest : public panel_test::PanelSessionTest {
 protected:
  void SetUp() override {
    PanelSessionTest::SetUp();
    panel_.Memory().Fill(0xFF);
    form_.SetItemIndex("sComboBox_ChProtocol", 1);
    form_.SetText("AdvEdit_Object", "1a");
    form_.SetText("EDIT_Test", "test");
    form_.SetText("AdvEditHeartHexSufix", "2e");
    form_.SetText("EDIT_TestPer", "40");
    form_.SetText("AdvEdit_POINT_1", kAccessPoint22);
    form_.SetText("AdvEdit_POINT_2", "apn.two");
    form_.SetText("AdvEditNomerAlter", "A380");
    form_.SetText("AdvEdit_TestPer", "24");
    form_.SetText("AdvEdit_TestHou", "3");
    form_.SetText("AdvEdit_TestMin", "59");
    form_.SetText("AdvEdit_LocalPortSim1Serv1", "3035");
    form_.SetText("AdvEdit_Sim1Serv1", "\"TCP\",\"127.0.0.1\",3035");
    form_.SetText("AdvEdit_Sim2Serv3", "\"UDP\",\"a.b\",7779");
  }

  // Every write of the form above, step by step (the identification
  // requests write nothing).
  std::vector<std::function<void(ExpectedImage&)>> ExpectedSteps() const {
    return {
        [](ExpectedImage& m) { m.Put(1, 0x0000, Bytes("0A 03 08 00 0F")); },
        [](ExpectedImage& m) { m.Put(0, 0x0065, Bytes("20")); },
        [](ExpectedImage& m) { m.Put(0, 0x0200, Bytes("00 1A")); },
        [](ExpectedImage& m) { m.Put(0, 0x0060, Bytes("28")); },
        [](ExpectedImage& m) { m.Put(0, 0x0015, Join(TextBytes("test"), Bytes("2E 0F"))); },
        [](ExpectedImage& m) { m.Put(0, 0x0170, Join(TextBytes("5000 18"), Bytes("01 01"))); },
        [](ExpectedImage& m) { m.Put(0, 0x00D0, Join(TextBytes(kAccessPoint22), Bytes("0101"))); },
        [](ExpectedImage& m) { m.Put(0, 0x00E8, Join(TextBytes("apn.two"), Bytes("01 01"))); },
        [](ExpectedImage& m) { m.Put(1, 0x00A0, Join(TextBytes("3035"), Bytes("0F"))); },
        [](ExpectedImage& m) { m.Put(1, 0x00D0, Bytes("0F")); },
        [](ExpectedImage& m) { m.Put(1, 0x0100, Bytes("0F")); },
        [](ExpectedImage& m) { m.Put(1, 0x0130, Bytes("0F")); },
        [](ExpectedImage& m) { m.Put(1, 0x0160, Bytes("0F")); },
        [](ExpectedImage& m) { m.Put(1, 0x0190, Bytes("0F")); },
        [](ExpectedImage& m) {
          m.Put(1, 0x00A6, Join(TextBytes("\"TCP\",\"127.0.0.1\",3035"), Bytes("0F")));
        },
        [](ExpectedImage& m) { m.Put(1, 0x00D6, Bytes("0F")); },
        [](ExpectedImage& m) { m.Put(1, 0x0106, Bytes("0F")); },
        [](ExpectedImage& m) { m.Put(1, 0x0136, Bytes("0F")); },
        [](ExpectedImage& m) { m.Put(1, 0x0166, Bytes("0F")); },
        [](ExpectedImage& m) {
          m.Put(1, 0x0196, Join(TextBytes("\"UDP\",\"a.b\",7779"), Bytes("0F")));
        },
        [](ExpectedImage&) {},  // the access point names again: same bytes
        [](ExpectedImage&) {},
        [](ExpectedImage& m) { m.Put(0, 0x00A0, Bytes("18 03 3B")); },
    };
  }

  void ExpectMemory(const ExpectedImage& expected) {
    // Compared byte for byte so a stray write anywhere shows.
    for (int bank = 0; bank < 2; ++bank) {
      const std::vector<uint8_t> actual = Bank(bank);
      for (std::size_t a = 0; a < actual.size(); ++a) {
        if (actual[a] != expected.banks[bank][a]) {
          ADD_FAILURE() << "bank " << bank << " address 0x" << std::hex << a << ": 0x"
                        << int(actual[a]) << ", expected 0x" << int(expected.banks[bank][a]);
          return;
        }
      }
    }
  }
};

TEST_F(WriteSequenceTest, LeavesExactlyTheExpectedBytes) {
  ASSERT_TRUE(WriteToPanel(session_));

  ExpectedImage expected;
  for (const auto& step : ExpectedSteps()) step(expected);
  ExpectMemory(expected);

  const std::vector<std::string> bodies = RequestBodies();
  ASSERT_EQ(bodies.size(), 25u);
  EXPECT_EQ(bodies[0], "0039");
  EXPECT_EQ(bodies[1], "001200000A0308000F");
  EXPECT_EQ(bodies[2], "0039");
  EXPECT_EQ(bodies[3], "0002006520");
  EXPECT_EQ(bodies[4], "00020200001A");
  EXPECT_EQ(bodies[5], "0002006028");
  EXPECT_EQ(bodies[6], "00020015746573742E0F");  // the suffix in upper case
  EXPECT_EQ(bodies[7], "00020170353030302031380101");
  EXPECT_EQ(bodies[22], bodies[8]);  // access point names written twice
  EXPECT_EQ(bodies[23], bodies[9]);
  EXPECT_EQ(bodies[24], "000200A018033B");

  EXPECT_EQ(Events().back(), (FormEvent{FormEvent::Kind::kMessage, "Записано успішно."}));
  EXPECT_EQ(form_.ProgressMax(), 25);
  EXPECT_EQ(form_.ProgressPosition(), 0);
  EXPECT_FALSE(port_.IsOpen());
}

TEST_F(WriteSequenceTest, PanelThatDoesNotIdentifyGetsNoAlternateNumber) {
  sim::PanelFaults faults;
  faults.ignore_first = 5;
  panel_.SetFaults(faults);

  ASSERT_TRUE(WriteToPanel(session_));

  ExpectedImage expected;
  auto steps = ExpectedSteps();
  for (std::size_t i = 1; i < steps.size(); ++i) steps[i](expected);
  ExpectMemory(expected);
  const std::vector<std::string> bodies = RequestBodies();
  ASSERT_EQ(bodies.size(), 5u + 23u);
  EXPECT_EQ(bodies[5], "0039");
  EXPECT_EQ(bodies[6], "0002006520");  // the protocol is still written
  EXPECT_EQ(Events(), (std::vector<FormEvent>{
                          {FormEvent::Kind::kCaption, std::string(kLimitedCaption)},
                          {FormEvent::Kind::kMessage, std::string(kUpdateNotice)},
                          {FormEvent::Kind::kMessage, "Записано успішно."},
                      }));
  EXPECT_EQ(form_.ProgressMax(), 24);
}

TEST_F(WriteSequenceTest, BreaksOffAtTheFourthServerLine) {
  // Nineteen answers: identification, number, version check and the
  // settings up to the third server line; the fourth is never answered.
  sim::PanelFaults faults;
  faults.stop_after = 19;
  panel_.SetFaults(faults);

  EXPECT_FALSE(WriteToPanel(session_));

  ExpectedImage expected;
  auto steps = ExpectedSteps();
  for (std::size_t i = 0; i < 17; ++i) steps[i](expected);  // up to step 19
  ExpectMemory(expected);
  const std::vector<std::string> bodies = RequestBodies();
  ASSERT_EQ(bodies.size(), 19u + 5u);
  for (std::size_t i = 19; i < bodies.size(); ++i) EXPECT_EQ(bodies[i], "001201360F");
  EXPECT_EQ(Events().back(), (FormEvent{FormEvent::Kind::kMessage, link::kWriteFailureMessage}));
  EXPECT_FALSE(port_.IsOpen());
  EXPECT_EQ(form_.ProgressPosition(), 0);
}

// Values refused before the port is opened: each shows one message (or the
// number parser's error) and nothing reaches the panel.
TEST_F(WriteSequenceTest, RefusedValuesSendNothing) {
  struct Case {
    const char* field;
    const char* value;
    const char* message;  // nullptr: the number parser's error below
    const char* parser_error = nullptr;
  };
  const std::string point_23(23, 'w');
  const std::string text_12(12, 't');
  const std::string line_42(42, 'x');
  const Case cases[] = {
      {"AdvEdit_POINT_1", point_23.c_str(),
       "Невідповідність кількості знаків в полі \"Точка доступу 1\""},
      {"AdvEdit_POINT_1", "", "Невідповідність кількості знаків в полі \"Точка доступу 1\""},
      {"AdvEdit_POINT_2", "", "Невідповідність кількості знаків в полі \"Точка доступу 2\""},
      {"EDIT_Test", "",
       "Невідповідність кількості знаків в полі \"Передачі для підтримки GPRS сесії\""},
      {"EDIT_Test", text_12.c_str(),
       "Невідповідність кількості знаків в полі \"Передачі для підтримки GPRS сесії\""},
      {"AdvEditNomerAlter", "?",
       "Невідповідність знаків в полі \"Номер аварійної передачі\": допускається до 16 цифр 0-9 "
       "та \"A\""},
      {"AdvEditNomerAlter", "12345678901234567",
       "Невідповідність знаків в полі \"Номер аварійної передачі\": допускається до 16 цифр 0-9 "
       "та \"A\""},
      {"AdvEdit_Object", "", "Не введено номер в полі \"Об'єкт №\""},
      {"AdvEdit_Object", "12345",
       "Номер в полі \"Об'єкт №\" повинен мати не більше 4 шістнадцяткових цифр"},
      {"AdvEdit_Object", "FFFFFFFF",
       "Номер в полі \"Об'єкт №\" повинен мати не більше 4 шістнадцяткових цифр"},
      {"AdvEdit_Object", "G1", nullptr, "'$G1' is not a valid integer value"},
      {"EDIT_TestPer", "256", "Значення в полі \"Період\" повинно бути від 0 до 255"},
      {"EDIT_TestPer", "1", "Значення в полі \"Період\" повинно бути від 2 до 255"},
      {"EDIT_TestPer", "0", "Значення в полі \"Період\" повинно бути від 2 до 255"},
      {"EDIT_TestPer", "?", nullptr, "'?' is not a valid integer value"},
      {"AdvEditHeartHexSufix", "1G",
       "Суфікс в полі \"$\" повинен бути порожнім, одним знаком або двома шістнадцятковими "
       "цифрами"},
      {"AdvEditHeartHexSufix", "140",
       "Суфікс в полі \"$\" повинен бути порожнім, одним знаком або двома шістнадцятковими "
       "цифрами"},
      {"AdvEdit_LocalPortSim2Serv3", "123456",
       "Невідповідність кількості знаків в полі \"Локальний порт\" (SIM 2, сервер 3): не більше "
       "5"},
      {"AdvEdit_Sim1Serv2", line_42.c_str(),
       "Невідповідність кількості знаків в рядку сервера (SIM 1, сервер 2): не більше 41"},
      {"AdvEdit_TestHou", "256",
       "Значення в полі \"Передача тестів повідомленням\" повинно бути від 0 до 255"},
      {"AdvEdit_TestMin", "-1",
       "Значення в полі \"Передача тестів повідомленням\" повинно бути від 0 до 255"},
      {"AdvEdit_TestPer", "?", nullptr, "'?' is not a valid integer value"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.field) + " = \"" + c.value + "\"");
    FieldTable form(CurrentFields());
    form.SetItems("cbPort", {panel_.DevicePath()});
    form.SetItemIndex("cbPort", 0);
    form.SetText(c.field, c.value);
    link::Exchanges exchanges(port_, form);
    PanelSession session{form, port_, exchanges};
    if (c.message) {
      EXPECT_FALSE(WriteToPanel(session));
      EXPECT_EQ(form.Events(),
                (std::vector<FormEvent>{{FormEvent::Kind::kMessage, std::string(c.message)}}));
    } else {
      try {
        WriteToPanel(session);
        ADD_FAILURE() << "no error";
      } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), c.parser_error);
      }
      EXPECT_TRUE(form.Events().empty());
    }
    EXPECT_FALSE(port_.IsOpen());
  }
  {
    FieldTable form(CurrentFields());
    form.SetItemIndex("sComboBox_ChProtocol", -1);
    EXPECT_EQ(FindWriteRefusal(form), "Не вибрано протокол в полі \"Протокол\"");
  }
  EXPECT_TRUE(panel_.ReceivedBytes().empty());
}

TEST(WriteRefusalTest, ValuesAtTheLimitsAreAccepted) {
  struct Case {
    const char* field;
    std::string value;
  };
  const Case cases[] = {
      {"AdvEdit_POINT_1", std::string(22, 'w')},
      {"AdvEdit_POINT_2", "a"},
      {"EDIT_Test", std::string(11, 't')},
      {"AdvEditNomerAlter", "A234567890123456"},
      {"AdvEditNomerAlter", ""},
      {"AdvEdit_Object", "ffff"},
      {"AdvEdit_Object", "0"},
      {"EDIT_TestPer", "255"},
      {"EDIT_TestPer", "2"},
      {"AdvEditHeartHexSufix", ""},
      {"AdvEditHeartHexSufix", "x"},  // one character adds nothing to the body
      {"AdvEditHeartHexSufix", "aF"},
      {"AdvEdit_LocalPortSim1Serv1", "65535"},
      {"AdvEdit_Sim2Serv3", std::string(41, 'x')},
      {"AdvEdit_TestPer", "255"},
      {"AdvEdit_TestMin", "0"},
  };
  for (const Case& c : cases) {
    FieldTable form(CurrentFields());
    form.SetText(c.field, c.value);
    EXPECT_EQ(FindWriteRefusal(form), std::nullopt) << c.field << " = " << c.value;
  }
  // A period of 0 or 1 is not sent when the connection check is off (the
  // byte is 01 then), but it must still be a number.
  FieldTable form(CurrentFields());
  form.SetChecked("sCheckBoxVerConn", false);
  form.SetText("EDIT_TestPer", "1");
  EXPECT_EQ(FindWriteRefusal(form), std::nullopt);
  form.SetText("EDIT_TestPer", "x");
  EXPECT_THROW(FindWriteRefusal(form), EConvertError);
}

}  // namespace
}  // namespace tevral::current
