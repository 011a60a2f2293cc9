#pragma once
// In-process stand-ins for the port and the window, so the exchanges' many
// five-attempt paths run in virtual time. Both write into one shared trace,
// which shows the order of sends, pauses, receives, closes and messages.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "link/com_errors.h"
#include "link/exchange_host.h"
#include "link/exchanges.h"
#include "link/serial_line.h"

namespace tevral::link::testing {

using Trace = std::vector<std::string>;

// A pause that only records itself and adds to a virtual clock, which the
// exchanges also read the time from.
struct VirtualClock {
  explicit VirtualClock(Trace& trace) : trace(trace) {}
  Trace& trace;
  int elapsed_ms = 0;
  Pause AsPause() {
    return [this](int ms) {
      trace.push_back("pause " + std::to_string(ms));
      elapsed_ms += ms;
    };
  }
  Clock AsClock() {
    return [this] { return int64_t{elapsed_ms}; };
  }
};

// A port whose far end answers each sent text with the next scripted reply
// (an empty one: silence). Received bytes queue up exactly as in a driver:
// a receive takes at most count of them and leaves the rest for later.
// With a virtual clock, a panel may answer reply_delay_ms after each send,
// and a receive with nothing there waits (count + 1 ms) for what comes.
class ScriptedLine : public SerialLine {
 public:
  explicit ScriptedLine(Trace& trace, VirtualClock* clock = nullptr)
      : trace_(trace), clock_(clock) {}

  std::deque<std::string> replies;           // one per SendText, consumed in order
  std::string answer_when_out;               // used once the script has run out
  std::optional<std::string> send_error;     // thrown by SendText when set
  std::optional<std::string> receive_error;  // thrown by ReceiveText when set
  bool open = true;
  std::vector<std::string> sent;
  std::string queued;      // arrived, not yet received
  int reply_delay_ms = 0;  // needs the clock when above 0

  struct Arrival {
    int at_ms;
    std::string text;
  };
  std::deque<Arrival> on_the_way;  // in order of arrival

  int32_t SendText(const std::string& text) override {
    if (send_error) throw EComPort(*send_error);
    trace_.push_back("send " + text);
    sent.push_back(text);
    std::string reply = answer_when_out;
    if (!replies.empty()) {
      reply = replies.front();
      replies.pop_front();
    }
    if (reply_delay_ms > 0 && clock_) {
      if (!reply.empty()) on_the_way.push_back({clock_->elapsed_ms + reply_delay_ms, reply});
    } else {
      queued += reply;
    }
    return static_cast<int32_t>(text.size());
  }

  int32_t ReceiveText(std::string& text, int32_t count) override {
    if (receive_error) throw EComPort(*receive_error);
    trace_.push_back("receive " + std::to_string(count));
    Deliver();
    if (queued.empty() && clock_) {
      // With nothing there, a receive of count waits count + 1 ms for it.
      const int limit = clock_->elapsed_ms + count + 1;
      if (!on_the_way.empty() && on_the_way.front().at_ms <= limit) {
        clock_->elapsed_ms = on_the_way.front().at_ms + 1;
      } else {
        clock_->elapsed_ms = limit;
      }
      Deliver();
    }
    const size_t taken = std::min(queued.size(), static_cast<size_t>(count < 0 ? 0 : count));
    text = queued.substr(0, taken);
    queued.erase(0, taken);
    return static_cast<int32_t>(taken);
  }

  int32_t QueuedInputCount() override {
    Deliver();
    return static_cast<int32_t>(queued.size());
  }

  bool Close() override {
    trace_.push_back("close");
    open = false;
    return true;
  }

 private:
  void Deliver() {
    while (clock_ && !on_the_way.empty() && on_the_way.front().at_ms <= clock_->elapsed_ms) {
      queued += on_the_way.front().text;
      on_the_way.pop_front();
    }
  }

  Trace& trace_;
  VirtualClock* clock_;
};

// The window's side: a progress bar that stops at its maximum, as the real
// one does, and message boxes that are dismissed at once.
class RecordingHost : public ExchangeHost {
 public:
  explicit RecordingHost(Trace& trace, int maximum = 10) : maximum(maximum), trace_(trace) {}

  int maximum;
  int position = 0;
  std::vector<std::string> messages;

  void StepProgress() override {
    if (position < maximum) ++position;
  }
  void ResetProgress() override {
    trace_.push_back("reset bar");
    position = 0;
  }
  void ShowMessage(const std::string& text) override {
    trace_.push_back("message");
    messages.push_back(text);
  }

 private:
  Trace& trace_;
};

}  // namespace tevral::link::testing
