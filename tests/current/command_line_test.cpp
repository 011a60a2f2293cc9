// The command line: its arguments, and read and write run for real against
// the simulated panel, with the settings files they leave or refuse.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "configurator/command_line.h"
#include "configurator/field_table.h"
#include "configurator/settings_file.h"
#include "current/current_command_line.h"
#include "current/fields.h"
#include "current/read_sequence.h"
#include "current/settings_keys.h"
#include "sim/simulated_panel.h"

namespace tevral::current {
namespace {

namespace fs = std::filesystem;

TEST(CommandLineArgumentsTest, ValidRequests) {
  struct Case {
    std::vector<std::string> args;
    PanelCommand command;
    const char* port;
    int baud_index;
    const char* file;
  };
  const Case cases[] = {
      {{"read", "--port", "/dev/ttyUSB0", "--out", "a.ini"},
       PanelCommand::kRead,
       "/dev/ttyUSB0",
       12,
       "a.ini"},
      {{"write", "--in=b.ini", "--baud=9600", "--port=/dev/x"},
       PanelCommand::kWrite,
       "/dev/x",
       6,
       "b.ini"},
      {{"read", "--baud", "110", "--port", "p", "--out", "c"}, PanelCommand::kRead, "p", 0, "c"},
      {{"read", "--baud", "256000", "--port", "p", "--out", "c"},
       PanelCommand::kRead,
       "p",
       14,
       "c"},
  };
  for (const Case& c : cases) {
    ParsedArguments parsed = ParseCommandLine(CurrentCommandLineProgram(), c.args);
    ASSERT_TRUE(std::holds_alternative<CommandLineRequest>(parsed)) << c.args[0];
    const auto& request = std::get<CommandLineRequest>(parsed);
    EXPECT_EQ(request.command, c.command);
    EXPECT_EQ(request.port, c.port);
    EXPECT_EQ(request.baud_index, c.baud_index);
    EXPECT_EQ(request.file, fs::path(c.file));
  }
}

TEST(CommandLineArgumentsTest, HelpAndMistakes) {
  const std::vector<std::string> help_cases[] = {
      {"--help"}, {"-h"}, {"read", "--port", "p", "--help"}};
  for (const auto& args : help_cases) {
    EXPECT_TRUE(
        std::holds_alternative<HelpRequest>(ParseCommandLine(CurrentCommandLineProgram(), args)));
  }
  const std::vector<std::string> wrong_cases[] = {
      {},
      {"erase"},
      {"read"},
      {"read", "--port", "p"},                 // no --out
      {"read", "--port", "p", "--in", "f"},    // --in belongs to write
      {"write", "--port", "p", "--out", "f"},  // --out belongs to read
      {"read", "--out", "f"},                  // no --port
      {"read", "--port", "p", "--out"},        // value missing
      {"read", "--port=", "--out", "f"},       // empty value
      {"read", "--port", "p", "--out", "f", "--baud", "115201"},
      {"read", "--port", "p", "--out", "f", "--baud", "-1"},
      {"read", "--port", "p", "--port", "q", "--out", "f"},
      {"read", "--port", "p", "--out", "f", "extra"},
      {"read", "--speed", "9600", "--port", "p", "--out", "f"},
  };
  for (const auto& args : wrong_cases) {
    EXPECT_TRUE(
        std::holds_alternative<ArgumentError>(ParseCommandLine(CurrentCommandLineProgram(), args)))
        << ::testing::PrintToString(args);
  }
}

class CommandLineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    panel_.Start();
    folder_ = fs::temp_directory_path() /
              ("tevral-cli-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    program_ = CurrentCommandLineProgram();
    // A made-up port list, so the saved port position does not depend on
    // this computer (and no real port is ever named).
    program_.list_ports = [this] {
      return std::vector<std::string>{"/dev/tevral-test-a", panel_.DevicePath()};
    };
  }
  void TearDown() override {
    panel_.Stop();
    fs::remove_all(folder_);
  }

  int Run(std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    return RunCommandLine(program_, args, out_, err_);
  }

  static std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  // A settings file of values the panel keeps exactly as they are, saved
  // as the window's Save button would.
  fs::path MakeSettingsFile(const std::string& name) {
    FieldTable form(CurrentFields());
    form.SetItems("cbPort", {"/dev/tevral-test-a", panel_.DevicePath()});
    form.SetItemIndex("cbPort", 1);
    form.SetItemIndex("sComboBox_ChProtocol", 1);
    form.SetText("AdvEdit_Object", "12AB");
    form.SetText("AdvEdit_TestPer", "12");
    form.SetText("AdvEdit_TestHou", "08");
    form.SetText("AdvEdit_TestMin", "30");
    form.SetText("EDIT_Test", "ping");
    form.SetText("AdvEditHeartHexSufix", "2E");
    form.SetText("EDIT_TestPer", "60");
    form.SetText("AdvEdit_POINT_1", "internet");
    form.SetText("AdvEdit_POINT_2", "\xE0\xEF\xED");  // Cyrillic, in code page 1251
    form.SetText("AdvEditNomerAlter", "A380441234567");
    form.SetText("AdvEdit_Sim1Serv1", "\"TCP\",\"127.0.0.1\",3035");
    form.SetText("AdvEdit_LocalPortSim1Serv1", "3035");
    form.SetText("AdvEdit_Sim2Serv3", "\"UDP\",\"monitor.example.com\",7779");
    form.SetText("AdvEdit_LocalPortSim2Serv3", "65535");
    const fs::path path = folder_ / name;
    SaveSettings(form, path, CurrentSettingsKeys());
    return path;
  }

  sim::SimulatedPanel panel_;
  fs::path folder_;
  CommandLineProgram program_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(CommandLineTest, WriteThenReadGivesBackTheSameFile) {
  const fs::path original = MakeSettingsFile("original.ini");
  ASSERT_EQ(Run({"write", "--port", panel_.DevicePath(), "--in", original.string()}), 0)
      << err_.str();
  EXPECT_NE(err_.str().find("Записано успішно."), std::string::npos) << err_.str();

  const fs::path copy = folder_ / "copy.ini";
  ASSERT_EQ(Run({"read", "--port", panel_.DevicePath(), "--out", copy.string()}), 0) << err_.str();
  EXPECT_EQ(Contents(copy), Contents(original));
  // Everything the window would have shown, in order, one per line.
  const std::string caption =
      "Тевраль-1/2 GSM GPRS конфігуратор (визначено: t.01, v.03.01 від 12.05.24 в 10:42:07)";
  EXPECT_EQ(err_.str(), caption + "\nПрочитано успішно.\nЗбережено успішно.\n");
  EXPECT_EQ(out_.str(), "");
}

TEST_F(CommandLineTest, ReadUpdatesAnExistingFileInPlace) {
  const fs::path path = folder_ / "kept.ini";
  std::ofstream(path, std::ios::binary) << "[Notes]\r\nWho=engineer\r\n[AdvEdit_Object]\r\n"
                                           "Text=FFFF\r\n";
  panel_.Memory().Write(0, 0x0200, {0x00, 0x42});
  ASSERT_EQ(Run({"read", "--port=" + panel_.DevicePath(), "--out=" + path.string()}), 0)
      << err_.str();
  auto file = IniFile::Load(path);
  ASSERT_TRUE(file);
  EXPECT_EQ(file->ReadValue("Notes", "Who"), "engineer");
  EXPECT_EQ(file->ReadValue("AdvEdit_Object", "Text"), "0042");
  EXPECT_EQ(file->ReadValue("cbPort", "ItemIndex"), "1");
}

TEST_F(CommandLineTest, FailedReadLeavesTheFileAlone) {
  const fs::path existing = folder_ / "existing.ini";
  const std::string before = "[AdvEdit_Object]\r\nText=1234\r\n";
  std::ofstream(existing, std::ios::binary) << before;
  // The panel stops answering half way through: the fields are a mixture
  // by then, which must not reach the file.
  sim::PanelFaults faults;
  faults.stop_after = 8;
  panel_.SetFaults(faults);
  EXPECT_EQ(Run({"read", "--port", panel_.DevicePath(), "--out", existing.string()}), 1);
  EXPECT_EQ(Contents(existing), before);
  EXPECT_NE(err_.str().find("Помилка читання !\nНеобхідно перевірити:"), std::string::npos)
      << err_.str();

  // A port that cannot be opened: the component's error naming the port,
  // no file.
  const fs::path fresh = folder_ / "fresh.ini";
  const std::string missing_port = (folder_ / "no-such-port").string();
  EXPECT_EQ(Run({"read", "--port", missing_port, "--out", fresh.string()}), 1);
  EXPECT_FALSE(fs::exists(fresh));
  EXPECT_EQ(err_.str(), "Порт " + missing_port + ": Спроба відкрити неіснуючий СОМ-порт.\n");

  // A file that cannot be saved is found before the port is opened.
  const std::string no_folder = (folder_ / "no-such-folder" / "panel.ini").string();
  EXPECT_EQ(Run({"read", "--port", panel_.DevicePath(), "--out", no_folder}), 1);
  EXPECT_NE(err_.str().find("Неможливо зберегти налаштування"), std::string::npos) << err_.str();
}

TEST_F(CommandLineTest, WriteRefusalsSendNothing) {
  // A missing file is reported before the port is opened.
  EXPECT_EQ(Run({"write", "--port", panel_.DevicePath(), "--in", (folder_ / "none.ini").string()}),
            1);
  EXPECT_NE(err_.str().find("none.ini"), std::string::npos);

  // A file without most keys would read "?" and defaults into the fields:
  // the write refuses it and names every key that is missing.
  const fs::path sparse = folder_ / "sparse.ini";
  std::ofstream(sparse, std::ios::binary) << "[AdvEdit_POINT_1]\r\nText=internet\r\n";
  EXPECT_EQ(Run({"write", "--port", panel_.DevicePath(), "--in", sparse.string()}), 1);
  EXPECT_NE(err_.str().find(std::string(kMissingKeysRefusal) + "cbPort/ItemIndex, CheckEnTst"),
            std::string::npos)
      << err_.str();
  EXPECT_NE(err_.str().find("AdvEdit_LocalPortSim2Serv3/Text\n"), std::string::npos);
  EXPECT_EQ(err_.str().find("AdvEdit_POINT_1/"), std::string::npos);

  // A number that does not convert: the parser's error, UTF-8 on the terminal.
  const fs::path bad_number = MakeSettingsFile("bad.ini");
  std::string text = Contents(bad_number);
  const std::string period = "[EDIT_TestPer]\r\nText=60\r\n";
  ASSERT_NE(text.find(period), std::string::npos) << text;
  text.replace(text.find(period), period.size(), "[EDIT_TestPer]\r\nText=\xF1\xEE\xF0\xEE\xEA\r\n");
  std::ofstream(bad_number, std::ios::binary | std::ios::trunc) << text;
  EXPECT_EQ(Run({"write", "--port", panel_.DevicePath(), "--in", bad_number.string()}), 1);
  EXPECT_EQ(err_.str(), "'сорок' is not a valid integer value.\n");

  EXPECT_TRUE(panel_.ReceivedBytes().empty());
}

TEST_F(CommandLineTest, UsageAndHelp) {
  EXPECT_EQ(Run({"read", "--port", panel_.DevicePath()}), 2);
  EXPECT_NE(err_.str().find("--out is required"), std::string::npos) << err_.str();
  EXPECT_NE(err_.str().find("terminal --help"), std::string::npos);
  EXPECT_EQ(Run({"--help"}), 0);
  EXPECT_NE(out_.str().find("terminal read   --port DEVICE [--baud RATE] --out FILE"),
            std::string::npos);
  EXPECT_EQ(err_.str(), "");
  EXPECT_TRUE(panel_.ReceivedBytes().empty());
}

TEST_F(CommandLineTest, DiffComparesTwoFilesOfflineAsVerifyDoes) {
  const fs::path a = MakeSettingsFile("a.ini");
  IniFile edited = *IniFile::Load(a);
  edited.WriteString("AdvEdit_Object", "Text", "12ab");  // the same number to the panel
  const fs::path same = folder_ / "same.ini";
  std::ofstream(same, std::ios::binary) << edited.Serialize();
  EXPECT_EQ(Run({"diff", a.string(), same.string()}), kExitSuccess) << err_.str();
  EXPECT_NE(out_.str().find("Файли містять те саме."), std::string::npos) << out_.str();

  edited.WriteString("AdvEdit_LocalPortSim2Serv3", "Text", "7001");
  const fs::path other = folder_ / "other.ini";
  std::ofstream(other, std::ios::binary) << edited.Serialize();
  EXPECT_EQ(Run({"diff", a.string(), other.string()}), kExitDiffer) << err_.str();
  EXPECT_EQ(out_.str().find("SIM 2 Локальний порт 3: a.ini «65535», other.ini «7001»\n"), 0u)
      << out_.str();
  EXPECT_NE(out_.str().find("Відмінностей: 1."), std::string::npos);

  EXPECT_EQ(Run({"diff", a.string()}), kExitUsage);
  EXPECT_EQ(Run({"diff", a.string(), (folder_ / "none.ini").string()}), kExitFailure);
  EXPECT_TRUE(panel_.ReceivedBytes().empty());
}

TEST(CommandLineRouting, OnlyTheWindowsOwnOptionsOpenTheWindow) {
  struct Case {
    std::vector<std::string> args;
    bool window;
  };
  const Case cases[] = {
      {{}, true},
      {{"--demo"}, true},
      {{"--trace", "log.txt", "--demo"}, true},
      {{"--trace=log.txt"}, true},
      {{"--screenshot", "docs"}, true},
      {{"raed"}, false},
      {{"--version"}, false},
      {{"--demo", "read"}, false},
      {{"-platform", "offscreen"}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsWindowRequest(c.args), c.window) << ::testing::PrintToString(c.args);
  }
}

}  // namespace
}  // namespace tevral::current
