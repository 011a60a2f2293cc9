// Read and Write clicked in the window, against the simulated panel on a
// pseudo-terminal through the real serial layer: the fields, the caption,
// the messages and the panel's memory afterwards.

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QProgressBar>
#include <QTimer>
#include <algorithm>
#include <set>

#include "configurator/ui/field_edit.h"
#include "link/exchanges.h"
#include "sim/simulated_panel.h"
#include "window_fixture.h"

namespace tevral::ui::uitest {
namespace {

std::vector<uint8_t> Bytes(std::string_view text) {
  return {text.begin(), text.end()};
}

std::vector<uint8_t> Concat(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class PanelCommandsTest : public WindowTest {
 protected:
  void SetUp() override {
    panel.Start();
    ports = {panel.DevicePath()};
  }

  void ClickButton(const char* name) { QTest::mouseClick(Control(name), Qt::LeftButton); }

  // Values no window default or fresh panel has, of every field kind.
  void FillWindow() {
    Form& form = window->MainForm();
    form.SetItemIndex("sComboBox_ChProtocol", 1);
    form.SetText("AdvEdit_Object", "12AB");
    form.SetText("AdvEdit_TestPer", "12");
    form.SetText("AdvEdit_TestHou", "08");
    form.SetText("AdvEdit_TestMin", "30");
    form.SetChecked("sCheckBoxVerConn", true);
    form.SetChecked("CheckEnTst", true);
    form.SetText("EDIT_Test", "ping");
    form.SetText("AdvEditHeartHexSufix", "2E");
    form.SetText("EDIT_TestPer", "60");
    form.SetText("AdvEdit_POINT_1", "internet");
    form.SetText("AdvEdit_POINT_2", "\xE0\xEF\xED");  // "апн" in 1251
    form.SetText("AdvEditNomerAlter", "A380671234567");
    form.SetText("AdvEdit_Sim1Serv1", "\"TCP\",\"127.0.0.1\",3035");
    form.SetText("AdvEdit_LocalPortSim1Serv1", "3035");
    form.SetText("AdvEdit_Sim2Serv3", "\"UDP\",\"srv.example\",7779");
    form.SetText("AdvEdit_LocalPortSim2Serv3", "7779");
  }

  sim::SimulatedPanel panel;
};

TEST_F(PanelCommandsTest, WriteStoresTheWindowAndReadBringsItBack) {
  MakeWindow();
  FillWindow();
  ClickButton("ButtonWrite");
  EXPECT_TRUE(user.Errors().isEmpty()) << user.Errors().join('|').toStdString();
  EXPECT_EQ(user.Messages(), QStringList{"Записано успішно."});
  EXPECT_EQ(window->windowTitle(),
            QStringLiteral("Тевраль-1/2 GSM GPRS конфігуратор (визначено: t.01, v.03.01 від "
                           "12.05.24 в 10:42:07)"));
  EXPECT_FALSE(window->BComPort1().IsOpen());
  EXPECT_EQ(Control<QProgressBar>("ProgressbarWrite")->value(), 0);

  sim::PanelMemory& memory = panel.Memory();
  EXPECT_EQ(memory.Read(0, 0x0200, 2), (std::vector<uint8_t>{0x12, 0xAB}));
  EXPECT_EQ(memory.Read(0, 0x0065, 1), (std::vector<uint8_t>{0x20}));
  EXPECT_EQ(memory.Read(0, 0x00A0, 3), (std::vector<uint8_t>{12, 8, 30}));
  EXPECT_EQ(memory.Read(0, 0x00D0, 10), Concat(Bytes("internet"), {0x01, 0x01}));
  EXPECT_EQ(memory.Read(0, 0x00E8, 5), (std::vector<uint8_t>{0xE0, 0xEF, 0xED, 0x01, 0x01}));
  EXPECT_EQ(memory.Read(0, 0x0170, 9), Concat(Bytes("5000 18"), {0x01, 0x01}));
  const std::string server = "\"TCP\",\"127.0.0.1\",3035";
  EXPECT_EQ(memory.Read(1, 0x00A6, server.size() + 1), Concat(Bytes(server), {0x0F}));
  EXPECT_EQ(memory.Read(1, 0x00A0, 5), Concat(Bytes("3035"), {0x0F}));

  // Everything the read fills goes back to something else first.
  Form& form = window->MainForm();
  form.SetItemIndex("sComboBox_ChProtocol", 0);
  for (const char* name : {"AdvEdit_Object", "AdvEdit_TestPer", "AdvEdit_TestHou",
                           "AdvEdit_TestMin", "AdvEdit_Sim1Serv1", "AdvEdit_LocalPortSim1Serv1",
                           "AdvEdit_Sim2Serv3", "AdvEdit_LocalPortSim2Serv3"}) {
    form.SetText(name, "");
  }
  user.shown.clear();
  ClickButton("ButtonRead");
  EXPECT_TRUE(user.Errors().isEmpty()) << user.Errors().join('|').toStdString();
  EXPECT_EQ(user.Messages(), QStringList{"Прочитано успішно."});
  EXPECT_EQ(form.ItemIndex("sComboBox_ChProtocol"), 1);
  EXPECT_EQ(form.Text("AdvEdit_Object"), "12AB");
  EXPECT_EQ(form.Text("AdvEdit_TestPer"), "12");
  EXPECT_EQ(form.Text("AdvEdit_TestHou"), "08");
  EXPECT_EQ(form.Text("AdvEdit_TestMin"), "30");
  EXPECT_TRUE(form.Checked("sCheckBoxVerConn"));
  EXPECT_TRUE(form.Checked("CheckEnTst"));
  EXPECT_EQ(form.Text("EDIT_Test"), "ping");
  EXPECT_EQ(form.Text("AdvEditHeartHexSufix"), "2E");
  EXPECT_EQ(form.Text("EDIT_TestPer"), "60");
  EXPECT_EQ(form.Text("AdvEdit_POINT_1"), "internet");
  EXPECT_EQ(Control<FieldEdit>("AdvEdit_POINT_2")->text(), QStringLiteral("апн"));
  EXPECT_EQ(form.Text("AdvEditNomerAlter"), "A380671234567");
  EXPECT_EQ(form.Text("AdvEdit_Sim1Serv1"), server);
  EXPECT_EQ(form.Text("AdvEdit_LocalPortSim1Serv1"), "3035");
  EXPECT_EQ(form.Text("AdvEdit_Sim2Serv3"), "\"UDP\",\"srv.example\",7779");
  EXPECT_EQ(form.Text("AdvEdit_LocalPortSim2Serv3"), "7779");
  EXPECT_FALSE(window->BComPort1().IsOpen());
  EXPECT_EQ(Control<QProgressBar>("ProgressbarWrite")->value(), 0);
}

TEST_F(PanelCommandsTest, SilentPanelLeavesTheEmptiedFieldsAndSaysWhy) {
  MakeWindow();
  sim::PanelFaults faults;
  faults.silent = true;
  panel.SetFaults(faults);
  ClickButton("ButtonRead");
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Тевраль-1/2 GSM GPRS конфігуратор (визначено: "
                                                  "обмежена функціональність)"));
  EXPECT_EQ(user.Messages(),
            (QStringList{QStringLiteral("Необхідно оновити програмне забезпечення ППКП!"),
                         QString::fromUtf8(link::kReadFailureMessage)}));
  EXPECT_TRUE(user.Errors().isEmpty());
  Form& form = window->MainForm();
  for (const char* emptied : {"AdvEditNomerAlter", "EDIT_Test", "AdvEditHeartHexSufix",
                              "AdvEdit_POINT_1", "AdvEdit_POINT_2"}) {
    EXPECT_EQ(form.Text(emptied), "") << emptied;
  }
  EXPECT_EQ(form.Text("EDIT_TestPer"), "0");
  EXPECT_FALSE(form.Checked("sCheckBoxVerConn"));
  EXPECT_FALSE(form.Checked("CheckEnTst"));
  EXPECT_EQ(form.Text("AdvEdit_Object"), "0000");
  EXPECT_EQ(form.Text("AdvEdit_TestPer"), "24");
  EXPECT_FALSE(window->BComPort1().IsOpen());
  EXPECT_EQ(Control<QProgressBar>("ProgressbarWrite")->value(), 0);
}

TEST_F(PanelCommandsTest, RefusedWriteTouchesNeitherPortNorPanel) {
  MakeWindow();
  window->MainForm().SetText("AdvEdit_POINT_1", std::string(23, 'a'));
  ClickButton("ButtonWrite");
  EXPECT_EQ(user.Messages(),
            QStringList{"Невідповідність кількості знаків в полі \"Точка доступу 1\""});
  EXPECT_TRUE(panel.Requests().empty());
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Тевраль-1/2 GSM GPRS конфігуратор"));
}

TEST_F(PanelCommandsTest, PortThatCannotBeOpenedGoesToTheErrorBox) {
  MakeWindow();
  window->MainForm().SetItems("cbPort", {(program_folder.path() + "/ttyGone").toStdString()});
  window->MainForm().SetItemIndex("cbPort", 0);
  ClickButton("ButtonRead");
  EXPECT_EQ(user.Errors(), QStringList{"Спроба відкрити неіснуючий СОМ-порт."});
  EXPECT_TRUE(user.Messages().isEmpty());
  EXPECT_EQ(window->MainForm().Text("EDIT_Test"), "t") << "no field touched";
}

TEST_F(PanelCommandsTest, WindowPaintsButTakesNoInputWhileACommandRuns) {
  ShowWindow();
  // Slow replies stretch the read to about a second.
  sim::PanelFaults faults;
  faults.reply_delay_ms = 30;
  panel.SetFaults(faults);
  auto* bar = Control<QProgressBar>("ProgressbarWrite");
  std::set<int> positions_seen;
  int ticks = 0;
  bool close_refused = false;
  QTimer poke;
  poke.setInterval(20);
  QObject::connect(&poke, &QTimer::timeout, [&] {
    ++ticks;
    positions_seen.insert(bar->value());
    if (ticks == 3) {
      // The user tries the about button, F1, another speed and closing the
      // window.
      QTest::mouseClick(Control("PNGButton6"), Qt::LeftButton);
      QWidget* focus = window->focusWidget() ? window->focusWidget() : window.get();
      QTest::keyClick(focus, Qt::Key_F1);
      QTest::keyClick(Control("cbBaudRate"), Qt::Key_Down);
      close_refused = !window->close();
    }
  });
  poke.start();
  ClickButton("ButtonRead");
  poke.stop();

  EXPECT_EQ(user.Messages(), QStringList{"Прочитано успішно."});
  EXPECT_GT(ticks, 10) << "the event loop kept turning";
  EXPECT_GE(positions_seen.size(), 5u) << "the bar moved visibly";
  EXPECT_FALSE(window->FormHelp().isVisible());
  EXPECT_EQ(desktop.sounds, 0);
  EXPECT_TRUE(close_refused);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->MainForm().ItemIndex("cbBaudRate"), 12);

  // Input is taken again once the command has ended.
  QTest::mouseClick(Control("PNGButton6"), Qt::LeftButton);
  EXPECT_TRUE(window->FormHelp().isVisible());
}

}  // namespace
}  // namespace tevral::ui::uitest
