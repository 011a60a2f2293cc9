#pragma once
// Frames and the two request/reply exchanges with the panel.
//
// A request is ":" + body + two-digit checksum + ";". The panel answers each
// request with a reply that ends with ";". An exchange makes up to five
// attempts: send, pause 100 ms, collect, judge the reply by its last
// character alone. A failed exchange closes the port, shows its five-line
// message and empties the progress bar, unless it is a quiet read probe.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "link/exchange_host.h"
#include "link/serial_line.h"
#include "link/trace.h"

namespace tevral::link {

// Two uppercase hexadecimal digits: the low byte of the sum of the byte
// codes of text, leaving out every ":" and ";".
std::string FrameChecksum(std::string_view text);

// The pauses between the steps of an attempt. The real one sleeps; tests
// may count the milliseconds instead.
using Pause = std::function<void(int milliseconds)>;
Pause RealPause();

class Exchanges {
 public:
  Exchanges(SerialLine& port, ExchangeHost& host, Pause pause = RealPause());

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
  void ReadExchange();
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

 private:
  // Up to kAttempts of send, pause, receive; true when an attempt's reply
  // ended with ";" (the progress bar has then moved one step). `quiet` only
  // names the last failure in the trace.
  bool RunAttempts(int32_t reply_limit, bool quiet);
  // SendText and ReceiveText, each reported to the trace.
  void SendTraced();
  void ReceiveTraced(int32_t reply_limit);
  // Closes the port, shows the message, empties the bar, sets -1.
  void ReportFailure(const char* message);

  SerialLine& port_;
  ExchangeHost& host_;
  Pause pause_;
  TraceSink* trace_ = nullptr;
};

// The five-line failure messages, lines joined by CR LF.
extern const char* const kReadFailureMessage;
extern const char* const kWriteFailureMessage;

}  // namespace tevral::link
