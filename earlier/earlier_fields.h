#pragma once
// The field set of the earlier program: the controls of its main window
// that hold a panel setting, then the two connection selectors, described
// with the shared inventory type so the same field table and window code
// serve both programs.

#include <span>

#include "configurator/field_description.h"

namespace tevral::earlier {

// Every field of the earlier window, then cbPort and cbBaudRate.
FieldInventory EarlierFields();
// The group boxes that hold them.
std::span<const GroupSpec> EarlierGroups();

// The controls of one server group box.
struct ServerFieldNames {
  std::string_view box;
  std::string_view ip;
  std::string_view port;
  std::string_view local_port;
  std::string_view point;
  std::string_view dns;
  std::string_view tcp;
  std::string_view udp;
};

inline constexpr ServerFieldNames kServer1Fields{
    "sGroupBox6",      "AdvEdit_IP_1",    "AdvEdit_PORT_1",    "AdvEdit_PORT_LOCAL_1",
    "AdvEdit_POINT_1", "sCheckBox_DNS_1", "RadioButton_TCP_1", "RadioButton_UDP_1"};
inline constexpr ServerFieldNames kServer2Fields{
    "sGroupBox7",      "AdvEdit_IP_2",    "AdvEdit_PORT_2",    "AdvEdit_PORT_LOCAL_2",
    "AdvEdit_POINT_2", "sCheckBox_DNS_2", "RadioButton_TCP_2", "RadioButton_UDP_2"};

// Items of the protocol list: index 0 SUR-GARD, index 1 SOS 112.
inline constexpr int kSurGardItem = 0;
inline constexpr int kSos112Item = 1;

}  // namespace tevral::earlier
