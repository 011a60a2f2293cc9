#include "current/fields.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tevral::current {
namespace {

TEST(CurrentFields, TwentyFivePanelSettingsAndTwoConnectionSelectors) {
  int settings = 0;
  std::set<std::string_view> names;
  for (const FieldSpec& f : CurrentFields()) {
    EXPECT_TRUE(names.insert(f.name).second) << "duplicate " << f.name;
    if (!f.connection) ++settings;
  }
  EXPECT_EQ(settings, 25);
  ASSERT_NE(FindField(CurrentFields(), "cbPort"), nullptr);
  EXPECT_TRUE(FindField(CurrentFields(), "cbPort")->connection);
  EXPECT_TRUE(FindField(CurrentFields(), "cbBaudRate")->connection);
  EXPECT_EQ(FindField(CurrentFields(), "cbBaudrate"), nullptr);  // names are exact
}

// A typo in the data (a default the field's own filter refuses, a group box
// that does not exist, a default index past the items) shows up here.
TEST(CurrentFields, EveryEntryIsConsistentWithItself) {
  std::set<std::string_view> groups;
  for (const GroupSpec& g : CurrentGroups()) groups.insert(g.name);
  for (const FieldSpec& f : CurrentFields()) {
    SCOPED_TRACE(std::string(f.name));
    EXPECT_TRUE(groups.contains(f.group));
    if (f.kind == FieldKind::kText) {
      if (f.max_length > 0) {
        EXPECT_LE(f.default_text.size(), static_cast<size_t>(f.max_length));
      }
      for (char c : f.default_text) EXPECT_TRUE(FilterAccepts(f, c)) << c;
      EXPECT_EQ(f.filter == InputFilter::kListed, !f.allowed.empty());
    }
    if (f.kind == FieldKind::kChoice && f.default_index >= 0) {
      EXPECT_LT(f.default_index, static_cast<int>(f.items.size()));
    }
  }
}

TEST(CurrentFields, DefaultsOfTheWindow) {
  struct Case {
    std::string_view name;
    std::string_view text;
  };
  const Case cases[] = {{"AdvEdit_Object", "0000"}, {"AdvEdit_TestPer", "24"},
                        {"AdvEdit_TestHou", "14"},  {"AdvEdit_TestMin", "17"},
                        {"EDIT_Test", "t"},         {"AdvEditHeartHexSufix", "14"},
                        {"EDIT_TestPer", "40"},     {"AdvEditNomerAlter", ""},
                        {"AdvEdit_Sim2Serv3", ""},  {"AdvEdit_LocalPortSim1Serv1", ""}};
  for (const Case& c : cases) {
    const FieldSpec* f = FindField(CurrentFields(), c.name);
    ASSERT_NE(f, nullptr) << c.name;
    EXPECT_EQ(f->default_text, c.text) << c.name;
  }
  // The two access point names are real operators' names and differ.
  const FieldSpec* apn1 = FindField(CurrentFields(), "AdvEdit_POINT_1");
  const FieldSpec* apn2 = FindField(CurrentFields(), "AdvEdit_POINT_2");
  EXPECT_FALSE(apn1->default_text.empty());
  EXPECT_LE(apn1->default_text.size(), 22u);  // what a write accepts
  EXPECT_LE(apn2->default_text.size(), 22u);
  EXPECT_NE(apn1->default_text, apn2->default_text);

  const FieldSpec* speed = FindField(CurrentFields(), "cbBaudRate");
  ASSERT_EQ(speed->items.size(), 15u);
  EXPECT_EQ(speed->items[static_cast<size_t>(speed->default_index)], "115200");
  EXPECT_EQ(speed->items.front(), "110");
  EXPECT_EQ(speed->items.back(), "256000");
  EXPECT_TRUE(FindField(CurrentFields(), "sCheckBoxVerConn")->default_checked);
  EXPECT_TRUE(FindField(CurrentFields(), "CheckEnTst")->default_checked);
  EXPECT_EQ(FindField(CurrentFields(), "sComboBox_ChProtocol")->items[1], "SOS 112");
}

TEST(CurrentFields, TypingFilters) {
  struct Case {
    std::string_view field;
    char typed;
    bool accepted;
  };
  const Case cases[] = {
      {"AdvEdit_Object", 'a', true},       {"AdvEdit_Object", 'F', true},
      {"AdvEdit_Object", 'G', false},      {"AdvEdit_Object", ',', false},
      {"AdvEditNomerAlter", 'A', true},    {"AdvEditNomerAlter", '+', false},
      {"AdvEditNomerAlter", 'B', false},   {"AdvEditNomerAlter", 'a', false},
      {"AdvEdit_TestPer", '7', true},      {"AdvEdit_TestPer", '-', false},
      {"EDIT_TestPer", 'x', false},        {"AdvEdit_LocalPortSim2Serv2", ' ', false},
      {"AdvEditHeartHexSufix", 'Z', true},  // two characters of anything
      {"AdvEdit_Sim1Serv1", '"', true},    {"AdvEdit_POINT_1", '\xE9', true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FilterAccepts(*FindField(CurrentFields(), c.field), c.typed), c.accepted)
        << c.field << " '" << c.typed << "'";
  }
  EXPECT_EQ(FindField(CurrentFields(), "AdvEdit_Object")->max_length, 4);
  EXPECT_EQ(FindField(CurrentFields(), "AdvEditNomerAlter")->max_length, 16);
  EXPECT_EQ(FindField(CurrentFields(), "AdvEdit_Sim1Serv1")->max_length, 0);
}

TEST(CurrentFields, ServerLineHintShowsBothExamplesInTheLinesOwnForm) {
  const std::string_view hint = kServerLineHint;
  EXPECT_TRUE(hint.starts_with("Наприклад:"));
  const auto tcp = hint.find("\"TCP\",\"127.0.0.1\",3035");
  const auto either = hint.find("або");
  const auto udp = hint.find("\"UDP\",\"");
  ASSERT_NE(tcp, std::string_view::npos);
  ASSERT_NE(udp, std::string_view::npos);
  EXPECT_TRUE(tcp < either && either < udp);
  EXPECT_TRUE(hint.ends_with("\",7779"));
  EXPECT_EQ(FindField(CurrentFields(), "AdvEdit_Sim2Serv2")->hint, hint);
  EXPECT_TRUE(FindField(CurrentFields(), "AdvEdit_LocalPortSim2Serv2")->hint.empty());
}

}  // namespace
}  // namespace tevral::current
