// Any file as either program's settings file: the load fills every field
// of the key set without an error, and saving what it gave and loading that
// again gives the same window, except for the texts a settings file cannot
// keep as they are (blanks or quotes at their ends, line breaks and NULs,
// more than 2047 characters).
#include <string>

#include "configurator/field_table.h"
#include "configurator/ini_file.h"
#include "configurator/settings_file.h"
#include "current/fields.h"
#include "current/settings_keys.h"
#include "earlier/earlier_fields.h"
#include "earlier/earlier_settings.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_targets.h"

namespace tevral::fuzz {
namespace {

// A line break or a NUL in a value is stored as a blank (the file keeps its
// shape); blanks and one pair of quotes at the ends go when it is read.
bool KeptAsItIs(const std::string& text) {
  if (text.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) return false;
  const IniFile alone = IniFile::Parse("[s]\r\nText=" + text + "\r\n");
  return alone.ReadValue("s", "Text") == text;
}

void CheckSameWindow(const FieldTable& first, const FieldTable& second, SettingsKeySet keys) {
  for (const SettingSpec& setting : keys) {
    switch (setting.key) {
      case SettingKey::kText: {
        const std::string text = first.Text(setting.section);
        if (KeptAsItIs(text)) {
          Expect(second.Text(setting.section) == text, "a saved text loads back");
        }
        break;
      }
      case SettingKey::kChecked:
        Expect(second.Checked(setting.section) == first.Checked(setting.section),
               "a saved check box loads back");
        break;
      case SettingKey::kItemIndex:
        Expect(second.ItemIndex(setting.section) == first.ItemIndex(setting.section),
               "a saved selection loads back");
        break;
    }
  }
}

void CheckKeySet(std::string_view content, FieldInventory fields, SettingsKeySet keys) {
  const IniFile file = IniFile::Parse(content);
  FieldTable loaded(fields);
  LoadSettings(loaded, file, keys);

  IniFile saved = IniFile::Parse(content);
  WriteSettings(loaded, saved, keys);
  FieldTable reloaded(fields);
  LoadSettings(reloaded, IniFile::Parse(saved.Serialize()), keys);
  CheckSameWindow(loaded, reloaded, keys);
}

}  // namespace

int FuzzSettingsLoad(const uint8_t* data, size_t size) {
  InputReader input(data, size);
  const std::string content(input.Rest());
  CheckKeySet(content, current::CurrentFields(), current::CurrentSettingsKeys());
  CheckKeySet(content, earlier::EarlierFields(), earlier::EarlierSettingsKeys());
  return 0;
}

}  // namespace tevral::fuzz
