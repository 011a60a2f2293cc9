#pragma once
// A folder of its own per test, panel-sim started as a process and the
// configurators' command lines run against the device path it prints.

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "configurator/ini_file.h"
#include "tests/tools/panel_sim_process.h"

namespace tevral::tools_test {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr auto kLineTimeout = 20s;  // generous: a loaded machine runs sanitized builds

class ToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("tools_test_" + std::to_string(getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    sim_.reset();
    fs::remove_all(folder_);
  }

  // Starts panel-sim and returns the device path it printed first.
  std::string StartPanelSim(std::vector<std::string> args) {
    sim_.emplace(TEVRAL_PANEL_SIM, std::move(args), folder_ / "panel-sim.err");
    const std::optional<std::string> path = sim_->ReadLine(kLineTimeout);
    if (!path) return {};
    return *path;
  }

  // The request lines panel-sim printed for `count` requests.
  std::vector<std::string> RequestLines(int count) {
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
      auto line = sim_->ReadLine(kLineTimeout);
      if (!line) break;
      lines.push_back(*line);
    }
    return lines;
  }

  Finished Run(const char* program, std::vector<std::string> args) {
    return RunToEnd(program, std::move(args), folder_ / "run.out");
  }

  std::string Setting(const fs::path& file, const char* section, const char* key) {
    const std::optional<IniFile> ini = IniFile::Load(file);
    if (!ini) return "<no file>";
    return ini->ReadValue(section, key).value_or("<no key>");
  }

  fs::path folder_;
  std::optional<BackgroundProcess> sim_;
};

}  // namespace tevral::tools_test
