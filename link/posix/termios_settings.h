#pragma once
// The panel's line settings as termios flags. Kept apart from the device so
// the flags can be checked for every combination, including those a
// pseudo-terminal cannot carry (it has no parity and only 8 data bits).

#include <termios.h>

#include <cstdint>
#include <optional>

#include "link/serial_device.h"

namespace tevral::link::posix {

// The termios constant for a rate, or nothing when the rate has none
// (14400, 56000, 128000 and 256000 have none: see arbitrary_rate.h).
std::optional<speed_t> StandardSpeed(uint32_t rate);

// Raw bytes both ways, the receiver on, modem control lines not required,
// no flow control of any kind, reads never wait in the driver (VMIN 1,
// VTIME 0: time-outs are kept by poll()).
void MakeRaw(termios& settings);

// Makes settings raw and puts in data bits, parity, stop bits and the speed.
// A rate without a termios constant gets B38400 as a placeholder: the real
// rate is set afterwards (SetArbitraryRate). False when the system cannot
// express the parity.
bool ComposeLineSettings(const LineSettings& line, termios& settings);

}  // namespace tevral::link::posix
