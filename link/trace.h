#pragma once
// A frame trace for support: what went over the line, so a failure at a
// customer's site can be read afterwards. The exchanges report each frame
// they send and each reply an attempt collects, in the order it happens;
// a sink decides where that goes. Nothing is traced unless a sink is set.
//
// FileTrace appends one line per frame and one per reply to a text file:
//
//   2024-05-12 10:42:07.123 /dev/ttyUSB0 -> ":0039CC;" sent
//   2024-05-12 10:42:07.231 /dev/ttyUSB0 <- ":000039010301120524104207AD;" answered
//   2024-05-12 10:42:07.432 /dev/ttyUSB0 <- "" retrying
//   2024-05-12 10:42:07.950 /dev/ttyUSB0 <- ":0002C2;" discarded
//   2024-05-12 10:42:08.231 /dev/ttyUSB0 <- ":0001011077;" checksum 77, its text sums to 83
//
// The reply's outcome is the exchange's: "answered" (the exchange
// succeeded), "retrying" (another attempt follows), "failed" (the last
// attempt, the failure is reported), "failed quietly" (the last attempt of
// a quiet probe). Input that was not taken for an answer is "discarded";
// a taken reply whose checksum does not match gets a line of its own.
// Frames and replies are quoted, and every byte outside
// printable ASCII, the quote and the backslash is written as \xNN, so a
// panel sending line ends or binary noise cannot break the one-line rule.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace tevral::link {

enum class ReplyOutcome {
  kAnswered,       // ended with ";": the exchange succeeded
  kRetrying,       // incomplete; another attempt follows
  kFailed,         // incomplete after the last attempt; the failure is reported
  kFailedQuietly,  // incomplete after the last attempt of a quiet probe
};

std::string_view ReplyOutcomeText(ReplyOutcome outcome);

class TraceSink {
 public:
  virtual ~TraceSink() = default;
  // A frame went out; `written` is short only when the write time-out cut it.
  virtual void FrameSent(std::string_view frame, int32_t written) = 0;
  // The port raised `error` while sending the frame.
  virtual void FrameFailed(std::string_view frame, std::string_view error) = 0;
  // What one attempt collected (possibly nothing) and what became of it.
  virtual void ReplyReceived(std::string_view reply, ReplyOutcome outcome) = 0;
  // The port raised `error` while receiving.
  virtual void ReplyFailed(std::string_view error) = 0;
  // Input that was not taken as an answer: leftovers discarded before a
  // frame went out, late replies drained, noise before a reply.
  virtual void InputDiscarded(std::string_view /*input*/) {}
  // A reply that was taken carries another checksum than its text sums to.
  virtual void ReplyChecksumMismatch(std::string_view /*reply*/, std::string_view /*expected*/) {}
  // A sink that could not keep its record (a full disk, a file gone) says
  // so here, once: the message the first time it is asked after the
  // failure, nothing after that until it fails again. A trace never stops
  // the exchanges, so whoever ran them asks when they are done and tells
  // the user that the trace has a gap.
  virtual std::optional<std::string> TakeFailure() { return std::nullopt; }
};

// text between double quotes, with \xNN for every byte that is not
// printable ASCII and for the quote and the backslash themselves.
std::string QuotedTraceText(std::string_view text);

// The local time with milliseconds: "2024-05-12 10:42:07.123".
std::string TraceTimestamp();

class FileTrace : public TraceSink {
 public:
  // Opens `path` for appending (created when missing). `port_name` gives the
  // port each line names, asked at the time of the line. Throws
  // std::runtime_error naming the file when it cannot be opened.
  FileTrace(const std::filesystem::path& path, std::function<std::string()> port_name);

  void FrameSent(std::string_view frame, int32_t written) override;
  void FrameFailed(std::string_view frame, std::string_view error) override;
  void ReplyReceived(std::string_view reply, ReplyOutcome outcome) override;
  void ReplyFailed(std::string_view error) override;
  void InputDiscarded(std::string_view input) override;
  void ReplyChecksumMismatch(std::string_view reply, std::string_view expected) override;
  // "Неможливо записати файл трасування PATH..." after a line could not be
  // written. Later lines are still tried (the disk may have room again),
  // but a run of failures is reported once.
  std::optional<std::string> TakeFailure() override;

 private:
  // Writes one line and flushes it: a trace is read after something went
  // wrong, possibly after the program itself was killed.
  void WriteLine(std::string_view direction, std::string_view quoted, std::string_view note);

  std::mutex mutex_;
  std::filesystem::path path_;
  std::ofstream file_;
  std::function<std::string()> port_name_;
  bool failing_ = false;                // the last line could not be written
  std::optional<std::string> failure_;  // not yet taken by TakeFailure
};

}  // namespace tevral::link
