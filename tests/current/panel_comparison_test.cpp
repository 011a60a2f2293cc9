// Comparing settings as a read sees the panel: what the panel's memory
// cannot tell apart agrees, every real difference is reported by its label,
// and what a read did not fetch is listed as not compared. The panel side
// here is the panel kept in memory; the tools tests compare with panel-sim
// through the serial layer.

#include "configurator/panel_comparison.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "configurator/field_overrides.h"
#include "configurator/settings_file.h"
#include "current/current_comparison.h"
#include "current/fields.h"
#include "current/settings_keys.h"

namespace tevral::current {
namespace {

using Edit = std::function<void(FieldTable&)>;

FieldTable Settings(const Edit& edit = {}) {
  FieldTable form(CurrentFields());
  form.SetText("AdvEdit_Sim1Serv1", R"("TCP","127.0.0.1",3035)");
  form.SetText("AdvEdit_LocalPortSim1Serv1", "3035");
  if (edit) edit(form);
  return form;
}

std::vector<std::string> Labels(const Comparison& comparison) {
  std::vector<std::string> labels;
  for (const auto& d : comparison.differences) labels.push_back(d.label);
  return labels;
}

TEST(PanelComparison, ValuesThePanelStoresAlikeAgree) {
  struct Case {
    const char* what;
    Edit left;
    Edit right;
  };
  const Case cases[] = {
      {"object number in lower case and without leading zeros",
       [](FieldTable& f) { f.SetText("AdvEdit_Object", "1a"); },
       [](FieldTable& f) { f.SetText("AdvEdit_Object", "001A"); }},
      {"period that is not stored while the keep-alive text is off",
       [](FieldTable& f) {
         f.SetChecked("CheckEnTst", false);
         f.SetText("EDIT_TestPer", "40");
       },
       [](FieldTable& f) {
         f.SetChecked("CheckEnTst", false);
         f.SetText("EDIT_TestPer", "99");
       }},
      {"suffix 41 is the letter A of the text",
       [](FieldTable& f) {
         f.SetText("EDIT_Test", "t");
         f.SetText("AdvEditHeartHexSufix", "41");
       },
       [](FieldTable& f) {
         f.SetText("EDIT_Test", "tA");
         f.SetText("AdvEditHeartHexSufix", "");
       }},
      {"schedule with and without a leading zero",
       [](FieldTable& f) { f.SetText("AdvEdit_TestHou", "9"); },
       [](FieldTable& f) { f.SetText("AdvEdit_TestHou", "09"); }},
  };
  const ComparisonPlan plan = CurrentComparisonPlan();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Comparison comparison = CompareSettings(Settings(c.left), Settings(c.right), plan);
    EXPECT_TRUE(comparison.Agree()) << ::testing::PrintToString(Labels(comparison));
    EXPECT_TRUE(comparison.left_refusal.empty()) << comparison.left_refusal;
  }
}

TEST(PanelComparison, RealDifferencesNameTheFieldAndBothValues) {
  const ComparisonPlan plan = CurrentComparisonPlan();
  FieldTable file = Settings([](FieldTable& f) { f.SetText("AdvEdit_Object", "1234"); });
  FieldTable panel_holds = Settings([](FieldTable& f) {
    f.SetText("AdvEdit_Object", "1A2F");
    f.SetChecked("sCheckBoxVerConn", false);
    f.SetItemIndex("sComboBox_ChProtocol", 1);
  });
  std::string refusal;
  const FieldTable panel = ReadBackOf(panel_holds, plan, refusal);
  ASSERT_TRUE(refusal.empty()) << refusal;

  const Comparison full = CompareWithPanel(file, panel, false, plan);
  ASSERT_FALSE(full.Agree());
  EXPECT_EQ(full.differences[0].label, "Протокол");
  EXPECT_EQ(full.differences[0].left_value, "SUR-GARD");
  EXPECT_EQ(full.differences[0].right_value, "SOS 112");
  EXPECT_EQ(full.differences[1].label, "Об'єкт №");
  EXPECT_EQ(full.differences[1].left_value, "1234");
  EXPECT_EQ(full.differences[1].right_value, "1A2F");
  // With the connection check off the panel keeps neither box: both show.
  EXPECT_EQ(Labels(full),
            (std::vector<std::string>{"Протокол", "Об'єкт №", "Перевіряти з'єднання",
                                      "Передачі для підтримки GPRS сесії", "Період * 5 сек."}));
  EXPECT_EQ(full.differences[2].left_value, "так");
  EXPECT_EQ(full.differences[2].right_value, "ні");
  // The fixed prefix is written but never read back.
  ASSERT_EQ(full.not_compared.size(), 1u);
  EXPECT_NE(full.not_compared[0].label.find("SUR-GARD"), std::string::npos);

  // A panel of limited functionality gives neither the protocol nor the
  // alternate number: not compared, and not reported as differing.
  const Comparison limited = CompareWithPanel(file, panel, true, plan);
  EXPECT_EQ(Labels(limited).front(), "Об'єкт №");
  std::vector<std::string> not_compared;
  for (const auto& n : limited.not_compared) not_compared.push_back(n.label);
  EXPECT_EQ(not_compared.size(), 3u);
  EXPECT_EQ(not_compared[0], "Протокол");
  EXPECT_EQ(not_compared[1], "Номер аварійної передачі");
}

TEST(PanelComparison, SettingsAWriteWouldRefuseAreComparedAsTheyStand) {
  const ComparisonPlan plan = CurrentComparisonPlan();
  std::string refusal;
  const FieldTable panel = ReadBackOf(Settings(), plan, refusal);
  const FieldTable empty_point = Settings([](FieldTable& f) { f.SetText("AdvEdit_POINT_1", ""); });
  const Comparison comparison = CompareWithPanel(empty_point, panel, false, plan);
  EXPECT_NE(comparison.left_refusal.find("Точка доступу 1"), std::string::npos)
      << comparison.left_refusal;
  ASSERT_EQ(comparison.differences.size(), 1u);
  EXPECT_EQ(comparison.differences[0].label, "SIM 1 Точка доступу");
  EXPECT_EQ(comparison.differences[0].left_value, "");
}

TEST(FieldOverrides, TheChecksOfTypingIntoTheWindow) {
  struct Case {
    const char* assignment;
    bool accepted;
    const char* field;
    const char* value;  // the field's text afterwards, when accepted
  };
  const Case cases[] = {
      {"AdvEdit_Object=1a2F", true, "AdvEdit_Object", "1a2F"},
      {"об'єкт №:=BEEF", true, "AdvEdit_Object", "BEEF"},  // by label, any case, with ":"
      {"AdvEdit_Object=12345", false, "", ""},
      {"AdvEdit_Object=12G4", false, "", ""},
      {"EDIT_TestPer=", true, "EDIT_TestPer", "0"},  // an emptied digits field shows 0
      {"EDIT_TestPer=4a", false, "", ""},
      {"AdvEditNomerAlter=A380501234567", true, "AdvEditNomerAlter", "A380501234567"},
      {"AdvEditNomerAlter=+380", false, "", ""},
      {"AdvEdit_POINT_1=інтернет", true, "AdvEdit_POINT_1", "\xB3\xED\xF2\xE5\xF0\xED\xE5\xF2"},
      {"AdvEdit_POINT_1=net✓", false, "", ""},  // no code in 1251
      {"SIM 1 Сервер 2=\"UDP\",\"a.b\",1", true, "AdvEdit_Sim1Serv2", "\"UDP\",\"a.b\",1"},
      {"sComboBox_ChProtocol=SOS 112", true, "", ""},
      {"sComboBox_ChProtocol=1", false, "", ""},
      {"sCheckBoxVerConn=0", true, "", ""},
      {"sCheckBoxVerConn=no", false, "", ""},
      {"cbPort=COM1", false, "", ""},  // a connection selector, not a setting
      {"Nothing=1", false, "", ""},
      {"=1", false, "", ""},
      {"AdvEdit_Object", false, "", ""},
  };
  const ComparisonPlan plan = CurrentComparisonPlan();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.assignment);
    FieldTable form(CurrentFields());
    const auto refusal = ApplyFieldOverride(form, plan, c.assignment);
    EXPECT_EQ(!refusal.has_value(), c.accepted) << refusal.value_or("");
    if (c.accepted && *c.field) {
      EXPECT_EQ(form.Text(c.field), c.value);
    }
  }
  FieldTable form(CurrentFields());
  ASSERT_FALSE(ApplyFieldOverride(form, plan, "sComboBox_ChProtocol=SOS 112"));
  EXPECT_EQ(form.ItemIndex("sComboBox_ChProtocol"), 1);
  ASSERT_FALSE(ApplyFieldOverride(form, plan, "Перевіряти з'єднання=0"));
  EXPECT_FALSE(form.Checked("sCheckBoxVerConn"));
}

TEST(SettingsKeys, MissingKeysAreNamedInTheKeySetsOrder) {
  FieldTable form(CurrentFields());
  IniFile whole;
  WriteSettings(form, whole, CurrentSettingsKeys());
  EXPECT_TRUE(MissingSettingsKeys(whole, CurrentSettingsKeys()).empty());

  // Case does not matter, as on reading; a key of another name is missing.
  IniFile gaps = IniFile::Parse(
      "[CBPORT]\r\nitemindex=0\r\n[AdvEdit_Object]\r\nTexts=1\r\n[EDIT_Test]\r\nText=\r\n");
  const std::vector<std::string> missing = MissingSettingsKeys(gaps, CurrentSettingsKeys());
  EXPECT_EQ(missing.size(), 24u);
  EXPECT_EQ(missing.front(), "CheckEnTst/Checked");
  EXPECT_EQ(missing[2], "AdvEdit_Object/Text");  // an empty value is there; "Texts" is not
  EXPECT_EQ(JoinKeys({"a/Text", "b/Checked"}), "a/Text, b/Checked");
}

}  // namespace
}  // namespace tevral::current
