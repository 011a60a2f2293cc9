// Line events of a real terminal: the port opened on a pseudo-terminal made
// for the test, the test playing the far end on the master side.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/tbcomport.h"
#include "tests/link/line_events_fake_device.h"
#include "tests/link/posix/port_pty.h"

namespace tevral::link {
namespace {

using testing::CountingDispatcher;
using testing::PseudoTerminal;

class LineEventsOverPty : public ::testing::Test {
 protected:
  void SetUp() override {
    port.SetPort(pty.SlavePath());
    port.SetOwnerDispatcher(&dispatcher);
    port.SetOnRxChar([this](TBComPort&, int32_t count) { counts.push_back(count); });
    port.SetOnTxEmpty([this](TBComPort&) { ++tx_empty; });
    port.Open();
  }

  // The next thread-sync dispatch, run here on the owner's thread.
  void HandleNextDispatch() {
    ASSERT_TRUE(dispatcher.AwaitRequests(++requests));
    port.ProcessPendingEvents();
  }

  PseudoTerminal pty;
  CountingDispatcher dispatcher;
  int requests = 0;
  std::vector<int32_t> counts;
  int tx_empty = 0;
  TBComPort port;
};

TEST_F(LineEventsOverPty, ArrivingCharactersAreReportedWithTheQueuedCount) {
  pty.Send("ABCDE");
  HandleNextDispatch();
  EXPECT_EQ(counts, (std::vector<int32_t>{5}));

  // More arrives while the first five still sit unread.
  pty.Send("FG");
  HandleNextDispatch();
  EXPECT_EQ(counts, (std::vector<int32_t>{5, 7}));

  // Once the port has read them, a smaller arrival is new input too.
  std::string text;
  EXPECT_EQ(port.ReceiveText(text, 7), 7);
  EXPECT_EQ(text, "ABCDEFG");
  pty.Send("HIJ");
  HandleNextDispatch();
  EXPECT_EQ(counts, (std::vector<int32_t>{5, 7, 3}));
  EXPECT_EQ(tx_empty, 0);
}

TEST_F(LineEventsOverPty, ASentTextEmptiesTheOutputQueue) {
  EXPECT_EQ(port.SendText(":0039CC;"), 8);
  HandleNextDispatch();
  EXPECT_EQ(tx_empty, 1);
  EXPECT_EQ(pty.Collect(8, std::chrono::milliseconds(2000)), ":0039CC;");
  EXPECT_TRUE(counts.empty());
}

// The far end goes away with a dispatch never served: the terminal reports
// a hang-up for good, and Close (which reports the lines it could not drop)
// still ends the thread and releases the port.
TEST_F(LineEventsOverPty, CloseEndsTheThreadAfterTheLineHungUp) {
  pty.Send("Z");
  ASSERT_TRUE(dispatcher.AwaitRequests(1));
  pty.CloseMaster();
  EXPECT_THROW(port.Close(), EComPort);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(port.EventThread(), nullptr);
}

}  // namespace
}  // namespace tevral::link
