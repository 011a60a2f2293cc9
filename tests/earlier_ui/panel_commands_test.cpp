// Read and Write clicked in the earlier window, against the simulated panel
// of the earlier firmware on a pseudo-terminal, through the real serial
// layer: the fields, the caption, the messages and the panel's memory.

#include <gtest/gtest.h>

#include <QFile>
#include <QProgressBar>
#include <QTimer>
#include <set>

#include "earlier_window_fixture.h"
#include "link/exchanges.h"
#include "sim/earlier_panel_image.h"
#include "sim/simulated_panel.h"

namespace tevral::earlier::ui::uitest {
namespace {

constexpr const char* kIdentifiedCaption =
    "Тевраль-1/2 GSM GPRS конфігуратор (визначено: t.01, v.01.05 від 14.02.11 в 10:30:00)";
constexpr const char* kLimitedCaption =
    "Тевраль-1/2 GSM GPRS конфігуратор (визначено: обмежена функціональність)";

std::vector<uint8_t> Bytes(std::initializer_list<int> values) {
  std::vector<uint8_t> bytes;
  for (int v : values) bytes.push_back(static_cast<uint8_t>(v));
  return bytes;
}

std::vector<uint8_t> Text(std::string_view text, std::initializer_list<int> end) {
  std::vector<uint8_t> bytes(text.begin(), text.end());
  for (int v : end) bytes.push_back(static_cast<uint8_t>(v));
  return bytes;
}

class EarlierPanelCommandsTest : public EarlierWindowTest {
 protected:
  void SetUp() override {
    EarlierWindowTest::SetUp();
    panel.SetIdentity(sim::EarlierPanelIdentity());
    sim::WriteEarlierPanelImage(panel.Memory());
    panel.Start();
    ports = {panel.DevicePath()};
    // A settings file the user keeps, so the start is quiet.
    WriteSettingsFile("");
  }
  void TearDown() override {
    window.reset();
    panel.Stop();
    EarlierWindowTest::TearDown();
  }

  // Window defaults of every field, so a read has something to replace.
  void StartWithDefaults() {
    QFile::remove(SettingsFile());
    MakeWindow();
    user.shown.clear();
  }

  void Click(const char* name) { QTest::mouseClick(Control(name), Qt::LeftButton); }

  std::vector<std::string> Bodies() const {
    std::vector<std::string> bodies;
    for (const sim::RequestRecord& r : panel.Requests()) {
      bodies.push_back(r.frame.size() >= 4 ? r.frame.substr(1, r.frame.size() - 4) : r.frame);
    }
    return bodies;
  }

  int BarValue() { return Control<QProgressBar>("ProgressbarWrite")->value(); }

  sim::SimulatedPanel panel;
};

TEST_F(EarlierPanelCommandsTest, ReadFillsTheWindowFromThePanel) {
  StartWithDefaults();
  Click("ButtonRead");
  EXPECT_TRUE(user.Errors().isEmpty()) << user.Errors().join('|').toStdString();
  EXPECT_EQ(user.Messages(), QStringList{"Прочитано успішно."});
  EXPECT_EQ(window->windowTitle(), QString::fromUtf8(kIdentifiedCaption));
  Form& form = window->MainForm();
  const struct {
    const char* field;
    const char* text;
  } texts[] = {
      {"AdvEditNomerAlter", "0A380"},
      {"AdvEdit_Password", "739164825073916"},
      {"AdvEdit_PORT_LOCAL_1", "3030"},
      {"AdvEdit_PORT_LOCAL_2", "4040"},
      {"AdvEdit_Object", "1234"},
      {"EDIT_TestPer", "40"},
      {"EDIT_Test", "t"},
      {"AdvEditHeartHexSufix", "14"},
      {"EDIT_SurGardPref", "5000 18"},
      {"AdvEdit_POINT_1", "www.kyivstar.net"},
      {"AdvEdit_POINT_2", "www.umc.ua"},
      {"AdvEdit_IP_1", "127.0.0.1"},
      {"AdvEdit_PORT_1", "3030"},
      {"AdvEdit_IP_2", "mon.example.ua"},
      {"AdvEdit_PORT_2", "7779"},
      {"AdvEdit_TestPer", "24"},
      {"AdvEdit_TestHou", "14"},
      {"AdvEdit_TestMin", "17"},
  };
  for (const auto& t : texts) EXPECT_EQ(form.Text(t.field), t.text) << t.field;
  EXPECT_FALSE(form.Checked("sCheckBox_DNS_1"));
  EXPECT_TRUE(form.Checked("sCheckBox_DNS_2"));
  EXPECT_TRUE(form.Checked("RadioButton_TCP_1"));
  EXPECT_TRUE(form.Checked("RadioButton_UDP_2"));
  EXPECT_FALSE(form.Checked("RadioButton_TCP_2"));
  EXPECT_TRUE(form.Checked("sCheckBoxVerConn"));
  EXPECT_TRUE(form.Checked("CheckEnTst"));
  EXPECT_EQ(form.ItemIndex("sComboBox_ChProtocol"), 0);
  EXPECT_EQ(Bodies().size(), 16u);
  EXPECT_FALSE(window->BComPort1().IsOpen());
  EXPECT_EQ(BarValue(), 0);
}

TEST_F(EarlierPanelCommandsTest, WriteWithEventCodesStoresTheWindowAndReadBringsItBack) {
  MakeWindow();
  Form& form = window->MainForm();
  // The protocol and the event-code switch come only from the file or a
  // read; the file said SOS 112 with codes.
  form.SetItemIndex("sComboBox_ChProtocol", 1);
  form.SetChecked("sCheckBox_IncCodes", true);
  const struct {
    const char* field;
    const char* text;
  } texts[] = {
      {"AdvEditNomerAlter", "A380671234567"},
      {"AdvEdit_Password", "1234"},
      {"AdvEdit_PORT_LOCAL_1", "5001"},
      {"AdvEdit_PORT_LOCAL_2", "5002"},
      {"AdvEdit_Object", "12AB"},
      {"EDIT_TestPer", "60"},
      {"EDIT_Test", "ping"},
      {"AdvEditHeartHexSufix", "2E"},
      {"EDIT_SurGardPref", "6000 01"},
      {"AdvEdit_POINT_1", "internet"},
      {"AdvEdit_POINT_2", "\xE0\xEF\xED"},
      {"AdvEdit_IP_1", "10.0.0.25"},
      {"AdvEdit_PORT_1", "80"},
      {"AdvEdit_IP_2", "ab.cd"},
      {"AdvEdit_PORT_2", "3030"},
      {"AdvEdit_TestPer", "12"},
      {"AdvEdit_TestHou", "08"},
      {"AdvEdit_TestMin", "30"},
  };
  for (const auto& t : texts) form.SetText(t.field, t.text);
  form.SetChecked("sCheckBox_DNS_1", false);
  form.SetChecked("sCheckBox_DNS_2", true);
  form.SetChecked("RadioButton_UDP_1", true);
  form.SetChecked("RadioButton_TCP_2", true);
  user.shown.clear();

  Click("ButtonWrite");
  EXPECT_TRUE(user.Errors().isEmpty()) << user.Errors().join('|').toStdString();
  EXPECT_EQ(user.Messages(), QStringList{"Записано успішно."});
  EXPECT_EQ(window->windowTitle(), QString::fromUtf8(kIdentifiedCaption));
  EXPECT_FALSE(window->BComPort1().IsOpen());
  EXPECT_EQ(BarValue(), 0);
  const std::vector<std::string> bodies = Bodies();
  ASSERT_EQ(bodies.size(), 21u);
  EXPECT_EQ(bodies.back(), "0008");

  sim::PanelMemory& memory = panel.Memory();
  EXPECT_EQ(memory.Read(0, 0x0066, 13),
            Bytes({0x01, 0x00, 0x0C, 0x00, 0x0C, 0x00, 0x0C, 0x02, 0x05, 0x0D, 0x08, 0x00, 0x0F}));
  EXPECT_EQ(memory.Read(0, 0x0086, 12), Text("\x0C"
                                             "ab.cd\x0D"
                                             "3030",
                                             {0x0F}));
  EXPECT_EQ(memory.Read(0, 0x0109, 2), Bytes({0x01, 0x0F}));
  EXPECT_EQ(memory.Read(0, 0x0065, 1), Bytes({0x20}));
  EXPECT_EQ(memory.Read(0, 0x0200, 2), Bytes({0x12, 0xAB}));
  EXPECT_EQ(memory.Read(0, 0x00E8, 5), Bytes({0xE0, 0xEF, 0xED, 0x01, 0x01}));
  EXPECT_EQ(memory.Read(1, 0x0010, 5), Text("1234", {0x0F}));
  EXPECT_EQ(memory.Read(0, 0x00A0, 3), Bytes({12, 8, 30}));
  // The SOS 112 table: entry 0 is 2003, entries 73 and 74 are 2000, the
  // last is 2084.
  EXPECT_EQ(memory.Read(0, 0x0204, 2), Bytes({0x20, 0x03}));
  EXPECT_EQ(memory.Read(0, 0x0204 + 2 * 73, 4), Bytes({0x20, 0x00, 0x20, 0x00}));
  EXPECT_EQ(memory.Read(0, 0x02A6, 2), Bytes({0x20, 0x84}));

  // Everything the read fills goes to something else first.
  for (const auto& t : texts) form.SetText(t.field, "");
  form.SetItemIndex("sComboBox_ChProtocol", 0);
  form.SetChecked("RadioButton_TCP_1", true);
  form.SetChecked("sCheckBox_DNS_2", false);
  user.shown.clear();
  Click("ButtonRead");
  EXPECT_EQ(user.Messages(), QStringList{"Прочитано успішно."});
  for (const auto& t : texts) EXPECT_EQ(form.Text(t.field), t.text) << t.field;
  EXPECT_EQ(form.ItemIndex("sComboBox_ChProtocol"), 1);
  EXPECT_TRUE(form.Checked("RadioButton_UDP_1"));
  EXPECT_TRUE(form.Checked("RadioButton_TCP_2"));
  EXPECT_TRUE(form.Checked("sCheckBox_DNS_2"));
  EXPECT_FALSE(form.Checked("sCheckBox_DNS_1"));
}

TEST_F(EarlierPanelCommandsTest, LimitedPanelGetsOnlyWhatItSharesAndTheCaptionSaysSo) {
  sim::PanelIdentity identity = sim::EarlierPanelIdentity();
  identity.limited = true;
  panel.SetIdentity(identity);
  StartWithDefaults();
  window->MainForm().SetText("AdvEdit_PORT_LOCAL_1", "9999");
  Click("ButtonRead");
  EXPECT_EQ(user.Messages(), QStringList{"Прочитано успішно."});
  EXPECT_EQ(window->windowTitle(), QString::fromUtf8(kLimitedCaption));
  const std::vector<std::string> bodies = Bodies();
  ASSERT_EQ(bodies.size(), 10u);
  EXPECT_EQ(bodies[1], "0001020200");  // straight to the object number
  EXPECT_EQ(window->MainForm().Text("AdvEdit_PORT_LOCAL_1"), "9999");
  EXPECT_EQ(window->MainForm().Text("AdvEdit_Object"), "1234");
}

// A line with nothing on it: the checklist alone, the start caption, and
// the window as it was before the read, edits included.
TEST_F(EarlierPanelCommandsTest, SilentLineLeavesTheWindowAsItWasAndSaysWhy) {
  StartWithDefaults();
  sim::PanelFaults faults;
  faults.silent = true;
  panel.SetFaults(faults);
  Form& form = window->MainForm();
  form.SetText("EDIT_Test", "edited");
  form.SetText("AdvEdit_IP_1", "10.9.9.9");
  std::vector<std::string> before;
  for (const char* name :
       {"EDIT_Test", "AdvEditHeartHexSufix", "EDIT_SurGardPref", "AdvEdit_IP_1", "AdvEdit_POINT_2",
        "AdvEditNomerAlter", "AdvEdit_PORT_1", "EDIT_TestPer", "AdvEdit_Password"}) {
    before.push_back(form.Text(name));
  }
  const bool verify = form.Checked("sCheckBoxVerConn");
  Click("ButtonRead");
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Тевраль-1/2 GSM GPRS конфігуратор"));
  EXPECT_EQ(user.Messages(), QStringList{QString::fromUtf8(link::kReadFailureMessage)});
  EXPECT_TRUE(user.Errors().isEmpty());
  std::vector<std::string> after;
  for (const char* name :
       {"EDIT_Test", "AdvEditHeartHexSufix", "EDIT_SurGardPref", "AdvEdit_IP_1", "AdvEdit_POINT_2",
        "AdvEditNomerAlter", "AdvEdit_PORT_1", "EDIT_TestPer", "AdvEdit_Password"}) {
    after.push_back(form.Text(name));
  }
  EXPECT_EQ(after, before);
  EXPECT_EQ(form.Checked("sCheckBoxVerConn"), verify);
  EXPECT_FALSE(window->BComPort1().IsOpen());
  EXPECT_EQ(BarValue(), 0);
}

TEST_F(EarlierPanelCommandsTest, RefusedWriteTouchesNeitherPortNorPanel) {
  // A settings file without the local port of server 1 puts "?" there.
  WriteSettingsFile("[AdvEdit_IP_1]\r\nText=127.0.0.1\r\n");
  MakeWindow();
  ASSERT_EQ(window->MainForm().Text("AdvEdit_PORT_LOCAL_1"), "?");
  window->MainForm().SetText("AdvEdit_POINT_1", std::string(23, 'a'));
  Click("ButtonWrite");
  EXPECT_EQ(user.Messages(),
            QStringList{"Невідповідність кількості знаків в полі \"Точка доступу 1\""});
  EXPECT_TRUE(panel.Requests().empty());
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Тевраль-1/2 GSM GPRS конфігуратор"));
  EXPECT_FALSE(window->BComPort1().IsOpen());
}

TEST_F(EarlierPanelCommandsTest, PortThatCannotBeOpenedGoesToTheErrorBox) {
  StartWithDefaults();
  window->MainForm().SetItems("cbPort", {program_folder.filePath("ttyGone").toStdString()});
  window->MainForm().SetItemIndex("cbPort", 0);
  Click("ButtonRead");
  EXPECT_EQ(user.Errors(), QStringList{"Спроба відкрити неіснуючий СОМ-порт."});
  EXPECT_TRUE(user.Messages().isEmpty());
  EXPECT_EQ(window->MainForm().Text("EDIT_Test"), "t") << "no field touched";
}

TEST_F(EarlierPanelCommandsTest, WindowPaintsButTakesNoInputWhileAReadRuns) {
  ShowWindow();
  sim::PanelFaults faults;
  faults.reply_delay_ms = 30;  // about a second for the whole read
  panel.SetFaults(faults);
  auto* bar = Control<QProgressBar>("ProgressbarWrite");
  std::set<int> positions_seen;
  int ticks = 0;
  QTimer poke;
  poke.setInterval(20);
  QObject::connect(&poke, &QTimer::timeout, [&] {
    ++ticks;
    positions_seen.insert(bar->value());
    if (ticks == 3) {
      // The user tries the save and about buttons, F1 and Ctrl+R.
      QTest::mouseClick(Control("PNGButton2"), Qt::LeftButton);
      QTest::mouseClick(Control("PNGButton6"), Qt::LeftButton);
      QWidget* focus = window->focusWidget() ? window->focusWidget() : window.get();
      QTest::keyClick(focus, Qt::Key_F1);
      QTest::keyClick(focus, Qt::Key_R, Qt::ControlModifier);
    }
  });
  poke.start();
  Click("ButtonRead");
  poke.stop();

  EXPECT_EQ(user.Messages(), QStringList{"Прочитано успішно."});
  EXPECT_GT(ticks, 10) << "the event loop kept turning";
  EXPECT_GE(positions_seen.size(), 5u) << "the bar moved visibly";
  EXPECT_FALSE(window->FormHelp().isVisible());
  EXPECT_EQ(desktop.sounds, 0);
  EXPECT_EQ(ReadSettingsFile(), QByteArray()) << "nothing saved";
}

}  // namespace
}  // namespace tevral::earlier::ui::uitest
