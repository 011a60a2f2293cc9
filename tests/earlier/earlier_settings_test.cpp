#include "earlier/earlier_settings.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "configurator/field_table.h"
#include "earlier/earlier_fields.h"

namespace tevral::earlier {
namespace {

namespace fs = std::filesystem;

// A program folder of its own for each test.
class EarlierSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "earlier-settings-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    form_.SetItems("cbPort", {"/dev/ttyUSB0", "/dev/ttyUSB1"});
    form_.SetItemIndex("cbPort", 0);
  }
  void TearDown() override { fs::remove_all(folder_); }

  fs::path File() const { return folder_ / "zEdaza.ini"; }
  void WriteFile(const std::string& content) { std::ofstream(File(), std::ios::binary) << content; }
  std::string ReadFile() const {
    std::ifstream in(File(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> out;
    for (const FormEvent& e : form_.Events()) out.push_back(e.text);
    return out;
  }

  fs::path folder_;
  FieldTable form_{EarlierFields()};
};

TEST_F(EarlierSettingsTest, KeySetHasTwentyNineEntriesInFileOrder) {
  const char* const order[] = {"cbPort",
                               "CheckEnTst",
                               "sComboBox_ChProtocol",
                               "sCheckBox_IncCodes",
                               "AdvEdit_Password",
                               "AdvEdit_Object",
                               "AdvEdit_TestPer",
                               "AdvEdit_TestHou",
                               "AdvEdit_TestMin",
                               "sCheckBoxVerConn",
                               "EDIT_Test",
                               "AdvEditHeartHexSufix",
                               "EDIT_TestPer",
                               "EDIT_SurGardPref",
                               "AdvEdit_IP_1",
                               "AdvEdit_PORT_1",
                               "AdvEdit_PORT_LOCAL_1",
                               "AdvEdit_POINT_1",
                               "sCheckBox_DNS_1",
                               "RadioButton_TCP_1",
                               "RadioButton_UDP_1",
                               "AdvEdit_IP_2",
                               "AdvEdit_PORT_2",
                               "AdvEdit_PORT_LOCAL_2",
                               "AdvEdit_POINT_2",
                               "sCheckBox_DNS_2",
                               "RadioButton_TCP_2",
                               "RadioButton_UDP_2",
                               "AdvEditNomerAlter"};
  const SettingsKeySet keys = EarlierSettingsKeys();
  ASSERT_EQ(keys.size(), std::size(order));
  for (size_t k = 0; k < keys.size(); ++k) {
    EXPECT_EQ(keys[k].section, order[k]) << k;
    EXPECT_NE(FindField(EarlierFields(), keys[k].section), nullptr) << keys[k].section;
  }
}

TEST_F(EarlierSettingsTest, AFileWithOnlyTheObjectNumberGivesTheMissingKeyDefaults) {
  WriteFile("[AdvEdit_Object]\r\nText=12AB\r\n");
  ASSERT_TRUE(LoadEarlierStartupSettings(form_, folder_));
  EXPECT_TRUE(form_.Events().empty());
  EXPECT_EQ(form_.Text("AdvEdit_Object"), "12AB");
  EXPECT_EQ(form_.Text("AdvEditHeartHexSufix"), "14");
  EXPECT_EQ(form_.Text("AdvEdit_Password"), "739164825073916");
  for (const char* name :
       {"AdvEdit_TestPer", "AdvEdit_TestHou", "AdvEdit_TestMin", "EDIT_Test", "EDIT_TestPer",
        "EDIT_SurGardPref", "AdvEdit_IP_1", "AdvEdit_PORT_1", "AdvEdit_PORT_LOCAL_1",
        "AdvEdit_POINT_1", "AdvEdit_IP_2", "AdvEdit_PORT_2", "AdvEdit_PORT_LOCAL_2",
        "AdvEdit_POINT_2", "AdvEditNomerAlter"}) {
    EXPECT_EQ(form_.Text(name), "?") << name;
  }
  for (const char* name :
       {"CheckEnTst", "sCheckBox_IncCodes", "sCheckBoxVerConn", "sCheckBox_DNS_1",
        "sCheckBox_DNS_2", "RadioButton_UDP_1", "RadioButton_UDP_2"}) {
    EXPECT_TRUE(form_.Checked(name)) << name;
  }
  // UDP is read after TCP and the two exclude each other.
  EXPECT_FALSE(form_.Checked("RadioButton_TCP_1"));
  EXPECT_FALSE(form_.Checked("RadioButton_TCP_2"));
  EXPECT_EQ(form_.ItemIndex("cbPort"), 0);
  EXPECT_EQ(form_.ItemIndex("sComboBox_ChProtocol"), 0);
}

TEST_F(EarlierSettingsTest, RadioButtonsOfOneServerAsTheFileGivesThem) {
  struct Case {
    const char* tcp;
    const char* udp;
    bool tcp_checked, udp_checked;
  };
  const Case cases[] = {{"1", "0", true, false},
                        {"0", "1", false, true},
                        {"1", "1", false, true},
                        {"0", "0", false, false}};
  for (const Case& c : cases) {
    WriteFile(std::string("[RadioButton_TCP_1]\r\nChecked=") + c.tcp +
              "\r\n[RadioButton_UDP_1]\r\nChecked=" + c.udp + "\r\n");
    ASSERT_TRUE(LoadEarlierStartupSettings(form_, folder_));
    EXPECT_EQ(form_.Checked("RadioButton_TCP_1"), c.tcp_checked) << c.tcp << c.udp;
    EXPECT_EQ(form_.Checked("RadioButton_UDP_1"), c.udp_checked) << c.tcp << c.udp;
  }
}

TEST_F(EarlierSettingsTest, MissingFileIsReportedAndNeverCreated) {
  EXPECT_FALSE(LoadEarlierStartupSettings(form_, folder_));
  EXPECT_EQ(form_.Text("AdvEdit_IP_1"), "127.0.0.1");  // window defaults kept
  EXPECT_FALSE(SaveEarlierSettings(form_, folder_));
  EXPECT_FALSE(fs::exists(File()));
  EXPECT_EQ(Messages(), (std::vector<std::string>{kOpenErrorMessage, kSaveErrorMessage}));
}

// The start-up load reads the file beside the program, whatever the
// working folder holds.
TEST_F(EarlierSettingsTest, StartupReadsTheFileInTheProgramFolderNotTheWorkingFolder) {
  const fs::path other = folder_ / "elsewhere";
  fs::create_directory(other);
  std::ofstream(other / "zEdaza.ini") << "[AdvEdit_Object]\r\nText=FFFF\r\n";
  WriteFile("[AdvEdit_Object]\r\nText=0042\r\n");
  const fs::path previous = fs::current_path();
  fs::current_path(other);
  const bool loaded = LoadEarlierStartupSettings(form_, folder_);
  fs::current_path(previous);
  EXPECT_TRUE(loaded);
  EXPECT_EQ(form_.Text("AdvEdit_Object"), "0042");

  fs::remove(File());
  fs::current_path(other);
  const bool loaded_again = LoadEarlierStartupSettings(form_, folder_);
  fs::current_path(previous);
  EXPECT_FALSE(loaded_again);
  EXPECT_EQ(form_.Text("AdvEdit_Object"), "0042");
}

TEST_F(EarlierSettingsTest, SaveThenLoadGivesEveryFieldBack) {
  WriteFile("[Notes]\r\nOwner=engineer\r\n");
  form_.SetItemIndex("cbPort", 1);
  form_.SetItemIndex("sComboBox_ChProtocol", 1);
  form_.SetChecked("sCheckBox_IncCodes", true);
  form_.SetChecked("CheckEnTst", false);
  form_.SetChecked("RadioButton_UDP_2", true);
  form_.SetChecked("sCheckBox_DNS_1", true);
  form_.SetText("AdvEdit_IP_1", "gprs.\xEF\xF3\xEB\xFC\xF2.ua");  // cp1251 letters
  form_.SetText("AdvEdit_PORT_1", "?");  // no filter applies to a loaded text
  form_.SetText("AdvEdit_Object", "12345");
  form_.SetText("EDIT_SurGardPref", "  padded  ");
  form_.SetText("EDIT_Test", "\"quoted\"");
  form_.SetText("AdvEditNomerAlter", "A380");
  ASSERT_TRUE(SaveEarlierSettings(form_, folder_));
  EXPECT_EQ(Messages().back(), kSaveSuccessMessage);
  EXPECT_NE(ReadFile().find("[Notes]\r\nOwner=engineer\r\n"), std::string::npos);

  FieldTable loaded(EarlierFields());
  loaded.SetItems("cbPort", {"/dev/ttyUSB0", "/dev/ttyUSB1"});
  ASSERT_TRUE(LoadEarlierStartupSettings(loaded, folder_));
  for (const SettingSpec& field_spec : EarlierSettingsKeys()) {
    const std::string_view name = field_spec.section;
    switch (field_spec.key) {
      case SettingKey::kText: {
        std::string expected = form_.Text(name);
        if (name == "EDIT_SurGardPref") expected = "padded";  // blanks at the ends go
        if (name == "EDIT_Test") expected = "quoted";         // and one pair of quotes
        EXPECT_EQ(loaded.Text(name), expected) << name;
        break;
      }
      case SettingKey::kChecked:
        EXPECT_EQ(loaded.Checked(name), form_.Checked(name)) << name;
        break;
      case SettingKey::kItemIndex:
        EXPECT_EQ(loaded.ItemIndex(name), form_.ItemIndex(name)) << name;
        break;
    }
  }
}

}  // namespace
}  // namespace tevral::earlier
