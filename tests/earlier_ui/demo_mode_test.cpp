// Demo mode in the earlier window: "DEMO" serves a panel of the earlier
// firmware, Read and Write clicked against it, and the trace of both.

#include <gtest/gtest.h>

#include <QComboBox>
#include <fstream>

#include "configurator/ui/demo_mode.h"
#include "earlier_window_fixture.h"
#include "link/exchanges.h"

namespace tevral::earlier::ui::uitest {
namespace {

std::vector<std::string> FileLines(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class EarlierDemoModeTest : public EarlierWindowTest {
 protected:
  void SetUp() override {
    EarlierWindowTest::SetUp();
    WriteSettingsFile("");  // a settings file the user keeps, so the start is quiet
    trace_path = (working_folder.path() + QStringLiteral("/trace.log")).toStdString();
    tevral::ui::WindowArguments arguments;
    arguments.demo = true;
    arguments.trace = trace_path;
    extras =
        std::make_unique<tevral::ui::WindowExtras>(arguments, tevral::ui::DemoFirmware::kEarlier);
    MainFormServices services = Services();
    extras->Apply(services);
    window = std::make_unique<TMainForm>(services);
    extras->TracePort(window->BComPort1());
  }
  void TearDown() override {
    window.reset();
    extras.reset();
    EarlierWindowTest::TearDown();
  }

  void Click(const char* name) { QTest::mouseClick(Control(name), Qt::LeftButton); }

  std::filesystem::path trace_path;
  std::unique_ptr<tevral::ui::WindowExtras> extras;
};

TEST_F(EarlierDemoModeTest, ReadAndWriteAgainstAnEarlierFirmwarePanel) {
  auto* ports_box = Control<QComboBox>("cbPort");
  ASSERT_EQ(ports_box->count(), 3);
  EXPECT_EQ(ports_box->currentText(), QStringLiteral("DEMO"));

  Click("ButtonRead");
  EXPECT_TRUE(user.Errors().isEmpty()) << user.Errors().join('|').toStdString();
  EXPECT_EQ(user.Messages(), QStringList{"Прочитано успішно."});
  Form& form = window->MainForm();
  EXPECT_EQ(form.Text("AdvEdit_IP_2"), "mon.example.ua");
  EXPECT_EQ(form.Text("AdvEdit_Password"), "739164825073916");

  form.SetText("AdvEdit_Object", "4321");
  Click("ButtonWrite");
  EXPECT_EQ(user.Messages(), (QStringList{"Прочитано успішно.", "Записано успішно."}));
  sim::SimulatedPanel& panel = extras->Demo()->Panel();
  EXPECT_EQ(panel.Memory().Read(0, 0x0200, 2), (std::vector<uint8_t>{0x43, 0x21}));

  const std::vector<std::string> lines = FileLines(trace_path);
  EXPECT_EQ(lines.size(), 2 * panel.Requests().size());
  for (const std::string& line : lines) {
    EXPECT_TRUE(line.ends_with(" sent") || line.ends_with(" answered")) << line;
  }
}

}  // namespace
}  // namespace tevral::earlier::ui::uitest
