// The earlier window as the user meets it: its size and layout, the
// start-up with and without zEdaza.ini, the hot keys, the about window,
// the device manager label and what the fields let the user type.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "configurator/ui/field_edit.h"
#include "earlier/earlier_fields.h"
#include "earlier_window_fixture.h"

namespace tevral::earlier::ui::uitest {
namespace {

constexpr const char* kOpenError = "Open Error: missing zEdaza.ini";
constexpr const char* kPortsRefreshed = "Порти оновлено!";

// A key press and release sent to whatever control has the focus.
void PressKey(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QWidget* target = window->focusWidget() != nullptr ? window->focusWidget() : window;
  QTest::keyClick(target, key, modifiers);
}

// The width a control needs to show its whole text.
int NeededWidth(QWidget* widget) {
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    return label->fontMetrics().horizontalAdvance(label->text());
  }
  return widget->sizeHint().width();
}

TEST_F(EarlierWindowTest, WindowHasItsFixedSizeCaptionAndGroupsInPlace) {
  MakeWindow();
  EXPECT_EQ(window->size(), QSize(729, 401));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Тевраль-1/2 GSM GPRS конфігуратор"));
  const struct {
    const char* name;
    QRect place;
    const char* caption;
  } groups[] = {
      {"sGroupBox4", {8, 0, 353, 89}, ""},
      {"sGroupBox1", {368, 0, 233, 89}, "Передачі для підтримки GPRS сесії"},
      {"sGroupBox3", {608, 0, 113, 89}, "Префікс SUR-GARD"},
      {"sGroupBox2", {8, 90, 713, 71}, ""},
      {"sGroupBox6", {8, 162, 353, 151}, "1-ий сервер"},
      {"sGroupBox7", {368, 162, 353, 151}, "2-ий сервер"},
      {"sGroupBoxNomerAlter",
       {8, 314, 713, 63},
       "Номер аварійної передачі в стандартному протоколі Contact ID"},
  };
  for (const auto& g : groups) {
    auto* box = Control<QGroupBox>(g.name);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->geometry(), g.place) << g.name;
    EXPECT_EQ(box->title(), QString::fromUtf8(g.caption)) << g.name;
    EXPECT_LE(box->fontMetrics().horizontalAdvance(box->title()), g.place.width()) << g.name;
  }
  EXPECT_EQ(Control("ProgressbarWrite")->geometry(), QRect(8, 382, 713, 11));

  // The four image buttons left to right, and no open button at all.
  const struct {
    const char* name;
    const char* caption;
    const char* hint;
    QSize size;
  } buttons[] = {{"ButtonRead", "Прочитати", "Прочитати", {73, 81}},
                 {"ButtonWrite", "Записати", "Записати", {73, 81}},
                 {"PNGButton2", "Зберегти", "Зберегти", {73, 81}},
                 {"PNGButton6", "", "Про програму", {41, 81}}};
  int previous_right = Control("cbPort")->geometry().right();
  for (const auto& b : buttons) {
    auto* button = Control<QToolButton>(b.name);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->parentWidget()->objectName(), QStringLiteral("sGroupBox4")) << b.name;
    EXPECT_EQ(button->text(), QString::fromUtf8(b.caption)) << b.name;
    EXPECT_EQ(button->toolTip(), QString::fromUtf8(b.hint)) << b.name;
    EXPECT_EQ(button->size(), b.size) << b.name;
    EXPECT_EQ(button->cursor().shape(), Qt::PointingHandCursor) << b.name;
    EXPECT_GT(button->geometry().left(), previous_right) << b.name;
    previous_right = button->geometry().right();
  }
  EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("PNGButton_Open")), nullptr);
  EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("PNGButton_Save")), nullptr);
}

TEST_F(EarlierWindowTest, ControlsStayInTheirBoxesWithoutOverlapAndShowTheirWholeText) {
  MakeWindow();
  for (const FieldSpec& field_spec : EarlierFields()) {
    QWidget* widget = Control(std::string(field_spec.name).c_str());
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->parentWidget()->objectName(), QString::fromUtf8(field_spec.group))
        << field_spec.name;
  }
  for (QGroupBox* box : window->findChildren<QGroupBox*>()) {
    const QList<QWidget*> children = box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (qsizetype i = 0; i < children.size(); ++i) {
      QWidget* a = children[i];
      const std::string name_a = a->objectName().isEmpty()
                                     ? a->property("text").toString().toStdString()
                                     : a->objectName().toStdString();
      EXPECT_TRUE(box->rect().contains(a->geometry())) << name_a;
      const bool has_text =
          qobject_cast<QLabel*>(a) != nullptr || (qobject_cast<QAbstractButton*>(a) != nullptr &&
                                                  qobject_cast<QToolButton*>(a) == nullptr);
      if (has_text) {
        EXPECT_LE(NeededWidth(a), a->width()) << name_a;
      }
      for (qsizetype j = i + 1; j < children.size(); ++j) {
        QWidget* b = children[j];
        EXPECT_FALSE(a->geometry().intersects(b->geometry()))
            << name_a << " overlaps " << b->objectName().toStdString() << " "
            << b->property("text").toString().toStdString();
      }
    }
  }
}

TEST_F(EarlierWindowTest, HintsAndControlsThatOnlyAReadOrTheFileMayChange) {
  MakeWindow();
  const struct {
    const char* name;
    const char* hint;
  } hints[] = {
      {"Label1", "Диспетчер пристроїв"},
      {"cbPort", "Ctrl+R для оновлення списку"},
      {"cbBaudRate", "Швидкість"},
      {"AdvEdit_Object", "По даному номеру на пульті ідентифікується об'єкт"},
      {"AdvEdit_TestPer", "Період в годинах 01...24"},
      {"EDIT_Test", "В протоколі SOS 112 незмінний текст передається автоматично"},
      {"AdvEditHeartHexSufix", "Suffix in HEX"},
      {"sCheckBox_DNS_2", "Звернення по доменному імені"},
      {"AdvEditNomerAlter",
       "\"A\" прирівнюється до \"+\" при введені номеру в міжнародному форматі"},
  };
  for (const auto& h : hints) EXPECT_EQ(Control(h.name)->toolTip(), QString::fromUtf8(h.hint));
  // Of the plain labels only Label1 has a hint.
  for (QLabel* label : window->findChildren<QLabel*>()) {
    if (label->objectName() != QStringLiteral("Label1")) {
      EXPECT_TRUE(label->toolTip().isEmpty()) << label->text().toStdString();
    }
  }
  EXPECT_FALSE(Control("sComboBox_ChProtocol")->isEnabled());
  EXPECT_FALSE(Control("sCheckBox_IncCodes")->isEnabled());
  EXPECT_EQ(Control<QComboBox>("sComboBox_ChProtocol")->count(), 2);
}

TEST_F(EarlierWindowTest, TransportButtonsExcludeEachOtherWithinOneServerOnly) {
  ShowWindow();
  QTest::mouseClick(Control("RadioButton_UDP_1"), Qt::LeftButton);
  Form& form = window->MainForm();
  EXPECT_TRUE(form.Checked("RadioButton_UDP_1"));
  EXPECT_FALSE(form.Checked("RadioButton_TCP_1"));
  EXPECT_TRUE(form.Checked("RadioButton_TCP_2"));
  EXPECT_FALSE(form.Checked("RadioButton_UDP_2"));
  QTest::mouseClick(Control("RadioButton_TCP_1"), Qt::LeftButton);
  EXPECT_FALSE(form.Checked("RadioButton_UDP_1"));
  EXPECT_TRUE(form.Checked("RadioButton_TCP_1"));
}

TEST_F(EarlierWindowTest, StartWithoutTheFileSaysSoAndKeepsTheDefaults) {
  MakeWindow();
  EXPECT_EQ(user.Messages(), QStringList{kOpenError});
  EXPECT_TRUE(user.Errors().isEmpty());
  Form& form = window->MainForm();
  EXPECT_EQ(form.ItemIndex("cbPort"), 0);
  EXPECT_EQ(form.ItemIndex("cbBaudRate"), 12);
  EXPECT_EQ(Control<QProgressBar>("ProgressbarWrite")->palette().color(QPalette::Highlight),
            QColor(0, 128, 0));
  EXPECT_EQ(form.Text("AdvEdit_Object"), "0000");
  EXPECT_EQ(form.Text("AdvEdit_Password"), "739164825073916");
  EXPECT_EQ(form.Text("EDIT_SurGardPref"), "5000 18");
  EXPECT_EQ(form.Text("AdvEdit_IP_1"), "127.0.0.1");
  EXPECT_EQ(form.Text("AdvEdit_PORT_LOCAL_2"), "3030");
  EXPECT_EQ(form.Text("AdvEditNomerAlter"), "");
  EXPECT_EQ(form.ItemIndex("sComboBox_ChProtocol"), 0);
  EXPECT_FALSE(form.Checked("sCheckBox_IncCodes"));
  EXPECT_FALSE(form.Checked("sCheckBox_DNS_1"));
  EXPECT_TRUE(form.Checked("RadioButton_TCP_1"));
  EXPECT_FALSE(form.Checked("RadioButton_UDP_2"));
  EXPECT_FALSE(window->FormHelp().isVisible());
}

TEST_F(EarlierWindowTest, FileWithOneKeyGivesTheKeySetDefaultsToTheRest) {
  WriteSettingsFile("[AdvEdit_Object]\r\nText=12AB\r\n");
  MakeWindow();
  EXPECT_TRUE(user.shown.empty());
  Form& form = window->MainForm();
  EXPECT_EQ(form.Text("AdvEdit_Object"), "12AB");
  EXPECT_EQ(form.Text("AdvEditHeartHexSufix"), "14");
  EXPECT_EQ(form.Text("AdvEdit_Password"), "739164825073916");
  for (const char* name :
       {"AdvEdit_TestPer", "AdvEdit_TestHou", "AdvEdit_TestMin", "EDIT_Test", "EDIT_TestPer",
        "EDIT_SurGardPref", "AdvEdit_IP_1", "AdvEdit_PORT_1", "AdvEdit_PORT_LOCAL_1",
        "AdvEdit_POINT_1", "AdvEdit_IP_2", "AdvEdit_PORT_2", "AdvEdit_PORT_LOCAL_2",
        "AdvEdit_POINT_2", "AdvEditNomerAlter"}) {
    EXPECT_EQ(form.Text(name), "?") << name;
  }
  for (const char* name : {"CheckEnTst", "sCheckBox_IncCodes", "sCheckBoxVerConn",
                           "sCheckBox_DNS_1", "sCheckBox_DNS_2"}) {
    EXPECT_TRUE(form.Checked(name)) << name;
  }
  EXPECT_EQ(form.ItemIndex("cbPort"), 0);
  EXPECT_EQ(form.ItemIndex("sComboBox_ChProtocol"), 0);
  EXPECT_TRUE(form.Checked("RadioButton_UDP_1"));
  EXPECT_FALSE(form.Checked("RadioButton_TCP_1"));
  EXPECT_TRUE(form.Checked("RadioButton_UDP_2"));
  EXPECT_FALSE(form.Checked("RadioButton_TCP_2"));
}

TEST_F(EarlierWindowTest, StartUpLoadsTheFileBesideTheProgramWhateverTheWorkingFolder) {
  // Only in the working folder: not the program's file, so not loaded.
  {
    QFile stray(QDir(working_folder.path()).filePath(QStringLiteral("zEdaza.ini")));
    ASSERT_TRUE(stray.open(QIODevice::WriteOnly));
    stray.write("[AdvEdit_Object]\r\nText=FFFF\r\n");
  }
  MakeWindow();
  EXPECT_EQ(user.Messages(), QStringList{kOpenError});
  EXPECT_EQ(window->MainForm().Text("AdvEdit_Object"), "0000");

  // Beside the program, the working folder having another one.
  user.shown.clear();
  WriteSettingsFile("[AdvEdit_Object]\r\nText=ABCD\r\n");
  MakeWindow();
  EXPECT_TRUE(user.shown.empty());
  EXPECT_EQ(window->MainForm().Text("AdvEdit_Object"), "ABCD");
}

TEST_F(EarlierWindowTest, RadioEntriesOfTheFileSelectTheTransport) {
  const struct {
    const char* tcp;
    const char* udp;
    bool tcp_checked;
    bool udp_checked;
  } cases[] = {
      {"1", "0", true, false},
      {"0", "1", false, true},
      {"1", "1", false, true},  // checking UDP after TCP unchecks TCP
      {"0", "0", false, false},
  };
  for (const auto& c : cases) {
    WriteSettingsFile(QByteArray("[RadioButton_TCP_1]\r\nChecked=") + c.tcp +
                      "\r\n[RadioButton_UDP_1]\r\nChecked=" + c.udp + "\r\n");
    MakeWindow();
    SCOPED_TRACE(std::string("TCP ") + c.tcp + ", UDP " + c.udp);
    EXPECT_EQ(window->MainForm().Checked("RadioButton_TCP_1"), c.tcp_checked);
    EXPECT_EQ(window->MainForm().Checked("RadioButton_UDP_1"), c.udp_checked);
    // The other server's pair is left to its own keys (missing: UDP).
    EXPECT_TRUE(window->MainForm().Checked("RadioButton_UDP_2"));
  }
}

TEST_F(EarlierWindowTest, IndexesOutsideTheListsSelectNothing) {
  WriteSettingsFile("[cbPort]\r\nItemIndex=5\r\n[sComboBox_ChProtocol]\r\nItemIndex=2\r\n");
  MakeWindow();
  EXPECT_EQ(window->MainForm().ItemIndex("cbPort"), -1);
  EXPECT_EQ(window->MainForm().ItemIndex("sComboBox_ChProtocol"), -1);
  EXPECT_TRUE(user.shown.empty());
}

TEST_F(EarlierWindowTest, FailedPortListAtStartSkipsTheRestOfTheStart) {
  WriteSettingsFile("[AdvEdit_Object]\r\nText=12AB\r\n");
  port_list_fails = true;
  MakeWindow();
  EXPECT_EQ(user.Errors(), QStringList{"Помилка звернення до системного реєстру."});
  EXPECT_TRUE(user.Messages().isEmpty());
  EXPECT_EQ(window->MainForm().ItemIndex("cbPort"), -1);
  EXPECT_EQ(window->MainForm().ItemIndex("cbBaudRate"), -1);
  EXPECT_EQ(window->MainForm().Text("AdvEdit_Object"), "0000");
}

TEST_F(EarlierWindowTest, CtrlRRefreshesThePortListWhateverOtherModifiersAreHeld) {
  WriteSettingsFile("[cbPort]\r\nItemIndex=1\r\n");
  ShowWindow();
  EXPECT_EQ(window->MainForm().ItemIndex("cbPort"), 1);
  ports = {"/dev/ttyACM0", "/dev/ttyUSB3", "/dev/ttyUSB4"};
  PressKey(window.get(), Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Control<QComboBox>("cbPort")->count(), 3);
  EXPECT_EQ(window->MainForm().Text("cbPort"), "/dev/ttyACM0");
  EXPECT_EQ(user.Messages(), QStringList{kPortsRefreshed});

  ports.clear();
  PressKey(window.get(), Qt::Key_R, Qt::ControlModifier);
  EXPECT_EQ(window->MainForm().ItemIndex("cbPort"), -1);
  EXPECT_EQ(user.Messages().size(), 2);

  // A failed refresh keeps the list and claims nothing.
  port_list_fails = true;
  PressKey(window.get(), Qt::Key_R, Qt::ControlModifier);
  EXPECT_EQ(user.Errors(), QStringList{"Помилка звернення до системного реєстру."});
  EXPECT_EQ(user.Messages().size(), 2);
}

TEST_F(EarlierWindowTest, CtrlSAndCtrlONeitherSaveNorLoad) {
  const QByteArray content = "[AdvEdit_Object]\r\nText=12AB\r\n";
  WriteSettingsFile(content);
  ShowWindow();
  window->MainForm().SetText("AdvEdit_Object", "BEEF");
  Control("EDIT_Test")->setFocus();
  for (const Qt::Key key : {Qt::Key_S, Qt::Key_O}) {
    PressKey(window.get(), key, Qt::ControlModifier);
    PressKey(window.get(), key, Qt::ControlModifier | Qt::ShiftModifier);
  }
  EXPECT_TRUE(user.shown.empty());
  EXPECT_TRUE(user.save_dialog_folders.isEmpty());
  EXPECT_TRUE(user.open_dialog_folders.isEmpty());
  EXPECT_EQ(ReadSettingsFile(), content);
  EXPECT_EQ(window->MainForm().Text("AdvEdit_Object"), "BEEF");
}

TEST_F(EarlierWindowTest, AboutWindowComesWithF1SilentlyAndWithItsButtonAudibly) {
  ShowWindow();
  tevral::ui::TFormHelp& about = window->FormHelp();
  for (const Qt::KeyboardModifiers modifiers :
       {Qt::KeyboardModifiers(Qt::NoModifier), Qt::KeyboardModifiers(Qt::ShiftModifier),
        Qt::KeyboardModifiers(Qt::ControlModifier)}) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    PressKey(window.get(), Qt::Key_F1, modifiers);
    EXPECT_TRUE(about.isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
    PressKey(&about, Qt::Key_F1, Qt::NoModifier);
    EXPECT_FALSE(about.isVisible());
  }
  EXPECT_EQ(desktop.sounds, 0);
  EXPECT_EQ(about.windowTitle(), QStringLiteral("Про програму (v.0.5)"));

  QTest::mouseClick(Control("PNGButton6"), Qt::LeftButton);
  EXPECT_TRUE(about.isVisible());
  EXPECT_EQ(desktop.sounds, 1);
  QTest::mouseClick(about.findChild<QPushButton*>(QStringLiteral("sButton1")), Qt::LeftButton);
  EXPECT_FALSE(about.isVisible());
  EXPECT_EQ(desktop.sounds, 2);
}

TEST_F(EarlierWindowTest, PortLabelSoundsAndOpensTheDeviceManager) {
  ShowWindow();
  QTest::mouseClick(Control("Label1"), Qt::LeftButton);
  EXPECT_EQ(desktop.sounds, 1);
  EXPECT_EQ(desktop.device_manager_opened, 1);
}

TEST_F(EarlierWindowTest, FieldsLetTheUserTypeOnlyWhatTheirRulesAllow) {
  ShowWindow();
  const struct {
    const char* field;
    QString typed;
    QString shown;
  } cases[] = {
      {"AdvEdit_Object", QStringLiteral("1g2aB#cD9"), QStringLiteral("12aB")},
      {"AdvEditNomerAlter", QStringLiteral("+380a67A123456789012"),
       QStringLiteral("38067A1234567890")},
      {"AdvEdit_PORT_LOCAL_1", QStringLiteral("12-3x4567"), QStringLiteral("12345")},
      {"AdvEdit_PORT_1", QStringLiteral("7a7x79"), QStringLiteral("7779")},
      {"AdvEdit_Password", QStringLiteral("пароль-1234567890"), QStringLiteral("пароль-12345678")},
      {"EDIT_SurGardPref", QStringLiteral("Префікс без межі довжини"),
       QStringLiteral("Префікс без межі довжини")},
      {"AdvEditHeartHexSufix", QStringLiteral("ї1F"), QStringLiteral("ї1")},
  };
  for (const auto& c : cases) {
    auto* edit = Control<tevral::ui::FieldEdit>(c.field);
    ASSERT_NE(edit, nullptr);
    edit->clear();
    edit->setFocus();
    TypeText(edit, c.typed);
    EXPECT_EQ(edit->text().toStdString(), c.shown.toStdString()) << c.field;
  }
}

}  // namespace
}  // namespace tevral::earlier::ui::uitest
