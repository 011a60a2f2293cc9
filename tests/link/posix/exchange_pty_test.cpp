// The exchanges for real: the port component on the simulated panel's
// pseudo-terminal, with the line speed and the 1 ms time-outs the window
// gives its port, and real 100 ms pauses.

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "link/com_errors.h"
#include "link/exchanges.h"
#include "link/tbcomport.h"
#include "sim/panel_protocol.h"
#include "sim/simulated_panel.h"
#include "tests/link/exchange_fakes.h"
#include "tests/link/panel_conversation.h"

namespace tevral::link {
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::RecordingHost;
using testing::Trace;

constexpr const char* kIdentity = testing::kSimulatedIdentity;

using testing::PreparePort;

class ExchangeOverPty : public ::testing::Test {
 protected:
  void SetUp() override {
    panel.Start();
    PreparePort(port, panel.DevicePath());
  }
  void TearDown() override {
    try {
      port.Close();
    } catch (const EComPort&) {
      // A line that has gone away refuses its modem-line step; nothing to test here.
    }
  }

  sim::SimulatedPanel panel;
  TBComPort port;
  Trace trace;
  RecordingHost host{trace};
  Exchanges ex{port, host};
};

TEST_F(ExchangeOverPty, IdentifyWriteAndReadBack) {
  testing::IdentifyWriteAndReadBack(ex);
  EXPECT_EQ(panel.Memory().Read(0, 0x65, 1), std::vector<uint8_t>{0x10});
  EXPECT_EQ(host.position, 3);
  EXPECT_TRUE(port.IsOpen());
  // Exactly the frames, nothing between or after them.
  EXPECT_EQ(panel.ReceivedBytes(), ":0039CC;:0002006510EE;:0001010065ED;");
}

TEST_F(ExchangeOverPty, PanelThatWakesLateIsAnsweredOnTheThirdAttempt) {
  sim::PanelFaults faults;
  faults.ignore_first = 2;
  panel.SetFaults(faults);
  ex.RequestText = "0039";
  ex.ReadExchange();

  EXPECT_EQ(ex.ReplyText, kIdentity);
  EXPECT_EQ(ex.ExchangeFailed, 0);
  EXPECT_EQ(host.position, 1);
  EXPECT_EQ(panel.ReceivedBytes(), ":0039CC;:0039CC;:0039CC;");
}

TEST_F(ExchangeOverPty, SilentPanelFailsAWriteAndClosesThePort) {
  sim::PanelFaults faults;
  faults.silent = true;
  panel.SetFaults(faults);
  host.position = 4;
  ex.RequestText = ":0002006510EE;";
  ex.WriteExchange();

  EXPECT_EQ(ex.ExchangeFailed, -1);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_THAT(host.messages, ElementsAre(kWriteFailureMessage));
  EXPECT_EQ(host.position, 0);
  EXPECT_EQ(panel.Requests().size(), 5u);
}

TEST_F(ExchangeOverPty, QuietProbeOfASilentPanelLeavesThePortOpen) {
  sim::PanelFaults faults;
  faults.silent = true;
  panel.SetFaults(faults);
  host.position = 4;
  ex.QuietFailure = -1;
  ex.RequestText = "0039";
  ex.ReadExchange();
  ex.QuietFailure = 0;

  EXPECT_EQ(ex.ExchangeFailed, 0);
  EXPECT_TRUE(port.IsOpen());
  EXPECT_THAT(host.messages, IsEmpty());
  EXPECT_EQ(host.position, 4);
  EXPECT_EQ(ex.ReplyText, "");
  EXPECT_EQ(panel.Requests().size(), 5u);
}

// The reply's first half arrives 250 ms after the request, its second half
// 100 ms later, far beyond any adapter's chunk gap: the first attempt gives
// up on the half, and the second finds only the tail in the input, which is
// no whole reply. The third attempt takes the second attempt's reply, whole.
TEST_F(ExchangeOverPty, CutReplyFailsItsAttemptAndItsTailIsNoAnswer) {
  sim::PanelFaults faults;
  faults.reply_delay_ms = 250;
  faults.split_gap_ms = 100;
  faults.split_at = 7;
  panel.SetFaults(faults);
  ex.RequestText = "0039";
  ex.ReadExchange([](std::string_view reply) { return reply.size() == 28; });

  EXPECT_EQ(ex.ReplyText, kIdentity);
  EXPECT_EQ(ex.ExchangeFailed, 0);
  EXPECT_EQ(panel.ReceivedBytes(), ":0039CC;:0039CC;:0039CC;");
}

// Each reply is 41 characters; a write collects 40, so every attempt starts
// one character later in the stream of replies and none ends with ";".
TEST_F(ExchangeOverPty, WriteRepliesLongerThan40CharactersNeverFit) {
  sim::PanelFaults faults;
  faults.garbage_before = std::string(33, 'X');
  panel.SetFaults(faults);
  ex.RequestText = ":0002006510EE;";
  ex.WriteExchange();

  const std::string one_reply = std::string(33, 'X') + ":0002C2;";
  std::string stream;
  for (int i = 0; i < 5; ++i) stream += one_reply;
  EXPECT_EQ(ex.ExchangeFailed, -1);
  EXPECT_EQ(ex.ReplyText, stream.substr(160, 40));
}

TEST_F(ExchangeOverPty, DoubleFramedRequestReachesTheWire) {
  ex.RequestText = "0039";
  ex.ReadExchange();
  ex.ReadExchange();

  EXPECT_EQ(panel.ReceivedBytes(), ":0039CC;::0039CC;52;");
  // The panel resynchronises on the inner ":" and takes the inner frame.
  EXPECT_EQ(ex.ReplyText, kIdentity);
}

TEST_F(ExchangeOverPty, LineThatGoesAwayRaisesThroughTheExchange) {
  ex.ExchangeFailed = -1;
  panel.Stop();  // the panel's end of the line is gone
  ex.RequestText = "0039";
  try {
    ex.ReadExchange();
    ADD_FAILURE() << "no error";
  } catch (const EComPort& e) {
    EXPECT_THAT(e.what(), ::testing::AnyOf(::testing::StrEq(com_message::kWriteFailed),
                                           ::testing::StrEq(com_message::kReadFailed)));
  }
  EXPECT_EQ(ex.ExchangeFailed, 0);
  EXPECT_FALSE(port.IsOpen());  // let go at once, so it can be opened again
  EXPECT_THAT(host.messages, IsEmpty());
}

// A series whose port cannot be opened ends before its first request, with
// the port component's error.
TEST(ExchangeSeries, PortThatCannotBeOpenedEndsItBeforeAnyRequest) {
  sim::SimulatedPanel panel;
  panel.Start();
  const int other = open(panel.DevicePath().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(other, 0);
  ASSERT_EQ(flock(other, LOCK_EX | LOCK_NB), 0);  // another program holds the port

  struct Case {
    std::string path;
    const char* message;
  };
  for (const Case& c : {Case{panel.DevicePath() + "-missing", com_message::kNoSuchPort},
                        Case{panel.DevicePath(), com_message::kPortBusy}}) {
    TBComPort port;
    Trace trace;
    RecordingHost host(trace);
    Exchanges ex(port, host);
    try {
      PreparePort(port, c.path);
      ex.RequestText = "0039";
      ex.ReadExchange();
      ADD_FAILURE() << "no error for " << c.path;
    } catch (const EComPort& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
    EXPECT_FALSE(port.IsOpen());
  }
  EXPECT_EQ(panel.ReceivedBytes(), "");
  close(other);
}

}  // namespace
}  // namespace tevral::link
