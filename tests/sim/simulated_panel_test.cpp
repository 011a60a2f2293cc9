// The panel on a real pseudo-terminal, driven through raw descriptors.

#include "sim/simulated_panel.h"

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <string>
#include <vector>

#include "tests/sim/pty_client.h"

namespace tevral::sim {
namespace {

using namespace std::chrono_literals;
using testing::PtyClient;

constexpr char kIdentify[] = ":0039CC;";
constexpr char kIdentity[] = ":000039010301120524104207AD;";

class SimulatedPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    panel.Start();
    client = std::make_unique<PtyClient>(panel.DevicePath());
    ASSERT_TRUE(client->ok());
  }
  SimulatedPanel panel;
  std::unique_ptr<PtyClient> client;
};

TEST_F(SimulatedPanelTest, AnswersRequestsThatArriveInPieces) {
  client->Send("noise:00");
  ASSERT_TRUE(panel.Requests().empty());
  client->Send("39CC;");
  EXPECT_EQ(client->ReceiveReply(), kIdentity);
  client->Send(":00020100414243");
  client->Send("B5;:0001030100");  // a write's end and the next read in one piece
  client->Send("E5;");
  EXPECT_EQ(client->ReceiveReply(5s, 2), ":0002C2;:00010341424356;");

  const auto log = panel.Requests();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].frame, kIdentify);
  EXPECT_EQ(log[1].frame, ":00020100414243B5;");
  EXPECT_EQ(panel.ReceivedBytes(), "noise:0039CC;:00020100414243B5;:0001030100E5;");
}

TEST_F(SimulatedPanelTest, IgnoresAFrameWithAWrongChecksum) {
  client->Send(":0039CD;");
  ASSERT_TRUE(panel.WaitForRequests(1, 5s));
  client->Send(kIdentify);
  EXPECT_EQ(client->ReceiveReply(), kIdentity);  // the first reply is the good frame's
  const auto log = panel.Requests();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_FALSE(log[0].checksum_ok);
  EXPECT_FALSE(log[0].answered);
  EXPECT_TRUE(log[1].answered);
}

TEST_F(SimulatedPanelTest, SilenceAndCountedFaults) {
  struct Case {
    PanelFaults faults;
    std::vector<bool> answered;  // for five identification requests in a row
  };
  PanelFaults silent;
  silent.silent = true;
  PanelFaults late;
  late.ignore_first = 2;
  PanelFaults tired;
  tired.stop_after = 3;
  for (const Case& c : {Case{silent, {false, false, false, false, false}},
                        Case{late, {false, false, true, true, true}},
                        Case{tired, {true, true, true, false, false}}}) {
    panel.ClearLog();
    panel.SetFaults(c.faults);
    for (size_t i = 0; i < c.answered.size(); ++i) {
      client->Send(kIdentify);
      ASSERT_TRUE(panel.WaitForRequests(i + 1, 5s));
      // A reply, if any, is on its way once the request is recorded.
      EXPECT_EQ(client->ReceiveReply(c.answered[i] ? 5000ms : 50ms), c.answered[i] ? kIdentity : "")
          << i;
    }
  }
}

TEST_F(SimulatedPanelTest, MangledReplies) {
  PanelFaults faults;
  faults.garbage_before = std::string("\x00zz", 3);
  faults.drop_final_semicolon = true;
  panel.SetFaults(faults);
  client->Send(kIdentify);
  ASSERT_TRUE(panel.WaitForRequests(1, 5s));
  const std::string expected = std::string("\x00zz", 3) + ":000039010301120524104207AD";
  EXPECT_EQ(client->ReceiveFor(300ms), expected);
  EXPECT_EQ(panel.Requests()[0].reply, expected);
}

TEST_F(SimulatedPanelTest, SplitReplyComesInTwoPiecesWithAGap) {
  PanelFaults faults;
  faults.split_gap_ms = 200;
  faults.split_at = 7;
  panel.SetFaults(faults);
  client->Send(kIdentify);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(client->ReceiveFirstPiece(), ":000039");
  const auto first = std::chrono::steady_clock::now();
  EXPECT_EQ(client->ReceiveReply(), "010301120524104207AD;");
  // The gap is not measured here (a loaded machine stretches it); only that
  // the first piece came alone, well before the second was due.
  EXPECT_LT(first - start, 5s);
}

TEST_F(SimulatedPanelTest, SlowReplyWaitsAndStopInterruptsIt) {
  PanelFaults faults;
  faults.reply_delay_ms = 60'000;
  panel.SetFaults(faults);
  client->Send(kIdentify);
  ASSERT_TRUE(panel.WaitForRequests(1, 5s));
  EXPECT_EQ(client->ReceiveFor(100ms), "");
  const auto before = std::chrono::steady_clock::now();
  panel.Stop();  // must not sit out the minute
  EXPECT_LT(std::chrono::steady_clock::now() - before, 10s);
  EXPECT_FALSE(panel.Running());
}

// While a reply is written slowly, the panel keeps listening: a second
// request is recorded at once, and its reply follows the first one whole,
// never mixed into it.
TEST_F(SimulatedPanelTest, KeepsListeningWhileAReplyTricklesOut) {
  PanelFaults faults;
  faults.chunk_gap_ms = 100;  // 28 characters: nearly three seconds
  panel.SetFaults(faults);
  client->Send(kIdentify);
  ASSERT_TRUE(panel.WaitForRequests(1, 5s));
  client->Send(":0001010065ED;");
  ASSERT_TRUE(panel.WaitForRequests(2, 5s));
  EXPECT_FALSE(panel.WaitUntilSent(0ms));  // the first reply is still going out
  EXPECT_EQ(client->ReceiveReply(10s, 2), std::string(kIdentity) + ":000101FFAE;");
  EXPECT_TRUE(panel.WaitUntilSent(5s));
}

TEST_F(SimulatedPanelTest, ChunksOfAGivenSize) {
  PanelFaults faults;
  faults.chunk_gap_ms = 200;
  faults.chunk_size = 16;
  panel.SetFaults(faults);
  client->Send(kIdentify);
  EXPECT_EQ(client->ReceiveFirstPiece(), std::string(kIdentity).substr(0, 16));
  EXPECT_EQ(client->ReceiveReply(), std::string(kIdentity).substr(16));
}

// A late panel answers each request the same time after it came, even when
// the next request comes before the reply is out.
TEST_F(SimulatedPanelTest, LateRepliesKeepTheirOwnSchedule) {
  PanelFaults faults;
  faults.reply_delay_ms = 300;
  panel.SetFaults(faults);
  client->Send(kIdentify);
  client->Send(":0001010065ED;");
  ASSERT_TRUE(panel.WaitForRequests(2, 5s));
  EXPECT_EQ(client->ReceiveReply(10s, 2), std::string(kIdentity) + ":000101FFAE;");
}

TEST_F(SimulatedPanelTest, ReadRepliesLoseDataPairs) {
  PanelFaults faults;
  faults.drop_data_pairs = 1;
  panel.SetFaults(faults);
  client->Send(":0001020200E5;");  // two bytes: one pair is left
  EXPECT_EQ(client->ReceiveReply().size(), 12u);
  client->Send(":0002006510EE;");  // writes are acknowledged as always
  EXPECT_EQ(client->ReceiveReply(), ":0002C2;");
}

// The line is hung up at the second request; whoever had it open reads its
// end, and the next open of the same device works.
TEST_F(SimulatedPanelTest, HangUpAtARequestAndTheLineComesBack) {
  PanelFaults faults;
  faults.hang_up_at = 2;
  panel.SetFaults(faults);
  client->Send(kIdentify);
  EXPECT_EQ(client->ReceiveReply(), kIdentity);
  client->Send(kIdentify);
  ASSERT_TRUE(panel.WaitForRequests(2, 5s));
  ASSERT_TRUE(panel.WaitUntilSent(5s));
  if (panel.HangUpRefused()) GTEST_SKIP() << "no right to hang up a terminal here";
  EXPECT_EQ(panel.HangUps(), 1);
  EXPECT_FALSE(panel.Requests()[1].answered);
  EXPECT_EQ(client->ReceiveFor(200ms), "");  // the end of the line, nothing more

  testing::PtyClient again(panel.DevicePath());
  ASSERT_TRUE(again.ok());
  again.Send(kIdentify);
  EXPECT_EQ(again.ReceiveReply(), kIdentity);
}

TEST_F(SimulatedPanelTest, LogCallbackSeesEachRequest) {
  std::mutex mutex;
  std::vector<std::string> lines;
  panel.SetLogCallback([&](const RequestRecord& record) {
    std::lock_guard lock(mutex);
    lines.push_back(FormatRequestRecord(record));
  });
  client->Send(":0039CD;:0077CE;");
  client->Send(kIdentify);
  EXPECT_EQ(client->ReceiveReply(), kIdentity);
  std::lock_guard lock(mutex);
  EXPECT_EQ(lines,
            (std::vector<std::string>{"-> :0039CD; (bad checksum)", "-> :0077CE; (no answer)",
                                      "-> :0039CC; <- :000039010301120524104207AD;"}));
}

TEST(SimulatedPanel, RestartsOnAFreshTerminal) {
  SimulatedPanel panel;
  EXPECT_EQ(panel.DevicePath(), "");
  panel.Start();
  EXPECT_THROW(panel.Start(), std::logic_error);
  panel.Memory().Write(1, 0x10, {0x5A});
  panel.Stop();
  panel.Start();
  PtyClient client(panel.DevicePath());
  ASSERT_TRUE(client.ok());
  client.Send(":0011010010E4;");
  EXPECT_EQ(client.ReceiveReply(), ":0011015A" + std::string("99") + ";");
}

}  // namespace
}  // namespace tevral::sim
