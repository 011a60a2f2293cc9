// The simulated panel's side of the line: whatever bytes arrive, in
// whatever pieces, the frame parser hands out the same frames, each from
// one ":" to the next ";" with no ":" inside and never longer than its
// bound, and the panel answers a frame with a closed reply or not at all.
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_targets.h"
#include "link/exchanges.h"
#include "sim/frame_parser.h"
#include "sim/panel_memory.h"
#include "sim/panel_protocol.h"

namespace tevral::fuzz {
namespace {

// A small bound so that the fuzzer reaches the dropping of long frames.
constexpr size_t kSmallBound = 64;

std::vector<std::string> FeedWhole(std::string_view stream, size_t bound) {
  sim::FrameParser parser(bound);
  return parser.Feed(stream);
}

// The same stream cut into pieces whose lengths come from `cuts`.
std::vector<std::string> FeedInPieces(std::string_view stream, std::string_view cuts,
                                      size_t bound) {
  sim::FrameParser parser(bound);
  std::vector<std::string> frames;
  size_t cut = 0;
  while (!stream.empty()) {
    const size_t length = cut < cuts.size() ? static_cast<uint8_t>(cuts[cut++]) % 17 : 16;
    const std::string_view piece = stream.substr(0, length);
    stream.remove_prefix(piece.size());
    for (std::string& frame : parser.Feed(piece)) frames.push_back(std::move(frame));
  }
  return frames;
}

void CheckFrameShape(const std::string& frame, size_t bound) {
  Expect(frame.size() >= 2 && frame.front() == ':' && frame.back() == ';',
         "a frame runs from \":\" to \";\"");
  Expect(frame.find(':', 1) == std::string::npos, "a frame holds no second \":\"");
  Expect(frame.find(';') == frame.size() - 1, "a frame ends at its first \";\"");
  Expect(frame.size() <= bound, "a frame is never longer than the bound");
}

void CheckAnswer(const std::string& frame, sim::PanelMemory& memory) {
  const sim::Frame parts = sim::SplitFrame(frame);
  if (!parts.checksum_ok) return;
  const auto reply = sim::AnswerRequest(parts.body, memory, sim::PanelIdentity{});
  if (!reply) return;
  Expect(reply->size() >= 4 && reply->front() == ':' && reply->back() == ';',
         "a reply is closed by \";\"");
  const std::string text = reply->substr(1, reply->size() - 4);
  Expect(reply->substr(reply->size() - 3, 2) == link::FrameChecksum(text),
         "a reply carries the checksum of its text");
}

}  // namespace

int FuzzPanelFrameParser(const uint8_t* data, size_t size) {
  InputReader input(data, size);
  const std::string_view cuts = input.TakeSized();
  const std::string_view stream = input.Rest();
  for (const size_t bound : {sim::FrameParser::kDefaultMaxFrame, kSmallBound}) {
    const auto whole = FeedWhole(stream, bound);
    Expect(whole == FeedInPieces(stream, cuts, bound),
           "the frames do not depend on how the bytes are cut");
    for (const std::string& frame : whole) CheckFrameShape(frame, bound);
  }
  sim::PanelMemory memory;
  for (const std::string& frame : FeedWhole(stream, sim::FrameParser::kDefaultMaxFrame)) {
    CheckAnswer(frame, memory);
  }
  return 0;
}

}  // namespace tevral::fuzz
