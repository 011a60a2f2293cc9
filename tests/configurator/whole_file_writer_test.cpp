// Settings files where engineers keep them: beside the program or under
// their user folder, whose names are often Cyrillic. On Windows every path
// here must reach the system as UTF-16; these cases run there (under wine
// in CI) as they do on Linux.

#include "configurator/whole_file_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "configurator/ini_file.h"
#include "link/utf8_path.h"

namespace tevral {
namespace {

namespace fs = std::filesystem;

class CyrillicFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    base =
        fs::temp_directory_path() /
        PathFromUtf8("Налаштування_" +
                     std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(base);
    folder = base / PathFromUtf8("Тевраль");
    fs::create_directories(folder);
    file = folder / PathFromUtf8("об'єкт.ini");
  }
  void TearDown() override { fs::remove_all(base); }

  std::string Content() const {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  size_t FilesInFolder() const {
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {}));
  }

  fs::path base;
  fs::path folder;
  fs::path file;
};

TEST_F(CyrillicFolder, FileIsCreatedThenReplacedWholeWithNothingLeftBeside) {
  ASSERT_TRUE(ReplaceWholeFile(file, "[cbPort]\r\nItemIndex=3\r\n"));
  EXPECT_EQ(Content(), "[cbPort]\r\nItemIndex=3\r\n");
  ASSERT_TRUE(ReplaceWholeFile(file, "[cbPort]\r\nItemIndex=4\r\n"));
  EXPECT_EQ(Content(), "[cbPort]\r\nItemIndex=4\r\n");
  EXPECT_EQ(FilesInFolder(), 1u);  // no temporary file stays behind

  const std::optional<IniFile> loaded = IniFile::Load(file);
  ASSERT_TRUE(loaded.has_value());
  EXPECT_EQ(loaded->ReadInteger("cbPort", "ItemIndex", -1), 4);
}

TEST_F(CyrillicFolder, FolderThatDoesNotExistIsRefusedAndMadeNowhere) {
  const fs::path missing = folder / PathFromUtf8("немає") / "zEdaza.ini";
  EXPECT_FALSE(ReplaceWholeFile(missing, "[s]\r\n"));
  EXPECT_FALSE(fs::exists(missing.parent_path()));
}

TEST(Utf8Path, CyrillicTextSurvivesTheRoundTrip) {
  const std::string text = "C:/Користувачі/Олена/zEdaza.ini";
  EXPECT_EQ(PathToUtf8(PathFromUtf8(text)), text);
  EXPECT_EQ(PathToUtf8(PathFromUtf8(text).filename()), "zEdaza.ini");
  EXPECT_EQ(PathToUtf8(PathFromUtf8(text).parent_path().filename()), "Олена");
}

}  // namespace
}  // namespace tevral
