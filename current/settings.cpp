#include "current/settings.h"

#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tevral {
namespace {

namespace fs = std::filesystem;

constexpr SettingSpec Text(std::string_view section, std::string_view default_text) {
  return {.section = section, .key = SettingKey::kText, .default_text = default_text};
}
constexpr SettingSpec Checked(std::string_view section, bool default_checked) {
  return {.section = section, .key = SettingKey::kChecked, .default_number = default_checked};
}
constexpr SettingSpec ItemIndex(std::string_view section, int default_index) {
  return {.section = section, .key = SettingKey::kItemIndex, .default_number = default_index};
}

constexpr SettingSpec kCurrentKeys[] = {
    ItemIndex("cbPort", 0),
    Checked("CheckEnTst", true),
    ItemIndex("sComboBox_ChProtocol", 0),
    Text("AdvEdit_Object", "0000"),
    Text("AdvEdit_TestPer", "?"),
    Text("AdvEdit_TestHou", "?"),
    Text("AdvEdit_TestMin", "?"),
    Checked("sCheckBoxVerConn", true),
    Text("EDIT_Test", "?"),
    Text("AdvEditHeartHexSufix", "14"),
    Text("EDIT_TestPer", "?"),
    Text("AdvEdit_POINT_1", "?"),
    Text("AdvEdit_POINT_2", "?"),
    Text("AdvEditNomerAlter", "?"),
    Text("AdvEdit_Sim1Serv1", ""),
    Text("AdvEdit_Sim1Serv2", ""),
    Text("AdvEdit_Sim1Serv3", ""),
    Text("AdvEdit_LocalPortSim1Serv1", ""),
    Text("AdvEdit_LocalPortSim1Serv2", ""),
    Text("AdvEdit_LocalPortSim1Serv3", ""),
    Text("AdvEdit_Sim2Serv1", ""),
    Text("AdvEdit_Sim2Serv2", ""),
    Text("AdvEdit_Sim2Serv3", ""),
    Text("AdvEdit_LocalPortSim2Serv1", ""),
    Text("AdvEdit_LocalPortSim2Serv2", ""),
    Text("AdvEdit_LocalPortSim2Serv3", ""),
};

// Forces the written bytes to the disk before the rename makes them the
// settings file, so a crash leaves the old file or the new one, never a
// short one.
bool FlushToDisk(std::FILE* f) {
  if (std::fflush(f) != 0) return false;
#ifdef _WIN32
  return _commit(_fileno(f)) == 0;
#else
  return fsync(fileno(f)) == 0;
#endif
}

// Makes the rename itself durable. Best effort: a folder that cannot be
// opened for this still holds the new file.
void FlushFolder([[maybe_unused]] const fs::path& folder) {
#ifndef _WIN32
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
#endif
}

fs::path FolderOf(const fs::path& path) {
  const fs::path parent = path.parent_path();
  return parent.empty() ? fs::path(".") : parent;
}

// A new file beside `target`, created exclusively so nothing else's file is
// ever overwritten; nothing when none can be made there.
std::FILE* CreateTemporaryBeside(const fs::path& target, fs::path& made) {
  std::random_device seed;
  std::mt19937 random(seed());
  for (int attempt = 0; attempt < 16; ++attempt) {
    made = FolderOf(target) /
           ("." + target.filename().string() + ".tmp" + std::to_string(random() % 1000000));
    if (std::FILE* f = std::fopen(made.string().c_str(), "wbx")) return f;
    if (errno != EEXIST) return nullptr;
  }
  return nullptr;
}

// The old file's permissions carry over to its replacement.
void KeepPermissions(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  const auto status = fs::status(from, ec);
  if (!ec) fs::permissions(to, status.permissions(), ec);
}

bool ReplaceWholeFile(const fs::path& target, const std::string& content) {
  fs::path temporary;
  std::FILE* f = CreateTemporaryBeside(target, temporary);
  if (f == nullptr) return false;
  const bool written = std::fwrite(content.data(), 1, content.size(), f) == content.size();
  const bool flushed = written && FlushToDisk(f);
  const bool closed = std::fclose(f) == 0;
  std::error_code ec;
  if (!(written && flushed && closed)) {
    fs::remove(temporary, ec);
    return false;
  }
  KeepPermissions(target, temporary);
  fs::rename(temporary, target, ec);
  if (ec) {
    fs::remove(temporary, ec);
    return false;
  }
  FlushFolder(FolderOf(target));
  return true;
}

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

SettingsKeySet CurrentSettingsKeys() {
  return kCurrentKeys;
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
