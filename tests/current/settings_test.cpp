#include "configurator/settings_file.h"
#include "current/settings_keys.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "configurator/field_table.h"
#include "current/fields.h"

namespace tevral::current {
namespace {

namespace fs = std::filesystem;

class TempFolder {
 public:
  TempFolder() {
    std::string name = (fs::temp_directory_path() / "tevral_settings_XXXXXX").string();
    if (mkdtemp(name.data()) != nullptr) path_ = name;
  }
  ~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

int EntriesIn(const fs::path& folder) {
  int n = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++n;
  return n;
}

TEST(SettingsKeys, EachKeyNamesAFieldOfTheMatchingKind) {
  const SettingsKeySet keys = CurrentSettingsKeys();
  ASSERT_EQ(keys.size(), 26u);
  EXPECT_EQ(keys.front().section, "cbPort");
  EXPECT_EQ(keys[1].section, "CheckEnTst");
  EXPECT_EQ(keys.back().section, "AdvEdit_LocalPortSim2Serv3");
  for (const SettingSpec& key : keys) {
    SCOPED_TRACE(std::string(key.section));
    const FieldSpec* field = FindField(CurrentFields(), key.section);
    ASSERT_NE(field, nullptr);
    switch (key.key) {
      case SettingKey::kText:
        EXPECT_EQ(field->kind, FieldKind::kText);
        break;
      case SettingKey::kChecked:
        EXPECT_EQ(field->kind, FieldKind::kCheck);
        break;
      case SettingKey::kItemIndex:
        EXPECT_EQ(field->kind, FieldKind::kChoice);
        break;
    }
    EXPECT_NE(key.section, "cbBaudRate");  // the speed is never kept
  }
}

// A file with one key: every other field gets its missing-key value, which
// is not the window default.
TEST(LoadSettings, MissingKeysGiveTheirOwnDefaults) {
  FieldTable form(CurrentFields());
  form.SetItems("cbPort", {"/dev/ttyUSB0", "/dev/ttyUSB1"});
  form.SetItemIndex("cbPort", 1);
  form.SetChecked("CheckEnTst", false);
  form.SetChecked("sCheckBoxVerConn", false);
  form.SetItemIndex("sComboBox_ChProtocol", 1);
  form.SetText("AdvEdit_Sim1Serv1", "\"TCP\",\"1.2.3.4\",1");
  form.SetItemIndex("cbBaudRate", 3);

  LoadSettings(form, IniFile::Parse("[AdvEdit_Object]\r\nText=12AB\r\n"), CurrentSettingsKeys());

  struct Case {
    const char* field;
    const char* text;
  };
  const Case texts[] = {
      {"AdvEdit_Object", "12AB"},
      {"AdvEdit_TestPer", "?"},
      {"AdvEdit_TestHou", "?"},
      {"AdvEdit_TestMin", "?"},
      {"EDIT_Test", "?"},
      {"AdvEditHeartHexSufix", "14"},
      {"EDIT_TestPer", "?"},
      {"AdvEdit_POINT_1", "?"},
      {"AdvEdit_POINT_2", "?"},
      {"AdvEditNomerAlter", "?"},
      {"AdvEdit_Sim1Serv1", ""},
      {"AdvEdit_Sim2Serv3", ""},
      {"AdvEdit_LocalPortSim1Serv2", ""},
  };
  for (const Case& c : texts) EXPECT_EQ(form.Text(c.field), c.text) << c.field;
  EXPECT_TRUE(form.Checked("CheckEnTst"));
  EXPECT_TRUE(form.Checked("sCheckBoxVerConn"));
  EXPECT_EQ(form.ItemIndex("sComboBox_ChProtocol"), 0);
  EXPECT_EQ(form.ItemIndex("cbPort"), 0);
  EXPECT_EQ(form.ItemIndex("cbBaudRate"), 3);  // untouched
}

TEST(LoadSettings, ValuesAreSetAsTheFieldsShowThem) {
  struct Case {
    const char* section_and_key;
    const char* value;
    const char* field;
    const char* shown;
  };
  const Case cases[] = {
      {"[AdvEdit_TestPer]\r\nText", "", "AdvEdit_TestPer", "0"},  // digits-only, emptied
      {"[EDIT_TestPer]\r\nText", "?", "EDIT_TestPer", "?"},
      {"[AdvEdit_Object]\r\nText", "XYZ,12345", "AdvEdit_Object", "XYZ,12345"},  // unfiltered
      {"[EDIT_Test]\r\nText", "  \"keep alive\"  ", "EDIT_Test", "keep alive"},
      {"[AdvEdit_POINT_1]\r\nText", "\xEA\xE8\xBF\xE2", "AdvEdit_POINT_1", "\xEA\xE8\xBF\xE2"},
      {"[cbPort]\r\nItemIndex", "1", "cbPort", "/dev/ttyUSB1"},
      {"[cbPort]\r\nItemIndex", "2", "cbPort", ""},  // past the port list
      {"[cbPort]\r\nItemIndex", "-1", "cbPort", ""},
      {"[cbPort]\r\nItemIndex", "$1", "cbPort", "/dev/ttyUSB1"},
      {"[cbPort]\r\nItemIndex", "one", "cbPort", "/dev/ttyUSB0"},  // no number: 0
      {"[sComboBox_ChProtocol]\r\nItemIndex", "0x1", "sComboBox_ChProtocol", "SOS 112"},
  };
  for (const Case& c : cases) {
    FieldTable form(CurrentFields());
    form.SetItems("cbPort", {"/dev/ttyUSB0", "/dev/ttyUSB1"});
    LoadSettings(form, IniFile::Parse(std::string(c.section_and_key) + "=" + c.value + "\r\n"),
                 CurrentSettingsKeys());
    EXPECT_EQ(form.Text(c.field), c.shown) << c.section_and_key << "=" << c.value;
  }
}

TEST(LoadSettings, CheckedReadsAsANumber) {
  struct Case {
    const char* value;
    bool checked;
  };
  const Case cases[] = {{"0", false}, {"1", true}, {"2", true}, {"yes", true}, {"", true}};
  for (const Case& c : cases) {
    FieldTable form(CurrentFields());
    LoadSettings(form, IniFile::Parse(std::string("[sCheckBoxVerConn]\r\nChecked=") + c.value),
                 CurrentSettingsKeys());
    EXPECT_EQ(form.Checked("sCheckBoxVerConn"), c.checked) << c.value;
  }
}

// Values no one could type, bytes above 127, a "?" and an empty digits
// field: all survive a save and a load.
void FillWithUnusualValues(FieldTable& form) {
  form.SetItems("cbPort", {"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyACM0"});
  form.SetItemIndex("cbPort", 2);
  form.SetChecked("CheckEnTst", false);
  form.SetItemIndex("sComboBox_ChProtocol", 1);
  form.SetText("AdvEdit_Object", "zz99");
  form.SetText("AdvEdit_TestPer", "?");
  form.SetText("AdvEdit_TestHou", "");
  form.SetText("AdvEdit_TestMin", "123");
  form.SetText("EDIT_Test", "\xCF\xF0\xE8\xE2\xB3\xF2 \xBF");
  form.SetText("AdvEdit_POINT_2", std::string(300, 'p'));
  form.SetText("AdvEditNomerAlter", "A380501234567");
  form.SetText("AdvEdit_Sim1Serv1", "\"TCP\",\"127.0.0.1\",3035");
  form.SetText("AdvEdit_LocalPortSim2Serv3", "65535");
}

TEST(SaveSettings, RoundTripThroughTheFile) {
  TempFolder folder;
  const fs::path path = folder.path() / "zEdaza.ini";
  FieldTable saved(CurrentFields());
  FillWithUnusualValues(saved);
  SaveSettings(saved, path, CurrentSettingsKeys());

  FieldTable loaded(CurrentFields());
  loaded.SetItems("cbPort", saved.Items("cbPort"));
  const auto file = IniFile::Load(path);
  ASSERT_TRUE(file.has_value());
  LoadSettings(loaded, *file, CurrentSettingsKeys());
  for (const SettingSpec& key : CurrentSettingsKeys()) {
    SCOPED_TRACE(std::string(key.section));
    switch (key.key) {
      case SettingKey::kText:
        EXPECT_EQ(loaded.Text(key.section), saved.Text(key.section));
        break;
      case SettingKey::kChecked:
        EXPECT_EQ(loaded.Checked(key.section), saved.Checked(key.section));
        break;
      case SettingKey::kItemIndex:
        EXPECT_EQ(loaded.ItemIndex(key.section), saved.ItemIndex(key.section));
        break;
    }
  }

  // On disk: the keys in order, CR LF lines, the 1251 bytes as they are.
  const std::string bytes = ReadBytes(path);
  EXPECT_TRUE(
      bytes.starts_with("[cbPort]\r\nItemIndex=2\r\n[CheckEnTst]\r\nChecked=0\r\n"
                        "[sComboBox_ChProtocol]\r\nItemIndex=1\r\n"));
  EXPECT_NE(bytes.find("[EDIT_Test]\r\nText=\xCF\xF0\xE8\xE2\xB3\xF2 \xBF\r\n"), std::string::npos);
  EXPECT_TRUE(bytes.ends_with("[AdvEdit_LocalPortSim2Serv3]\r\nText=65535\r\n"));
  EXPECT_EQ(bytes.find("cbBaudRate"), std::string::npos);
  EXPECT_EQ(EntriesIn(folder.path()), 1);  // no temporary file left behind
}

TEST(SaveSettings, UpdatesAnExistingFileAndKeepsItsOtherContent) {
  TempFolder folder;
  const fs::path path = folder.path() / "site.ini";
  WriteBytes(path,
             "; site notes\r\n"
             "[Customer]\r\nName=\xC1\xE0\xED\xEA\r\n"
             "\r\n"
             "[advedit_object]\r\ntext=FFFF\r\nComment=kept\r\n");
  FieldTable form(CurrentFields());
  form.SetText("AdvEdit_Object", "0A0B");
  SaveSettings(form, path, CurrentSettingsKeys());

  const std::string bytes = ReadBytes(path);
  EXPECT_TRUE(
      bytes.starts_with("; site notes\r\n"
                        "[Customer]\r\nName=\xC1\xE0\xED\xEA\r\n"
                        "\r\n"
                        "[advedit_object]\r\ntext=0A0B\r\nComment=kept\r\n"
                        "[cbPort]\r\n"));
  EXPECT_EQ(bytes.find("FFFF"), std::string::npos);
  EXPECT_EQ(bytes.find("[AdvEdit_Object]"), std::string::npos);  // updated, not added
}

TEST(SaveSettings, KeepsTheFilesPermissionsAndWritesThroughALink) {
  TempFolder folder;
  const fs::path real = folder.path() / "real.ini";
  const fs::path link = folder.path() / "zEdaza.ini";
  WriteBytes(real, "[Keep]\r\nx=1\r\n");
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink(real.filename(), link);

  SaveSettings(FieldTable(CurrentFields()), link, CurrentSettingsKeys());

  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_TRUE(ReadBytes(real).starts_with("[Keep]\r\nx=1\r\n[cbPort]\r\n"));
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
}

void ExpectWriteError(const fs::path& path) {
  try {
    SaveSettings(FieldTable(CurrentFields()), path, CurrentSettingsKeys());
    ADD_FAILURE() << "saved to " << path;
  } catch (const SettingsWriteError& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + path.string());
  }
}

TEST(SaveSettings, FailsWithoutTouchingAnything) {
  TempFolder folder;
  const fs::path dir_target = folder.path() / "taken.ini";
  fs::create_directory(dir_target);
  WriteBytes(dir_target / "inside", "x");
  ExpectWriteError(dir_target);
  EXPECT_TRUE(fs::is_directory(dir_target));
  EXPECT_EQ(ReadBytes(dir_target / "inside"), "x");

  ExpectWriteError(folder.path() / "no such folder" / "zEdaza.ini");
  EXPECT_EQ(EntriesIn(folder.path()), 1);
}

// The disk refusing more bytes halfway through (a full disk, a quota):
// the old file must come through whole.
TEST(SaveSettings, AWriteCutShortLeavesTheOldFileWhole) {
  TempFolder folder;
  const fs::path path = folder.path() / "zEdaza.ini";
  const std::string old = "[AdvEdit_Object]\r\nText=BEEF\r\n";
  WriteBytes(path, old);
  FieldTable form(CurrentFields());
  form.SetText("AdvEdit_Sim1Serv1", std::string(4000, 's'));

  rlimit saved_limit{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved_limit), 0);
  const auto saved_handler = signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved_limit;
  small.rlim_cur = 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  try {
    SaveSettings(form, path, CurrentSettingsKeys());
    ADD_FAILURE() << "the save reported success";
  } catch (const SettingsWriteError&) {
  }
  setrlimit(RLIMIT_FSIZE, &saved_limit);
  signal(SIGXFSZ, saved_handler);

  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_EQ(EntriesIn(folder.path()), 1);
}

TEST(SettingsFiles, PathIsTheProgramFolderAndTheChosenName) {
  struct Case {
    const char* chosen;
    const char* path;
  };
  const Case cases[] = {{"/home/user/Documents/site.ini", "/opt/tevral/site.ini"},
                        {"site.ini", "/opt/tevral/site.ini"},
                        {"sub/zEdaza.ini", "/opt/tevral/zEdaza.ini"}};
  for (const Case& c : cases) {
    EXPECT_EQ(SettingsPathIn("/opt/tevral", c.chosen), fs::path(c.path)) << c.chosen;
  }
}

TEST(SettingsFiles, OnlyAPlainFileExists) {
  TempFolder folder;
  EXPECT_FALSE(SettingsFileExists(folder.path() / "zEdaza.ini"));
  EXPECT_FALSE(SettingsFileExists(folder.path()));
  WriteBytes(folder.path() / "zEdaza.ini", "");
  EXPECT_TRUE(SettingsFileExists(folder.path() / "zEdaza.ini"));
}

}  // namespace
}  // namespace tevral::current
