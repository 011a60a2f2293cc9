// Demo mode in the window: the "DEMO" port in the list, Read and Write
// clicked against the simulated panel behind it, its failure paths, and the
// frame trace of what went over the line. Also the window's arguments.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>
#include <fstream>

#include "configurator/ui/demo_mode.h"
#include "window_fixture.h"

namespace tevral::ui::uitest {
namespace {

std::vector<std::string> FileLines(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class DemoModeTest : public WindowTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(trace_folder.isValid());
    trace_path = (trace_folder.path() + QStringLiteral("/trace.log")).toStdString();
    WindowArguments arguments;
    arguments.demo = true;
    arguments.trace = trace_path;
    extras = std::make_unique<WindowExtras>(arguments, DemoFirmware::kCurrent);
    MainFormServices services = Services();
    extras->Apply(services);
    window = std::make_unique<TMainForm>(services);
    extras->TracePort(window->BComPort1());
  }
  void TearDown() override {
    window.reset();
    extras.reset();
  }

  void ClickButton(const char* name) { QTest::mouseClick(Control(name), Qt::LeftButton); }

  QStringList PortItems() {
    QStringList items;
    auto* box = Control<QComboBox>("cbPort");
    for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
    return items;
  }

  sim::SimulatedPanel& Panel() { return extras->Demo()->Panel(); }

  QTemporaryDir trace_folder;
  std::filesystem::path trace_path;
  std::unique_ptr<WindowExtras> extras;
};

TEST_F(DemoModeTest, DemoPortComesFirstAndStaysAfterRefresh) {
  EXPECT_EQ(PortItems(), (QStringList{"DEMO", "/dev/ttyFAKE0", "/dev/ttyFAKE1"}));
  EXPECT_EQ(window->MainForm().Text("cbPort"), "DEMO");

  ports = {"/dev/ttyFAKE2"};
  ShowWindow();
  QWidget* focused = window->focusWidget();
  QTest::keyClick(focused != nullptr ? focused : window.get(), Qt::Key_R, Qt::ControlModifier);
  EXPECT_EQ(PortItems(), (QStringList{"DEMO", "/dev/ttyFAKE2"}));
  EXPECT_EQ(window->MainForm().Text("cbPort"), "DEMO");
}

TEST_F(DemoModeTest, ReadAndWriteClickedAgainstTheDemoPanel) {
  ClickButton("ButtonRead");
  EXPECT_TRUE(user.Errors().isEmpty()) << user.Errors().join('|').toStdString();
  EXPECT_EQ(user.Messages(), QStringList{"Прочитано успішно."});
  Form& form = window->MainForm();
  EXPECT_EQ(form.Text("AdvEdit_Object"), "1234");
  EXPECT_EQ(form.Text("AdvEdit_Sim1Serv2"), R"("UDP","mon.example.ua",7779)");
  EXPECT_EQ(form.Text("AdvEdit_POINT_1"), "www.kyivstar.net");
  EXPECT_EQ(form.Text("cbPort"), "DEMO");  // the window keeps showing the name

  form.SetText("AdvEdit_Object", "4321");
  ClickButton("ButtonWrite");
  EXPECT_EQ(user.Messages(), (QStringList{"Прочитано успішно.", "Записано успішно."}));
  EXPECT_EQ(Panel().Memory().Read(0, 0x0200, 2), (std::vector<uint8_t>{0x43, 0x21}));

  // The trace holds exactly the frames the panel saw and its replies.
  std::vector<std::string> expected;
  const std::string path = extras->Demo()->DevicePath();
  for (const auto& record : Panel().Requests()) {
    expected.push_back(path + " -> " + link::QuotedTraceText(record.frame) + " sent");
    expected.push_back(path + " <- " + link::QuotedTraceText(record.reply) + " answered");
  }
  std::vector<std::string> traced;
  for (const std::string& line : FileLines(trace_path)) traced.push_back(line.substr(24));
  EXPECT_EQ(traced, expected);
}

TEST_F(DemoModeTest, DemoPanelFailsAsARealOneDoes) {
  sim::PanelFaults faults;
  faults.stop_after = 3;  // switched off after the identification and two reads
  Panel().SetFaults(faults);
  ClickButton("ButtonRead");
  EXPECT_EQ(user.Messages(), QStringList{QString::fromUtf8(link::kReadFailureMessage)});
  EXPECT_FALSE(window->BComPort1().IsOpen());
  const std::vector<std::string> lines = FileLines(trace_path);
  ASSERT_FALSE(lines.empty());
  EXPECT_TRUE(lines.back().ends_with(R"(<- "" failed)")) << lines.back();
}

TEST(WindowArgumentsTest, DemoTraceAndMistakes) {
  auto parsed = ParseWindowArguments({});
  ASSERT_TRUE(std::holds_alternative<WindowArguments>(parsed));
  EXPECT_FALSE(std::get<WindowArguments>(parsed).demo);
  EXPECT_TRUE(std::get<WindowArguments>(parsed).trace.empty());

  parsed = ParseWindowArguments({"--trace", "t.log", "--demo"});
  ASSERT_TRUE(std::holds_alternative<WindowArguments>(parsed));
  EXPECT_TRUE(std::get<WindowArguments>(parsed).demo);
  EXPECT_EQ(std::get<WindowArguments>(parsed).trace, std::filesystem::path("t.log"));

  parsed = ParseWindowArguments({"--trace=журнал.log", "--screenshot", "docs"});
  ASSERT_TRUE(std::holds_alternative<WindowArguments>(parsed));
  EXPECT_EQ(std::get<WindowArguments>(parsed).trace, std::filesystem::path(u"журнал.log"));
  EXPECT_EQ(std::get<WindowArguments>(parsed).screenshot_folder, QStringLiteral("docs"));

  const QStringList wrong_cases[] = {
      {"--trace"},     {"--trace="}, {"--trace", "a", "--trace", "b"},
      {"--demo-mode"}, {"read"},     {"--screenshot"}};
  for (const QStringList& args : wrong_cases) {
    EXPECT_TRUE(std::holds_alternative<std::string>(ParseWindowArguments(args)))
        << args.join(' ').toStdString();
  }
}

TEST(WindowExtrasTest, TraceFileThatCannotBeOpenedIsAnError) {
  QTemporaryDir folder;
  WindowArguments arguments;
  arguments.trace = folder.path().toStdString();  // a folder
  EXPECT_THROW(WindowExtras(arguments, DemoFirmware::kCurrent), std::runtime_error);
}

}  // namespace
}  // namespace tevral::ui::uitest
