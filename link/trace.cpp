#include "link/trace.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <stdexcept>
#include <utility>

#include "link/hex_digits.h"
#include "link/utf8_path.h"

namespace tevral::link {

namespace {

bool PrintedAsIs(unsigned char byte) {
  return byte >= 0x20 && byte <= 0x7E && byte != '"' && byte != '\\';
}

// Error messages are ours (UTF-8 text); only line ends would break a line.
std::string OneLine(std::string_view text) {
  std::string line(text);
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return line;
}

std::tm LocalTime(std::time_t seconds) {
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &seconds);
#else
  localtime_r(&seconds, &local);
#endif
  return local;
}

}  // namespace

std::string_view ReplyOutcomeText(ReplyOutcome outcome) {
  switch (outcome) {
    case ReplyOutcome::kAnswered:
      return "answered";
    case ReplyOutcome::kRetrying:
      return "retrying";
    case ReplyOutcome::kFailed:
      return "failed";
    case ReplyOutcome::kFailedQuietly:
      return "failed quietly";
  }
  return "?";
}

std::string QuotedTraceText(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (PrintedAsIs(byte)) {
      quoted += c;
    } else {
      quoted += "\\x";
      quoted += HexPair(byte);
    }
  }
  quoted += '"';
  return quoted;
}

std::string TraceTimestamp() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t seconds = system_clock::to_time_t(now);
  const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
  const std::tm local = LocalTime(seconds);
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", local.tm_year + 1900,
                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                static_cast<int>(millis));
  return text;
}

FileTrace::FileTrace(const std::filesystem::path& path, std::function<std::string()> port_name)
    : path_(path), file_(path, std::ios::binary | std::ios::app), port_name_(std::move(port_name)) {
  if (!file_) throw std::runtime_error("Неможливо відкрити файл трасування " + PathToUtf8(path));
}

void FileTrace::FrameSent(std::string_view frame, int32_t written) {
  std::string note = "sent";
  if (written < 0 || static_cast<size_t>(written) < frame.size()) {
    note = "sent " + std::to_string(written) + " of " + std::to_string(frame.size()) + " bytes";
  }
  WriteLine("->", QuotedTraceText(frame), note);
}

void FileTrace::FrameFailed(std::string_view frame, std::string_view error) {
  WriteLine("->", QuotedTraceText(frame), "not sent: " + OneLine(error));
}

void FileTrace::ReplyReceived(std::string_view reply, ReplyOutcome outcome) {
  WriteLine("<-", QuotedTraceText(reply), ReplyOutcomeText(outcome));
}

void FileTrace::ReplyFailed(std::string_view error) {
  WriteLine("<-", QuotedTraceText(""), "port error: " + OneLine(error));
}

void FileTrace::InputDiscarded(std::string_view input) {
  WriteLine("<-", QuotedTraceText(input), "discarded");
}

void FileTrace::ReplyChecksumMismatch(std::string_view reply, std::string_view expected) {
  const std::string_view carried = reply.size() >= 3 ? reply.substr(reply.size() - 3, 2) : "";
  WriteLine("<-", QuotedTraceText(reply),
            "checksum " + std::string(carried) + ", its text sums to " + std::string(expected));
}

void FileTrace::WriteLine(std::string_view direction, std::string_view quoted,
                          std::string_view note) {
  const std::string port = port_name_ ? OneLine(port_name_()) : std::string();
  std::string line = TraceTimestamp();
  line += ' ';
  line += port.empty() ? std::string("-") : port;
  line += ' ';
  line += direction;
  line += ' ';
  line += quoted;
  line += ' ';
  line += note;
  line += '\n';
  std::lock_guard lock(mutex_);
  file_ << line << std::flush;
  if (file_) {
    failing_ = false;
    return;
  }
  // The stream stays usable for the next line; only the first line of a
  // run of failures is reported.
  file_.clear();
  if (!failing_) {
    failure_ = "Неможливо записати файл трасування " + PathToUtf8(path_) +
               ": диск заповнений або файл недоступний, у трасуванні пропущено рядки";
  }
  failing_ = true;
}

std::optional<std::string> FileTrace::TakeFailure() {
  std::lock_guard lock(mutex_);
  return std::exchange(failure_, std::nullopt);
}

}  // namespace tevral::link
