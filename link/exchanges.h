#pragma once
// Frames and the two request/reply exchanges with the panel.
//
// A request is ":" + body + two-digit checksum + ";". The panel answers each
// request with a reply that ends with ";". An exchange makes up to five
// attempts: send, pause 100 ms, collect, judge the reply. A failed exchange
// closes the port, shows its five-line message and empties the progress
// bar, unless it is a quiet read probe.
//
// What is taken for an answer:
// - Only input that arrived for this request. Leftovers of an earlier
//   exchange are discarded before a new frame goes out, and replies that a
//   slow panel still owes to earlier attempts are waited for and dropped
//   (see unanswered_requests.h). Repeated attempts send the same frame, so
//   within one exchange a reply to any of them is the answer.
// - A whole reply. Collecting starts after the 100 ms pause and ends as
//   soon as a whole reply is in hand; while more bytes keep coming (USB
//   adapters deliver in chunks up to 16 ms apart, a slow line a byte every
//   few ms) it goes on, within kCollectLimitMs. A reply ends with ";"; a
//   read's caller also says how long it must be, so a reply that lost
//   characters, or answers another request, fails the attempt.
// - The reply itself: noise before its ":" is left out of ReplyText.
// Its checksum is not judged (panels differ in what they put there), but a
// mismatch is written into the frame trace for support.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "link/exchange_host.h"
#include "link/reply_shape.h"
#include "link/serial_line.h"
#include "link/trace.h"
#include "link/unanswered_requests.h"

namespace tevral::link {

// Two uppercase hexadecimal digits: the low byte of the sum of the byte
// codes of text, leaving out every ":" and ";".
std::string FrameChecksum(std::string_view text);

// The pauses between the steps of an attempt. The real one sleeps; tests
// may count the milliseconds instead.
using Pause = std::function<void(int milliseconds)>;
Pause RealPause();

// A monotonic clock in milliseconds. The real one is the steady clock;
// tests may keep virtual time that their pauses and receives advance.
using Clock = std::function<int64_t()>;
Clock RealClock();

// The exchanges rest on the time-outs of the panel link (1 ms each): a
// receive of up to k characters then gives up k + 1 ms after it started
// when nothing comes, so the count of a receive also sets how long it waits.
class Exchanges {
 public:
  Exchanges(SerialLine& port, ExchangeHost& host, Pause pause = RealPause(),
            Clock clock = RealClock());

  // Shared state of the exchanges and their callers.
  std::string RequestText;     // body before ReadExchange, frame before WriteExchange
  std::string ReplyText;       // what the last attempt collected
  int32_t ExchangeFailed = 0;  // -1 after a reported failure
  int32_t QuietFailure = 0;    // non-zero: a failing ReadExchange stays silent
  // A line added under the failure message when not empty: what the caller
  // knows about the state a failure leaves (a write broken off half way).
  std::string FailureNote;

  // RequestText = ":" + RequestText + FrameChecksum(RequestText) + ";".
  void FrameRequest();
  // Frames RequestText, up to 5 attempts collecting up to 400 characters.
  // A reply counts when it ends with ";" and, if given, `whole` accepts it
  // (a read passes WholeReadReply with the number of bytes it asks for).
  void ReadExchange(const ReplyCheck& whole = {});
  // Sends RequestText as it stands, up to 5 attempts collecting up to 40.
  void WriteExchange();

  // Every frame sent and every reply collected from now on is reported to
  // sink, in order; nullptr (the default) traces nothing. The sink must
  // outlive the exchanges or be unset first.
  void SetTrace(TraceSink* sink) { trace_ = sink; }

  static constexpr int kAttempts = 5;
  static constexpr int kPauseMs = 100;
  static constexpr int32_t kReadReplyLimit = 400;
  static constexpr int32_t kWriteReplyLimit = 40;
  // Once bytes have come, the wait for the next ones: a receive of this
  // many characters waits 25 ms for its first, longer than the 16 ms an
  // adapter may hold a chunk back.
  static constexpr int32_t kTrickleWaitChars = 24;
  // Collecting one attempt's reply ends this long after it began at the
  // latest, however slowly the bytes keep coming.
  static constexpr int64_t kCollectLimitMs = 1000;

 private:
  // Up to kAttempts of send, pause, collect; true when an attempt collected
  // a whole reply (the progress bar has then moved one step). `quiet` only
  // names the last failure in the trace.
  bool RunAttempts(int32_t reply_limit, const ReplyCheck& whole, bool quiet);
  // Before a frame goes out: waits for the replies still owed to another
  // frame and discards whatever input is waiting, unless it may be the
  // answer to this very frame.
  void PrepareLine();
  void DrainOwedReplies();
  void DiscardWaitingInput();
  // One attempt's receive: true when ReplyText holds a whole reply.
  bool CollectReply(int32_t reply_limit, const ReplyCheck& whole);
  // Keeps only the reply that starts at `start`; what stood before it is
  // traced as discarded.
  void KeepReplyFrom(std::size_t start);
  void TraceChecksumMismatch();
  // SendText and ReceiveText, each reported to the trace; a port error
  // closes the port first, so a line that went away is let go at once.
  void SendTraced();
  int32_t ReceiveTraced(std::string& text, int32_t count);
  void CloseAfterPortError();
  // Closes the port, shows the message, empties the bar, sets -1.
  void ReportFailure(const char* message);

  SerialLine& port_;
  ExchangeHost& host_;
  Pause pause_;
  Clock clock_;
  TraceSink* trace_ = nullptr;
  UnansweredRequests unanswered_;
};

// The five-line failure messages, lines joined by CR LF.
extern const char* const kReadFailureMessage;
extern const char* const kWriteFailureMessage;

}  // namespace tevral::link
