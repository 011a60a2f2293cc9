#include "current/settings_keys.h"

namespace tevral::current {
namespace {

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

}  // namespace

SettingsKeySet CurrentSettingsKeys() {
  return kCurrentKeys;
}

}  // namespace tevral::current
