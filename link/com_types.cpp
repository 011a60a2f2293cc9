#include "link/com_types.h"

#include <array>

namespace tevral::link {

std::optional<uint32_t> BaudRateValue(TBaudRate rate) {
  // Same order as TBaudRate and as the window's speed box.
  static constexpr std::array<uint32_t, 15> kRates = {110,   300,   600,    1200,   2400,
                                                      4800,  9600,  14400,  19200,  38400,
                                                      56000, 57600, 115200, 128000, 256000};
  const auto ordinal = static_cast<int32_t>(rate);
  if (ordinal < 0 || ordinal >= static_cast<int32_t>(kRates.size())) {
    return std::nullopt;
  }
  return kRates[static_cast<size_t>(ordinal)];
}

}  // namespace tevral::link
