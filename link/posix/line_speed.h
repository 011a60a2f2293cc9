#pragma once
// The termios constants of the panel's line speeds.

#include <termios.h>

#include <cstdint>
#include <optional>

namespace tevral::link::posix {

// The termios constant for a rate, or nothing when the rate has none
// (14400, 56000, 128000 and 256000 have none: see arbitrary_rate.h).
std::optional<speed_t> StandardSpeed(uint32_t rate);

}  // namespace tevral::link::posix
