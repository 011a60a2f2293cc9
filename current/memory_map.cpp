#include "current/memory_map.h"

namespace tevral::current::memory {

namespace {

constexpr ServerSlot MakeSlot(std::string_view local_port_field, std::string_view server_line_field,
                              int index) {
  const auto base = static_cast<uint16_t>(kServerSlotBase + kServerSlotSize * index);
  return ServerSlot{
      local_port_field, server_line_field, MemoryArea{Bank::k1, base, 6, kLocalPortMaxLength + 1},
      MemoryArea{Bank::k1, static_cast<uint16_t>(base + 6), 48, kServerLineMaxLength + 1}};
}

}  // namespace

const std::array<ServerSlot, kServerSlotCount>& ServerSlots() {
  static constexpr std::array<ServerSlot, kServerSlotCount> kSlots{
      MakeSlot("AdvEdit_LocalPortSim1Serv1", "AdvEdit_Sim1Serv1", 0),
      MakeSlot("AdvEdit_LocalPortSim1Serv2", "AdvEdit_Sim1Serv2", 1),
      MakeSlot("AdvEdit_LocalPortSim1Serv3", "AdvEdit_Sim1Serv3", 2),
      MakeSlot("AdvEdit_LocalPortSim2Serv1", "AdvEdit_Sim2Serv1", 3),
      MakeSlot("AdvEdit_LocalPortSim2Serv2", "AdvEdit_Sim2Serv2", 4),
      MakeSlot("AdvEdit_LocalPortSim2Serv3", "AdvEdit_Sim2Serv3", 5),
  };
  return kSlots;
}

}  // namespace tevral::current::memory
