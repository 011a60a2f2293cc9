// The panel-sim tool's arguments, the panel they set up and the memory
// image file it keeps.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "sim/current_panel_image.h"
#include "sim/earlier_panel_image.h"
#include "sim/panel_sim.h"

namespace tevral::sim {
namespace {

namespace fs = std::filesystem;

TEST(PanelSimArguments, OptionsTheToolUnderstands) {
  struct Case {
    std::vector<std::string> args;
    Firmware firmware;
    const char* memory;
    bool limited;
    bool silent;
    int delay_ms;
    int fail_after;
  };
  const Case cases[] = {
      {{}, Firmware::kCurrent, "", false, false, 0, -1},
      {{"--firmware", "earlier", "--memory", "m.bin"},
       Firmware::kEarlier,
       "m.bin",
       false,
       false,
       0,
       -1},
      {{"--firmware=current", "--limited", "--silent"}, Firmware::kCurrent, "", true, true, 0, -1},
      {{"--delay", "150", "--fail-after=0"}, Firmware::kCurrent, "", false, false, 150, 0},
      {{"--delay=60000", "--fail-after", "22"}, Firmware::kCurrent, "", false, false, 60000, 22},
  };
  for (const Case& c : cases) {
    const PanelSimArguments parsed = ParsePanelSimArguments(c.args);
    ASSERT_TRUE(std::holds_alternative<PanelSimOptions>(parsed))
        << ::testing::PrintToString(c.args);
    const auto& options = std::get<PanelSimOptions>(parsed);
    EXPECT_EQ(options.firmware, c.firmware);
    EXPECT_EQ(options.memory_file, fs::path(c.memory));
    EXPECT_EQ(options.limited, c.limited);
    EXPECT_EQ(options.silent, c.silent);
    EXPECT_EQ(options.delay_ms, c.delay_ms);
    EXPECT_EQ(options.fail_after, c.fail_after);
  }
}

TEST(PanelSimArguments, HelpAndMistakes) {
  EXPECT_TRUE(std::holds_alternative<PanelSimHelp>(
      ParsePanelSimArguments(std::vector<std::string>{"--silent", "-h"})));
  const std::vector<std::string> wrong_cases[] = {
      {"--firmware", "v05"},
      {"--firmware"},        // value missing
      {"--memory="},         // empty value
      {"--delay", "-1"},     // negative
      {"--delay", "60001"},  // longer than a minute
      {"--delay", "10ms"},   // not a whole number
      {"--delay", " 10"},    // blanks are not digits
      {"--fail-after", "99999999999"},
      {"--chunk-size", "0"},  // a piece holds a character at least
      {"--chunk-gap", "1001"},
      {"--hang-up-at", "0"},  // requests count from 1
      {"--noise", "x"},
      {"--silent=yes"},          // a switch takes no value
      {"--silent", "--silent"},  // once only
      {"--port", "/dev/pts/1"},
      {"serve"},
  };
  for (const auto& args : wrong_cases) {
    EXPECT_TRUE(std::holds_alternative<PanelSimUsageError>(ParsePanelSimArguments(args)))
        << ::testing::PrintToString(args);
  }
}

class MemoryImageFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() /
             ("panel_sim_test_" + std::to_string(getpid()) + "_" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
    image = folder / "panel.bin";
  }
  void TearDown() override { fs::remove_all(folder); }

  std::vector<fs::path> FolderEntries() const {
    std::vector<fs::path> entries;
    for (const auto& entry : fs::directory_iterator(folder)) entries.push_back(entry.path());
    return entries;
  }

  fs::path folder;
  fs::path image;
};

TEST_F(MemoryImageFileTest, NoFileStartsConfiguredAnExistingOneIsLoaded) {
  PanelSimOptions options;
  options.memory_file = image;
  options.firmware = Firmware::kEarlier;
  SimulatedPanel fresh;
  SetUpPanel(fresh, options);
  PanelMemory earlier;
  WriteEarlierPanelImage(earlier);
  EXPECT_EQ(fresh.Memory().Read(0, 0x0200, 2), earlier.Read(0, 0x0200, 2));
  EXPECT_EQ(fresh.Identity().version_minor, EarlierPanelIdentity().version_minor);

  fresh.Memory().Write(0, 0x0200, {0x56, 0x78});
  SaveMemoryImage(fresh.Memory(), image);
  options.firmware = Firmware::kCurrent;
  options.limited = true;
  options.fail_after = 4;
  options.silent = true;
  options.delay_ms = 70;
  SimulatedPanel reloaded;
  SetUpPanel(reloaded, options);
  EXPECT_EQ(reloaded.Memory().Read(0, 0x0200, 2), (std::vector<uint8_t>{0x56, 0x78}));
  EXPECT_TRUE(reloaded.Identity().limited);
  EXPECT_EQ(reloaded.Identity().version_major, CurrentPanelIdentity().version_major);
  EXPECT_EQ(reloaded.Faults().stop_after, 4);
  EXPECT_TRUE(reloaded.Faults().silent);
  EXPECT_EQ(reloaded.Faults().reply_delay_ms, 70);
}

TEST(PanelSimArguments, LineFaultsReachThePanel) {
  const auto parsed = ParsePanelSimArguments(
      std::vector<std::string>{"--chunk-gap", "16", "--chunk-size=8", "--drop-pairs", "3",
                               "--noise", "4", "--hang-up-at", "7"});
  ASSERT_TRUE(std::holds_alternative<PanelSimOptions>(parsed));
  SimulatedPanel panel;
  SetUpPanel(panel, std::get<PanelSimOptions>(parsed));
  const PanelFaults faults = panel.Faults();
  EXPECT_EQ(faults.chunk_gap_ms, 16);
  EXPECT_EQ(faults.chunk_size, 8u);
  EXPECT_EQ(faults.drop_data_pairs, 3);
  EXPECT_EQ(faults.garbage_before, LineNoise(4));
  EXPECT_EQ(faults.garbage_before.size(), 4u);
  EXPECT_EQ(faults.garbage_before.find_first_of(":;"), std::string::npos);
  EXPECT_EQ(faults.hang_up_at, 7);
}

TEST_F(MemoryImageFileTest, FileOfTheWrongSizeIsRefusedAndLeftAlone) {
  { std::ofstream(image, std::ios::binary) << "not an image"; }
  PanelSimOptions options;
  options.memory_file = image;
  SimulatedPanel panel;
  EXPECT_THROW(SetUpPanel(panel, options), std::runtime_error);
  EXPECT_EQ(fs::file_size(image), 12u);
}

TEST_F(MemoryImageFileTest, FailedSaveKeepsTheOldImageAndLeavesNothingBehind) {
  // A folder in the image's place: the new image can be written beside it
  // but cannot replace it.
  fs::create_directories(image);
  PanelMemory memory;
  EXPECT_THROW(SaveMemoryImage(memory, image), std::runtime_error);
  EXPECT_TRUE(fs::is_directory(image));
  EXPECT_EQ(FolderEntries(), std::vector<fs::path>{image});

  EXPECT_THROW(SaveMemoryImage(memory, folder / "missing" / "panel.bin"), std::runtime_error);
  EXPECT_EQ(FolderEntries(), std::vector<fs::path>{image});
}

// One image file, one panel: a second holder is refused, under any
// spelling of the file's name, until the first lets go; the lock file goes
// with the last holder.
TEST_F(MemoryImageFileTest, SecondPanelOnTheSameImageIsRefused) {
  fs::create_directories(folder / "sub");
  SaveMemoryImage(PanelMemory(), image);  // as the first panel does at its start
  const fs::path link = folder / "link.bin";
  fs::create_symlink(image, link);
  {
    const MemoryFileLock first(image);
    for (const fs::path& spelling : {image, folder / "sub" / ".." / "panel.bin", link}) {
      try {
        const MemoryFileLock second(spelling);
        ADD_FAILURE() << "a second panel got " << spelling;
      } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("in use"), std::string::npos) << error.what();
      }
    }
    const MemoryFileLock other(folder / "other.bin");  // another image is free
    EXPECT_TRUE(fs::exists(first.LockPath()));
  }
  EXPECT_FALSE(fs::exists(folder / "panel.bin.lock"));
  const MemoryFileLock again(image);
  EXPECT_TRUE(fs::exists(again.LockPath()));
}

}  // namespace
}  // namespace tevral::sim
