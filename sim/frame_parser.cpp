#include "sim/frame_parser.h"

#include "link/exchanges.h"

namespace tevral::sim {

std::vector<std::string> FrameParser::Feed(std::string_view bytes) {
  std::vector<std::string> frames;
  for (const char c : bytes) {
    if (c == ':') {
      in_frame_ = true;
      current_.assign(1, c);
      continue;
    }
    if (!in_frame_) continue;
    current_.push_back(c);
    if (c == ';') {
      frames.push_back(std::move(current_));
      current_.clear();
      in_frame_ = false;
    } else if (current_.size() >= max_frame_) {
      current_.clear();
      in_frame_ = false;
    }
  }
  return frames;
}

Frame SplitFrame(std::string_view frame) {
  // ":" + at least the two checksum characters + ";"
  if (frame.size() < 4 || frame.front() != ':' || frame.back() != ';') return {};
  Frame parts;
  parts.body = std::string(frame.substr(1, frame.size() - 4));
  parts.checksum_ok = frame.substr(frame.size() - 3, 2) == link::FrameChecksum(parts.body);
  return parts;
}

}  // namespace tevral::sim
