// The frame the configurator puts on the line and what the panel's side
// makes of it: the checksum is two uppercase hexadecimal digits that ignore
// ":" and ";", framing wraps the body exactly once per call, and a body
// free of ":" and ";" comes out of the panel's frame parser whole, with a
// checksum that checks.
#include <string>

#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_targets.h"
#include "link/exchanges.h"
#include "sim/frame_parser.h"

namespace tevral::fuzz {
namespace {

class NoLine : public link::SerialLine {
 public:
  int32_t SendText(const std::string& text) override { return static_cast<int32_t>(text.size()); }
  int32_t ReceiveText(std::string& text, int32_t) override {
    text.clear();
    return 0;
  }
  int32_t QueuedInputCount() override { return 0; }
  bool Close() override { return true; }
};

class NoHost : public link::ExchangeHost {
 public:
  void StepProgress() override {}
  void ResetProgress() override {}
  void ShowMessage(const std::string&) override {}
};

bool IsUpperHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

std::string WithoutDelimiters(std::string_view text) {
  std::string kept;
  for (const char c : text) {
    if (c != ':' && c != ';') kept += c;
  }
  return kept;
}

void CheckChecksum(std::string_view text) {
  const std::string checksum = link::FrameChecksum(text);
  Expect(checksum.size() == 2 && IsUpperHexDigit(checksum[0]) && IsUpperHexDigit(checksum[1]),
         "a checksum is two uppercase hexadecimal digits");
  Expect(checksum == link::FrameChecksum(WithoutDelimiters(text)),
         "the checksum leaves out every \":\" and \";\"");
}

void CheckFraming(const std::string& body) {
  NoLine line;
  NoHost host;
  link::Exchanges exchanges(line, host, [](int) {});
  exchanges.RequestText = body;
  exchanges.FrameRequest();
  const std::string frame = exchanges.RequestText;
  Expect(frame == ":" + body + link::FrameChecksum(body) + ";", "a frame is \":\" body sum \";\"");

  exchanges.FrameRequest();
  Expect(exchanges.RequestText == ":" + frame + link::FrameChecksum(frame) + ";",
         "framing twice wraps the frame once more");

  if (WithoutDelimiters(body) != body) return;
  sim::FrameParser parser;
  const auto frames = parser.Feed(frame);
  if (frame.size() > sim::FrameParser::kDefaultMaxFrame) {
    Expect(frames.empty(), "an overlong frame is dropped by the panel");
    return;
  }
  Expect(frames.size() == 1 && frames[0] == frame, "the panel picks out the frame whole");
  const sim::Frame parts = sim::SplitFrame(frames[0]);
  Expect(parts.body == body && parts.checksum_ok, "the panel finds the body and a good checksum");
}

}  // namespace

int FuzzFrame(const uint8_t* data, size_t size) {
  InputReader input(data, size);
  const std::string text(input.Rest());
  CheckChecksum(text);
  CheckFraming(text);
  return 0;
}

}  // namespace tevral::fuzz
