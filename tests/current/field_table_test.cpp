#include "configurator/field_table.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "current/fields.h"

namespace tevral::current {
namespace {

TEST(FieldTable, StartsWithTheWindowDefaults) {
  FieldTable form(CurrentFields());
  EXPECT_EQ(form.Text("AdvEdit_Object"), "0000");
  EXPECT_EQ(form.Text("EDIT_TestPer"), "40");
  EXPECT_EQ(form.Text("AdvEditNomerAlter"), "");
  EXPECT_TRUE(form.Checked("CheckEnTst"));
  EXPECT_EQ(form.ItemIndex("sComboBox_ChProtocol"), 0);
  EXPECT_EQ(form.Text("sComboBox_ChProtocol"), "SUR-GARD");
  EXPECT_EQ(form.Text("cbBaudRate"), "115200");
  // No ports until the window fills the list.
  EXPECT_TRUE(form.Items("cbPort").empty());
  EXPECT_EQ(form.ItemIndex("cbPort"), -1);
  EXPECT_EQ(form.Text("cbPort"), "");
}

TEST(FieldTable, EmptyTextShowsZeroOnlyInDigitsOnlyFields) {
  struct Case {
    const char* field;
    const char* set;
    const char* shown;
  };
  const Case cases[] = {
      {"AdvEdit_TestPer", "", "0"},
      {"AdvEdit_TestHou", "", "0"},
      {"AdvEdit_TestMin", "", "0"},
      {"EDIT_TestPer", "", "0"},
      {"EDIT_TestPer", "?", "?"},              // program-set text is not filtered
      {"AdvEdit_TestMin", "12345", "12345"},   // nor cut to the maximum length
      {"AdvEdit_LocalPortSim1Serv1", "", ""},  // listed digits, not digits-only
      {"AdvEdit_Object", "", ""},
      {"EDIT_Test", "", ""},
  };
  for (const Case& c : cases) {
    FieldTable form(CurrentFields());
    form.SetText(c.field, c.set);
    EXPECT_EQ(form.Text(c.field), c.shown) << c.field << " set to '" << c.set << "'";
  }
}

TEST(FieldTable, IndexOutsideTheItemsSelectsNothing) {
  struct Case {
    int set;
    int index;
    const char* text;
  };
  const Case cases[] = {{1, 1, "SOS 112"}, {0, 0, "SUR-GARD"}, {2, -1, ""},
                        {-1, -1, ""},      {-7, -1, ""},       {1 << 30, -1, ""}};
  for (const Case& c : cases) {
    FieldTable form(CurrentFields());
    form.SetItemIndex("sComboBox_ChProtocol", c.set);
    EXPECT_EQ(form.ItemIndex("sComboBox_ChProtocol"), c.index) << c.set;
    EXPECT_EQ(form.Text("sComboBox_ChProtocol"), c.text) << c.set;
  }
}

TEST(FieldTable, PortListReplacesItemsAndDropsTheSelection) {
  FieldTable form(CurrentFields());
  form.SetItems("cbPort", {"/dev/ttyUSB0", "/dev/ttyUSB1"});
  EXPECT_EQ(form.ItemIndex("cbPort"), -1);
  form.SetItemIndex("cbPort", 1);
  EXPECT_EQ(form.Text("cbPort"), "/dev/ttyUSB1");
  form.SetItems("cbPort", {"/dev/ttyACM0"});
  EXPECT_EQ(form.ItemIndex("cbPort"), -1);
  form.SetItemIndex("cbPort", 1);  // the old position is gone
  EXPECT_EQ(form.ItemIndex("cbPort"), -1);
  form.SetItems("cbPort", {});
  form.SetItemIndex("cbPort", 0);
  EXPECT_EQ(form.ItemIndex("cbPort"), -1);
  // Setting a choice's text selects the item of that text, or none.
  form.SetText("sComboBox_ChProtocol", "SOS 112");
  EXPECT_EQ(form.ItemIndex("sComboBox_ChProtocol"), 1);
  form.SetText("sComboBox_ChProtocol", "sos 112");
  EXPECT_EQ(form.ItemIndex("sComboBox_ChProtocol"), -1);
}

TEST(FieldTable, UnknownNameOrWrongKindIsAProgrammingError) {
  FieldTable form(CurrentFields());
  try {
    form.Text("AdvEdit_Objekt");
    FAIL() << "no error";
  } catch (const std::logic_error& e) {
    EXPECT_NE(std::string(e.what()).find("AdvEdit_Objekt"), std::string::npos);
  }
  EXPECT_THROW(form.SetChecked("nosuch", true), std::logic_error);
  EXPECT_THROW(form.Checked("AdvEdit_Object"), std::logic_error);
  EXPECT_THROW(form.SetText("CheckEnTst", "1"), std::logic_error);
  EXPECT_THROW(form.ItemIndex("EDIT_Test"), std::logic_error);
  EXPECT_THROW(form.SetItems("AdvEdit_POINT_1", {}), std::logic_error);
}

// Two servers with a TCP/UDP pair each, as the earlier window has them.
constexpr FieldSpec kRadioFixture[] = {
    {.name = "Tcp1", .kind = FieldKind::kRadio, .default_checked = true, .radio_group = "1"},
    {.name = "Udp1", .kind = FieldKind::kRadio, .radio_group = "1"},
    {.name = "Tcp2", .kind = FieldKind::kRadio, .default_checked = true, .radio_group = "2"},
    {.name = "Udp2", .kind = FieldKind::kRadio, .radio_group = "2"},
};

TEST(FieldTable, CheckingARadioButtonUnchecksOnlyItsOwnGroup) {
  FieldTable form(kRadioFixture);
  form.SetChecked("Udp1", true);
  EXPECT_FALSE(form.Checked("Tcp1"));
  EXPECT_TRUE(form.Checked("Udp1"));
  EXPECT_TRUE(form.Checked("Tcp2"));
  // Loading "TCP true" after "UDP true" in that order: the last check wins.
  form.SetChecked("Tcp1", true);
  EXPECT_FALSE(form.Checked("Udp1"));
  // Unchecking leaves the group with nothing checked.
  form.SetChecked("Tcp2", false);
  EXPECT_FALSE(form.Checked("Tcp2"));
  EXPECT_FALSE(form.Checked("Udp2"));
}

TEST(FieldTable, ProgressStaysWithinItsMaximum) {
  FieldTable form(CurrentFields());
  form.SetProgressMax(2);
  form.StepProgress();
  form.StepProgress();
  form.StepProgress();
  EXPECT_EQ(form.ProgressPosition(), 2);
  form.SetProgressMax(1);
  EXPECT_EQ(form.ProgressPosition(), 1);
  form.ResetProgress();
  EXPECT_EQ(form.ProgressPosition(), 0);
  EXPECT_EQ(form.ProgressMax(), 1);
}

TEST(FieldTable, EventsAreRecordedAndReportedInOrder) {
  FieldTable form(CurrentFields());
  std::vector<FormEvent> heard;
  form.SetEventListener([&](const FormEvent& e) { heard.push_back(e); });
  form.SetCaption("Тевраль-1/2");
  form.ShowMessage("Прочитано успішно.");
  form.ShowError("Порт зайнятий іншою програмою");
  const std::vector<FormEvent> expected = {
      {FormEvent::Kind::kCaption, "Тевраль-1/2"},
      {FormEvent::Kind::kMessage, "Прочитано успішно."},
      {FormEvent::Kind::kError, "Порт зайнятий іншою програмою."},
  };
  EXPECT_EQ(form.Events(), expected);
  EXPECT_EQ(heard, expected);
  EXPECT_EQ(form.Caption(), "Тевраль-1/2");
}

TEST(FieldTable, ErrorBoxAddsAFullStopAfterCharactersAboveIt) {
  struct Case {
    const char* message;
    const char* shown;
  };
  const Case cases[] = {
      {"Unable to write to /x/zEdaza.ini", "Unable to write to /x/zEdaza.ini."},
      {"Done.", "Done."},       // already ends with "."
      {"Why?", "Why?."},        // "?" comes after "."
      {"Stop!", "Stop!"},       // "!" comes before "."
      {"a-", "a-"},             // "-" comes before "."
      {"5/", "5/."},            // "/" comes right after "."
      {"помилка", "помилка."},  // any Cyrillic letter
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ErrorBoxText(c.message), c.shown) << c.message;
}

}  // namespace
}  // namespace tevral::current
