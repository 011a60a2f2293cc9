#include "configurator/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>

namespace tevral {
namespace {

TEST(IniFileRead, ValuesAreTrimmedUnquotedAndFoundWithoutRegardToCase) {
  struct Case {
    const char* file;
    const char* section;
    const char* key;
    std::optional<std::string> value;
  };
  const Case cases[] = {
      {"[s]\r\nText=abc\r\n", "s", "Text", "abc"},
      {"[S]\r\nTEXT=abc\r\n", "s", "text", "abc"},
      {"  [ AdvEdit_Object ]  \r\n  Text  =  12AB  \r\n", "advedit_object", "Text", "12AB"},
      {"[s]\r\nText=\t v \t\r\n", "s", "Text", "v"},
      {"[s]\r\nText=\"abc\"\r\n", "s", "Text", "abc"},
      {"[s]\r\nText='abc'\r\n", "s", "Text", "abc"},
      {"[s]\r\nText= \" a b \" \r\n", "s", "Text", " a b "},  // blanks inside quotes stay
      {"[s]\r\nText=\"\"x\"\"\r\n", "s", "Text", "\"x\""},    // one pair only
      {"[s]\r\nText=\"abc'\r\n", "s", "Text", "\"abc'"},      // quotes must match
      {"[s]\r\nText=\"\r\n", "s", "Text", "\""},              // a lone quote is text
      {"[s]\r\nText=\"\"\r\n", "s", "Text", ""},
      {"[s]\r\nText=a=b\r\n", "s", "Text", "a=b"},  // the first "=" splits
      {"[s]\r\nText=\r\n", "s", "Text", ""},
      {"[s]\nText=lf only\n", "s", "Text", "lf only"},
      {"[s]\r\nText=no line end", "s", "Text", "no line end"},
      {"[s]\r\nText=\xCF\xEE\xF0\xF2\r\n", "s", "Text", "\xCF\xEE\xF0\xF2"},
      {"[s]\r\nText=first\r\n[s]\r\nText=second\r\n", "s", "Text", "first"},
      {"[s]\r\nText=first\r\nText=second\r\n", "s", "Text", "first"},
      {"Text=before any section\r\n[s]\r\n", "s", "Text", std::nullopt},
      {"[t]\r\nText=other section\r\n[s]\r\n", "s", "Text", std::nullopt},
      {"[s]\r\nTexts=x\r\n; Text=x\r\n", "s", "Text", std::nullopt},
      {"", "s", "Text", std::nullopt},
      {"[s\r\nText=x\r\n", "s", "Text", std::nullopt},  // not a section line
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IniFile::Parse(c.file).ReadValue(c.section, c.key), c.value) << c.file;
  }
}

TEST(IniFileRead, LongValuesAreCutTo2047Characters) {
  const std::string longer(3000, 'x');
  const std::string exact(2047, 'y');
  const IniFile file =
      IniFile::Parse("[a]\r\nText=" + longer + "\r\n[b]\r\nText=\"" + exact + "\"\r\n");
  EXPECT_EQ(file.ReadString("a", "Text", "?"), std::string(2047, 'x'));
  EXPECT_EQ(file.ReadString("b", "Text", "?"), exact);
}

TEST(IniFileRead, IntegersAreTrimmedAndUnquotedFirst) {
  // Through the file, the value is trimmed and unquoted first, and anything
  // that is no number gives the default.
  const IniFile file = IniFile::Parse("[s]\r\na= 7 \r\nb='3'\r\nc=x\r\n");
  EXPECT_EQ(file.ReadInteger("s", "a", 99), 7);
  EXPECT_EQ(file.ReadInteger("s", "b", 99), 3);
  EXPECT_EQ(file.ReadInteger("s", "c", 99), 99);
  EXPECT_EQ(file.ReadInteger("s", "missing", -1), -1);
}

TEST(IniFileRead, CheckedIsAnyNonZeroNumber) {
  struct Case {
    const char* value;
    bool fallback;
    bool checked;
  };
  const Case cases[] = {
      {"1", false, true},     {"0", true, false},  {"2", false, true},    {"-1", false, true},
      {"0x0", true, false},   {"abc", true, true}, {"abc", false, false}, {"", true, true},
      {"true", false, false},  // no number: the default
  };
  for (const Case& c : cases) {
    const IniFile file = IniFile::Parse(std::string("[s]\r\nChecked=") + c.value + "\r\n");
    EXPECT_EQ(file.ReadBool("s", "Checked", c.fallback), c.checked)
        << "'" << c.value << "' default " << c.fallback;
  }
  EXPECT_TRUE(IniFile().ReadBool("s", "Checked", true));
}

TEST(IniFileWrite, UpdatesInPlaceAndKeepsEveryOtherLine) {
  const std::string before =
      "; made by hand\r\n"
      "[Other]\n"  // a line end of its own, kept
      "Key = keep  me \r\n"
      "\r\n"
      "[AdvEdit_Object]\r\n"
      "TEXT=0000\r\n"
      "junk line\r\n"
      "\r\n"
      "[Last]\r\n"
      "x=1";  // no line end at the very end
  IniFile file = IniFile::Parse(before);
  file.WriteString("advedit_object", "Text", "12AB");
  file.WriteString("AdvEdit_Object", "Extra", "e");
  file.WriteBool("New", "Checked", true);
  EXPECT_EQ(file.Serialize(),
            "; made by hand\r\n"
            "[Other]\n"
            "Key = keep  me \r\n"
            "\r\n"
            "[AdvEdit_Object]\r\n"
            "TEXT=12AB\r\n"
            "junk line\r\n"
            "Extra=e\r\n"  // after the section's last line, before the blank one
            "\r\n"
            "[Last]\r\n"
            "x=1\r\n"
            "[New]\r\n"
            "Checked=1\r\n");
}

TEST(IniFileWrite, NewFileHasCrLfLinesAndValuesGoInUnquoted) {
  IniFile file;
  file.WriteInteger("cbPort", "ItemIndex", -1);
  file.WriteString("EDIT_Test", "Text", " \"t\" ");
  file.WriteBool("CheckEnTst", "Checked", false);
  EXPECT_EQ(file.Serialize(),
            "[cbPort]\r\nItemIndex=-1\r\n"
            "[EDIT_Test]\r\nText= \"t\" \r\n"
            "[CheckEnTst]\r\nChecked=0\r\n");
  // What the format cannot keep: end blanks, then the enclosing quotes.
  EXPECT_EQ(IniFile::Parse(file.Serialize()).ReadString("EDIT_Test", "Text", "?"), "t");
}

// A text read from a panel may hold line-break bytes; written raw they would
// split the line and could forge a section of their own.
TEST(IniFileWrite, LineBreaksInAValueCannotForgeLines) {
  IniFile file = IniFile::Parse("[cbPort]\r\nItemIndex=2\r\n");
  file.WriteString("AdvEdit_Sim1Serv1", "Text", std::string("a\r\n[cbPort]\nItemIndex=5\0z", 25));
  const IniFile back = IniFile::Parse(file.Serialize());
  EXPECT_EQ(back.ReadInteger("cbPort", "ItemIndex", 0), 2);
  EXPECT_EQ(back.ReadString("AdvEdit_Sim1Serv1", "Text", "?"), "a  [cbPort] ItemIndex=5 z");
}

// Names are the program's own, but a line break in one must not split a
// line either.
TEST(IniFileWrite, LineBreaksInANameCannotForgeLines) {
  IniFile file;
  file.WriteString("A\r\n[cbPort", "K\nItemIndex", "5");
  const IniFile back = IniFile::Parse(file.Serialize());
  EXPECT_EQ(back.ReadValue("cbPort", "ItemIndex"), std::nullopt);
  EXPECT_EQ(back.ReadValue("A  [cbPort", "K ItemIndex"), "5");
  EXPECT_EQ(file.ReadValue("A  [cbPort", "K ItemIndex"), "5");
}

// What a write added (a key in a section of the file, a new section) is
// found by the next read and replaced by the next write of the same key,
// before and after the file goes to disk.
TEST(IniFileWrite, WritesSeeWhatEarlierWritesAdded) {
  IniFile file = IniFile::Parse("[Old]\r\na=1\r\n\r\n[Next]\r\n");
  file.WriteString("old", "b", "first");
  file.WriteString("New", "c", "first");
  file.WriteString("OLD", "B", "second");
  file.WriteString("new", "C", "second");
  file.WriteString("Old", "a", "2");
  EXPECT_EQ(file.ReadValue("Old", "b"), "second");
  EXPECT_EQ(file.ReadValue("New", "c"), "second");
  EXPECT_EQ(file.Serialize(), "[Old]\r\na=2\r\nb=second\r\n\r\n[Next]\r\n[New]\r\nc=second\r\n");
  const IniFile back = IniFile::Parse(file.Serialize());
  EXPECT_EQ(back.ReadValue("old", "B"), "second");
  EXPECT_EQ(back.ReadValue("Next", "c"), std::nullopt);
}

TEST(IniFileLoad, MissingOrUnreadableFilesGiveNothing) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                    ("tevral_ini_" + std::to_string(std::random_device{}()));
  ASSERT_TRUE(std::filesystem::create_directories(dir));
  EXPECT_FALSE(IniFile::Load(dir / "absent.ini").has_value());
  EXPECT_FALSE(IniFile::Load(dir).has_value());  // a folder
  std::ofstream(dir / "a.ini", std::ios::binary) << "[s]\r\nText=\xE0\r\n";
  const auto loaded = IniFile::Load(dir / "a.ini");
  ASSERT_TRUE(loaded.has_value());
  EXPECT_EQ(loaded->ReadString("s", "Text", "?"), "\xE0");
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tevral
