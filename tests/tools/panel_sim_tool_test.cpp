// panel-sim as a process, used the way an engineer or a script uses it:
// start it, take the device path it prints, run the configurator's command
// line against that path, stop it by its pid and look at the memory image
// it leaves.

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "configurator/ini_file.h"
#include "sim/panel_memory.h"
#include "tests/tools/panel_sim_process.h"
#include "tests/tools/tool_fixture.h"

namespace tevral::tools_test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

using PanelSimToolTest = ToolTest;

TEST_F(PanelSimToolTest, ReadEditWriteAndTheMemoryImageOutlivesTheRun) {
  const fs::path image = folder_ / "panel.bin";
  const std::string path = StartPanelSim({"--memory", image.string()});
  ASSERT_TRUE(path.starts_with("/dev/")) << "printed: " << path;
  EXPECT_EQ(fs::file_size(image), sim::PanelMemory::kImageSize);  // saved at the start

  const fs::path read_file = folder_ / "read.ini";
  Finished read = Run(TEVRAL_TERMINAL, {"read", "--port", path, "--out", read_file.string()});
  ASSERT_EQ(read.status, 0) << read.output;
  // The panel starts configured: an object, servers, access points, schedule.
  EXPECT_EQ(Setting(read_file, "AdvEdit_Object", "Text"), "1234");
  EXPECT_EQ(Setting(read_file, "AdvEdit_Sim1Serv1", "Text"), R"("TCP","192.0.2.10",3035)");
  EXPECT_EQ(Setting(read_file, "AdvEdit_POINT_2", "Text"), "internet");
  EXPECT_EQ(Setting(read_file, "AdvEdit_TestHou", "Text"), "09");
  // One line per request, each with the frame and the reply.
  const std::vector<std::string> lines = RequestLines(22);
  ASSERT_EQ(lines.size(), 22u);
  for (const std::string& line : lines) {
    EXPECT_NE(line.find(" -> :"), std::string::npos) << line;
    EXPECT_NE(line.find("; <- :"), std::string::npos) << line;
    EXPECT_TRUE(line.ends_with(";")) << line;
  }

  IniFile edited = *IniFile::Load(read_file);
  edited.WriteString("AdvEdit_Object", "Text", "4321");
  const fs::path write_file = folder_ / "write.ini";
  std::ofstream(write_file, std::ios::binary) << edited.Serialize();
  Finished write = Run(TEVRAL_TERMINAL, {"write", "--port", path, "--in", write_file.string()});
  ASSERT_EQ(write.status, 0) << write.output;

  ASSERT_EQ(sim_->Stop(SIGTERM), 0);
  EXPECT_FALSE(fs::exists(path));  // the pseudo-terminal went with it
  sim::PanelMemory saved;
  saved.LoadImage(image.string());
  EXPECT_EQ(saved.Read(0, 0x0200, 2), (std::vector<uint8_t>{0x43, 0x21}));
  EXPECT_EQ(std::vector<fs::path>(fs::directory_iterator(folder_), {}).size(), 5u)
      << "only panel.bin, panel-sim.err, run.out and the two settings files";

  // A second run starts from the saved image; Ctrl+C stops it as cleanly.
  const std::string second_path = StartPanelSim({"--memory", image.string()});
  ASSERT_FALSE(second_path.empty());
  const fs::path reread_file = folder_ / "reread.ini";
  read = Run(TEVRAL_TERMINAL, {"read", "--port", second_path, "--out", reread_file.string()});
  ASSERT_EQ(read.status, 0) << read.output;
  EXPECT_EQ(Setting(reread_file, "AdvEdit_Object", "Text"), "4321");
  EXPECT_EQ(sim_->Stop(SIGINT), 0);
}

TEST_F(PanelSimToolTest, FaultOptionsReachTheCommandLineAsFromARealPanel) {
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* output;
  };
  const Case cases[] = {
      {{"--silent"}, 1, "Помилка читання !"},
      {{"--fail-after", "5"}, 1, "Помилка читання !"},
      // Older panel software answers the version check with text that is no
      // number: the read ends in the number parser's error.
      {{"--limited"}, 1, "обмежена функціональність"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    const std::string path = StartPanelSim(c.args);
    ASSERT_FALSE(path.empty());
    const fs::path file = folder_ / "faults.ini";
    fs::remove(file);
    const Finished read = Run(TEVRAL_TERMINAL, {"read", "--port", path, "--out", file.string()});
    EXPECT_EQ(read.status, c.status) << read.output;
    EXPECT_NE(read.output.find(c.output), std::string::npos) << read.output;
    EXPECT_EQ(fs::exists(file), c.status == 0);
    EXPECT_EQ(sim_->Stop(SIGTERM), 0);
  }
}

TEST_F(PanelSimToolTest, MemoryFileThatIsNoImageStopsItBeforeAnyPath) {
  const fs::path image = folder_ / "notes.txt";
  std::ofstream(image) << "my notes";
  EXPECT_EQ(StartPanelSim({"--memory", image.string()}), "");
  EXPECT_EQ(sim_->Stop(0), 1);  // signal 0: nothing is sent, it has ended by itself
  EXPECT_EQ(fs::file_size(image), 8u);
}

// Two panels saving into one image would lose one panel's writes when the
// other stops; the second is refused at once and the first keeps serving.
TEST_F(PanelSimToolTest, SecondPanelSimOnTheSameMemoryFileIsRefused) {
  const fs::path image = folder_ / "panel.bin";
  const std::string path = StartPanelSim({"--memory", image.string()});
  ASSERT_FALSE(path.empty());

  {
    const fs::path errors = folder_ / "second.err";
    BackgroundProcess second(TEVRAL_PANEL_SIM, {"--memory", image.string()}, errors);
    EXPECT_EQ(second.ReadLine(kLineTimeout), std::nullopt) << "the second panel-sim served";
    EXPECT_EQ(second.Stop(SIGTERM), 1);  // it has ended by itself: the signal finds no one
    std::ifstream in(errors);
    const std::string said((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(said.find("in use by another panel-sim"), std::string::npos) << said;
  }

  const fs::path file = folder_ / "panel.ini";
  const Finished read = Run(TEVRAL_TERMINAL, {"read", "--port", path, "--out", file.string()});
  EXPECT_EQ(read.status, 0) << read.output;
  EXPECT_EQ(sim_->Stop(SIGTERM), 0);
  EXPECT_FALSE(fs::exists(folder_ / "panel.bin.lock"));
}

#ifdef TEVRAL_TERMINAL_EARLIER
TEST_F(PanelSimToolTest, EarlierFirmwareServesTheEarlierProgram) {
  const std::string path = StartPanelSim({"--firmware", "earlier"});
  ASSERT_FALSE(path.empty());
  const fs::path file = folder_ / "earlier.ini";
  const Finished read =
      Run(TEVRAL_TERMINAL_EARLIER, {"read", "--port", path, "--out", file.string()});
  ASSERT_EQ(read.status, 0) << read.output;
  EXPECT_EQ(Setting(file, "AdvEdit_Object", "Text"), "1234");
  EXPECT_EQ(sim_->Stop(SIGTERM), 0);
}
#endif

}  // namespace
}  // namespace tevral::tools_test
