// The exchanges' rules in virtual time: every pause is recorded, not slept,
// so the five-attempt failure paths cost nothing.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/com_errors.h"
#include "link/exchanges.h"
#include "tests/link/exchange_fakes.h"

namespace tevral::link {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::RecordingHost;
using testing::ScriptedLine;
using testing::Trace;
using testing::VirtualClock;

struct ChecksumCase {
  std::string text;
  std::string checksum;
};

TEST(FrameChecksum, LowByteOfTheSumInTwoUppercaseDigits) {
  const std::vector<ChecksumCase> cases = {
      {"0039", "CC"},
      {"0001020200", "E5"},
      {"00110F0000", "F8"},  // 504: only the low byte stays
      {"0002006510", "EE"},
      {std::string("\xFF\xFF\x07"), "05"},  // 0x205: leading zero, bytes unsigned
      {"", "00"},
      {":0039;", "CC"},  // framing characters are left out wherever they stand
      {"0:0;3;9", "CC"},
      {"abc", "26"},  // any character counts by its code (0x126)
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FrameChecksum(c.text), c.checksum) << "text: " << c.text;
  }
}

class ExchangeTest : public ::testing::Test {
 protected:
  Trace trace;
  ScriptedLine port{trace, &clock};
  RecordingHost host{trace};
  VirtualClock clock{trace};
  Exchanges ex{port, host, clock.AsPause(), clock.AsClock()};

  std::vector<std::string> AttemptTrace(const std::string& frame, int limit, bool failed) {
    std::vector<std::string> steps = {"send " + frame, "pause 100",
                                      "receive " + std::to_string(limit)};
    if (failed) steps.push_back("pause 100");
    return steps;
  }
  std::vector<std::string> FailedAttempts(const std::string& frame, int limit) {
    std::vector<std::string> all;
    for (int i = 0; i < 5; ++i) {
      for (auto& step : AttemptTrace(frame, limit, true)) all.push_back(step);
    }
    return all;
  }
};

std::string Lines(const char* first) {
  return std::string(first) +
         "\r\nНеобхідно перевірити:\r\n- включення живлення приладу;\r\n"
         "- кабель \"USB-адаптер\";\r\n- ввід 28-ї функції.";
}

TEST_F(ExchangeTest, FrameRequestWrapsTheBody) {
  ex.RequestText = "0001020200";
  ex.FrameRequest();
  EXPECT_EQ(ex.RequestText, ":0001020200E5;");
}

TEST_F(ExchangeTest, ReadAnsweredAtOnceTakesOneAttempt) {
  host.position = 3;
  ex.ExchangeFailed = -1;  // left over from an earlier exchange
  port.replies = {":0000390102050315031110420731;"};
  ex.RequestText = "0039";
  ex.ReadExchange();

  EXPECT_EQ(trace, AttemptTrace(":0039CC;", 400, false));
  EXPECT_EQ(ex.RequestText, ":0039CC;");
  EXPECT_EQ(ex.ReplyText, ":0000390102050315031110420731;");
  EXPECT_EQ(ex.ExchangeFailed, 0);
  EXPECT_EQ(host.position, 4);
  EXPECT_TRUE(port.open);
}

TEST_F(ExchangeTest, SilentPanelFailsARead) {
  host.position = 3;
  ex.RequestText = "0039";
  ex.ReadExchange();

  auto expected = FailedAttempts(":0039CC;", 400);
  expected.insert(expected.end(), {"close", "message", "reset bar"});
  EXPECT_EQ(trace, expected);  // the pause also follows the fifth attempt
  EXPECT_EQ(clock.elapsed_ms, 5 * (100 + 401 + 100));
  EXPECT_THAT(host.messages, ElementsAre(Lines("Помилка читання !")));
  EXPECT_FALSE(port.open);
  EXPECT_EQ(host.position, 0);
  EXPECT_EQ(ex.ExchangeFailed, -1);
  EXPECT_EQ(ex.ReplyText, "");
}

TEST_F(ExchangeTest, QuietReadFailsWithoutAWord) {
  host.position = 3;
  ex.QuietFailure = -1;
  ex.RequestText = "0039";
  ex.ReadExchange();

  EXPECT_EQ(trace, FailedAttempts(":0039CC;", 400));
  EXPECT_THAT(host.messages, IsEmpty());
  EXPECT_TRUE(port.open);
  EXPECT_EQ(host.position, 3);
  EXPECT_EQ(ex.ExchangeFailed, 0);
  EXPECT_EQ(ex.ReplyText, "");
}

TEST_F(ExchangeTest, QuietReadKeepsAnUnfinishedReplyForItsCaller) {
  ex.QuietFailure = -1;
  port.answer_when_out = ":000039010205";  // never ends with ";"
  ex.RequestText = "0039";
  ex.ReadExchange();

  EXPECT_EQ(port.sent.size(), 5u);
  EXPECT_EQ(ex.ExchangeFailed, 0);
  // Each attempt empties ReplyText first, so only the fifth one's text stays.
  EXPECT_EQ(ex.ReplyText, ":000039010205");
}

// A reply is judged by its last character alone: a ";" further in does not
// count, and a ";" at the end makes any text a reply.
TEST_F(ExchangeTest, ReplyIsJudgedByItsLastCharacter) {
  struct Case {
    std::vector<std::string> replies;
    int sends;
    std::string reply;
  };
  const std::vector<Case> cases = {
      {{":00;0102", ":0001010203;"}, 2, ":0001010203;"},
      {{"", "", "garbage;"}, 3, "garbage;"},
      {{";"}, 1, ";"},
  };
  for (const auto& c : cases) {
    Trace t;
    VirtualClock virtual_clock(t);
    ScriptedLine line(t, &virtual_clock);
    RecordingHost bar(t);
    Exchanges exchanges(line, bar, virtual_clock.AsPause(), virtual_clock.AsClock());
    line.replies.assign(c.replies.begin(), c.replies.end());
    exchanges.RequestText = "0001010065";
    exchanges.ReadExchange();

    EXPECT_EQ(line.sent, std::vector<std::string>(c.sends, ":0001010065ED;"));
    EXPECT_EQ(exchanges.ReplyText, c.reply);
    EXPECT_EQ(exchanges.ExchangeFailed, 0);
    EXPECT_EQ(bar.position, 1);  // one step for the exchange, not per attempt
  }
}

TEST_F(ExchangeTest, ReadTakesAtMost400Characters) {
  const std::string long_reply = ":" + std::string(398, '0') + ";;";  // 401 characters
  port.replies = {long_reply};
  ex.RequestText = "0039";
  ex.ReadExchange();

  // The first attempt gets 400 characters ending with the first ";"; the
  // second ";" waits in the queue for whoever receives next.
  EXPECT_EQ(ex.ReplyText, long_reply.substr(0, 400));
  EXPECT_EQ(port.queued, ";");
  EXPECT_EQ(port.sent.size(), 1u);
}

TEST_F(ExchangeTest, ReadFramesWhateverRequestTextHolds) {
  port.answer_when_out = ":0000390102050315031110420731;";
  ex.RequestText = "0039";
  ex.ReadExchange();
  ex.ReadExchange();  // the caller forgot to put a new body in

  // The outer checksum leaves out the inner ":" and ";": "0039CC" sums to 0x152.
  EXPECT_THAT(port.sent, ElementsAre(":0039CC;", "::0039CC;52;"));
  EXPECT_EQ(ex.RequestText, "::0039CC;52;");
}

TEST_F(ExchangeTest, WriteSendsTheFrameUnchanged) {
  ex.ExchangeFailed = -1;
  port.replies = {":0002C2;"};
  ex.RequestText = "0002006510";
  ex.FrameRequest();
  ex.WriteExchange();

  EXPECT_EQ(trace, AttemptTrace(":0002006510EE;", 40, false));
  EXPECT_EQ(ex.RequestText, ":0002006510EE;");
  EXPECT_EQ(ex.ReplyText, ":0002C2;");
  EXPECT_EQ(ex.ExchangeFailed, 0);
  EXPECT_EQ(host.position, 1);
}

TEST_F(ExchangeTest, SilentPanelFailsAWriteEvenWhenAskedQuietly) {
  host.position = 5;
  ex.QuietFailure = -1;  // writes have no quiet mode
  ex.RequestText = ":0002006510EE;";
  ex.WriteExchange();

  auto expected = FailedAttempts(":0002006510EE;", 40);
  expected.insert(expected.end(), {"close", "message", "reset bar"});
  EXPECT_EQ(trace, expected);
  EXPECT_THAT(host.messages, ElementsAre(Lines("Помилка запису !")));
  EXPECT_FALSE(port.open);
  EXPECT_EQ(host.position, 0);
  EXPECT_EQ(ex.ExchangeFailed, -1);
}

// A write collects 40 characters at most; what is left of a longer reply is
// the start of what the next attempt receives.
TEST_F(ExchangeTest, WriteReplyLongerThan40Characters) {
  struct Case {
    std::string first_reply;
    int sends;
    std::string reply;
    std::string left_queued;
  };
  const std::string forty = ":" + std::string(38, '0') + ";";
  const std::vector<Case> cases = {
      {forty, 1, forty, ""},
      {forty + "X", 1, forty, "X"},
      {":" + std::string(39, '0') + ";", 2, ";", ""},
      {":" + std::string(39, '0') + "1;", 2, "1;", ""},
  };
  for (const auto& c : cases) {
    Trace t;
    VirtualClock virtual_clock(t);
    ScriptedLine line(t, &virtual_clock);
    RecordingHost bar(t);
    Exchanges exchanges(line, bar, virtual_clock.AsPause(), virtual_clock.AsClock());
    line.replies = {c.first_reply};  // later attempts meet silence
    exchanges.RequestText = ":0002006510EE;";
    exchanges.WriteExchange();

    EXPECT_EQ(line.sent.size(), static_cast<size_t>(c.sends)) << c.first_reply;
    EXPECT_EQ(exchanges.ReplyText, c.reply) << c.first_reply;
    EXPECT_EQ(line.queued, c.left_queued) << c.first_reply;
    EXPECT_EQ(exchanges.ExchangeFailed, 0) << c.first_reply;
  }
}

// Input left over from an earlier exchange is never taken for the answer
// to the next one: it is discarded before the next frame goes out.
TEST_F(ExchangeTest, LeftoverInputIsDiscardedBeforeTheNextFrame) {
  ex.QuietFailure = -1;
  port.replies = {"", "", "", "", ":0000"};
  ex.RequestText = "0039";
  ex.ReadExchange();
  EXPECT_EQ(ex.ReplyText, ":0000");

  port.queued += "390102050315031110420731;";  // the rest of it, late
  port.replies = {":0001011083;"};
  ex.QuietFailure = 0;
  ex.RequestText = "0001010065";
  ex.ReadExchange(WholeReadReply(1));
  EXPECT_EQ(ex.ReplyText, ":0001011083;");
  EXPECT_EQ(ex.ExchangeFailed, 0);
  EXPECT_EQ(port.sent.back(), ":0001010065ED;");
}

// A read reply must hold every pair the read asked for: one that lost
// characters on the way, or answers another read, fails its attempt. Noise
// before a whole reply is left out, so the caller's positions hold.
TEST_F(ExchangeTest, ReadReplyMustHaveTheLengthOfTheRead) {
  struct Case {
    std::vector<std::string> replies;
    int sends;
    std::string reply;
    int32_t failed;
  };
  const std::string whole = ":000102001AE5;";  // two data bytes
  const std::vector<Case> cases = {
      {{whole}, 1, whole, 0},
      {{":0001020063;", whole}, 2, whole, 0},                      // a data pair lost
      {{":000102001A00E5;", whole}, 2, whole, 0},                  // one too many
      {{":00010100E5;:000102001AE5;"}, 1, whole, 0},               // a stale reply first
      {{std::string("\xFF\x00:") + "\x7F" + whole}, 1, whole, 0},  // noise
      {{"0102001AE5;"}, 5, "0102001AE5;", -1},                     // no ":" at all
      {{":000102001AE5"}, 5, ":000102001AE5", -1},                 // no ";" at all
  };
  for (const auto& c : cases) {
    Trace t;
    VirtualClock virtual_clock(t);
    ScriptedLine line(t, &virtual_clock);
    RecordingHost bar(t);
    Exchanges exchanges(line, bar, virtual_clock.AsPause(), virtual_clock.AsClock());
    line.replies.assign(c.replies.begin(), c.replies.end());
    line.answer_when_out = c.replies.back();
    exchanges.RequestText = "0001020200";
    exchanges.ReadExchange(WholeReadReply(2));

    EXPECT_EQ(line.sent.size(), static_cast<size_t>(c.sends)) << c.replies.front();
    EXPECT_EQ(exchanges.ReplyText, c.reply) << c.replies.front();
    EXPECT_EQ(exchanges.ExchangeFailed, c.failed) << c.replies.front();
  }
}

// A panel that answers 700 ms late: a write's attempts last 241 ms, so the
// first attempt's acknowledgement comes during the fourth. Within one
// exchange that is still the answer (the same frame went out), but the
// replies owed to the other attempts must not answer the next frame: they
// are drained first.
TEST_F(ExchangeTest, SlowPanelsOwedRepliesAreDrainedBeforeTheNextFrame) {
  port.reply_delay_ms = 700;
  port.replies = {":0002AA;", ":0002AA;", ":0002AA;", ":0002AA;"};
  port.answer_when_out = ":0002BB;";
  ex.RequestText = ":00020200AAAA98;";
  ex.WriteExchange();
  EXPECT_EQ(ex.ExchangeFailed, 0);
  EXPECT_EQ(ex.ReplyText, ":0002AA;");
  ASSERT_EQ(port.sent.size(), 4u);

  ex.RequestText = ":00020200BBBB9C;";
  ex.WriteExchange();
  EXPECT_EQ(ex.ExchangeFailed, 0);
  EXPECT_EQ(ex.ReplyText, ":0002BB;");
  EXPECT_EQ(port.sent.size(), 8u);
  EXPECT_EQ(port.queued, "");
}

// A probe that heard nothing at all in its five attempts owes nothing: the
// next frame goes out after the discard, without a wait.
TEST_F(ExchangeTest, ProbeThatHeardNothingLeavesNothingToWaitFor) {
  ex.QuietFailure = -1;
  ex.RequestText = "0039";
  ex.ReadExchange();
  ex.QuietFailure = 0;
  const int after_probe = clock.elapsed_ms;

  port.replies = {":0001011083;"};
  ex.RequestText = "0001010065";
  ex.ReadExchange(WholeReadReply(1));
  EXPECT_EQ(ex.ExchangeFailed, 0);
  EXPECT_EQ(clock.elapsed_ms - after_probe, 100);  // the pause, nothing more
}

// The same slow panel drops the second write's frames: the first write's
// late acknowledgement must not pass for the second's.
TEST_F(ExchangeTest, AnEarlierAcknowledgementNeverPassesForALaterWrite) {
  port.reply_delay_ms = 700;
  port.replies = {":0002C2;", ":0002C2;", "", ""};  // then silence
  ex.RequestText = ":0002006510EE;";
  ex.WriteExchange();
  ASSERT_EQ(ex.ExchangeFailed, 0);

  ex.RequestText = ":0002006520EF;";
  ex.WriteExchange();
  EXPECT_EQ(ex.ExchangeFailed, -1);
  EXPECT_THAT(host.messages, ElementsAre(Lines("Помилка запису !")));
}

// A reply that comes in pieces is collected whole; the wait for the next
// piece starts over with every piece.
TEST_F(ExchangeTest, ReplyArrivingInPiecesIsCollectedWhole) {
  struct Piece {
    int at_ms;
    std::string text;
  };
  const std::string whole = ":000102001AE5;";
  for (const int gap : {2, 16, 24}) {
    Trace t;
    VirtualClock virtual_clock(t);
    ScriptedLine line(t, &virtual_clock);
    RecordingHost bar(t);
    Exchanges exchanges(line, bar, virtual_clock.AsPause(), virtual_clock.AsClock());
    line.replies = {""};
    for (size_t i = 0; i < whole.size(); ++i) {
      line.on_the_way.push_back({100 + gap * static_cast<int>(i), whole.substr(i, 1)});
    }
    exchanges.RequestText = "0001020200";
    exchanges.ReadExchange(WholeReadReply(2));
    EXPECT_EQ(exchanges.ReplyText, whole) << gap;
    EXPECT_EQ(line.sent.size(), 1u) << gap;
  }
}

TEST_F(ExchangeTest, BarStaysFullWhenThereAreMoreExchangesThanSteps) {
  host.maximum = 2;
  port.answer_when_out = ":0002C2;";
  for (int i = 0; i < 3; ++i) {
    ex.RequestText = ":0002006510EE;";
    ex.WriteExchange();
  }
  EXPECT_EQ(host.position, 2);
}

// Errors of the port leave the exchange at once: no message, the bar
// untouched, ExchangeFailed 0; the caller's error box shows them. The port
// is closed, so a line that went away is let go and can be opened again.
TEST_F(ExchangeTest, PortErrorsPassThrough) {
  struct Case {
    bool on_send;
    bool write;
  };
  for (const Case c :
       {Case{true, false}, Case{false, false}, Case{true, true}, Case{false, true}}) {
    Trace t;
    VirtualClock virtual_clock(t);
    ScriptedLine line(t, &virtual_clock);
    RecordingHost bar(t);
    Exchanges exchanges(line, bar, virtual_clock.AsPause(), virtual_clock.AsClock());
    bar.position = 2;
    exchanges.ExchangeFailed = -1;
    const char* error = c.on_send ? com_message::kWriteFailed : com_message::kReadFailed;
    (c.on_send ? line.send_error : line.receive_error) = error;
    exchanges.RequestText = c.write ? ":0002006510EE;" : "0039";

    try {
      c.write ? exchanges.WriteExchange() : exchanges.ReadExchange();
      ADD_FAILURE() << "no error";
    } catch (const EComPort& e) {
      EXPECT_STREQ(e.what(), error);
    }
    EXPECT_EQ(exchanges.ExchangeFailed, 0);
    EXPECT_FALSE(line.open);
    EXPECT_THAT(bar.messages, IsEmpty());
    EXPECT_EQ(bar.position, 2);
  }
}

}  // namespace
}  // namespace tevral::link
