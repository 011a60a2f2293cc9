#pragma once
// The panel's side of framing: picks request frames out of the byte stream
// from the configurator.
//
// Bytes may arrive in any pieces, and noise may come between frames. A ":"
// always starts a new frame, even inside an unfinished one: the panel
// resynchronises on it, so a request cut short by a write time-out does not
// swallow the resent one that follows. Bytes outside a frame are dropped. A
// frame that grows past the bound is dropped whole, so noise without a ";"
// cannot grow the buffer.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tevral::sim {

class FrameParser {
 public:
  // The longest request the configurator builds is a write of 48 bytes,
  // about 110 characters; 1024 leaves room for anything plausible.
  static constexpr size_t kDefaultMaxFrame = 1024;

  explicit FrameParser(size_t max_frame = kDefaultMaxFrame) : max_frame_(max_frame) {}

  // Feeds the next received bytes; returns every frame completed by them,
  // each from its ":" to its ";" inclusive, in order.
  std::vector<std::string> Feed(std::string_view bytes);

  // True while a frame has been started but not ended.
  bool InFrame() const { return in_frame_; }

 private:
  size_t max_frame_;
  bool in_frame_ = false;
  std::string current_;
};

// A complete frame split into its parts: ":" + body + checksum pair + ";".
struct Frame {
  std::string body;
  bool checksum_ok = false;
};

// Checks a frame from FrameParser against the request checksum rule. A frame
// too short to hold a checksum pair has an empty body and a bad checksum.
Frame SplitFrame(std::string_view frame);

}  // namespace tevral::sim
