#include "link/exchanges.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <thread>
#include <utility>

#include "link/com_errors.h"
#include "link/hex_digits.h"

namespace tevral::link {

const char* const kReadFailureMessage =
    "Помилка читання !\r\n"
    "Необхідно перевірити:\r\n"
    "- включення живлення приладу;\r\n"
    "- кабель \"USB-адаптер\";\r\n"
    "- ввід 28-ї функції.";

const char* const kWriteFailureMessage =
    "Помилка запису !\r\n"
    "Необхідно перевірити:\r\n"
    "- включення живлення приладу;\r\n"
    "- кабель \"USB-адаптер\";\r\n"
    "- ввід 28-ї функції.";

namespace {

ReplyOutcome AttemptOutcome(bool complete, int attempt, bool quiet) {
  if (complete) return ReplyOutcome::kAnswered;
  if (attempt < Exchanges::kAttempts) return ReplyOutcome::kRetrying;
  return quiet ? ReplyOutcome::kFailedQuietly : ReplyOutcome::kFailed;
}

// A drain reads in windows of this many characters: each waits at most
// that many milliseconds plus one for something to come.
constexpr int32_t kDrainWindowChars = 400;

}  // namespace

std::string FrameChecksum(std::string_view text) {
  unsigned sum = 0;
  for (const char c : text) {
    if (c == ':' || c == ';') continue;
    sum += static_cast<unsigned char>(c);
  }
  return HexPair(static_cast<std::uint8_t>(sum & 0xFFu));
}

Pause RealPause() {
  return [](int milliseconds) {
    if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  };
}

Clock RealClock() {
  return [] {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  };
}

Exchanges::Exchanges(SerialLine& port, ExchangeHost& host, Pause pause, Clock clock)
    : port_(port), host_(host), pause_(std::move(pause)), clock_(std::move(clock)) {}

void Exchanges::FrameRequest() {
  const std::string checksum = FrameChecksum(RequestText);
  RequestText = ":" + RequestText + checksum + ";";
}

void Exchanges::ReadExchange(const ReplyCheck& whole) {
  ExchangeFailed = 0;
  FrameRequest();  // once: every attempt sends this same frame
  const bool answered = RunAttempts(kReadReplyLimit, whole, QuietFailure != 0);
  // The identification probe asks quietly: its caller judges ReplyText alone
  // and the port must stay open for the requests that follow.
  if (QuietFailure != 0) return;
  if (!answered) ReportFailure(kReadFailureMessage);
}

void Exchanges::WriteExchange() {
  ExchangeFailed = 0;
  ReplyText.clear();
  // What a panel acknowledges a write with is not fixed beyond its final
  // ";", so only that is judged; the draining of owed replies is what keeps
  // an earlier frame's acknowledgement from being taken for this one's.
  if (!RunAttempts(kWriteReplyLimit, {}, false)) ReportFailure(kWriteFailureMessage);
}

bool Exchanges::RunAttempts(int32_t reply_limit, const ReplyCheck& whole, bool quiet) {
  PrepareLine();
  bool heard = false;
  for (int attempt = 1; attempt <= kAttempts; ++attempt) {
    ReplyText.clear();
    SendTraced();
    unanswered_.Sent(RequestText, clock_());
    // The panel needs time to answer; collecting then takes what has come
    // by now and whatever follows while the bytes keep coming.
    pause_(kPauseMs);
    const bool complete = CollectReply(reply_limit, whole);
    heard = heard || !ReplyText.empty();
    if (trace_) trace_->ReplyReceived(ReplyText, AttemptOutcome(complete, attempt, quiet));
    if (complete) {
      unanswered_.Answered(clock_());
      TraceChecksumMismatch();
      host_.StepProgress();
      return true;
    }
    // Input is not discarded between attempts: they all send the same
    // frame, so a reply that comes late answers this request as well.
    pause_(kPauseMs);
  }
  // A panel that sent nothing at all while the attempts ran (about three
  // seconds) does not answer this request; waiting for its replies before
  // the next frame would only cost an older panel, one that does not know
  // the identification request, that long again at every read and write.
  if (heard) {
    unanswered_.GaveUp(clock_());
  } else {
    unanswered_.Forget();
  }
  return false;
}

void Exchanges::PrepareLine() {
  if (unanswered_.OwedFor(RequestText)) return;  // what comes may be its answer
  if (unanswered_.Owed() > 0) DrainOwedReplies();
  unanswered_.Forget();
  DiscardWaitingInput();
}

void Exchanges::DrainOwedReplies() {
  const int64_t deadline = unanswered_.DeadlineMs();
  std::string input;
  for (int64_t now = clock_(); unanswered_.Owed() > 0 && now < deadline; now = clock_()) {
    const auto window = static_cast<int32_t>(std::min<int64_t>(kDrainWindowChars, deadline - now));
    std::string piece;
    ReceiveTraced(piece, window);
    unanswered_.Arrived(RepliesEndedIn(piece));
    input += piece;
  }
  if (trace_ && !input.empty()) trace_->InputDiscarded(input);
}

void Exchanges::DiscardWaitingInput() {
  int32_t waiting = 0;
  try {
    waiting = port_.QueuedInputCount();
  } catch (const EComPort&) {
    // A line that has gone away cannot say what it holds; the send that
    // follows fails with the message that names what went wrong.
    return;
  }
  if (waiting <= 0) return;
  std::string input;
  ReceiveTraced(input, waiting);  // all there already: returns at once
  if (trace_ && !input.empty()) trace_->InputDiscarded(input);
}

bool Exchanges::CollectReply(int32_t reply_limit, const ReplyCheck& whole) {
  const int64_t started = clock_();
  // The first receive is the one the exchange always made: a reply that
  // is there by now costs 1 ms, a silent line reply_limit + 1 ms.
  ReceiveTraced(ReplyText, reply_limit);
  for (;;) {
    if (const auto start = FindWholeReply(ReplyText, whole)) {
      KeepReplyFrom(*start);
      return true;
    }
    const auto room = static_cast<int32_t>(reply_limit - static_cast<int32_t>(ReplyText.size()));
    if (ReplyText.empty() || room <= 0 || clock_() - started >= kCollectLimitMs) return false;
    std::string more;
    if (ReceiveTraced(more, std::min(kTrickleWaitChars, room)) == 0) return false;  // quiet again
    ReplyText += more;
  }
}

void Exchanges::KeepReplyFrom(std::size_t start) {
  if (start == 0) return;
  if (trace_) trace_->InputDiscarded(std::string_view(ReplyText).substr(0, start));
  ReplyText.erase(0, start);
}

void Exchanges::TraceChecksumMismatch() {
  if (!trace_) return;
  const auto checksum = ReplyChecksumOf(ReplyText);
  if (checksum && checksum->carried != checksum->expected) {
    trace_->ReplyChecksumMismatch(ReplyText, checksum->expected);
  }
}

void Exchanges::SendTraced() {
  int32_t written = 0;
  try {
    written = port_.SendText(RequestText);
  } catch (const std::exception& error) {
    if (trace_) trace_->FrameFailed(RequestText, error.what());
    CloseAfterPortError();
    throw;
  }
  if (trace_) trace_->FrameSent(RequestText, written);
}

int32_t Exchanges::ReceiveTraced(std::string& text, int32_t count) {
  try {
    return port_.ReceiveText(text, count);
  } catch (const std::exception& error) {
    if (trace_) trace_->ReplyFailed(error.what());
    CloseAfterPortError();
    throw;
  }
}

// A port that refuses a read or a write has usually gone away (a cable
// pulled out). Closing it at once releases the device, so the engineer can
// plug the cable back in and read again; the error itself still reaches
// the caller. Close releases the device even when its own steps fail, and
// that failure would only hide the error that matters.
void Exchanges::CloseAfterPortError() {
  unanswered_.Forget();
  try {
    port_.Close();
  } catch (const std::exception&) {
  }
}

void Exchanges::ReportFailure(const char* message) {
  port_.Close();
  unanswered_.Forget();
  host_.ShowMessage(FailureNote.empty() ? std::string(message)
                                        : std::string(message) + "\r\n" + FailureNote);
  host_.ResetProgress();
  ExchangeFailed = -1;
}

}  // namespace tevral::link
