// Identification: the caption built from the reply, the version threshold,
// and the two requests run over the real port against the simulated panel.

#include <gtest/gtest.h>

#include <string>

#include "configurator/codecs.h"
#include "current/identification.h"
#include "sequence_fixture.h"

namespace tevral::current {
namespace {

using panel_test::PanelSessionTest;

TEST(IdentificationLineTest, ShowsThePairsAsSent) {
  EXPECT_EQ(IdentificationLine(":000039010205150311104207CS;"),
            "Тевраль-1/2 GSM GPRS конфігуратор (визначено: t.01, v.02.05 від 15.03.11 в "
            "10:42:07)");
  // A byte 0A stays "0A": nothing is converted.
  EXPECT_EQ(IdentificationLine(":0000390A0B0C0D0E0F101112CS;"),
            "Тевраль-1/2 GSM GPRS конфігуратор (визначено: t.0A, v.0B.0C від 0D.0E.0F в "
            "10:11:12)");
}

TEST(IdentificationLineTest, ShortReplyLeavesPairsEmpty) {
  EXPECT_EQ(IdentificationLine(":0000390102"),
            "Тевраль-1/2 GSM GPRS конфігуратор (визначено: t.01, v.02. від .. в ::)");
  EXPECT_EQ(IdentificationLine(":00003901020"),
            "Тевраль-1/2 GSM GPRS конфігуратор (визначено: t.01, v.02.0 від .. в ::)");
  EXPECT_EQ(IdentificationLine(""),
            "Тевраль-1/2 GSM GPRS конфігуратор (визначено: t., v.. від .. в ::)");
}

TEST(IdentificationLineTest, CodeIsCharactersSixAndSeven) {
  struct Case {
    const char* reply;
    bool identified;
  };
  const Case cases[] = {
      {":000039010205150311104207CS;", true},
      {":000039", true},
      {"x000039", true},  // the first character is not examined
      {":000000CS;", false},
      {":00003", false},
      {":0000", false},
      {"", false},
      {":000093", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CarriesIdentificationCode(c.reply), c.identified) << c.reply;
  }
}

TEST(FirmwareVersionTest, CharactersTenToThirteenAsHex) {
  struct Good {
    const char* reply;
    int version;
  };
  const Good good[] = {
      {":000039010202", 0x0202},
      {":00003901FFFF1503CS;", 0xFFFF},
      // A short reply gives what is there: two digits still make a number.
      {":0000390102", 2},
  };
  for (const Good& c : good) EXPECT_EQ(FirmwareVersion(c.reply), c.version) << c.reply;

  struct Bad {
    const char* reply;
    const char* message;
  };
  const Bad bad[] = {
      {":000000CS;", "'$;' is not a valid integer value"},
      {":000039010G02", "'$0G02' is not a valid integer value"},
      {"", "'$' is not a valid integer value"},
  };
  for (const Bad& c : bad) {
    try {
      FirmwareVersion(c.reply);
      ADD_FAILURE() << "no error for " << c.reply;
    } catch (const EConvertError& error) {
      EXPECT_STREQ(error.what(), c.message);
    }
  }
}

class IdentificationSessionTest : public PanelSessionTest {
 protected:
  void SetUp() override {
    PanelSessionTest::SetUp();
    port_.SetPort(panel_.DevicePath());
    port_.SetBaudRate(link::TBaudRate::br115200);
    port_.Open();
  }
};

TEST_F(IdentificationSessionTest, VersionThreshold) {
  struct Case {
    uint8_t major;
    uint8_t minor;
    bool notice;
  };
  const Case cases[] = {
      {0x02, 0x02, true}, {0x02, 0x03, false}, {0x03, 0x00, false},
      {0x01, 0xFF, true}, {0x00, 0x00, true},  {0x0A, 0x00, false},
  };
  for (const Case& c : cases) {
    sim::PanelIdentity identity;
    identity.version_major = c.major;
    identity.version_minor = c.minor;
    panel_.SetIdentity(identity);
    form_.ClearEvents();
    EXPECT_EQ(IdentifyPanel(session_), Identification::kIdentified);
    EXPECT_EQ(CheckFirmwareVersion(session_), VersionCheck::kContinue);
    std::vector<FormEvent> expected{
        {FormEvent::Kind::kCaption, IdentificationLine(exchanges_.ReplyText)}};
    if (c.notice) expected.push_back({FormEvent::Kind::kMessage, std::string(kUpdateNotice)});
    EXPECT_EQ(Events(), expected) << int(c.major) << "." << int(c.minor);
  }
}

TEST_F(IdentificationSessionTest, IdentifiedPanelCaptionAndProgress) {
  form_.SetProgressMax(22);
  EXPECT_EQ(IdentifyPanel(session_), Identification::kIdentified);
  // The simulated panel's default identity: type 01, v.03.01, 12.05.24 10:42:07.
  EXPECT_EQ(form_.Caption(),
            "Тевраль-1/2 GSM GPRS конфігуратор (визначено: t.01, v.03.01 від 12.05.24 в "
            "10:42:07)");
  EXPECT_EQ(CheckFirmwareVersion(session_), VersionCheck::kContinue);
  EXPECT_EQ(form_.ProgressPosition(), 2);  // both requests count
  EXPECT_EQ(RequestBodies(), (std::vector<std::string>{"0039", "0039"}));
  EXPECT_TRUE(port_.IsOpen());
}

TEST_F(IdentificationSessionTest, PanelThatDoesNotKnowTheRequest) {
  sim::PanelIdentity identity;
  identity.limited = true;
  panel_.SetIdentity(identity);
  EXPECT_EQ(IdentifyPanel(session_), Identification::kLimited);
  EXPECT_EQ(Events(), (std::vector<FormEvent>{
                          {FormEvent::Kind::kCaption, std::string(kLimitedCaption)},
                          {FormEvent::Kind::kMessage, std::string(kUpdateNotice)},
                      }));
  // Its short answer to the second request holds no version: the number
  // parser's error ends the sequence, with the port left open.
  try {
    CheckFirmwareVersion(session_);
    FAIL() << "no error";
  } catch (const EConvertError& error) {
    EXPECT_STREQ(error.what(), "'$;' is not a valid integer value");
  }
  EXPECT_TRUE(port_.IsOpen());
}

TEST_F(IdentificationSessionTest, UnterminatedReplyStillIdentifiesQuietly) {
  // Five unterminated answers: the quiet probe judges the characters only;
  // the second request is a normal one and fails with its message.
  sim::PanelFaults faults;
  faults.drop_final_semicolon = true;
  panel_.SetFaults(faults);
  EXPECT_EQ(IdentifyPanel(session_), Identification::kIdentified);
  EXPECT_EQ(exchanges_.ExchangeFailed, 0);
  EXPECT_TRUE(port_.IsOpen());
  EXPECT_EQ(CheckFirmwareVersion(session_), VersionCheck::kStop);
  EXPECT_FALSE(port_.IsOpen());
  ASSERT_EQ(Events().size(), 2u);
  EXPECT_EQ(Events()[0].kind, FormEvent::Kind::kCaption);
  EXPECT_TRUE(Events()[0].text.find("(визначено: t.01, v.03.01 від 12.05.24 в 10:42:07)") !=
              std::string::npos)
      << Events()[0].text;
  EXPECT_EQ(Events()[1], (FormEvent{FormEvent::Kind::kMessage, link::kReadFailureMessage}));
  EXPECT_EQ(panel_.Requests().size(), 10u);
}

}  // namespace
}  // namespace tevral::current
