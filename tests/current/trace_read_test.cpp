// The frame trace of whole reads over the real port against the simulated
// panel: one line per frame and one per reply, in the order they went over
// the line, matching what the panel itself saw; and the command line's
// --trace option.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "configurator/command_line.h"
#include "current/current_command_line.h"
#include "current/read_sequence.h"
#include "link/trace.h"
#include "sequence_fixture.h"

namespace tevral::current {
namespace {

namespace fs = std::filesystem;

fs::path FreshFolder() {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  fs::path folder = fs::temp_directory_path() /
                    (std::string("trace_read_") + test->name() + "_" + std::to_string(getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

std::vector<std::string> FileLines(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// What follows the timestamp ("2024-05-12 10:42:07.123 ").
std::string AfterTimestamp(const std::string& line) {
  return line.size() > 24 ? line.substr(24) : line;
}

class TraceReadTest : public panel_test::PanelSessionTest {
 protected:
  void SetUp() override {
    PanelSessionTest::SetUp();
    folder_ = FreshFolder();
    trace_path_ = folder_ / "trace.log";
  }
  void TearDown() override {
    PanelSessionTest::TearDown();
    fs::remove_all(folder_);
  }

  // The lines the trace must hold for what the panel recorded, every
  // exchange answered at its first attempt.
  std::vector<std::string> ExpectedAnsweredLines() const {
    std::vector<std::string> lines;
    const std::string path = panel_.DevicePath();
    for (const auto& record : panel_.Requests()) {
      lines.push_back(path + " -> " + link::QuotedTraceText(record.frame) + " sent");
      lines.push_back(path + " <- " + link::QuotedTraceText(record.reply) + " answered");
    }
    return lines;
  }

  std::vector<std::string> TracedLines() const {
    std::vector<std::string> lines;
    for (const std::string& line : FileLines(trace_path_)) lines.push_back(AfterTimestamp(line));
    return lines;
  }

  fs::path folder_;
  fs::path trace_path_;
};

TEST_F(TraceReadTest, FullReadHasOneLinePerFrameAndPerReplyInOrder) {
  link::FileTrace trace(trace_path_, [this] { return port_.Port(); });
  exchanges_.SetTrace(&trace);
  ASSERT_TRUE(ReadFromPanel(session_));

  ASSERT_EQ(panel_.Requests().size(), static_cast<size_t>(kReadExchangesIdentified));
  EXPECT_EQ(TracedLines(), ExpectedAnsweredLines());
  // Timestamps run forward: the lines are in the order things happened.
  const std::vector<std::string> raw = FileLines(trace_path_);
  for (size_t i = 1; i < raw.size(); ++i) {
    EXPECT_LE(raw[i - 1].substr(0, 23), raw[i].substr(0, 23)) << i;
  }
}

TEST_F(TraceReadTest, BrokenOffReadEndsWithTheFailedAttempts) {
  sim::PanelFaults faults;
  faults.stop_after = 3;  // identification, alternate number, protocol
  panel_.SetFaults(faults);
  link::FileTrace trace(trace_path_, [this] { return port_.Port(); });
  exchanges_.SetTrace(&trace);
  ASSERT_FALSE(ReadFromPanel(session_));

  const std::vector<std::string> lines = TracedLines();
  ASSERT_EQ(lines.size(), 2u * 3 + 2u * 5);
  const std::string path = panel_.DevicePath();
  const std::string second_probe = path + R"( -> ":0039CC;" sent)";
  for (int attempt = 0; attempt < 5; ++attempt) {
    EXPECT_EQ(lines[6 + 2 * attempt], second_probe);
    EXPECT_EQ(lines[7 + 2 * attempt], path + R"( <- "" )" + (attempt < 4 ? "retrying" : "failed"));
  }
}

TEST_F(TraceReadTest, CommandLineTracesOnlyWhenAsked) {
  const fs::path settings = folder_ / "panel.ini";
  const std::vector<std::string> untraced = {"read", "--port", panel_.DevicePath(), "--out",
                                             settings.string()};
  std::ostringstream out, err;
  ASSERT_EQ(RunCommandLine(CurrentCommandLineProgram(), untraced, out, err), kExitSuccess)
      << err.str();
  EXPECT_FALSE(fs::exists(trace_path_));

  panel_.ClearLog();
  std::vector<std::string> traced = untraced;
  traced.insert(traced.end(), {"--trace", trace_path_.string()});
  ASSERT_EQ(RunCommandLine(CurrentCommandLineProgram(), traced, out, err), kExitSuccess)
      << err.str();
  EXPECT_EQ(TracedLines(), ExpectedAnsweredLines());
}

TEST_F(TraceReadTest, TraceFileThatCannotBeOpenedStopsTheCommandBeforeThePort) {
  const fs::path settings = folder_ / "panel.ini";
  const std::vector<std::string> args = {"read",          "--port",          panel_.DevicePath(),
                                         "--out",         settings.string(), "--trace",
                                         folder_.string()};
  std::ostringstream out, err;
  EXPECT_EQ(RunCommandLine(CurrentCommandLineProgram(), args, out, err), kExitFailure);
  EXPECT_NE(err.str().find(folder_.string()), std::string::npos) << err.str();
  EXPECT_TRUE(panel_.ReceivedBytes().empty());
  EXPECT_FALSE(fs::exists(settings));
}

}  // namespace
}  // namespace tevral::current
