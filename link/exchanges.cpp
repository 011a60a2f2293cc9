#include "link/exchanges.h"

#include <chrono>
#include <exception>
#include <thread>
#include <utility>

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

// The panel ends every reply with ";". Nothing else about a reply is judged
// here: its own checksum and its header are the callers' business.
bool IsCompleteReply(const std::string& reply) {
  return !reply.empty() && reply.back() == ';';
}

ReplyOutcome AttemptOutcome(bool complete, int attempt, bool quiet) {
  if (complete) return ReplyOutcome::kAnswered;
  if (attempt < Exchanges::kAttempts) return ReplyOutcome::kRetrying;
  return quiet ? ReplyOutcome::kFailedQuietly : ReplyOutcome::kFailed;
}

}  // namespace

std::string FrameChecksum(std::string_view text) {
  unsigned sum = 0;
  for (const char c : text) {
    if (c == ':' || c == ';') continue;
    sum += static_cast<unsigned char>(c);
  }
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  const unsigned low = sum & 0xFFu;
  return {kHexDigits[low >> 4], kHexDigits[low & 0x0Fu]};
}

Pause RealPause() {
  return [](int milliseconds) {
    if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  };
}

Exchanges::Exchanges(SerialLine& port, ExchangeHost& host, Pause pause)
    : port_(port), host_(host), pause_(std::move(pause)) {}

void Exchanges::FrameRequest() {
  const std::string checksum = FrameChecksum(RequestText);
  RequestText = ":" + RequestText + checksum + ";";
}

void Exchanges::ReadExchange() {
  ExchangeFailed = 0;
  FrameRequest();  // once: every attempt sends this same frame
  const bool answered = RunAttempts(kReadReplyLimit, QuietFailure != 0);
  // The identification probe asks quietly: its caller judges ReplyText alone
  // and the port must stay open for the requests that follow.
  if (QuietFailure != 0) return;
  if (!answered) ReportFailure(kReadFailureMessage);
}

void Exchanges::WriteExchange() {
  ExchangeFailed = 0;
  ReplyText.clear();
  if (!RunAttempts(kWriteReplyLimit, false)) ReportFailure(kWriteFailureMessage);
}

bool Exchanges::RunAttempts(int32_t reply_limit, bool quiet) {
  for (int attempt = 1; attempt <= kAttempts; ++attempt) {
    ReplyText.clear();
    SendTraced();
    // The panel needs time to answer; the receive then takes what has come
    // by now plus whatever follows without a gap.
    pause_(kPauseMs);
    ReceiveTraced(reply_limit);
    const bool complete = IsCompleteReply(ReplyText);
    if (trace_) trace_->ReplyReceived(ReplyText, AttemptOutcome(complete, attempt, quiet));
    if (complete) {
      host_.StepProgress();
      return true;
    }
    // Input is deliberately not flushed here: what arrives late is the start
    // of what the next receive returns.
    pause_(kPauseMs);
  }
  return false;
}

void Exchanges::SendTraced() {
  if (!trace_) {
    port_.SendText(RequestText);
    return;
  }
  int32_t written = 0;
  try {
    written = port_.SendText(RequestText);
  } catch (const std::exception& error) {
    trace_->FrameFailed(RequestText, error.what());
    throw;
  }
  trace_->FrameSent(RequestText, written);
}

void Exchanges::ReceiveTraced(int32_t reply_limit) {
  if (!trace_) {
    port_.ReceiveText(ReplyText, reply_limit);
    return;
  }
  try {
    port_.ReceiveText(ReplyText, reply_limit);
  } catch (const std::exception& error) {
    trace_->ReplyFailed(error.what());
    throw;
  }
}

void Exchanges::ReportFailure(const char* message) {
  port_.Close();
  host_.ShowMessage(FailureNote.empty() ? std::string(message)
                                        : std::string(message) + "\r\n" + FailureNote);
  host_.ResetProgress();
  ExchangeFailed = -1;
}

}  // namespace tevral::link
