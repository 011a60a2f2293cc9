#include "sim/panel_protocol.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace tevral::sim {
namespace {

class PanelProtocolTest : public ::testing::Test {
 protected:
  PanelMemory memory;
  PanelIdentity identity;
  std::optional<std::string> Answer(const std::string& body) {
    return AnswerRequest(body, memory, identity);
  }
};

TEST_F(PanelProtocolTest, IdentifiesItselfWithCode39AtCharacters6And7) {
  EXPECT_EQ(Answer("0039"), ":000039010301120524104207AD;");
  identity.limited = true;
  EXPECT_EQ(Answer("0039"), ":00000020;");
}

TEST_F(PanelProtocolTest, ReadsAndWritesBothBanks) {
  EXPECT_EQ(Answer("00020100414243"), ":0002C2;");
  EXPECT_EQ(Answer("0001030100"),
            ":000103414243"
            "56;");
  EXPECT_EQ(Answer("00120000FF00"), ":0012C3;");
  EXPECT_EQ(Answer("0011020000"),
            ":001102FF00"
            "10;");
  EXPECT_EQ(memory.Read(0, 0x0000, 2), (std::vector<uint8_t>{0xFF, 0xFF}));  // banks apart
  EXPECT_EQ(Answer("0008"), ":0008C8;");
}

TEST_F(PanelProtocolTest, AccessPastTheLastAddressWrapsRound) {
  EXPECT_TRUE(Answer("0002FFFF1122").has_value());
  EXPECT_EQ(memory.Read(0, 0xFFFF, 2), (std::vector<uint8_t>{0x11, 0x22}));
  EXPECT_EQ(memory.Read(0, 0x0000, 1), (std::vector<uint8_t>{0x22}));
}

TEST_F(PanelProtocolTest, IgnoresWhatItCannotParse) {
  for (const std::string body : {"", "00", "003900", "000102020", "00010202", "000102020000",
                                 "0001G20200", "0101020200", "0077", "000200", "00080000"}) {
    EXPECT_EQ(Answer(body), std::nullopt) << body;
  }
  EXPECT_EQ(memory.Read(0, 0x0202, 1), std::vector<uint8_t>{0xFF});
}

TEST(PanelMemory, ImageRoundTripAndRefusal) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("panel_image_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "image.bin").string();
  PanelMemory memory;
  memory.Write(1, 0x01BF, {0x0F, 0x31});
  memory.SaveImage(path);
  EXPECT_EQ(std::filesystem::file_size(path), PanelMemory::kImageSize);

  PanelMemory copy;
  copy.LoadImage(path);
  EXPECT_EQ(copy.Read(1, 0x01BF, 2), (std::vector<uint8_t>{0x0F, 0x31}));

  std::ofstream(path, std::ios::binary | std::ios::app) << 'x';  // one byte too many
  copy.Write(0, 0, {0x42});
  EXPECT_THROW(copy.LoadImage(path), std::runtime_error);
  EXPECT_THROW(copy.LoadImage((dir / "missing.bin").string()), std::runtime_error);
  EXPECT_EQ(copy.Read(0, 0, 1), std::vector<uint8_t>{0x42});  // unchanged by the failures
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tevral::sim
