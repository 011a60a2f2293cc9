// The event machinery of an open port over a device whose events the test
// feeds: the order of handling, the error set, what is read with no handler,
// the thread each dispatch mode reaches, and closing while events wait.

#include <gtest/gtest.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "line_events_fake_device.h"
#include "link/com_errors.h"
#include "link/tbcomport.h"

namespace tevral::link {
namespace {

using testing::CountingDispatcher;
using testing::FakeEventDevice;
using testing::FakeLine;
using testing::kGenerousBound;
using Strings = std::vector<std::string>;

// Handler calls, from whichever thread made them.
class Calls {
 public:
  void Add(const std::string& call) {
    {
      std::lock_guard lock(mutex_);
      list_.push_back(call);
    }
    changed_.notify_all();
  }
  bool AwaitCount(size_t count) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, kGenerousBound, [&] { return list_.size() >= count; });
  }
  Strings List() {
    std::lock_guard lock(mutex_);
    return list_;
  }
  void Clear() {
    std::lock_guard lock(mutex_);
    list_.clear();
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  Strings list_;
};

std::string MessageOf(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    return e.what();
  }
}

std::string ErrorsText(TComErrors errors) {
  static const char* const kNames[] = {"ceFrame", "ceRxParity", "ceOverrun", "ceBreak",
                                       "ceIO",    "ceMode",     "ceRxOver",  "ceTxFull"};
  std::string text;
  for (int i = 0; i < 8; ++i) {
    if (errors.Contains(static_cast<TComError>(i)))
      text += std::string(text.empty() ? "" : " ") + kNames[i];
  }
  return text;
}

class LineEvents : public ::testing::Test {
 protected:
  void OpenPort(TSyncMethod sync, TParity parity = TParity::paNone) {
    port = std::make_unique<TBComPort>(std::make_unique<FakeEventDevice>(line));
    port->SetSyncMethod(sync);
    port->SetParity(parity);
    port->SetOwnerDispatcher(&dispatcher);
    port->SetApplicationErrorHandler(
        [this](std::exception_ptr error) { errors.Add(MessageOf(error)); });
    port->Open();
  }

  // Every handler records its call, with the state or count it was given.
  void RecordEveryHandler() {
    port->SetOnError([this](TBComPort&, TComErrors e) { calls.Add("error " + ErrorsText(e)); });
    port->SetOnRxChar([this](TBComPort&, int32_t n) { calls.Add("rx " + std::to_string(n)); });
    port->SetOnTxEmpty([this](TBComPort&) { calls.Add("txempty"); });
    port->SetOnRing([this](TBComPort&) { calls.Add("ring"); });
    port->SetOnCTSChange([this](TBComPort&, bool on) { calls.Add(on ? "cts on" : "cts off"); });
    port->SetOnDSRChange([this](TBComPort&, bool on) { calls.Add(on ? "dsr on" : "dsr off"); });
    port->SetOnRLSDChange([this](TBComPort&, bool on) { calls.Add(on ? "rlsd on" : "rlsd off"); });
    port->SetOnRx80Full([this](TBComPort&) { calls.Add("rx80full"); });
  }

  // One wait's events, handled here on the owner's thread (smThreadSync).
  void FeedAndHandle(uint32_t flags) {
    line.Feed(flags);
    ASSERT_TRUE(dispatcher.AwaitRequests(++requests));
    port->ProcessPendingEvents();
  }

  FakeLine line;
  CountingDispatcher dispatcher;
  int requests = 0;
  Calls calls;
  Calls errors;
  std::unique_ptr<TBComPort> port;  // destroyed first: it holds the device on line
};

TEST_F(LineEvents, OpenWatchesAllEightEventsAndLeavingClearsTheMaskAndBothQueues) {
  OpenPort(TSyncMethod::smThreadSync);
  EXPECT_EQ(EventMask(port->WatchedEvents()), 0x05BDu);
  EXPECT_EQ(port->ThreadPriority(), TThreadPriority::tpNormal);
  EXPECT_NE(port->EventThread(), nullptr);

  EXPECT_TRUE(port->Close());
  EXPECT_EQ(port->EventThread(), nullptr);
  EXPECT_EQ(line.log, (Strings{"mask 05BD", "mask 0000", "discard", "close"}));
}

TEST_F(LineEvents, EventsOfOneWaitAreHandledInTableOrder) {
  OpenPort(TSyncMethod::smThreadSync);
  RecordEveryHandler();
  line.error_bits = line_error::kFrame;
  line.queued = 3;
  line.lines = ModemStatus{true, false, true, true};

  FeedAndHandle(0x05BD);
  EXPECT_EQ(calls.List(), (Strings{"error ceFrame", "rx 3", "txempty", "ring", "cts on", "dsr off",
                                   "rlsd on", "rx80full"}));
  EXPECT_EQ(port->EventThread()->ReceivedEvents(), kAllLineEvents);

  // A flag outside the watched events (EV_BREAK) is not handled.
  FeedAndHandle(0x0040 | line_event::kRing);
  EXPECT_EQ(calls.List().back(), "ring");
  EXPECT_EQ(calls.List().size(), 9u);
  EXPECT_EQ(port->EventThread()->ReceivedEvents(), TComEvents{TComEvent::evRing});
}

TEST_F(LineEvents, ErrorSetFromTheDeviceErrorState) {
  struct Case {
    const char* name;
    uint32_t bits;
    TParity parity;
    std::optional<std::string> reported;  // nothing: OnError is not called
  };
  const Case cases[] = {
      {"parity error without parity", line_error::kRxParity, TParity::paNone, std::nullopt},
      {"parity and frame without parity", line_error::kRxParity | line_error::kFrame,
       TParity::paNone, "ceFrame"},
      {"parity error with parity", line_error::kRxParity, TParity::paEven, "ceRxParity"},
      {"every error", 0x851F, TParity::paOdd,
       "ceFrame ceRxParity ceOverrun ceBreak ceIO ceMode ceRxOver ceTxFull"},
      {"a bit no error stands for", 0x0200, TParity::paNone, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    OpenPort(TSyncMethod::smThreadSync, c.parity);
    std::optional<std::string> reported;
    port->SetOnError([&](TBComPort&, TComErrors e) { reported = ErrorsText(e); });
    line.error_bits = c.bits;
    line.error_reads = 0;

    FeedAndHandle(line_event::kError);
    EXPECT_EQ(reported, c.reported);
    EXPECT_EQ(line.error_reads, 1);
    EXPECT_EQ(line.error_bits, 0u);  // read and cleared
    port.reset();
  }
}

TEST_F(LineEvents, WithoutHandlersTheErrorStateAndTheInputCountAreStillRead) {
  OpenPort(TSyncMethod::smThreadSync);
  line.error_bits = line_error::kOverrun;
  line.queued = 4;

  FeedAndHandle(0x05BD);
  EXPECT_EQ(line.error_reads, 1);
  EXPECT_EQ(line.error_bits, 0u);
  EXPECT_EQ(line.queued_reads, 1);
  EXPECT_EQ(line.modem_reads, 0);  // the lines are read only for a handler
  EXPECT_TRUE(errors.List().empty());
}

TEST_F(LineEvents, RxCharIsPassedOnOnlyWithCharactersQueued) {
  OpenPort(TSyncMethod::smThreadSync);
  RecordEveryHandler();
  line.queued = 0;  // taken by a read before the handling ran
  FeedAndHandle(line_event::kRxChar);
  line.queued = 9;
  FeedAndHandle(line_event::kRxChar);
  EXPECT_EQ(calls.List(), Strings{"rx 9"});
}

TEST_F(LineEvents, EachDispatchModeRunsTheHandlingOnItsThread) {
  struct Case {
    TSyncMethod sync;
    bool on_owner_thread;
  };
  for (const Case c : {Case{TSyncMethod::smThreadSync, true}, Case{TSyncMethod::smWindowSync, true},
                       Case{TSyncMethod::smNone, false}}) {
    SCOPED_TRACE(static_cast<int>(c.sync));
    OpenPort(c.sync);
    std::mutex mutex;
    std::thread::id handled_on;
    port->SetOnRing([&](TBComPort&) {
      {
        std::lock_guard lock(mutex);
        handled_on = std::this_thread::get_id();
      }
      calls.Add("ring");
    });
    const size_t before = calls.List().size();
    line.Feed(line_event::kRing);
    if (c.on_owner_thread) {
      ASSERT_TRUE(dispatcher.AwaitRequests(++requests));
      port->ProcessPendingEvents();
    }
    ASSERT_TRUE(calls.AwaitCount(before + 1));
    std::lock_guard lock(mutex);
    EXPECT_EQ(handled_on == std::this_thread::get_id(), c.on_owner_thread);
    port.reset();
  }
}

TEST_F(LineEvents, ThreadSyncStartsTheNextWaitOnlyAfterTheOwnerRanTheDispatch) {
  OpenPort(TSyncMethod::smThreadSync);
  RecordEveryHandler();
  line.Feed(line_event::kRing);
  line.Feed(line_event::kTxEmpty);
  ASSERT_TRUE(dispatcher.AwaitRequests(1));
  {
    std::lock_guard lock(line.mutex);
    EXPECT_EQ(line.waits.size(), 1u);  // the second wait's result is still untaken
    EXPECT_EQ(line.waiting, 0);
  }
  port->ProcessPendingEvents();
  ASSERT_TRUE(dispatcher.AwaitRequests(2));
  port->ProcessPendingEvents();
  EXPECT_EQ(calls.List(), (Strings{"ring", "txempty"}));
}

TEST_F(LineEvents, WindowSyncReleasesTheEventThreadAtOnceAndKeepsTheOrder) {
  OpenPort(TSyncMethod::smWindowSync);
  RecordEveryHandler();
  line.queued = 1;
  line.Feed(line_event::kTxEmpty | line_event::kRxChar);
  line.Feed(line_event::kRing);
  // Both waits are taken and the thread waits again with nothing handled.
  ASSERT_TRUE(line.Await([](FakeLine& l) { return l.waits.empty() && l.waiting == 1; }));
  EXPECT_TRUE(calls.List().empty());

  port->ProcessPendingEvents();
  EXPECT_EQ(calls.List(), (Strings{"rx 1", "txempty", "ring"}));
}

TEST_F(LineEvents, CloseRunsAPendingThreadSyncDispatchThenEndsTheThread) {
  OpenPort(TSyncMethod::smThreadSync);
  RecordEveryHandler();
  line.queued = 2;
  line.Feed(line_event::kRxChar);
  ASSERT_TRUE(dispatcher.AwaitRequests(1));  // posted, never served by the owner

  EXPECT_TRUE(port->Close());
  EXPECT_EQ(calls.List(), Strings{"rx 2"});
  EXPECT_FALSE(port->IsOpen());
  EXPECT_EQ(line.log.back(), "close");
}

TEST_F(LineEvents, ErrorRaisedByAHandlerReachesTheErrorHandlerAndTheThreadGoesOn) {
  for (const TSyncMethod sync :
       {TSyncMethod::smWindowSync, TSyncMethod::smThreadSync, TSyncMethod::smNone}) {
    SCOPED_TRACE(static_cast<int>(sync));
    calls.Clear();
    errors.Clear();
    OpenPort(sync);
    line.queued = 1;
    port->SetOnRxChar([](TBComPort&, int32_t) { throw EComPort("обробник впав"); });
    port->SetOnTxEmpty([this](TBComPort&) { calls.Add("txempty"); });
    port->SetOnRing([this](TBComPort&) { calls.Add("ring"); });

    line.Feed(line_event::kRxChar | line_event::kTxEmpty);
    line.Feed(line_event::kRing);
    if (sync != TSyncMethod::smNone) {
      for (int wait = 0; wait < 2; ++wait) {
        ASSERT_TRUE(dispatcher.AwaitRequests(++requests));
        port->ProcessPendingEvents();
      }
    }
    ASSERT_TRUE(calls.AwaitCount(2));
    EXPECT_EQ(calls.List(), (Strings{"txempty", "ring"}));
    EXPECT_EQ(errors.List(), Strings{"обробник впав"});
    port.reset();
  }
}

TEST_F(LineEvents, FailingReadsOfTheHandlingReachTheErrorHandler) {
  struct Case {
    uint32_t flags;
    bool FakeLine::*failing;
    const char* message;
  };
  const Case cases[] = {
      {line_event::kError, &FakeLine::fail_errors, com_message::kClearCommError},
      {line_event::kRxChar, &FakeLine::fail_queued, com_message::kClearCommError},
      {line_event::kCts, &FakeLine::fail_modem, com_message::kGetCommModemStatus},
  };
  OpenPort(TSyncMethod::smThreadSync);
  RecordEveryHandler();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    line.*c.failing = true;
    FeedAndHandle(c.flags);
    line.*c.failing = false;
    EXPECT_EQ(errors.List().back(), c.message);
  }
  EXPECT_EQ(errors.List().size(), 3u);
  EXPECT_TRUE(calls.List().empty());
}

TEST_F(LineEvents, AFailedWaitIsRetriedAfterAPause) {
  OpenPort(TSyncMethod::smThreadSync);
  RecordEveryHandler();
  line.FeedFailure();
  FeedAndHandle(line_event::kRing);
  EXPECT_EQ(calls.List(), Strings{"ring"});
  EXPECT_EQ(line.log, (Strings{"mask 05BD", "wait taken", "pause 100", "wait taken"}));
}

TEST_F(LineEvents, AHandlerThatClosesThePortEndsTheHandling) {
  for (const TSyncMethod sync : {TSyncMethod::smThreadSync, TSyncMethod::smWindowSync}) {
    SCOPED_TRACE(static_cast<int>(sync));
    Calls handled;
    OpenPort(sync);
    line.queued = 1;
    port->SetOnRxChar([&](TBComPort& sender, int32_t) {
      handled.Add("rx");
      sender.Close();
    });
    port->SetOnTxEmpty([&](TBComPort&) { handled.Add("txempty"); });

    line.Feed(line_event::kRxChar | line_event::kTxEmpty);
    ASSERT_TRUE(dispatcher.AwaitRequests(++requests));
    port->ProcessPendingEvents();
    EXPECT_FALSE(port->IsOpen());
    EXPECT_EQ(handled.List(), Strings{"rx"});
    EXPECT_EQ(line.log.back(), "close");
    port.reset();
  }
}

// Under smNone the handler runs on the event thread, which cannot wait for
// its own end: the close is refused there and the owner closes later.
TEST_F(LineEvents, CloseFromAHandlerOnTheEventThreadIsRefused) {
  OpenPort(TSyncMethod::smNone);
  line.queued = 1;
  port->SetOnRxChar([](TBComPort& sender, int32_t) { sender.Close(); });
  line.Feed(line_event::kRxChar);
  ASSERT_TRUE(errors.AwaitCount(1));
  EXPECT_TRUE(port->IsOpen());
  EXPECT_TRUE(port->Close());
}

}  // namespace
}  // namespace tevral::link
