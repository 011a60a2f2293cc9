// Every file of every fuzz target's seed corpus, fed to the same entry
// point the fuzzer drives: what the fuzzer once found stays found, and the
// properties the entries check run in both CI builds.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_targets.h"

namespace tevral::fuzz {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> CorpusFiles(std::string_view target) {
  std::vector<fs::path> files;
  const fs::path folder = fs::path(TEVRAL_FUZZ_CORPUS) / target;
  if (!fs::is_directory(folder)) return files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CorpusReplay : public ::testing::TestWithParam<Target> {
 protected:
  void SetUp() override {
    SetFailureHandler([](const std::string& what) { throw std::logic_error(what); });
  }
  void TearDown() override { SetFailureHandler(nullptr); }
};

TEST_P(CorpusReplay, EverySeedKeepsItsProperties) {
  const Target target = GetParam();
  const auto files = CorpusFiles(target.name);
  ASSERT_FALSE(files.empty()) << "no seed corpus for " << target.name;
  for (const fs::path& file : files) {
    const std::string bytes = FileBytes(file);
    try {
      target.entry(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    } catch (const std::exception& error) {
      ADD_FAILURE() << file.filename().string() << ": " << error.what();
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Fuzz, CorpusReplay,
                         ::testing::ValuesIn(Targets().begin(), Targets().end()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tevral::fuzz
