// PNGButton2 saves the window into zEdaza.ini beside the program, and only
// when that file is already there; the next start loads it back.

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

#include "earlier/earlier_settings.h"
#include "earlier_window_fixture.h"

namespace tevral::earlier::ui::uitest {
namespace {

void ClickSave(QWidget* button) {
  QTest::mouseClick(button, Qt::LeftButton);
}

// Every kept value of the window, as the settings keys name them.
std::vector<std::string> KeptValues(Form& form) {
  std::vector<std::string> values;
  for (const SettingSpec& field_spec : EarlierSettingsKeys()) {
    std::string value;
    switch (field_spec.key) {
      case SettingKey::kText:
        value = form.Text(field_spec.section);
        break;
      case SettingKey::kChecked:
        value = form.Checked(field_spec.section) ? "checked" : "unchecked";
        break;
      case SettingKey::kItemIndex:
        value = std::to_string(form.ItemIndex(field_spec.section));
        break;
    }
    values.push_back(std::string(field_spec.section) + "=" + value);
  }
  return values;
}

TEST_F(EarlierWindowTest, SaveWithoutTheFileBesideTheProgramSaysSoAndWritesNothing) {
  // The working folder has one; it is not the program's file and stays as
  // it is.
  const QString stray_path = QDir(working_folder.path()).filePath(QStringLiteral("zEdaza.ini"));
  const QByteArray stray_content = "[AdvEdit_Object]\r\nText=FFFF\r\n";
  {
    QFile stray(stray_path);
    ASSERT_TRUE(stray.open(QIODevice::WriteOnly));
    stray.write(stray_content);
  }
  MakeWindow();
  user.shown.clear();
  ClickSave(Control("PNGButton2"));
  EXPECT_EQ(user.Messages(), QStringList{"Save Error: missing zEdaza.ini"});
  EXPECT_FALSE(QFile::exists(SettingsFile()));
  QFile stray(stray_path);
  ASSERT_TRUE(stray.open(QIODevice::ReadOnly));
  EXPECT_EQ(stray.readAll(), stray_content);
}

TEST_F(EarlierWindowTest, SavedFileLoadsBackEveryFieldAsItWas) {
  // The user's own notes in the file survive the save.
  WriteSettingsFile("[Notes]\r\nText=object 12AB, second floor\r\n");
  ShowWindow();
  ASSERT_TRUE(user.shown.empty());
  Form& form = window->MainForm();
  // Values no default has, of every kind, some that the typing rules would
  // never let in.
  form.SetItemIndex("cbPort", 1);
  form.SetChecked("CheckEnTst", false);
  form.SetItemIndex("sComboBox_ChProtocol", 1);
  form.SetChecked("sCheckBox_IncCodes", true);
  form.SetText("AdvEdit_Password", "12x45");
  form.SetText("AdvEdit_Object", "ZZ9");
  form.SetText("AdvEdit_TestPer", "7");
  form.SetText("AdvEdit_TestHou", "");
  form.SetText("AdvEdit_TestMin", "123");
  form.SetChecked("sCheckBoxVerConn", false);
  form.SetText("EDIT_Test", "keep alive text");
  form.SetText("AdvEditHeartHexSufix", "G");
  form.SetText("EDIT_TestPer", "999");
  form.SetText("EDIT_SurGardPref", "5000 18 and more than fourteen");
  form.SetText("AdvEdit_IP_1", "10.0.0.25");
  form.SetText("AdvEdit_PORT_1", "80");
  form.SetText("AdvEdit_PORT_LOCAL_1", "");
  form.SetText("AdvEdit_POINT_1", "internet");
  form.SetChecked("sCheckBox_DNS_1", true);
  form.SetChecked("RadioButton_UDP_1", true);
  form.SetText("AdvEdit_IP_2", "mon.example.ua");
  form.SetText("AdvEdit_PORT_2", "7779");
  form.SetText("AdvEdit_PORT_LOCAL_2", "4040");
  form.SetChecked("RadioButton_TCP_2", false);
  form.SetChecked("RadioButton_UDP_2", false);
  form.SetText("AdvEditNomerAlter", "A380671234567");
  // Cyrillic typed by the user, kept in the file in code page 1251.
  auto* point2 = Control("AdvEdit_POINT_2");
  point2->setFocus();
  QTest::keyClick(point2, Qt::Key_A, Qt::ControlModifier);
  TypeText(point2, QStringLiteral("апн"));
  const std::vector<std::string> saved = KeptValues(form);

  ClickSave(Control("PNGButton2"));
  EXPECT_EQ(user.Messages(), QStringList{"Збережено успішно."});
  EXPECT_TRUE(user.Errors().isEmpty());

  const QByteArray file = ReadSettingsFile();
  EXPECT_TRUE(file.contains("[Notes]\r\nText=object 12AB, second floor\r\n"));
  EXPECT_TRUE(file.contains("[AdvEdit_POINT_2]\r\nText=\xE0\xEF\xED\r\n"));
  // The 29 sections in the order of the key set.
  QStringList sections;
  for (const QRegularExpressionMatch& m :
       QRegularExpression(QStringLiteral("^\\[([^\\]]+)\\]"), QRegularExpression::MultilineOption)
           .globalMatch(QString::fromLatin1(file))) {
    if (m.captured(1) != QStringLiteral("Notes")) sections << m.captured(1);
  }
  QStringList expected_sections;
  for (const SettingSpec& field_spec : EarlierSettingsKeys()) {
    expected_sections << QString::fromLatin1(field_spec.section.data(), field_spec.section.size());
  }
  EXPECT_EQ(sections, expected_sections);

  user.shown.clear();
  MakeWindow();
  EXPECT_TRUE(user.shown.empty());
  EXPECT_EQ(KeptValues(window->MainForm()), saved);
  // Neither transport button of server 2 was checked; it stays that way.
  EXPECT_FALSE(window->MainForm().Checked("RadioButton_TCP_2"));
  EXPECT_FALSE(window->MainForm().Checked("RadioButton_UDP_2"));
}

TEST_F(EarlierWindowTest, SaveTouchesNoFieldAndNoPort) {
  WriteSettingsFile("");
  MakeWindow();
  const std::vector<std::string> before = KeptValues(window->MainForm());
  ClickSave(Control("PNGButton2"));
  EXPECT_EQ(user.Messages(), QStringList{"Збережено успішно."});
  EXPECT_EQ(KeptValues(window->MainForm()), before);
  EXPECT_FALSE(window->BComPort1().IsOpen());
}

}  // namespace
}  // namespace tevral::earlier::ui::uitest
