#include "link/posix/line_speed.h"

#include <array>
#include <utility>

namespace tevral::link::posix {

std::optional<speed_t> StandardSpeed(uint32_t rate) {
  static constexpr std::array<std::pair<uint32_t, speed_t>, 11> kSpeeds = {{
      {110, B110},
      {300, B300},
      {600, B600},
      {1200, B1200},
      {2400, B2400},
      {4800, B4800},
      {9600, B9600},
      {19200, B19200},
      {38400, B38400},
      {57600, B57600},
      {115200, B115200},
  }};
  for (const auto& [baud, speed] : kSpeeds) {
    if (baud == rate) return speed;
  }
  return std::nullopt;
}

}  // namespace tevral::link::posix
