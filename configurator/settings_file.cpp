#include "configurator/settings_file.h"

#include <system_error>

#include "configurator/whole_file_writer.h"

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
    : std::runtime_error("Unable to write to " + path.string()) {}

fs::path SettingsPathIn(const fs::path& program_folder, const fs::path& chosen) {
  return program_folder / chosen.filename();
}

bool SettingsFileExists(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

std::vector<std::string> MissingSettingsKeys(const IniFile& file, SettingsKeySet keys) {
  std::vector<std::string> missing;
  for (const SettingSpec& spec : keys) {
    if (!file.ReadValue(spec.section, KeyName(spec.key))) {
      missing.push_back(std::string(spec.section) + "/" + std::string(KeyName(spec.key)));
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
  for (const SettingSpec& field_spec : keys) {
    const std::string_view key = KeyName(field_spec.key);
    switch (field_spec.key) {
      case SettingKey::kText:
        form.SetText(field_spec.section, file.ReadString(field_spec.section, key,
                                                         std::string(field_spec.default_text)));
        break;
      case SettingKey::kChecked:
        form.SetChecked(field_spec.section,
                        file.ReadBool(field_spec.section, key, field_spec.default_number != 0));
        break;
      case SettingKey::kItemIndex:
        form.SetItemIndex(field_spec.section,
                          file.ReadInteger(field_spec.section, key, field_spec.default_number));
        break;
    }
  }
}

void WriteSettings(const Form& form, IniFile& existing, SettingsKeySet keys) {
  for (const SettingSpec& field_spec : keys) {
    const std::string_view key = KeyName(field_spec.key);
    switch (field_spec.key) {
      case SettingKey::kText:
        existing.WriteString(field_spec.section, key, form.Text(field_spec.section));
        break;
      case SettingKey::kChecked:
        existing.WriteBool(field_spec.section, key, form.Checked(field_spec.section));
        break;
      case SettingKey::kItemIndex:
        existing.WriteInteger(field_spec.section, key, form.ItemIndex(field_spec.section));
        break;
    }
  }
}

void SaveSettings(const Form& form, const fs::path& path, SettingsKeySet keys) {
  const fs::path target = RealTarget(path);
  std::error_code ec;
  IniFile file;
  if (fs::exists(target, ec)) {
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
