// Typing into the window's fields: filters and maximum lengths act on what
// the user types, never on what the program puts in.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <ostream>

#include "configurator/ui/field_edit.h"
#include "current/fields.h"
#include "window_fixture.h"

namespace tevral::ui::uitest {
namespace {

struct TypingCase {
  const char* field;
  const char* typed;  // UTF-8
  const char* shown;  // UTF-8
};

void PrintTo(const TypingCase& c, std::ostream* out) {
  *out << c.field << " typed \"" << c.typed << "\"";
}

class FieldTyping : public WindowTest, public ::testing::WithParamInterface<TypingCase> {};

TEST_P(FieldTyping, EmptyFieldTakesWhatItsFilterAndLengthAllow) {
  const TypingCase& c = GetParam();
  ShowWindow();
  auto* edit = Control<FieldEdit>(c.field);
  edit->clear();
  edit->setFocus();
  TypeText(edit, QString::fromUtf8(c.typed));
  EXPECT_EQ(edit->text(), QString::fromUtf8(c.shown));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, FieldTyping,
    ::testing::Values(
        // Object number: hexadecimal digits as typed, four at most.
        TypingCase{"AdvEdit_Object", "1a2F", "1a2F"}, TypingCase{"AdvEdit_Object", "1G,2", "12"},
        TypingCase{"AdvEdit_Object", "12345", "1234"},
        // Digits only: no sign, no letters, the field's maximum.
        TypingCase{"EDIT_TestPer", "-4x05", "405"}, TypingCase{"EDIT_TestPer", "1234", "123"},
        TypingCase{"AdvEdit_TestHou", "a7-", "7"},
        // Alternate number: digits and "A" for "+", sixteen at most.
        TypingCase{"AdvEditNomerAlter", "+380aA67", "380A67"},
        TypingCase{"AdvEditNomerAlter", "12345678901234567", "1234567890123456"},
        // Suffix: any two characters, hexadecimal or not.
        TypingCase{"AdvEditHeartHexSufix", "zq!", "zq"},
        // Local ports: five decimal digits.
        TypingCase{"AdvEdit_LocalPortSim2Serv3", "30a35678", "30356"},
        // Free text takes Ukrainian letters and the 1251 punctuation, and
        // refuses what the panel's code page has no code for.
        TypingCase{"EDIT_Test", "Тест-їҐ", "Тест-їҐ"}, TypingCase{"EDIT_Test", "a日€b", "a€b"},
        TypingCase{"AdvEdit_Sim1Serv1", "\"TCP\",\"127.0.0.1\",3035",
                   "\"TCP\",\"127.0.0.1\",3035"}));

TEST_F(WindowTest, DigitsOnlyFieldsShowZeroWhenLeftEmptyOrSetEmpty) {
  ShowWindow();
  for (const char* name :
       {"AdvEdit_TestPer", "AdvEdit_TestHou", "AdvEdit_TestMin", "EDIT_TestPer"}) {
    auto* edit = Control<FieldEdit>(name);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), "") << name;
    Control<QWidget>("EDIT_Test")->setFocus();
    EXPECT_EQ(edit->text(), "0") << name;

    window->MainForm().SetText(name, "");
    EXPECT_EQ(window->MainForm().Text(name), "0") << name;
    window->MainForm().SetText(name, "?");
    EXPECT_EQ(window->MainForm().Text(name), "?") << name;
  }
  // A listed-characters field may stay empty.
  window->MainForm().SetText("AdvEditNomerAlter", "");
  EXPECT_EQ(window->MainForm().Text("AdvEditNomerAlter"), "");
}

TEST_F(WindowTest, ProgramTextIsShownUnchangedAndTypingStillKeepsTheLimit) {
  ShowWindow();
  Form& form = window->MainForm();
  form.SetText("AdvEdit_Object", "12345?");
  EXPECT_EQ(form.Text("AdvEdit_Object"), "12345?");

  auto* edit = Control<FieldEdit>("AdvEdit_Object");
  edit->setFocus();
  edit->end(false);
  TypeText(edit, "A");
  EXPECT_EQ(form.Text("AdvEdit_Object"), "12345?") << "already past the maximum";
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClick(edit, Qt::Key_Backspace);
  TypeText(edit, "A");
  EXPECT_EQ(form.Text("AdvEdit_Object"), "123A");

  // Replacing a selection needs no room beyond it.
  edit->selectAll();
  TypeText(edit, "f");
  EXPECT_EQ(form.Text("AdvEdit_Object"), "f");
}

TEST_F(WindowTest, PasteIsFilteredLikeTyping) {
  ShowWindow();
  auto* edit = Control<FieldEdit>("AdvEditNomerAlter");
  edit->clear();
  edit->setFocus();
  QApplication::clipboard()->setText(QStringLiteral("+38 (067) 123-45-67"));
  QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(edit->text(), "380671234567");
}

TEST_F(WindowTest, ValuesCrossTheWidgetsInCodePage1251) {
  MakeWindow();
  Form& form = window->MainForm();
  const std::string kyiv = "\xCA\xE8\xBF\xE2";  // "Київ" in 1251
  form.SetText("AdvEdit_POINT_1", kyiv);
  EXPECT_EQ(Control<FieldEdit>("AdvEdit_POINT_1")->text(), QStringLiteral("Київ"));
  EXPECT_EQ(form.Text("AdvEdit_POINT_1"), kyiv);

  auto* edit = Control<FieldEdit>("EDIT_Test");
  edit->setText(QStringLiteral("Ґ"));
  EXPECT_EQ(form.Text("EDIT_Test"), "\xA5");
}

TEST_F(WindowTest, ChoicesAndCheckBoxesByName) {
  MakeWindow();
  Form& form = window->MainForm();
  EXPECT_EQ(form.ItemIndex("sComboBox_ChProtocol"), 0);
  EXPECT_EQ(form.Text("sComboBox_ChProtocol"), "SUR-GARD");
  form.SetItemIndex("sComboBox_ChProtocol", 1);
  EXPECT_EQ(form.Text("sComboBox_ChProtocol"), "SOS 112");
  for (const int outside : {2, -1, 99}) {
    form.SetItemIndex("sComboBox_ChProtocol", outside);
    EXPECT_EQ(form.ItemIndex("sComboBox_ChProtocol"), -1) << outside;
    EXPECT_EQ(form.Text("sComboBox_ChProtocol"), "");
  }
  EXPECT_TRUE(form.Checked("sCheckBoxVerConn"));
  form.SetChecked("sCheckBoxVerConn", false);
  EXPECT_FALSE(Control<QCheckBox>("sCheckBoxVerConn")->isChecked());
  EXPECT_THROW(form.Text("NoSuchControl"), std::logic_error);
  EXPECT_THROW(form.Checked("AdvEdit_Object"), std::logic_error);
}

TEST_F(WindowTest, WindowStartsWithTheInventoryDefaults) {
  MakeWindow();
  Form& form = window->MainForm();
  for (const FieldSpec& field_spec : current::CurrentFields()) {
    if (field_spec.connection) continue;
    switch (field_spec.kind) {
      case FieldKind::kText:
        EXPECT_EQ(form.Text(field_spec.name), field_spec.default_text) << field_spec.name;
        break;
      case FieldKind::kCheck:
      case FieldKind::kRadio:
        EXPECT_EQ(form.Checked(field_spec.name), field_spec.default_checked) << field_spec.name;
        break;
      case FieldKind::kChoice:
        EXPECT_EQ(form.ItemIndex(field_spec.name), field_spec.default_index) << field_spec.name;
        break;
    }
    const auto* widget = Control<QWidget>(std::string(field_spec.name).c_str());
    EXPECT_EQ(widget->toolTip().toStdString(), field_spec.hint) << field_spec.name;
  }
  EXPECT_EQ(form.ItemIndex("cbPort"), 0);
  EXPECT_EQ(form.Text("cbPort"), "/dev/ttyFAKE0");
  EXPECT_EQ(form.Text("cbBaudRate"), "115200");
  EXPECT_EQ(Control<QComboBox>("cbBaudRate")->count(), 15);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Тевраль-1/2 GSM GPRS конфігуратор"));
}

}  // namespace
}  // namespace tevral::ui::uitest
