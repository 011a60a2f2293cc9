#include "sim/frame_parser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tevral::sim {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(FrameParser, PicksFramesOutOfTheStream) {
  struct Case {
    std::vector<std::string> pieces;
    std::vector<std::string> frames;
  };
  const std::vector<Case> cases = {
      {{":0039CC;"}, {":0039CC;"}},
      {{":0", "03", "9CC", ";"}, {":0039CC;"}},          // any split
      {{"\x00\xFFxx;", ":0039CC;"}, {":0039CC;"}},       // noise dropped
      {{":0039CC;:0008C8;"}, {":0039CC;", ":0008C8;"}},  // two in one piece
      {{":0001", ":0039CC;"}, {":0039CC;"}},             // cut request, resent
      {{"::0039CC;52;"}, {":0039CC;"}},                  // a frame in a frame
      {{":0039CC"}, {}},                                 // not ended yet
  };
  for (const auto& c : cases) {
    FrameParser parser;
    std::vector<std::string> frames;
    for (const auto& piece : c.pieces) {
      for (auto& f : parser.Feed(piece)) frames.push_back(f);
    }
    EXPECT_EQ(frames, c.frames) << c.pieces.front();
  }
}

TEST(FrameParser, DropsAFrameThatOutgrowsItsBound) {
  FrameParser parser(16);
  EXPECT_THAT(parser.Feed(":" + std::string(40, '0') + ";"), IsEmpty());
  EXPECT_FALSE(parser.InFrame());
  EXPECT_THAT(parser.Feed(":0039CC;"), ElementsAre(":0039CC;"));
}

TEST(SplitFrame, ChecksBodyAgainstItsChecksum) {
  struct Case {
    std::string frame;
    std::string body;
    bool ok;
  };
  const std::vector<Case> cases = {
      {":0039CC;", "0039", true},  {":0039CD;", "0039", false},
      {":0039cc;", "0039", false},  // the panel wants uppercase, as sent
      {":00;", "", true},          {":0;", "", false},
      {"0039CC;", "", false},
  };
  for (const auto& c : cases) {
    const Frame parts = SplitFrame(c.frame);
    EXPECT_EQ(parts.body, c.body) << c.frame;
    EXPECT_EQ(parts.checksum_ok, c.ok) << c.frame;
  }
}

}  // namespace
}  // namespace tevral::sim
