// Settings files as they turn up in the field: cut short, edited by hand,
// overwritten with something else, made read-only, in a folder that cannot
// be written. A load takes what it can and gives every other key its
// default; a save leaves the old file or the whole new one, never a part.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "configurator/field_table.h"
#include "configurator/ini_file.h"
#include "configurator/settings_file.h"
#include "current/fields.h"
#include "current/settings_keys.h"
#include "settings_folder.h"

namespace tevral::current {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

using namespace settings_test;

FieldTable Loaded(const std::string& content) {
  FieldTable form(CurrentFields());
  LoadSettings(form, IniFile::Parse(content), CurrentSettingsKeys());
  return form;
}

const std::string kGoodFile =
    "[cbPort]\r\nItemIndex=0\r\n[EDIT_Test]\r\nText=ping\r\n[AdvEdit_Object]\r\nText=12AB\r\n";

TEST(SettingsFileFaults, LoadTakesWhatItCanFromBadFiles) {
  struct Case {
    const char* what;
    std::string content;
    std::string edit_test;  // EDIT_Test after the load
    std::string object;     // AdvEdit_Object after the load
  };
  const std::string long_line(100000, 'L');
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 37 + 11) % 256);
  const Case cases[] = {
      {"whole", kGoodFile, "ping", "12AB"},
      {"cut in the last key's name", kGoodFile.substr(0, kGoodFile.size() - 10), "ping", "0000"},
      {"cut in the last value", kGoodFile.substr(0, kGoodFile.size() - 4), "ping", "12"},
      {"cut after a section line", "[EDIT_Test]\r\nText=ping\r\n[AdvEdit_Obj", "ping", "0000"},
      {"no final line end", "[EDIT_Test]\r\nText=ping\r\n[AdvEdit_Object]\r\nText=12AB", "ping",
       "12AB"},
      {"line ends of Unix and old Macs mixed", "[EDIT_Test]\nText=ping\r\n[AdvEdit_Object]\rx\n",
       "ping", "0000"},
      {"a 100 000-character value is read as its first 2047 characters",
       "[EDIT_Test]\r\nText=" + long_line + "\r\n[AdvEdit_Object]\r\nText=12AB\r\n",
       long_line.substr(0, 2047), "12AB"},
      {"a 100 000-character line of no shape", long_line + "\r\n[EDIT_Test]\r\nText=ping\r\n",
       "ping", "0000"},
      {"binary garbage", garbage, "?", "0000"},
      {"garbage with a key after it", garbage + "\r\n[EDIT_Test]\r\nText=ping\r\n", "ping", "0000"},
      {"NUL bytes in a value", "[EDIT_Test]\r\nText=pi\0ng\r\n"s, "pi\0ng"s, "0000"},
      {"duplicate sections: the first wins",
       "[EDIT_Test]\r\nText=first\r\n[EDIT_Test]\r\nText=second\r\n", "first", "0000"},
      {"duplicate keys: the first wins", "[EDIT_Test]\r\nText=first\r\nText=second\r\n", "first",
       "0000"},
      {"odd case", "[edit_TEST]\r\ntExT=ping\r\n[ADVEDIT_OBJECT]\r\nTEXT=12ab\r\n", "ping", "12ab"},
      {"blanks around names", "  [ EDIT_Test ]  \r\n  Text  =  ping  \r\n", "ping", "0000"},
      {"empty file", "", "?", "0000"},
  };
  for (const Case& c : cases) {
    const FieldTable form = Loaded(c.content);
    EXPECT_EQ(form.Text("EDIT_Test"), c.edit_test) << c.what;
    EXPECT_EQ(form.Text("AdvEdit_Object"), c.object) << c.what;
  }
}

// Saving into a file that was cut short or is garbage keeps whatever it
// held beside the keys, and the keys read back as the window had them.
TEST(SettingsFileFaults, SaveOverABadFileGivesAGoodOne) {
  TempFolder folder;
  const fs::path path = folder.path() / "zEdaza.ini";
  FieldTable form(CurrentFields());
  form.SetText("AdvEdit_Object", "BEEF");
  const std::string mine = "[Mine]\r\nx=1\r\n";  // a section of the user's own
  for (const std::string& bad : {mine + "[EDIT_Test]\r\nText=pi", mine + "\xFF\0\r\r\n[\n=\n]"s,
                                 mine + "[AdvEdit_Object]\r\nText=1" + std::string(100000, '2')}) {
    WriteBytes(path, bad);
    SaveSettings(form, path, CurrentSettingsKeys());
    const std::string saved = ReadBytes(path);
    EXPECT_TRUE(saved.starts_with(mine)) << "the file's own lines stay";
    EXPECT_EQ(IniFile::Parse(saved).ReadValue("Mine", "x"), "1");
    EXPECT_EQ(Loaded(saved).Text("AdvEdit_Object"), "BEEF");
    EXPECT_EQ(EntriesIn(folder.path()), 1);
  }
}

// A file with no write permission is read-only for the save too: it is
// refused as Windows refuses to replace a read-only file, and stays as it
// was.
TEST(SettingsFileFaults, ReadOnlyFileIsNotSavedOver) {
  TempFolder folder;
  const fs::path path = folder.path() / "zEdaza.ini";
  WriteBytes(path, kGoodFile);
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  FieldTable form(CurrentFields());
  form.SetText("AdvEdit_Object", "BEEF");
  try {
    SaveSettings(form, path, CurrentSettingsKeys());
    ADD_FAILURE() << "saved over a read-only file";
  } catch (const SettingsWriteError& error) {
    EXPECT_EQ(std::string(error.what()), "Unable to write to " + path.string());
  }
  EXPECT_EQ(ReadBytes(path), kGoodFile);
  EXPECT_EQ(EntriesIn(folder.path()), 1);

  fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
  SaveSettings(form, path, CurrentSettingsKeys());
  EXPECT_EQ(Loaded(ReadBytes(path)).Text("AdvEdit_Object"), "BEEF");
}

// A folder the user may not write into. The tests run as root, whom no
// permission stops, so the save runs in a child process that has become
// an ordinary user first.
TEST(SettingsFileFaults, ReadOnlyFolderKeepsTheOldFile) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to become another user";
  TempFolder folder;
  const fs::path path = folder.path() / "zEdaza.ini";
  WriteBytes(path, kGoodFile);
  fs::permissions(folder.path(), fs::perms::owner_all | fs::perms::group_read |
                                     fs::perms::group_exec | fs::perms::others_read |
                                     fs::perms::others_exec);
  fs::permissions(path, fs::perms::all);  // the file itself may be written

  const pid_t child = fork();
  if (child == 0) {
    constexpr uid_t kNobody = 65534;
    if (setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(3);
    FieldTable form(CurrentFields());
    form.SetText("AdvEdit_Object", "BEEF");
    try {
      SaveSettings(form, path, CurrentSettingsKeys());
    } catch (const SettingsWriteError&) {
      _exit(0);
    } catch (...) {
      _exit(2);
    }
    _exit(1);
  }
  ASSERT_GT(child, 0);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the save reported success; 2: another error; 3: "
                                       "could not become another user";
  EXPECT_EQ(ReadBytes(path), kGoodFile);
  EXPECT_EQ(EntriesIn(folder.path()), 1);
}

}  // namespace
}  // namespace tevral::current
