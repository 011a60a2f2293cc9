#include "earlier/earlier_settings.h"

#include "configurator/ini_file.h"

namespace tevral::earlier {
namespace {

constexpr SettingSpec Text(std::string_view section, std::string_view default_text) {
  return {.section = section, .key = SettingKey::kText, .default_text = default_text};
}
constexpr SettingSpec Checked(std::string_view section) {
  return {.section = section, .key = SettingKey::kChecked, .default_number = 1};
}
constexpr SettingSpec ItemIndex(std::string_view section) {
  return {.section = section, .key = SettingKey::kItemIndex, .default_number = 0};
}

// Most text keys read "?" when missing, so a gap in the file shows in the
// window. Every check box and radio button reads checked; the TCP button of
// a server is read before its UDP button, so a file without them selects
// UDP.
constexpr SettingSpec kEarlierKeys[] = {
    ItemIndex("cbPort"),
    Checked("CheckEnTst"),
    ItemIndex("sComboBox_ChProtocol"),
    Checked("sCheckBox_IncCodes"),
    Text("AdvEdit_Password", "739164825073916"),
    Text("AdvEdit_Object", "0000"),
    Text("AdvEdit_TestPer", "?"),
    Text("AdvEdit_TestHou", "?"),
    Text("AdvEdit_TestMin", "?"),
    Checked("sCheckBoxVerConn"),
    Text("EDIT_Test", "?"),
    Text("AdvEditHeartHexSufix", "14"),
    Text("EDIT_TestPer", "?"),
    Text("EDIT_SurGardPref", "?"),
    Text("AdvEdit_IP_1", "?"),
    Text("AdvEdit_PORT_1", "?"),
    Text("AdvEdit_PORT_LOCAL_1", "?"),
    Text("AdvEdit_POINT_1", "?"),
    Checked("sCheckBox_DNS_1"),
    Checked("RadioButton_TCP_1"),
    Checked("RadioButton_UDP_1"),
    Text("AdvEdit_IP_2", "?"),
    Text("AdvEdit_PORT_2", "?"),
    Text("AdvEdit_PORT_LOCAL_2", "?"),
    Text("AdvEdit_POINT_2", "?"),
    Checked("sCheckBox_DNS_2"),
    Checked("RadioButton_TCP_2"),
    Checked("RadioButton_UDP_2"),
    Text("AdvEditNomerAlter", "?"),
};

}  // namespace

SettingsKeySet EarlierSettingsKeys() {
  return kEarlierKeys;
}

std::filesystem::path EarlierSettingsPath(const std::filesystem::path& program_folder) {
  return program_folder / kDefaultSettingsFileName;
}

bool LoadEarlierStartupSettings(Form& form, const std::filesystem::path& program_folder) {
  const std::filesystem::path path = EarlierSettingsPath(program_folder);
  // Loaded only if it can be read whole; a missing file would give every
  // key its default and look like a real load.
  const std::optional<IniFile> file = SettingsFileExists(path) ? IniFile::Load(path) : std::nullopt;
  if (!file) {
    form.ShowMessage(kOpenErrorMessage);
    return false;
  }
  LoadSettings(form, *file, EarlierSettingsKeys());
  return true;
}

bool SaveEarlierSettings(Form& form, const std::filesystem::path& program_folder) {
  const std::filesystem::path path = EarlierSettingsPath(program_folder);
  if (!SettingsFileExists(path)) {
    form.ShowMessage(kSaveErrorMessage);
    return false;
  }
  SaveSettings(form, path, EarlierSettingsKeys());
  form.ShowMessage(kSaveSuccessMessage);
  return true;
}

}  // namespace tevral::earlier
