#include "configurator/settings_file.h"

#include <system_error>

#include "configurator/whole_file_writer.h"
#include "link/utf8_path.h"

namespace tevral {
namespace {

namespace fs = std::filesystem;

// A settings file reached through a link is updated where it really lies;
// renaming over the link would replace the link with a plain file.
fs::path RealTarget(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_symlink(path, ec)) return path;
  const fs::path real = fs::weakly_canonical(path, ec);
  return ec ? path : real;
}

}  // namespace

std::string_view KeyName(SettingKey key) {
  switch (key) {
    case SettingKey::kText:
      return "Text";
    case SettingKey::kChecked:
      return "Checked";
    case SettingKey::kItemIndex:
      return "ItemIndex";
  }
  return "Text";
}

SettingsWriteError::SettingsWriteError(const fs::path& path)
    : std::runtime_error("Unable to write to " + PathToUtf8(path)) {}

std::string PathText(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::string SavedMessage(const fs::path& path) {
  return "Збережено успішно.\n" + PathText(path);
}

std::string OpenedMessage(const fs::path& path) {
  return "Відкрито успішно.\n" + PathText(path);
}

bool SettingsFileExists(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

std::vector<std::string> MissingSettingsKeys(const IniFile& file, SettingsKeySet keys) {
  std::vector<std::string> missing;
  for (const SettingSpec& setting : keys) {
    if (!file.ReadValue(setting.section, KeyName(setting.key))) {
      missing.push_back(std::string(setting.section) + "/" + std::string(KeyName(setting.key)));
    }
  }
  return missing;
}

std::string JoinKeys(const std::vector<std::string>& keys) {
  std::string line;
  for (const std::string& key : keys) {
    if (!line.empty()) line += ", ";
    line += key;
  }
  return line;
}

void LoadSettings(Form& form, const IniFile& file, SettingsKeySet keys) {
  for (const SettingSpec& setting : keys) {
    const std::string_view key = KeyName(setting.key);
    switch (setting.key) {
      case SettingKey::kText:
        form.SetText(setting.section,
                     file.ReadString(setting.section, key, std::string(setting.default_text)));
        break;
      case SettingKey::kChecked:
        form.SetChecked(setting.section,
                        file.ReadBool(setting.section, key, setting.default_number != 0));
        break;
      case SettingKey::kItemIndex:
        form.SetItemIndex(setting.section,
                          file.ReadInteger(setting.section, key, setting.default_number));
        break;
    }
  }
}

void WriteSettings(const Form& form, IniFile& existing, SettingsKeySet keys) {
  for (const SettingSpec& setting : keys) {
    const std::string_view key = KeyName(setting.key);
    switch (setting.key) {
      case SettingKey::kText:
        existing.WriteString(setting.section, key, form.Text(setting.section));
        break;
      case SettingKey::kChecked:
        existing.WriteBool(setting.section, key, form.Checked(setting.section));
        break;
      case SettingKey::kItemIndex:
        existing.WriteInteger(setting.section, key, form.ItemIndex(setting.section));
        break;
    }
  }
}

namespace {

// A file the user made read-only is not saved over. The new content
// replaces the file by a rename, which the file's own permissions do not
// stop (and root passes every check), so the bits are looked at here: with
// no write permission for anyone the file is as read-only as Windows' own
// attribute makes it, where the rename is refused.
bool MarkedReadOnly(const fs::path& target) {
  std::error_code ec;
  const fs::perms perms = fs::status(target, ec).permissions();
  if (ec || perms == fs::perms::unknown) return false;
  constexpr fs::perms kAnyWrite =
      fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  return (perms & kAnyWrite) == fs::perms::none;
}

}  // namespace

void SaveSettings(const Form& form, const fs::path& path, SettingsKeySet keys) {
  const fs::path target = RealTarget(path);
  std::error_code ec;
  IniFile file;
  if (fs::exists(target, ec)) {
    if (MarkedReadOnly(target)) throw SettingsWriteError(path);
    auto old = IniFile::Load(target);
    if (!old) throw SettingsWriteError(path);
    file = std::move(*old);
  } else if (ec) {
    throw SettingsWriteError(path);
  }
  WriteSettings(form, file, keys);
  if (!ReplaceWholeFile(target, file.Serialize())) throw SettingsWriteError(path);
}

}  // namespace tevral
