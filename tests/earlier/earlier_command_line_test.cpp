// terminal-earlier's command line, run in process against the simulated
// earlier panel on a pseudo-terminal.

#include "earlier/earlier_command_line.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "configurator/ini_file.h"
#include "configurator/settings_file.h"
#include "earlier/earlier_read_sequence.h"
#include "earlier/earlier_settings.h"
#include "earlier/earlier_write_checks.h"
#include "earlier/earlier_write_sequence.h"
#include "link/com_errors.h"
#include "sim/earlier_panel_image.h"
#include "sim/simulated_panel.h"

namespace tevral::earlier {
namespace {

namespace fs = std::filesystem;

class EarlierCommandLineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "earlier-cli-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    panel_.SetIdentity(sim::EarlierPanelIdentity());
    sim::WriteEarlierPanelImage(panel_.Memory());
    panel_.Start();
  }
  void TearDown() override {
    panel_.Stop();
    fs::remove_all(folder_);
  }

  // The earlier program as it runs, except that the port list holds no
  // system port: the device named by --port is the only entry.
  int Run(const std::vector<std::string>& args) {
    CommandLineProgram program = EarlierCommandLineProgram();
    program.list_ports = [] { return std::vector<std::string>{}; };
    out_.str("");
    err_.str("");
    return RunCommandLine(program, args, out_, err_);
  }

  fs::path Path(const char* name) const { return folder_ / name; }
  void WriteFile(const fs::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
  }

  fs::path folder_;
  sim::SimulatedPanel panel_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(EarlierCommandLineTest, WrongArgumentsExitWithTwo) {
  const std::string dev = panel_.DevicePath();
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"erase"},
      {"read", "--port", dev},
      {"read", "--out", "x.ini"},
      {"read", "--port", dev, "--in", "x.ini"},
      {"write", "--port", dev, "--out", "x.ini"},
      {"read", "--port", dev, "--out"},
      {"read", "--port", dev, "--baud", "115201", "--out", "x.ini"},
      {"read", "--port", dev, "--out", "x.ini", "--verbose", "1"},
  };
  for (const auto& args : cases) {
    EXPECT_EQ(Run(args), kExitUsage) << (args.empty() ? "" : args[0]);
    EXPECT_NE(err_.str().find("terminal-earlier --help"), std::string::npos);
  }
  EXPECT_TRUE(panel_.Requests().empty());
  EXPECT_EQ(Run({"--help"}), kExitSuccess);
  EXPECT_NE(out_.str().find("terminal-earlier write  --port DEVICE"), std::string::npos);
  // Its help speaks of its own fixed file, not of an Open button it lacks.
  EXPECT_EQ(out_.str().find("Open button"), std::string::npos);
  EXPECT_EQ(Run({"write", "--help"}), kExitSuccess);
  EXPECT_EQ(out_.str().find("Open button"), std::string::npos);
  EXPECT_NE(out_.str().find("zEdaza.ini"), std::string::npos);
  EXPECT_EQ(Run({"--version"}), kExitSuccess);
  EXPECT_EQ(out_.str(), "terminal-earlier 0.5\n");
}

TEST_F(EarlierCommandLineTest, FailuresExitWithOne) {
  const std::string missing_port = (folder_ / "no-such-tty").string();
  EXPECT_EQ(Run({"read", "--port", missing_port, "--out", Path("o.ini").string()}), kExitFailure);
  EXPECT_EQ(err_.str(),
            "Порт " + missing_port + ": " + std::string(link::com_message::kNoSuchPort) + ".\n");
  EXPECT_FALSE(fs::exists(Path("o.ini")));

  EXPECT_EQ(Run({"write", "--port", panel_.DevicePath(), "--in", Path("none.ini").string()}),
            kExitFailure);
  EXPECT_NE(err_.str().find("Файл налаштувань не знайдено"), std::string::npos);

  // Keys missing from a file would read "?" and defaults: the file is
  // refused, naming them, before the port is opened.
  WriteFile(Path("gap.ini"), "[AdvEdit_Object]\r\nText=12AB\r\n");
  EXPECT_EQ(Run({"write", "--port", panel_.DevicePath(), "--in", Path("gap.ini").string()}),
            kExitFailure);
  EXPECT_NE(err_.str().find(std::string(kMissingKeysRefusal) + "cbPort/ItemIndex"),
            std::string::npos)
      << err_.str();
  EXPECT_EQ(err_.str().find("AdvEdit_Object/"), std::string::npos);
  EXPECT_TRUE(panel_.Requests().empty());
}

TEST_F(EarlierCommandLineTest, ReadPrintsCaptionAndMessagesAndSavesTheKeys) {
  const fs::path out = Path("panel.ini");
  WriteFile(out, "[Notes]\r\nOwner=engineer\r\n");
  ASSERT_EQ(Run({"read", "--port", panel_.DevicePath(), "--baud", "57600", "--out", out.string()}),
            kExitSuccess)
      << err_.str();
  EXPECT_EQ(err_.str(),
            "Тевраль-1/2 GSM GPRS конфігуратор (визначено: t.01, v.01.05 від 14.02.11 в "
            "10:30:00)\n" +
                std::string(kReadSuccessMessage) + "\n" + kSaveSuccessMessage + "\n");
  const auto file = IniFile::Load(out);
  ASSERT_TRUE(file.has_value());
  EXPECT_EQ(file->ReadValue("Notes", "Owner"), "engineer");
  EXPECT_EQ(file->ReadValue("AdvEdit_IP_2", "Text"), "mon.example.ua");
  EXPECT_EQ(file->ReadValue("sCheckBox_DNS_2", "Checked"), "1");
  EXPECT_EQ(file->ReadValue("AdvEdit_PORT_LOCAL_2", "Text"), "4040");
  EXPECT_EQ(file->ReadValue("cbPort", "ItemIndex"), "0");
}

// What goes in through write comes back out of read, apart from what the
// panel does not keep: the event-code switch.
TEST_F(EarlierCommandLineTest, WriteThenReadGivesBackTheSameFile) {
  const fs::path in = Path("in.ini");
  WriteFile(in,
            "[cbPort]\r\nItemIndex=3\r\n"
            "[CheckEnTst]\r\nChecked=1\r\n"
            "[sComboBox_ChProtocol]\r\nItemIndex=1\r\n"
            "[sCheckBox_IncCodes]\r\nChecked=1\r\n"
            "[AdvEdit_Password]\r\nText=000111222333444\r\n"
            "[AdvEdit_Object]\r\nText=0A0B\r\n"
            "[AdvEdit_TestPer]\r\nText=06\r\n"
            "[AdvEdit_TestHou]\r\nText=23\r\n"
            "[AdvEdit_TestMin]\r\nText=05\r\n"
            "[sCheckBoxVerConn]\r\nChecked=1\r\n"
            "[EDIT_Test]\r\nText=alive\r\n"
            "[AdvEditHeartHexSufix]\r\nText=0D\r\n"
            "[EDIT_TestPer]\r\nText=12\r\n"
            "[EDIT_SurGardPref]\r\nText=5001 19\r\n"
            "[AdvEdit_IP_1]\r\nText=10.0.0.25\r\n"
            "[AdvEdit_PORT_1]\r\nText=80\r\n"
            "[AdvEdit_PORT_LOCAL_1]\r\nText=1024\r\n"
            "[AdvEdit_POINT_1]\r\nText=apn.one\r\n"
            "[sCheckBox_DNS_1]\r\nChecked=0\r\n"
            "[RadioButton_TCP_1]\r\nChecked=1\r\n"
            "[RadioButton_UDP_1]\r\nChecked=0\r\n"
            "[AdvEdit_IP_2]\r\nText=ab.cd\r\n"
            "[AdvEdit_PORT_2]\r\nText=3030\r\n"
            "[AdvEdit_PORT_LOCAL_2]\r\nText=2048\r\n"
            "[AdvEdit_POINT_2]\r\nText=apn.two\r\n"
            "[sCheckBox_DNS_2]\r\nChecked=1\r\n"
            "[RadioButton_TCP_2]\r\nChecked=0\r\n"
            "[RadioButton_UDP_2]\r\nChecked=1\r\n"
            "[AdvEditNomerAlter]\r\nText=A380441112233\r\n");
  // The event-code tables end with "0008"; the panel acknowledges it, and
  // the read-back that follows at once finds everything in place.
  ASSERT_EQ(Run({"write", "--port", panel_.DevicePath(), "--in", in.string(), "--verify"}),
            kExitSuccess)
      << err_.str() << out_.str();
  EXPECT_NE(err_.str().find(kWriteSuccessMessage), std::string::npos);
  EXPECT_NE(out_.str().find("Панель містить те саме, що записано."), std::string::npos)
      << out_.str();
  EXPECT_NE(out_.str().find("Таблиця кодів подій: не порівнюється"), std::string::npos);
  const auto& requests = panel_.Requests();
  const auto applied = std::find_if(requests.begin(), requests.end(),
                                    [](const auto& r) { return r.frame == ":0008C8;"; });
  ASSERT_NE(applied, requests.end());
  ASSERT_NE(applied + 1, requests.end());
  EXPECT_TRUE((applied + 1)->frame.starts_with(":0039")) << "the read-back starts by identifying";

  // Someone moves server 2 to TCP behind our back: verify names it.
  panel_.Memory().Write(0, 0x0109, {0x00});
  EXPECT_EQ(Run({"verify", "--port", panel_.DevicePath(), "--in", in.string()}), kExitDiffer);
  EXPECT_NE(out_.str().find("2-ий сервер TCP: файл «ні», панель «так»\n"), std::string::npos)
      << out_.str();
  EXPECT_NE(out_.str().find("2-ий сервер UDP: файл «так», панель «ні»\n"), std::string::npos);
  panel_.Memory().Write(0, 0x0109, {0x02});

  const fs::path out = Path("out.ini");
  ASSERT_EQ(Run({"read", "--port", panel_.DevicePath(), "--out", out.string()}), kExitSuccess)
      << err_.str();

  const auto before = IniFile::Load(in);
  const auto after = IniFile::Load(out);
  ASSERT_TRUE(before && after);
  for (const SettingSpec& field_spec : EarlierSettingsKeys()) {
    const auto key = KeyName(field_spec.key);
    const auto got = after->ReadValue(field_spec.section, key);
    if (field_spec.section == "cbPort") {
      EXPECT_EQ(got, "0");  // the port named on the command line
    } else if (field_spec.section == "sCheckBox_IncCodes") {
      EXPECT_EQ(got, "0");  // not kept by the panel: the window default
    } else {
      EXPECT_EQ(got, before->ReadValue(field_spec.section, key)) << field_spec.section;
    }
  }
}

}  // namespace
}  // namespace tevral::earlier
