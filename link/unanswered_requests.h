#pragma once
// Requests the panel may still answer.
//
// An exchange that needed more than one attempt sent its frame several
// times; a slow panel answers each of them, and the exchange took only one
// of those replies. The others are still on their way and must not be taken
// for the answer to a later request: write acknowledgements of one bank all
// look alike, and reads of the same length do too. So before a different
// frame goes out, the line is drained until every reply still owed has come
// or until it can no longer come.
//
// How late can it come? A reply that was taken arrived at most
// (taken - first send) after the request it answers. A panel that is that
// slow answers the last send of the frame by (last send + that delay). When
// no reply was taken but something came, the time the exchange waited
// stands in for the delay; when nothing came at all, the panel is taken as
// not answering the frame. A margin covers a panel whose delay varies a
// little.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tevral::link {

class UnansweredRequests {
 public:
  static constexpr int64_t kMarginMs = 250;

  // `frame` went out at `now_ms`. A different frame than before starts a
  // new account (the caller has drained what the old one owed).
  void Sent(std::string_view frame, int64_t now_ms) {
    if (frame != frame_) {
      frame_ = std::string(frame);
      owed_ = 0;
      first_sent_ms_ = now_ms;
    }
    ++owed_;
    last_sent_ms_ = now_ms;
  }
  // The exchange took a reply to the frame at `now_ms`.
  void Answered(int64_t now_ms) {
    if (owed_ > 0) --owed_;
    settled_ms_ = now_ms;
  }
  // The exchange gave up waiting at `now_ms`.
  void GaveUp(int64_t now_ms) { settled_ms_ = now_ms; }
  // Replies that came while draining.
  void Arrived(std::size_t replies) { owed_ = replies >= owed_ ? 0 : owed_ - replies; }
  // Nothing more is expected (the line was drained, or the port closed).
  void Forget() {
    frame_.clear();
    owed_ = 0;
  }

  std::size_t Owed() const { return owed_; }
  bool OwedFor(std::string_view frame) const { return owed_ > 0 && frame == frame_; }
  // When the last reply still owed has arrived at the latest.
  int64_t DeadlineMs() const { return last_sent_ms_ + (settled_ms_ - first_sent_ms_) + kMarginMs; }

 private:
  std::string frame_;
  std::size_t owed_ = 0;
  int64_t first_sent_ms_ = 0;
  int64_t last_sent_ms_ = 0;
  int64_t settled_ms_ = 0;
};

}  // namespace tevral::link
