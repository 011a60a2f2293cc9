#pragma once
// The settings files: which window controls are kept, under which key, and
// what a missing key reads as. Each control has a section of its own,
// named by the control, holding one key: "Text", "Checked" or "ItemIndex".
//
// The key set is data: each program hands its own list to the same load
// and save.

#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "configurator/form.h"
#include "configurator/ini_file.h"

namespace tevral {

inline constexpr std::string_view kDefaultSettingsFileName = "zEdaza.ini";

enum class SettingKey { kText, kChecked, kItemIndex };

// "Text", "Checked" or "ItemIndex".
std::string_view KeyName(SettingKey key);

struct SettingSpec {
  std::string_view section{};  // the control name
  SettingKey key = SettingKey::kText;
  // What a missing or unreadable key reads as. These are not the window's
  // defaults: most text fields read "?" so a gap in a file shows.
  std::string_view default_text{};  // kText, code page 1251
  int default_number = 0;           // kChecked (0 or 1), kItemIndex
};

using SettingsKeySet = std::span<const SettingSpec>;

// The entries of a key set, as the programs' lists write them.
namespace setting {
constexpr SettingSpec Text(std::string_view section, std::string_view default_text) {
  return {.section = section, .key = SettingKey::kText, .default_text = default_text};
}
constexpr SettingSpec Checked(std::string_view section, bool default_checked = true) {
  return {.section = section, .key = SettingKey::kChecked, .default_number = default_checked};
}
constexpr SettingSpec ItemIndex(std::string_view section, int default_index = 0) {
  return {.section = section, .key = SettingKey::kItemIndex, .default_number = default_index};
}
}  // namespace setting

// A save that failed. The message is "Unable to write to " and the path;
// the error box shows it.
class SettingsWriteError : public std::runtime_error {
 public:
  explicit SettingsWriteError(const std::filesystem::path& path);
};

// A path as UTF-8 text for a message: the user is told which file was
// written or read.
std::string PathText(const std::filesystem::path& path);

// "Збережено успішно." and "Відкрито успішно.", each with the path of the
// file on a second line.
std::string SavedMessage(const std::filesystem::path& path);
std::string OpenedMessage(const std::filesystem::path& path);

// Whether `path` is a file that a load would read. Reading a missing file
// gives every key its default, so callers report a missing file instead of
// loading it.
bool SettingsFileExists(const std::filesystem::path& path);

// The keys of `keys` that `file` lacks, as "section/key", in the set's
// order. A load gives each of them its default, which is no one's setting:
// the command line refuses to write such a file, the window says which
// keys were missing.
std::vector<std::string> MissingSettingsKeys(const IniFile& file, SettingsKeySet keys);

// What the window's Open adds under its success message when keys were
// missing, followed by the keys.
inline constexpr std::string_view kMissingKeysNotice =
    "Файл не містить ключів (поля отримали типові значення): ";
// Why the command line will not write such a file, followed by the keys.
inline constexpr std::string_view kMissingKeysRefusal =
    "Файл налаштувань не містить ключів, тому нічого не записано: ";

// The missing keys as one line for a message: "a/Text, b/Checked".
std::string JoinKeys(const std::vector<std::string>& keys);

// Sets the controls key by key, in the set's order, each as soon as it is
// read. Text goes in unchanged; an index outside a choice's items selects
// nothing.
void LoadSettings(Form& form, const IniFile& file, SettingsKeySet keys);

// Writes the keys from the window into `path`, keeping every other section
// and line of an existing file. All or nothing: the new content goes to a
// temporary file beside the target, reaches the disk, and replaces the
// target in one rename; on any failure the old file is untouched and
// SettingsWriteError is thrown. An existing file that cannot be read is a
// failure too, since its other sections would be lost.
void SaveSettings(const Form& form, const std::filesystem::path& path, SettingsKeySet keys);

// The file content a save would write over `existing`.
void WriteSettings(const Form& form, IniFile& existing, SettingsKeySet keys);

}  // namespace tevral
