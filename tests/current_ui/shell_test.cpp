// The application shell: start-up steps, hot keys, the about window, the
// device manager label and the port list refresh.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

#include "configurator/ui/field_edit.h"
#include "current/fields.h"
#include "window_fixture.h"

namespace tevral::ui::uitest {
namespace {

constexpr const char* kPortsRefreshed = "Порти оновлено!";

// A key press and release sent to whatever control has the focus.
void PressKey(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QWidget* target = window->focusWidget() != nullptr ? window->focusWidget() : window;
  QTest::keyClick(target, key, modifiers);
}

TEST_F(WindowTest, WindowHasTheFixedClientSizeAndTheGroupsInPlace) {
  MakeWindow();
  EXPECT_EQ(window->size(), QSize(731, 449));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  const struct {
    const char* name;
    QRect place;
  } places[] = {{"sGroupBox4", {8, 0, 417, 89}},        {"sGroupBox2", {8, 90, 417, 79}},
                {"sGroupBox1", {432, 93, 289, 73}},     {"sGroupBox5", {8, 178, 353, 175}},
                {"sGroupBox14", {368, 178, 353, 175}},  {"sGroupBoxNomerAlter", {8, 362, 713, 63}},
                {"ProgressbarWrite", {8, 430, 713, 11}}};
  for (const auto& p : places) EXPECT_EQ(Control(p.name)->geometry(), p.place) << p.name;
  for (const char* name : {"PNGButton_Open", "PNGButton_Save", "ButtonRead", "ButtonWrite"}) {
    EXPECT_EQ(Control(name)->size(), QSize(73, 81)) << name;
    EXPECT_EQ(Control(name)->cursor().shape(), Qt::PointingHandCursor) << name;
  }
  EXPECT_EQ(Control("PNGButton6")->size(), QSize(41, 81));
  EXPECT_EQ(Control("PNGButton6")->toolTip(), QStringLiteral("Про програму"));
  EXPECT_EQ(Control("Label1")->toolTip(), QStringLiteral("Диспетчер пристроїв"));
  // Every control lies inside its group box.
  for (const FieldSpec& field_spec : current::CurrentFields()) {
    QWidget* widget = Control(std::string(field_spec.name).c_str());
    EXPECT_TRUE(widget->parentWidget()->rect().contains(widget->geometry())) << field_spec.name;
  }
}

TEST_F(WindowTest, StartSelectsTheFirstPortAndTheSpeedAndColoursTheBar) {
  MakeWindow();
  EXPECT_EQ(window->MainForm().ItemIndex("cbPort"), 0);
  EXPECT_EQ(window->MainForm().ItemIndex("cbBaudRate"), 12);
  EXPECT_EQ(Control<QProgressBar>("ProgressbarWrite")->palette().color(QPalette::Highlight),
            QColor(0, 128, 0));
  EXPECT_TRUE(user.shown.empty());
  EXPECT_FALSE(window->FormHelp().isVisible());
}

TEST_F(WindowTest, EmptyPortListLeavesNoPortSelected) {
  ports.clear();
  MakeWindow();
  EXPECT_EQ(Control<QComboBox>("cbPort")->count(), 0);
  EXPECT_EQ(window->MainForm().ItemIndex("cbPort"), -1);
  EXPECT_EQ(window->MainForm().ItemIndex("cbBaudRate"), 12);
}

TEST_F(WindowTest, FailedPortListAtStartSkipsTheRestOfTheStart) {
  // A settings file that would otherwise be loaded.
  QFile file(program_folder.filePath("zEdaza.ini"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("[AdvEdit_Object]\r\nText=12AB\r\n");
  file.close();
  port_list_fails = true;
  MakeWindow();
  EXPECT_EQ(user.Errors(), QStringList{"Помилка звернення до системного реєстру."});
  EXPECT_EQ(window->MainForm().ItemIndex("cbPort"), -1);
  EXPECT_EQ(window->MainForm().ItemIndex("cbBaudRate"), -1);
  EXPECT_EQ(window->MainForm().Text("AdvEdit_Object"), "0000");
}

TEST_F(WindowTest, CtrlRRefreshesThePortListWhateverOtherModifiersAreHeld) {
  ShowWindow();
  Control<QComboBox>("cbPort")->setCurrentIndex(1);
  ports = {"/dev/ttyACM0", "/dev/ttyUSB3"};
  PressKey(window.get(), Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(window->MainForm().ItemIndex("cbPort"), 0);
  EXPECT_EQ(window->MainForm().Text("cbPort"), "/dev/ttyACM0");
  EXPECT_EQ(user.Messages(), QStringList{kPortsRefreshed});

  ports.clear();
  PressKey(window.get(), Qt::Key_R, Qt::ControlModifier);
  EXPECT_EQ(Control<QComboBox>("cbPort")->count(), 0);
  EXPECT_EQ(window->MainForm().ItemIndex("cbPort"), -1);
  EXPECT_EQ(user.Messages().size(), 2);

  // R alone is just a letter for the focused field.
  PressKey(window.get(), Qt::Key_R, Qt::NoModifier);
  EXPECT_EQ(user.Messages().size(), 2);
}

TEST_F(WindowTest, FailedRefreshKeepsTheOldListAndSaysNothingOfSuccess) {
  ShowWindow();
  port_list_fails = true;
  PressKey(window.get(), Qt::Key_R, Qt::ControlModifier);
  EXPECT_EQ(user.Errors(), QStringList{"Помилка звернення до системного реєстру."});
  EXPECT_TRUE(user.Messages().isEmpty());
  EXPECT_EQ(Control<QComboBox>("cbPort")->count(), 2);
}

TEST_F(WindowTest, F1ShowsTheAboutWindowSilentlyAndF1ThereHidesIt) {
  ShowWindow();
  for (const Qt::KeyboardModifiers modifiers :
       {Qt::KeyboardModifiers(Qt::NoModifier), Qt::KeyboardModifiers(Qt::ShiftModifier),
        Qt::KeyboardModifiers(Qt::ControlModifier)}) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    PressKey(window.get(), Qt::Key_F1, modifiers);
    TFormHelp& about = window->FormHelp();
    EXPECT_TRUE(about.isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
    PressKey(&about, Qt::Key_F1, Qt::NoModifier);
    EXPECT_FALSE(about.isVisible());
  }
  EXPECT_EQ(desktop.sounds, 0);
}

TEST_F(WindowTest, AboutButtonAndOkSoundAndTheSameWindowComesBack) {
  ShowWindow();
  TFormHelp& about = window->FormHelp();
  QTest::mouseClick(Control("PNGButton6"), Qt::LeftButton);
  EXPECT_TRUE(about.isVisible());
  EXPECT_EQ(desktop.sounds, 1);
  EXPECT_EQ(about.windowTitle(), QStringLiteral("Про програму (v.0.7)"));
  EXPECT_EQ(about.size(), QSize(227, 166));
  auto* ok = about.findChild<QPushButton*>(QStringLiteral("sButton1"));
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->size(), QSize(73, 33));
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_FALSE(about.isVisible());
  EXPECT_EQ(desktop.sounds, 2);
  QTest::mouseClick(Control("PNGButton6"), Qt::LeftButton);
  EXPECT_EQ(&window->FormHelp(), &about);
  EXPECT_TRUE(about.isVisible());
}

TEST_F(WindowTest, AboutLinksOpenTheirAddresses) {
  ShowWindow();
  window->FormHelp().ShowAbout();
  QTest::mouseClick(window->FormHelp().findChild<QWidget*>(QStringLiteral("SiteLink")),
                    Qt::LeftButton);
  QTest::mouseClick(window->FormHelp().findChild<QWidget*>(QStringLiteral("MailLink")),
                    Qt::LeftButton);
  ASSERT_EQ(desktop.addresses.size(), 2u);
  EXPECT_TRUE(desktop.addresses[0].scheme().startsWith(QStringLiteral("http")));
  EXPECT_EQ(desktop.addresses[1].scheme(), QStringLiteral("mailto"));
}

TEST_F(WindowTest, PortLabelSoundsAndOpensTheDeviceManager) {
  ShowWindow();
  QTest::mouseClick(Control("Label1"), Qt::LeftButton);
  EXPECT_EQ(desktop.sounds, 1);
  EXPECT_EQ(desktop.device_manager_opened, 1);
}

TEST_F(WindowTest, CtrlSAndCtrlOWithOrWithoutShiftOpenTheirDialogs) {
  ShowWindow();
  Control("AdvEdit_Object")->setFocus();
  PressKey(window.get(), Qt::Key_S, Qt::ControlModifier);
  PressKey(window.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  PressKey(window.get(), Qt::Key_O, Qt::ControlModifier);
  PressKey(window.get(), Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(user.save_dialog_folders.size(), 2);
  EXPECT_EQ(user.open_dialog_folders.size(), 2);
  // Cancelled both times: nothing shown, field untouched by the keys.
  EXPECT_TRUE(user.shown.empty());
  EXPECT_EQ(window->MainForm().Text("AdvEdit_Object"), "0000");
}

TEST_F(WindowTest, HotKeysFollowThePhysicalKeyUnderAUkrainianLayout) {
  ShowWindow();
  QWidget* focus = Control("EDIT_Test");
  focus->setFocus();
  // Ctrl with the key that is S in the Latin layout gives "і" in the
  // Ukrainian one; X11 key code 39 is that key.
  QKeyEvent press(QEvent::KeyPress, static_cast<Qt::Key>(0x0406), Qt::ControlModifier, 39, 0x6a6, 0,
                  QStringLiteral("і"));
  QApplication::sendEvent(focus, &press);
  EXPECT_EQ(user.save_dialog_folders.size(), 1);
}

}  // namespace
}  // namespace tevral::ui::uitest
